# The scratch machine comes from the test rig (tests/support). The fuzz build
# leaves tests/ out, so it builds the rig's libraries here.
if(NOT TARGET corvasta_program_rig)
  find_package(GTest REQUIRED)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/support ${CMAKE_BINARY_DIR}/fuzz/rig)
endif()
add_library(fuzz_restore_set_scratch STATIC ${CMAKE_CURRENT_LIST_DIR}/restore_set_scratch.cpp)
target_link_libraries(fuzz_restore_set_scratch PUBLIC corvasta_test_support)
# Every input is a whole restore on a fresh copy of a machine (about 10 ms):
# the replay keeps to a few mutations per seed so that it stays short.
corvasta_fuzzer(fuzz_restore_set DEPS corvasta_program_rig restore fuzz_restore_set_scratch
                REPLAY_ROUNDS 12)
