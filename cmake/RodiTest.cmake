# rodi_test(NAME LABEL <unit|content|e2e> SOURCES ... LIBS ...)
# unit tests also run in the sanitizer build; content and e2e tests run in the normal build.
function(rodi_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS" ${ARGN})
  if(NOT T_LABEL)
    set(T_LABEL unit)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    RODI_SOURCE_DIR="${RODI_SOURCE_DIR}" RODI_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES LABELS ${T_LABEL})
  if(T_LABEL STREQUAL "unit")
    set_property(GLOBAL APPEND PROPERTY RODI_UNIT_TESTS ${name})
  endif()
endfunction()

# The target unit_tests builds just what the unit tests need (the sanitizer
# build runs only those). Call once, after every test is declared.
function(rodi_add_unit_tests_target)
  get_property(tests GLOBAL PROPERTY RODI_UNIT_TESTS)
  add_custom_target(unit_tests DEPENDS ${tests})
endfunction()

# Adds every direct subfolder of the current folder that has a CMakeLists.txt.
function(rodi_add_subfolders)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
