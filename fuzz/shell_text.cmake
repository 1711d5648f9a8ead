corvasta_fuzzer(fuzz_shell_text DEPS app)
