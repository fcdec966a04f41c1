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

include(GoogleTest)

# tavlin_test(<name> SOURCES ... [DEPS ...] [TIMEOUT seconds] [NO_MAIN])
# One GoogleTest program; CTest lists each of its cases as a test of its own,
# named "<name>.<suite>.<case>", so a failure names its case.  Each case runs
# in a process of its own, with TIMEOUT (600 s when left out) for the case.
# The cases are listed when ctest starts rather than after the link, so a
# build never runs a test program.  Properties that every case needs (a
# skip code, a lock on what the cases share) go into the target's
# TAVLIN_TEST_PROPERTIES anywhere in the folder's CMakeLists.txt:
#   set_property(TARGET <name> PROPERTY TAVLIN_TEST_PROPERTIES RESOURCE_LOCK <what>)
function(tavlin_test name)
  cmake_parse_arguments(T "NO_MAIN" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_DEPS} GTest::gtest)
  if(NOT T_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  tavlin_warnings(${name})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 600)
  endif()
  # Deferred to the end of the folder's CMakeLists.txt, which may still set
  # the target's TAVLIN_TEST_PROPERTIES after this call.  A deferred call
  # reads its arguments when it runs, outside this function: hence the
  # values written into it here.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL tavlin_discover_tests [[${name}]] [[${T_TIMEOUT}]])")
endfunction()

# Registers the cases of the test program `target` with CTest.  Listing runs
# the program, which under the sanitizers takes a few seconds on a busy
# machine, hence the long discovery timeout.
function(tavlin_discover_tests target timeout)
  get_target_property(properties ${target} TAVLIN_TEST_PROPERTIES)
  if(NOT properties)
    set(properties "")
  endif()
  gtest_discover_tests(${target}
    TEST_PREFIX "${target}."
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT ${timeout} LABELS ${target} ${properties})
endfunction()
