# The scratch machine comes from the test rig (tests/support). The fuzz build
# leaves tests/ out, so it builds the rig's libraries here.
if(NOT TARGET corvasta_program_rig)
  find_package(GTest REQUIRED)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/fuzz/rig)
endif()
# Every input is a whole restore on a new machine: the replay keeps to a few
# mutations per seed so that it stays well under a minute.
corvasta_fuzzer(fuzz_restore_set DEPS corvasta_program_rig restore REPLAY_ROUNDS 12)
