// The program's side of bench/backup/backup_bench.sh and
// bench/backup/restore_bench.sh: makes a sample machine whose profile holds
// generated files, backs it up and restores it as the program does, so the
// scripts can time it beside Info-ZIP on the same files.
//
//   backup_bench machine DIR MEGABYTES [xp|me]
//                                        the machine, always the same bytes: xp
//                                        (the default) larger files in the
//                                        profile; me ~20,000 files a 300 MB,
//                                        and a tenth more in C:\Data
//   backup_bench backup DIR LEVEL LIST   the profile archives into C:\BENCHSET\;
//                                        LIST gets the host folders archived
//   backup_bench backup-config1 DIR      (me) config 1 backed up with the Backup
//                                        button: User Profile and Other Files,
//                                        compressed; prints the set folder and
//                                        its host folder
//   backup_bench damage DIR LIST         (me) every 7th generated file deleted,
//                                        every 11th overwritten; LIST gets the
//                                        host folders config 1 takes
//   backup_bench restore DIR SET         (me) the set restored as the Restore
//                                        button does, WinCrash unchecked
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "backup/model/BackupTypes.h"
#include "backup/model/WinFiles.h"
#include "tests/support/backup_config_settings.h"
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

// What a machine's generated files look like.
struct Corpus {
  platform::WindowsVersion version;
  size_t (*nextSize)(Generator&);
  // Folders of 250 files each below every profile folder; none writes them
  // straight into it.
  bool subfolders;
};

// Windows XP: files of 2 KB to 256 KB, one in five up to 4 MB.
size_t xpSize(Generator& generator) {
  return 2048 + generator.next() % (generator.next() % 5 == 0 ? 4u << 20 : 256u << 10);
}

// Windows ME: mostly small files (about 15 KB on average), one in 200 up to
// 4 MB.
size_t meSize(Generator& generator) {
  return 256 + generator.next() % (generator.next() % 200 == 0 ? 4u << 20 : 10u << 10);
}

const Corpus kXpCorpus{platform::WindowsVersion::WinXp, xpSize, false};
const Corpus kMeCorpus{platform::WindowsVersion::WinMe, meSize, true};

// The Other Files entry of the ME machine and config 1's profile items
// (Application Data, Desktop, Favorites, Recent, Start Menu).
constexpr const char* kDataFolder = "C:\\Data\\";
const std::vector<size_t> kMeProfileItems{10, 11, 12, 14, 15};

// Half text, a third incompressible, the rest mail-like records, spread over
// `folders` until `total` bytes are written.
uint64_t writeFiles(testing_support::ProgramRig& program, Generator& generator,
                    const Corpus& corpus, const std::vector<std::string>& folders, uint64_t total) {
  uint64_t written = 0;
  uint64_t n = 0;
  for (; written < total; ++n) {
    const uint64_t kind = generator.next() % 6;
    const size_t size = corpus.nextSize(generator);
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
    std::string folder = folders[generator.next() % folders.size()];
    if (corpus.subfolders) folder += "Part" + std::to_string(n / 250) + "\\";
    program.writeOnHost(folder + "item" + std::to_string(n) + extension, bytes);
    written += bytes.size();
  }
  return n;
}

