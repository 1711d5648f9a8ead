corvasta_fuzzer(fuzz_check_tree DEPS extractor)
