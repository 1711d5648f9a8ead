// The backup's side of bench/backup/backup_bench.sh: makes a sample Windows XP
// machine whose profile holds generated files, and backs up every profile
// folder of it as the backup run does, so the script can time it beside
// Info-ZIP on the same folders.
//
//   backup_bench machine DIR MEGABYTES   the machine, always the same bytes
//   backup_bench backup DIR LEVEL LIST   the profile archives into C:\BENCHSET\;
//                                        LIST gets the host folders archived
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "backup/model/WinFiles.h"
#include "tests/support/program_rig.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kSetDir = "C:\\BENCHSET\\";

// A small generator with a fixed sequence, so every run sees the same bytes.
class Generator {
 public:
  uint64_t next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  // Letters and documents: sentences from a short word list.
  std::string prose(size_t size) {
    static const char* const words[] = {
        "the",     "garden",  "invoice", "meeting", "holiday", "budget", "printer", "report",
        "weekend", "letter",  "project", "minutes", "street",  "party",  "family",  "recipe",
        "account", "renewal", "school",  "window",  "kitchen", "summer", "council", "payment"};
    std::string out;
    while (out.size() < size) {
      out += words[next() % 24];
      out += next() % 11 == 0 ? ".\r\n" : " ";
      if (next() % 17 == 0) out += std::to_string(next() % 5000) + " ";
    }
    out.resize(size);
    return out;
  }
  // Pictures and compressed downloads: bytes that do not compress.
  std::string random(size_t size) {
    std::string out(size, '\0');
    for (char& c : out) c = static_cast<char>(next() >> 56);
    return out;
  }
  // Mail folders and address books: records with repeated structure.
  std::string records(size_t size) {
    std::string out;
    while (out.size() < size) {
      out += "From: person" + std::to_string(next() % 300) + "@example.org\r\nSubject: ";
      out += prose(40) + "\r\n\r\n" + prose(200 + next() % 600) + "\r\n";
      out += random(next() % 64);
    }
    out.resize(size);
    return out;
  }

 private:
  uint64_t state_ = 0x9E3779B97F4A7C15ULL;
};

// The bench machine in `dir` as the program finds it, with C:\BENCHTMP\ as
// its temporary directory.
testing_support::MachineBuilder benchMachine(const fs::path& dir) {
  return testing_support::MachineBuilder::existing(dir)
      .setting("DefaultDirectories", "Temp", "C:\\BENCHTMP\\")
      .folder("C:\\BENCHTMP");
}

// Half text, a third incompressible, the rest mail-like records, spread over
// the profile folders the backup takes.
void makeMachine(const fs::path& dir, uint64_t megabytes) {
  testing_support::MachineBuilder::sample(platform::WindowsVersion::WinXp).build(dir);
  testing_support::TestProgram program{benchMachine(dir)};
  const std::string profile = program.form->core.loc.userDir;
  const std::string folders[] = {profile + "Desktop\\",
                                 profile + "Favorites\\Links\\",
                                 profile + "Application Data\\Mail\\",
                                 profile + "Start Menu\\Programs\\Tools\\",
                                 profile + "Recent\\",
                                 "C:\\Documents and Settings\\All Users\\Desktop\\"};
  Generator generator;
  const uint64_t total = megabytes << 20;
  uint64_t written = 0;
  for (int n = 0; written < total; ++n) {
    const uint64_t kind = generator.next() % 6;
    const size_t size =
        2048 + generator.next() % (generator.next() % 5 == 0 ? 4u << 20 : 256u << 10);
    std::string bytes;
    std::string extension;
    if (kind < 3) {
      bytes = generator.prose(size);
      extension = ".txt";
    } else if (kind < 5) {
      bytes = generator.random(size);
      extension = ".jpg";
    } else {
      bytes = generator.records(size);
      extension = ".dbx";
    }
    const std::string& folder = folders[generator.next() % std::size(folders)];
    program.writeOnHost(folder + "item" + std::to_string(n) + extension, bytes);
    written += bytes.size();
  }
}

int backUp(const fs::path& dir, int level, const fs::path& list) {
  testing_support::TestProgram program{benchMachine(dir).backupSet(kSetDir).packLevel(level)};
  corvasta::TForm1& form = *program.form;
  std::set<std::string> hostFolders;
  for (const corvasta::WinFilesItem& item : corvasta::winFilesItems(6)) {
    if (item.kind != corvasta::WinFilesKind::ProfileFolder) continue;
    form.backup.items.ZipDir(kSetDir + item.archive, kShellFolders, 1, true,
                             platform::HKEY_CURRENT_USER, item.fallback, item.shellFolder);
    for (const std::string& entry : form.core.Zip1.FilesList)
      hostFolders.insert(program.machine->resolve(entry.substr(0, entry.size() - 3)).host.string());
  }
  uint64_t bytes = 0;
  for (const platform::FindData& found : program.files->findAll(std::string(kSetDir) + "*.zip"))
    bytes += found.size;
  std::ofstream out(list);
  for (const std::string& folder : hostFolders) out << folder << '\n';
  std::printf("%llu files, %llu archive bytes\n",
              static_cast<unsigned long long>(form.core.FilesBackedUp),
              static_cast<unsigned long long>(bytes));
  return form.core.ErrorFlag ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "machine" && argc == 4) {
      makeMachine(argv[2], std::strtoull(argv[3], nullptr, 10));
      return 0;
    }
    if (command == "backup" && argc == 5) return backUp(argv[2], std::atoi(argv[3]), argv[4]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "backup_bench: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr, "usage: backup_bench machine DIR MEGABYTES | backup DIR LEVEL LIST\n");
  return 2;
}
