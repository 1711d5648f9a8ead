// Replays a fuzz target's seed corpus without libFuzzer: every seed as it is,
// then deterministic mutations of it (truncations, bit flips, byte runs), so
// that a compiler without libFuzzer still exercises the parser on bad input.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

void run(const Bytes& input) { LLVMFuzzerTestOneInput(input.data(), input.size()); }

// Mutated inputs per seed; "--rounds=N" lowers it for targets whose every
// input is a whole program run.
int rounds = 400;

void replayWithMutations(const Bytes& seed, std::mt19937& random) {
  run(seed);
  const size_t cuts = static_cast<size_t>(std::min(rounds, 64));
  for (size_t cut = 0; cut < seed.size(); cut += 1 + seed.size() / cuts)
    run(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut)));
  if (seed.empty()) return;
  std::uniform_int_distribution<size_t> position(0, seed.size() - 1);
  for (int round = 0; round < rounds; ++round) {
    Bytes mutated = seed;
    int edits = 1 + round % 8;
    for (int e = 0; e < edits; ++e) {
      size_t at = position(random);
      switch (random() % 4) {
        case 0: mutated[at] ^= static_cast<uint8_t>(1u << (random() % 8)); break;
        case 1: mutated[at] = 0xFF; break;
        case 2: mutated[at] = 0x00; break;
        default: mutated[at] = static_cast<uint8_t>(random()); break;
      }
    }
    run(mutated);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::mt19937 random(12345);
  size_t seeds = 0;
  run({});
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument.rfind("--rounds=", 0) == 0) {
      rounds = std::max(1, std::atoi(argument.c_str() + 9));
      continue;
    }
    std::filesystem::path dir(argument);
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      Bytes seed((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      replayWithMutations(seed, random);
      ++seeds;
    }
  }
  std::printf("replayed %zu seeds with mutations\n", seeds);
  return 0;
}
