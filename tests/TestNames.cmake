# Every test case has a readable name that is the same in every build: no test name
# carries a parameter's raw bytes (pointer values change from run to run), and a
# parameterised case is named for what it is, not by its index.
#   cmake -DBUILD_DIR=... -DBINARIES="a;b" -P TestNames.cmake
set(failures "")

foreach(binary ${BINARIES})
  execute_process(COMMAND ${binary} --gtest_list_tests OUTPUT_VARIABLE first RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${binary} --gtest_list_tests failed (${rc})")
  endif()
  execute_process(COMMAND ${binary} --gtest_list_tests OUTPUT_VARIABLE second)
  if(NOT first STREQUAL second)
    string(APPEND failures "${binary}: the list of tests differs from one run to the next\n")
  endif()
  string(REPLACE "\n" ";" lines "${first}")
  set(parameterised FALSE)
  foreach(line ${lines})
    if(line MATCHES "-byte object <")
      string(APPEND failures "${binary}: raw bytes in: ${line}\n")
    endif()
    if(line MATCHES "^[^ ]")
      # A suite line; "Prefix/Suite." is a parameterised one.
      if(line MATCHES "^[^ ]+/[^ ]+\\.")
        set(parameterised TRUE)
      else()
        set(parameterised FALSE)
      endif()
    elseif(parameterised AND line MATCHES "^  [^ ]+/[0-9]+( |$)")
      string(APPEND failures "${binary}: a case named by its index: ${line}\n")
    endif()
  endforeach()
endforeach()

# The names ctest runs the cases under, as test discovery wrote them (read from its
# files: a "ctest -N" here would overwrite the log of the run that started this test).
file(GLOB_RECURSE discovered "${BUILD_DIR}/*_tests.cmake")
foreach(list ${discovered})
  file(STRINGS ${list} lines REGEX "add_test")
  foreach(line ${lines})
    if(line MATCHES "GetParam|-byte object")
      string(APPEND failures "ctest: ${line}\n")
    endif()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Test names that are not readable or not stable:\n${failures}")
endif()
message(STATUS "every test name is readable and stable")
