corvasta_fuzzer(fuzz_openfile_batch DEPS backup app restore)
