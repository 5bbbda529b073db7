# Every include of the program's own headers under src/ names its layer ("core/...", "gui/kit/..."), so
# that the include paths each library publishes decide what it may see. A relative include ("../x.h",
# or a bare "x.h" found beside the file) would get round them: this check refuses both.
file(GLOB_RECURSE sources "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
set(offending "")
foreach(source ${sources})
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line ${includes})
    if(NOT line MATCHES "#[ \t]*include[ \t]*\"(core|io|cli|gui|app)/[A-Za-z0-9_/]+\\.h\"")
      file(RELATIVE_PATH where ${SOURCE_DIR} ${source})
      string(APPEND offending "  ${where}: ${line}\n")
    endif()
  endforeach()
endforeach()
if(offending)
  message(FATAL_ERROR "Includes that do not name their layer:\n${offending}")
endif()
