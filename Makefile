# Entry points for people and CI. `make demo` and `make test` work on a fresh
# Debian machine: both install what they need first.

BUILD      ?= build
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?=

.PHONY: deps build fuzz-build test demo bench clean format

deps:
	@tools/install-deps.sh

build:
	cmake -S . -B $(BUILD) -G Ninja -DCORVASTA_FUZZ_BUILD=$(abspath $(FUZZ_BUILD)) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

# libFuzzer binaries (clang, ASan, UBSan); CTest runs each briefly.
fuzz-build:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCORVASTA_FUZZ=ON -DCORVASTA_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers

test: deps
	$(MAKE) build fuzz-build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The demo needs only the two programs, not the tests.
demo: deps
	cmake -S . -B $(BUILD) -G Ninja -DCORVASTA_FUZZ_BUILD=$(abspath $(FUZZ_BUILD)) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS) --target corvasta corvasta-machine
	tools/demo.sh $(BUILD)

bench: deps build
	bench/run.sh $(BUILD)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
