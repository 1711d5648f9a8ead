# The scratch machine comes from the test rig's MachineBuilder (tests/support),
# which the fuzz build leaves out otherwise.
if(NOT TARGET corvasta_program_rig)
  find_package(GTest REQUIRED)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/fuzz/rig)
endif()
corvasta_fuzzer(fuzz_iso_import DEPS cdengine corvasta_test_support)
