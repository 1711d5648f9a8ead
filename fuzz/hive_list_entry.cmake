corvasta_fuzzer(fuzz_hive_list_entry DEPS backup app)
