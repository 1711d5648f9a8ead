corvasta_fuzzer(fuzz_entry_names DEPS archive)
