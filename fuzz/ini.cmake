corvasta_fuzzer(fuzz_ini DEPS platform_profile)