void makeMachine(const fs::path& dir, uint64_t megabytes, const Corpus& corpus) {
  testing_support::MachineBuilder::sample(corpus.version).build(dir);
  testing_support::TestProgram program{benchMachine(dir)};
  const std::string profile = program.form->core.loc.userDir;
  std::vector<std::string> folders = {
      profile + "Desktop\\", profile + "Favorites\\Links\\", profile + "Application Data\\Mail\\",
      profile + "Start Menu\\Programs\\Tools\\", profile + "Recent\\"};
  if (corpus.version == platform::WindowsVersion::WinXp)
    folders.push_back("C:\\Documents and Settings\\All Users\\Desktop\\");
  Generator generator;
  const uint64_t profileFiles = writeFiles(program, generator, corpus, folders, megabytes << 20);
  if (corpus.version == platform::WindowsVersion::WinXp) return;
  const uint64_t dataFiles =
      writeFiles(program, generator, corpus, {kDataFolder}, (megabytes << 20) / 10);
  std::printf("%llu profile files, %llu Other Files files\n",
              static_cast<unsigned long long>(profileFiles),
              static_cast<unsigned long long>(dataFiles));
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

// Config 1 of the ME machine backed up as the Backup button does it: the
// profile items and the Data entry, low compression, into C:\Backups\.
int backUpConfig1(const fs::path& dir) {
  testing_support::TestProgram program{benchMachine(dir)};
  program.addSettings(
      "[MultiFiles0]\r\nFileName=Data\r\nPath=C:\\Data\\\r\nFileType0=\">*.*\"\r\n"
      "SubDirectories=1\r\nCheck1=1\r\n");
  testing_support::writeConfig(program, 1, "C:\\Backups", 1, corvasta::kFullBackup,
                               kMeProfileItems);
  program.restartProgram();
  program.start();
  corvasta::TForm1& form = *program.form;
  form.core.configChecked = {true, false, false, false};
  program.ui.expect("Type Name of this Backup:", "Bench");
  program.ui.expect("Backup Finished", "OK");
  form.BitBtn1Click();
  if (!program.ui.finished() || form.core.ErrorFlag) {
    std::fprintf(stderr, "backup_bench: the backup did not finish cleanly\n");
    for (const std::string& line : form.core.ErrorList)
      std::fprintf(stderr, "  %s\n", line.c_str());
    return 1;
  }
  const std::string set = program.setting("Backup Directories", "1");
  uint64_t bytes = 0;
  for (const platform::FindData& found : program.files->findAll(set + "*.zip")) bytes += found.size;
  std::printf("%s\n%s\n%llu files, %llu archive bytes\n", set.c_str(),
              program.host(set).string().c_str(),
              static_cast<unsigned long long>(form.core.FilesBackedUp),
              static_cast<unsigned long long>(bytes));
  return 0;
}

// The host folders config 1 of the ME machine takes.
std::vector<fs::path> generatedFolders(const testing_support::ProgramRig& program) {
  std::vector<fs::path> folders{program.host(kDataFolder)};
  for (size_t item : kMeProfileItems)
    folders.push_back(
        program.host(program.form->core.loc.userDir + corvasta::winFilesItems(3)[item].fallback));
  return folders;
}

// Every 7th generated file (in name order) deleted, every 11th of the rest
// overwritten with a short text: the same files on every call. LIST gets the
// host folders config 1 takes.
int damage(const fs::path& dir, const fs::path& list) {
  testing_support::TestProgram program{benchMachine(dir)};
  std::vector<fs::path> files;
  std::ofstream out(list);
  for (const fs::path& folder : generatedFolders(program)) {
    out << folder.string() << '\n';
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  uint64_t deleted = 0;
  uint64_t overwritten = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    if (i % 7 == 0) {
      fs::remove(files[i]);
      ++deleted;
    } else if (i % 11 == 0) {
      std::ofstream(files[i], std::ios::binary | std::ios::trunc) << "damaged\r\n";
      ++overwritten;
    }
  }
  std::printf("%llu files deleted, %llu overwritten\n", static_cast<unsigned long long>(deleted),
              static_cast<unsigned long long>(overwritten));
  return 0;
}

// The set restored as the Restore button does with the program backups
// source, User Profile and Other Files checked, WinCrash unchecked: the set
// classified, then the run.
int restoreSet(const fs::path& dir, const std::string& set) {
  testing_support::TestProgram program{benchMachine(dir)};
  program.start();
  corvasta::TForm1& form = *program.form;
  form.restore.state.sourceKind = corvasta::SourceKind::ProgramBackup;
  form.restore.state.extentEnabled = {true, true, true, true};
  form.core.winCrash = form.core.winUsers = false;
  form.core.userFiles = form.core.otherFiles = true;
  program.ui.expect("files restored", "OK");
  const auto started = std::chrono::steady_clock::now();
  form.restore.sources.GetCompressType(set);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
  std::printf("%llu files restored, run %.2f s\n",
              static_cast<unsigned long long>(form.core.FilesBackedUp), took.count());
  if (!program.ui.finished() || form.core.ErrorFlag) {
    std::fprintf(stderr, "backup_bench: the restore did not finish cleanly\n");
    for (const std::string& line : form.core.ErrorList)
      std::fprintf(stderr, "  %s\n", line.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    const std::string version = argc > 4 ? argv[4] : "xp";
    if (command == "machine" && argc <= 5 && argc >= 4 && (version == "xp" || version == "me")) {
      makeMachine(argv[2], std::strtoull(argv[3], nullptr, 10),
                  version == "me" ? kMeCorpus : kXpCorpus);
      return 0;
    }
    if (command == "backup" && argc == 5) return backUp(argv[2], std::atoi(argv[3]), argv[4]);
    if (command == "backup-config1" && argc == 3) return backUpConfig1(argv[2]);
    if (command == "damage" && argc == 4) return damage(argv[2], argv[3]);
    if (command == "restore" && argc == 4) return restoreSet(argv[2], argv[3]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "backup_bench: %s\n", e.what());
    return 1;
  }
  std::fprintf(stderr,
               "usage: backup_bench machine DIR MEGABYTES [xp|me] | backup DIR LEVEL LIST |\n"
               "       backup-config1 DIR | damage DIR LIST | restore DIR SET\n");
  return 2;
}
