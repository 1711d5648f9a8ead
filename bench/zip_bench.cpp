// The archive engine's side of bench/zip_bench.sh: generates the corpus and
// runs one engine operation, so the script can time it beside zip, 7-Zip and
// unzip.
//
//   zip_bench corpus DIR MEGABYTES     a profile-like tree, always the same
//   zip_bench create DIR ZIP LEVEL [PASSWORD]
//   zip_bench extract ZIP DEST [PASSWORD]            through the test host file system
//   zip_bench extract-machine ZIP MACHINE [PASSWORD]  through a machine's file system:
//       MACHINE (made if missing) gets drive C, where the archive is extracted
//   zip_bench test ZIP [PASSWORD]
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "archive/ZipWriter.h"
#include "archive/machine/MachineZipFileSystem.h"
#include "platform/core/machine.h"
#include "platform/files/file_system.h"
#include "tests/archive/host_file_system.h"

namespace {

namespace fs = std::filesystem;

// A vocabulary of a few thousand made-up words, used with falling
// frequencies as natural language uses its words.
std::vector<std::string> vocabulary(std::mt19937& random) {
  const char* syllables[] = {"ka", "lo",  "ver", "sta", "mi",   "ne", "tor", "pa", "ri",  "den",
                             "gu", "shi", "an",  "el",  "port", "ex", "con", "re", "ing", "ment",
                             "al", "is",  "ow",  "ter", "ble",  "qu", "ar",  "um", "ci",  "ob"};
  std::vector<std::string> words;
  for (int i = 0; i < 6000; ++i) {
    std::string word;
    int parts = 1 + static_cast<int>(random() % 4);
    for (int p = 0; p < parts; ++p) word += syllables[random() % 30];
    if (random() % 7 == 0) word[0] = static_cast<char>(word[0] - 32);
    words.push_back(word);
  }
  return words;
}

// Text in words and lines, like documents, mail and INI files.
std::string text(std::mt19937& random, size_t size) {
  static const std::vector<std::string> words = [] {
    std::mt19937 seeded(1);
    return vocabulary(seeded);
  }();
  std::string out;
  out.reserve(size + 64);
  while (out.size() < size) {
    int count = 4 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i) {
      // Zipf-like: small indexes are far more frequent.
      double u = std::uniform_real_distribution<double>(0.0, 1.0)(random);
      size_t index = static_cast<size_t>(std::pow(static_cast<double>(words.size()), u)) - 1;
      out += words[index];
      out += random() % 9 == 0 ? ", " : " ";
    }
    if (random() % 5 == 0) out += std::to_string(random() % 100000);
    out += random() % 3 == 0 ? ".\r\n" : ". ";
  }
  out.resize(size);
  return out;
}

// Program-like bytes: opcodes, small numbers, tables and some noise.
std::string binary(std::mt19937& random, size_t size) {
  std::string out;
  out.reserve(size + 64);
  const unsigned char opcodes[] = {0x55, 0x8B, 0xEC, 0x83, 0xC4, 0xE8, 0x50, 0x51, 0x5D, 0xC3,
                                   0x89, 0x45, 0xFC, 0x74, 0x75, 0xEB, 0x6A, 0x00, 0xFF, 0x15};
  while (out.size() < size) {
    switch (random() % 4) {
      case 0:
        for (int i = 0; i < 32; ++i) out += static_cast<char>(opcodes[random() % sizeof opcodes]);
        break;
      case 1:
        for (int i = 0; i < 16; ++i)
          out.append("\0\0\0", static_cast<size_t>(random() % 4)),
              out += static_cast<char>(random() % 64);
        break;
      case 2:
        for (int i = 0; i < 24; ++i) out += static_cast<char>(random());
        break;
      default:
        out += "GetProcAddress\0LoadLibraryA\0";
    }
  }
  out.resize(size);
  return out;
}

std::string noise(std::mt19937& random, size_t size) {
  std::string out(size, '\0');
  for (size_t i = 0; i + 4 <= size; i += 4) {
    uint32_t v = static_cast<uint32_t>(random());
    std::memcpy(&out[i], &v, 4);
  }
  return out;
}

