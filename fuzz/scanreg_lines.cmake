corvasta_fuzzer(fuzz_scanreg_lines DEPS app backup)
