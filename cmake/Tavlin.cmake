# Helpers shared by every folder.

# Our own code is held to -Wall -Wextra -Werror; dependency headers come in as
# SYSTEM includes so their warnings never fail the build.
function(tavlin_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 reports -Wrestrict inside libstdc++'s own string code once it
  # inlines deeply enough (optimised builds), for code that is correct; GCC 13
  # no longer does.  On GCC 12 the report is noise, twenty lines each time.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
     AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
endfunction()

# tavlin_library(<name> SOURCES ... [DEPS ...])
# A static library whose folder is its public include root's child: code
# includes "engine/CTTable.h", "winapi/windows.h" and so on from the tree root.
function(tavlin_library name)
  cmake_parse_arguments(L "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${L_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(L_DEPS)
    target_link_libraries(${name} PUBLIC ${L_DEPS})
  endif()
  tavlin_warnings(${name})
endfunction()

# tavlin_test(<name> SOURCES ... [DEPS ...] [TIMEOUT seconds] [NO_MAIN])
# One GoogleTest program, registered with CTest as a single test.
function(tavlin_test name)
  cmake_parse_arguments(T "NO_MAIN" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest)
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  tavlin_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()
