# A folder with no sources yet still gives a library, so that targets can name it.
macro(velkor_nonempty var name)
  if(NOT ${var})
    set(_empty ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp)
    file(WRITE ${_empty} "// This folder has no sources yet.\n")
    set(${var} ${_empty})
  endif()
endmacro()

# One static library per source folder: every .cpp of the folder, headers reached as
# "<folder>/<file>.hpp" from the src/ root.
function(velkor_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  velkor_nonempty(sources ${name})
  add_library(velkor_${name} STATIC ${sources})
  target_include_directories(velkor_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(velkor_${name} PUBLIC ${ARG_DEPS})
endfunction()

# One GoogleTest executable per test folder.
function(velkor_test_folder name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name}_tests ${sources})
  target_include_directories(${name}_tests PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}
                                                   ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name}_tests PRIVATE ${ARG_DEPS} GTest::gmock GTest::gtest_main)
  # Each build tree keeps its tests' scratch files to itself, so a build's tests never meet
  # another build's (a sanitizer run beside the normal one, a second clone) in /tmp.
  set(scratch ${CMAKE_BINARY_DIR}/test-tmp)
  file(MAKE_DIRECTORY ${scratch})
  gtest_discover_tests(${name}_tests DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                                  ENVIRONMENT_MODIFICATION "TMPDIR=set:${scratch}")
endfunction()
