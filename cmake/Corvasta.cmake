# Build helpers shared by every module.
#
# A module is a folder whose .cpp files make one static library. New files are
# picked up by the glob, so adding a source needs no edit here.

# corvasta_library(<target> [DEPS <targets>...])
function(corvasta_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A module folder that has no sources yet builds a header-only library.
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  if(CORVASTA_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  endif()
endfunction()

# corvasta_test(<target> LABEL <label> [DEPS <targets>...] [SOURCES <glob dir>])
# One GoogleTest executable from every .cpp in the current folder. Each test is
# registered with CTest under the label, running without a display.
function(corvasta_test target)
  cmake_parse_arguments(ARG "" "LABEL" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} corvasta_test_support GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    PROPERTIES
      LABELS ${ARG_LABEL}
      ENVIRONMENT "CORVASTA_BUILD_DIR=${CMAKE_BINARY_DIR}")
  # Discovered tests take a single ENVIRONMENT entry (a list would be split
  # into separate arguments); GUI tests will set their display settings
  # themselves.
endfunction()