void write(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Documents 40%, programs 30%, pictures and archives 25%, two large mail
// folders 5% of the size, spread over a profile-like tree.
void makeCorpus(const fs::path& root, uint64_t megabytes) {
  std::mt19937 random(20041215);
  uint64_t total = megabytes << 20;
  const char* folders[] = {
      "WINDOWS\\Desktop",       "WINDOWS\\Start Menu\\Programs",   "My Documents",
      "My Documents\\Projects", "WINDOWS\\Application Data\\Mail", "Program Files\\Tools",
      "WINDOWS\\Favorites",     "My Documents\\My Pictures"};
  uint64_t written = 0;
  int n = 0;
  auto place = [&](const std::string& ext, const std::string& bytes) {
    std::string folder = folders[random() % (sizeof folders / sizeof *folders)];
    for (char& c : folder)
      if (c == '\\') c = '/';
    write(root / folder / ("file" + std::to_string(n++) + ext), bytes);
    written += bytes.size();
  };
  for (int i = 0; i < 2; ++i) {
    std::string mail = text(random, static_cast<size_t>(total / 40));
    for (size_t at = 0; at + 4096 < mail.size(); at += 65536)
      mail.replace(at, 4096, noise(random, 4096));
    place(".mbx", mail);
  }
  while (written < total) {
    uint64_t kind = random() % 100;
    size_t size = 1024 + random() % (random() % 4 == 0 ? 3u << 20 : 200u << 10);
    if (kind < 40)
      place(".doc", text(random, size));
    else if (kind < 70)
      place(".exe", binary(random, size));
    else
      place(".jpg", noise(random, size));
  }
}

// A minimal Windows XP machine: drive C (empty, the extraction target) and
// drive D, the folder holding the archive.
std::unique_ptr<platform::Machine> benchMachine(const fs::path& folder, const fs::path& zipFolder) {
  if (!fs::exists(folder / "machine.ini")) {
    platform::MachineConfig config;
    config.version = platform::WindowsVersion::WinXp;
    config.windowsDirectory = "C:\\WINDOWS";
    config.systemDirectory = "C:\\WINDOWS\\system32";
    config.programDirectory = "C:\\Program Files\\Corvasta";
    for (auto [letter, host] : {std::pair{'C', folder / "drives" / "C"}, {'D', zipFolder}}) {
      platform::DriveConfig drive;
      drive.letter = letter;
      drive.folder = host;
      drive.serial = 0x12340000u + static_cast<unsigned char>(letter);
      fs::create_directories(host);
      config.drives.push_back(drive);
    }
    std::ofstream(folder / "machine.ini") << platform::formatMachineConfig(config, folder);
  }
  return platform::Machine::open(folder);
}

int extractOnMachine(const fs::path& zip, const fs::path& folder, const std::string& password) {
  std::unique_ptr<platform::Machine> machine = benchMachine(folder, zip.parent_path());
  platform::FileSystem files(*machine);
  archive::MachineZipFileSystem zipFiles(files);
  archive::TZipReader reader(zipFiles);
  reader.SetZipName("D:\\" + zip.filename().string());
  reader.DestDir = "C:\\";
  reader.Password = password;
  return reader.Extract();
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "corpus" && argc == 4) {
      makeCorpus(argv[2], std::strtoull(argv[3], nullptr, 10));
      return 0;
    }
    if (command == "create" && argc >= 5) {
      fs::path corpus = fs::absolute(argv[2]), zip = fs::absolute(argv[3]);
      archive_test::HostFileSystem machine;
      machine.addFixedDrive('C', corpus);
      machine.addFixedDrive('D', zip.parent_path());
      archive::TZipWriter writer(machine);
      writer.SetZipName("D:\\" + zip.filename().string());
      writer.MultiVolumeInfo.MultiMode = archive::mmNone;
      writer.PackLevel = std::atoi(argv[4]);
      writer.Password = argc > 5 ? argv[5] : "";
      writer.FilesList = {">C:\\*.*"};
      std::printf("%d files\n", writer.CreateArchive());
      return 0;
    }
    if (command == "extract-machine" && argc >= 4) {
      fs::path zip = fs::absolute(argv[2]);
      std::printf("%d files\n",
                  extractOnMachine(zip, fs::absolute(argv[3]), argc > 4 ? argv[4] : ""));
      return 0;
    }
    if ((command == "extract" && argc >= 4) || (command == "test" && argc >= 3)) {
      fs::path zip = fs::absolute(argv[2]);
      archive_test::HostFileSystem machine;
      machine.addFixedDrive('D', zip.parent_path());
      archive::TZipReader reader(machine);
      reader.SetZipName("D:\\" + zip.filename().string());
      if (command == "test") {
        reader.Password = argc > 3 ? argv[3] : "";
        bool ok = reader.TestArchive();
        std::printf("%s\n", ok ? "test passed" : "test FAILED");
        return ok ? 0 : 1;
      }
      fs::create_directories(argv[3]);
      machine.addFixedDrive('E', fs::absolute(argv[3]));
      reader.DestDir = "E:\\";
      reader.Password = argc > 4 ? argv[4] : "";
      std::printf("%d files\n", reader.Extract());
      return 0;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zip_bench: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: zip_bench corpus|create|extract|extract-machine|test ...\n");
  return 2;
}
