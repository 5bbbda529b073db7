# Run by CTest when it starts: lists the suites of one test program and adds each suite as one test,
# so that a program starts once per suite rather than once per test (the start of a sanitized Qt
# program costs more than most tests). Expects `program` (the test program's path) and `timeout`.
#
# A suite whose every test skipped itself (no real history beside the project, say) ends with exit
# code 77, the tests' main's word for "skipped" (tests/support/TestMain.cpp).
if(NOT EXISTS "${program}")
  add_test(NOT_BUILT:${program} "${program}")
  return()
endif()
execute_process(COMMAND "${program}" --gtest_list_tests OUTPUT_VARIABLE listing RESULT_VARIABLE result
                ERROR_QUIET TIMEOUT 60)
if(NOT result EQUAL 0)
  add_test(NOT_LISTED:${program} "${program}" --gtest_list_tests)
  return()
endif()
# A suite line starts at the first column and ends its name with a dot; the tests below it are indented.
string(REPLACE ";" "," listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ #][^ ]*)\\.")
    set(suite "${CMAKE_MATCH_1}")
    # Every program's includes run in one scope: a suite name two programs share would hide one of them.
    list(FIND veltrano_listed_suites "${suite}" seen)
    if(NOT seen EQUAL -1)
      add_test("DUPLICATE_SUITE:${suite}" "${program}" --gtest_filter=-*) # chooses nothing: fails
      continue()
    endif()
    list(APPEND veltrano_listed_suites "${suite}")
    add_test("${suite}" "${program}" "--gtest_filter=${suite}.*")
    set_tests_properties("${suite}" PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT "${timeout}"
                         SKIP_RETURN_CODE 77)
  endif()
endforeach()
