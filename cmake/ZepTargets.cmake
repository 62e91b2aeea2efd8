# One static library per folder, named zep_<folder>, with its tests in <folder>/tests.

set(ZEP_WARNINGS -Wall -Wextra -Wpedantic)

function(zep_library name)
  add_library(zep_${name} STATIC ${ARGN})
  target_include_directories(zep_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(zep_${name} PRIVATE ${ZEP_WARNINGS})
endfunction()

# zep_tests(<folder> <sources>...) builds zep_<folder>_tests against zep_<folder>
# and registers every test case with CTest under the label "unit".
function(zep_tests name)
  add_executable(zep_${name}_tests ${ARGN})
  target_link_libraries(zep_${name}_tests PRIVATE zep_${name} GTest::gtest GTest::gmock
                        GTest::gtest_main)
  target_compile_options(zep_${name}_tests PRIVATE ${ZEP_WARNINGS})
  target_compile_definitions(zep_${name}_tests
                             PRIVATE ZEP_SHARED_DATA_DIR="${ZEP_SHARED_DATA_DIR}")
  gtest_discover_tests(zep_${name}_tests DISCOVERY_MODE PRE_TEST
                       PROPERTIES LABELS unit ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endfunction()

function(zep_tool name)
  add_executable(${name} ${ARGN})
  target_compile_options(${name} PRIVATE ${ZEP_WARNINGS})
endfunction()
