corvasta_fuzzer(fuzz_zip_reader DEPS archive)
