# One static library per folder of src/, made of every file in it (not its subfolders).
#
# src/ is the one include root, so an include names its layer: #include "core/DrawArchive.h". Yet no
# target gets src/ itself: each library publishes a root of its own under the build tree that holds only
# its folder (a link to it), and a target sees the headers of the libraries it links and nothing else.
# An include that reaches into a layer above, or into another window's folder, fails to compile.
#
# AUTOMOC runs only in folders whose headers declare Q_OBJECT.
# Gives a target an include root of its own holding only src/<folder>, as "<folder>/...".
function(veltrano_publish name folder scope)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${name} ${scope} ${root})
endfunction()

function(veltrano_library name folder)
  cmake_parse_arguments(ARG "" "PRECOMPILED_FROM" "PUBLIC_LIBS;PRIVATE_LIBS;PRECOMPILE" ${ARGN})
  set(dir ${CMAKE_SOURCE_DIR}/src/${folder})
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h ${dir}/*.qrc)
  add_library(${name} STATIC ${sources})

  veltrano_publish(${name} ${folder} PUBLIC)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE veltrano_warnings ${ARG_PRIVATE_LIBS})

  file(GLOB headers ${dir}/*.h)
  set(moc OFF)
  foreach(header ${headers})
    file(STRINGS ${header} declares REGEX "Q_OBJECT")
    if(declares)
      set(moc ON)
    endif()
  endforeach()
  set_target_properties(${name} PROPERTIES AUTOMOC ${moc})
  if(ARG_PRECOMPILE)
    target_precompile_headers(${name} PRIVATE ${ARG_PRECOMPILE})
  elseif(ARG_PRECOMPILED_FROM)
    # The same headers with the same flags: one precompiled file serves every library of a layer.
    target_precompile_headers(${name} REUSE_FROM ${ARG_PRECOMPILED_FROM})
  endif()
endfunction()
