#include "platform/core/machine_config.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "platform/core/ini_document.h"

namespace platform {
namespace {

constexpr std::pair<DriveType, const char*> kDriveTypes[] = {
    {DriveType::Fixed, "fixed"},
    {DriveType::Removable, "removable"},
    {DriveType::CdRom, "cdrom"},
    {DriveType::RamDisk, "ramdisk"},
};

class Parser {
 public:
  Parser(std::string_view text, std::filesystem::path base, std::string fileName)
      : doc_(IniDocument::parse(text)), base_(std::move(base)), file_(std::move(fileName)) {}

  MachineConfig run() {
    rejectStrayLines();
    MachineConfig config;
    if (!doc_.hasSection("Machine")) fail(0, "missing section [Machine]");
    readMachine(config);
    for (const std::string& section : doc_.sections()) {
      if (ansiEqualNoCase(section.substr(0, 6), "Drive ")) {
        config.drives.push_back(readDrive(section));
      } else if (!isKnownSection(section)) {
        fail(doc_.lineOf(section), "unknown section [" + section + "]");
      }
    }
    if (config.drives.empty()) fail(0, "no drive: a machine needs at least one [Drive X] section");
    std::sort(config.drives.begin(), config.drives.end(),
              [](const DriveConfig& a, const DriveConfig& b) { return a.letter < b.letter; });
    for (size_t i = 1; i < config.drives.size(); ++i)
      if (config.drives[i].letter == config.drives[i - 1].letter)
        fail(config.drives[i].line,
             std::string("drive ") + config.drives[i].letter + ": is described twice");
    checkDirectoryDrive(config, "WindowsDirectory", config.windowsDirectory);
    checkDirectoryDrive(config, "SystemDirectory", config.systemDirectory);
    checkDirectoryDrive(config, "ProgramDirectory", config.programDirectory);
    for (const std::string& key : doc_.keys("Environment"))
      config.environment[utf8ToAnsi(key)] = utf8ToAnsi(*doc_.get("Environment", key));
    for (const std::string& key : doc_.keys("OpenFiles"))
      config.openFiles.push_back(utf8ToAnsi(*doc_.get("OpenFiles", key)));
    for (const std::string& key : doc_.keys("Programs"))
      config.programs[utf8ToAnsi(key)] = readProgram(key);
    rejectUnknownKeys("Faults", {"CrashAfterWrites"});
    if (auto value = doc_.get("Faults", "CrashAfterWrites"))
      config.crashAfterWrites = number("Faults", "CrashAfterWrites", *value);
    return config;
  }

 private:
  [[noreturn]] void fail(int line, const std::string& what) const {
    throw MachineConfigError(file_, line, what);
  }

  static bool isKnownSection(const std::string& name) {
    for (const char* known : {"Machine", "Environment", "OpenFiles", "Programs", "Faults"})
      if (ansiEqualNoCase(name, known)) return true;
    return false;
  }

  void rejectStrayLines() const {
    bool inSection = false;
    std::vector<std::string> seen;
    for (const auto& line : doc_.lines()) {
      using Kind = IniDocument::Line::Kind;
      if (line.kind == Kind::Section) {
        if (line.text.find(']') == std::string::npos) fail(line.number, "section line without ']'");
        // A second section of the same name would be ignored: say so instead.
        for (const auto& name : seen)
          if (ansiEqualNoCase(name, line.name))
            fail(line.number, "section [" + line.name + "] appears twice (first at line " +
                                  std::to_string(doc_.lineOf(line.name)) + ")");
        seen.push_back(line.name);
        inSection = true;
      } else if (line.kind == Kind::Other) {
        fail(line.number,
             "expected 'key=value', '[section]' or a ';' comment, found '" + line.text + "'");
      } else if (line.kind == Kind::Key && !inSection) {
        fail(line.number, "key '" + line.name + "' before any section");
      } else if (line.kind == Kind::Key && line.name.empty()) {
        fail(line.number, "a line starting with '=' has no key name");
      }
    }
  }

  void rejectUnknownKeys(std::string_view section, std::initializer_list<const char*> known,
                         const std::vector<const char*>& more = {}) const {
    for (const std::string& key : doc_.keys(section)) {
      bool ok = false;
      for (const char* k : known) ok = ok || ansiEqualNoCase(key, k);
      for (const char* k : more) ok = ok || ansiEqualNoCase(key, k);
      if (!ok)
        fail(doc_.lineOf(section, key),
             "unknown key '" + key + "' in [" + std::string(section) + "]");
    }
  }

  std::string text(std::string_view section, std::string_view key, std::string fallback) const {
    auto value = doc_.get(section, key);
    return value ? utf8ToAnsi(*value) : fallback;
  }

  bool flag(std::string_view section, std::string_view key, bool fallback) const {
    auto value = doc_.get(section, key);
    if (!value) return fallback;
    if (*value == "1" || ansiEqualNoCase(*value, "yes") || ansiEqualNoCase(*value, "true"))
      return true;
    if (*value == "0" || ansiEqualNoCase(*value, "no") || ansiEqualNoCase(*value, "false"))
      return false;
    fail(doc_.lineOf(section, key), std::string(key) + " must be 0 or 1, found '" + *value + "'");
  }

  uint64_t number(std::string_view section, std::string_view key, std::string_view value) const {
    uint64_t result = 0;
    int base = 10;
    std::string_view digits = value;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
      base = 16;
      digits.remove_prefix(2);
    }
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result, base);
    if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size())
      fail(doc_.lineOf(section, key),
           std::string(key) + " must be a number, found '" + std::string(value) + "'");
    return result;
  }

  static std::string withoutFinalBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
  }

  void readMachine(MachineConfig& config) const {
    rejectUnknownKeys(
        "Machine", {"Windows", "State", "WindowsDirectory", "SystemDirectory", "ProgramDirectory",
                    "UserName", "ComputerName", "SafeMode", "ShortDate", "LongTime",
                    "DateSeparator", "TimeSeparator", "TimeZone", "Privileges"});
    auto version = doc_.get("Machine", "Windows");
    if (!version)
      fail(doc_.lineOf("Machine"), "[Machine] needs Windows= (95, 98, me, nt4, 2000 or xp)");
    auto parsed = parseWindowsVersion(*version);
    if (!parsed)
      fail(doc_.lineOf("Machine", "Windows"),
           "unknown Windows version '" + *version + "' (expected 95, 98, me, nt4, 2000 or xp)");
    config.version = *parsed;
    std::string state = text("Machine", "State", "running");
    if (ansiEqualNoCase(state, "running"))
      config.running = true;
    else if (ansiEqualNoCase(state, "offline"))
      config.running = false;
    else
      fail(doc_.lineOf("Machine", "State"),
           "State must be running or offline, found '" + state + "'");

    bool nt = isNt(config.version);
    std::string defaultWindows =
        nt ? (config.version == WindowsVersion::WinXp ? "C:\\WINDOWS" : "C:\\WINNT")
           : "C:\\WINDOWS";
    config.windowsDirectory =
        withoutFinalBackslash(text("Machine", "WindowsDirectory", defaultWindows));
    config.systemDirectory = withoutFinalBackslash(text(
        "Machine", "SystemDirectory", config.windowsDirectory + (nt ? "\\system32" : "\\SYSTEM")));
    config.programDirectory =
        withoutFinalBackslash(text("Machine", "ProgramDirectory", "C:\\Program Files\\Corvasta"));
    config.userName = text("Machine", "UserName", "User");
    config.computerName = text("Machine", "ComputerName", "CORVASTA");
    config.safeMode = flag("Machine", "SafeMode", false);
    config.shortDate = text("Machine", "ShortDate", config.shortDate);
    config.longTime = text("Machine", "LongTime", config.longTime);
    config.dateSeparator = text("Machine", "DateSeparator", config.dateSeparator);
    config.timeSeparator = text("Machine", "TimeSeparator", config.timeSeparator);
    if (auto zone = doc_.get("Machine", "TimeZone"); zone && !zone->empty()) {
      auto parsedZone = TimeZone::parse(*zone);
      if (!parsedZone)
        fail(doc_.lineOf("Machine", "TimeZone"),
             "TimeZone must be UTC, UTC+hh:mm or UTC-hh:mm (UTC-12:00 to UTC+14:00), found '" +
                 *zone + "'");
      config.timeZone = *parsedZone;
    }
    std::istringstream privileges(
        text("Machine", "Privileges", "SeBackupPrivilege SeRestorePrivilege SeShutdownPrivilege"));
    for (std::string name; privileges >> name;) config.privileges.push_back(name);
  }

  DriveConfig readDrive(const std::string& section) const {
    int line = doc_.lineOf(section);
    std::string_view letter = trimBlanks(std::string_view(section).substr(6));
    if (letter.size() == 2 && letter[1] == ':') letter.remove_suffix(1);
    if (letter.size() != 1 || !std::isalpha(static_cast<unsigned char>(letter[0])))
      fail(line, "drive section must be named [Drive X] with one letter, found [" + section + "]");
    rejectUnknownKeys(section,
                      {"Type", "Folder", "Label", "Serial", "FileSystem", "Capacity", "ClusterSize",
                       "Media", "Inserted"},
                      cdromConfigKeys());
    DriveConfig drive;
    drive.line = line;
    drive.letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter[0])));
    std::string type = text(section, "Type", "fixed");
    auto parsedType = parseDriveType(type);
    if (!parsedType)
      fail(doc_.lineOf(section, "Type"),
           "unknown drive type '" + type + "' (expected fixed, removable, cdrom or ramdisk)");
    drive.type = *parsedType;
    auto folder = doc_.get(section, "Folder");
    if (!folder || folder->empty())
      fail(line, "[" + section + "] needs Folder= (the host folder of the drive)");
    std::filesystem::path host(*folder);
    drive.folder = (host.is_absolute() ? host : base_ / host).lexically_normal();
    drive.label = text(section, "Label", "");
    if (drive.label.size() > 32)
      fail(doc_.lineOf(section, "Label"), "Label is longer than 32 characters");
    drive.fileSystem =
        text(section, "FileSystem", drive.type == DriveType::CdRom ? "CDFS" : "FAT32");
    if (auto serial = doc_.get(section, "Serial")) drive.serial = parseSerial(section, *serial);
    if (auto capacity = doc_.get(section, "Capacity")) {
      drive.capacity = number(section, "Capacity", *capacity);
      if (*drive.capacity == 0)
        fail(doc_.lineOf(section, "Capacity"), "Capacity must be more than 0");
    }
    uint64_t defaultCluster = drive.capacity && *drive.capacity <= 2949120 ? 512 : 4096;
    auto cluster = doc_.get(section, "ClusterSize");
    uint64_t clusterSize = cluster ? number(section, "ClusterSize", *cluster) : defaultCluster;
    if (clusterSize == 0 || clusterSize > 65536 || (clusterSize & (clusterSize - 1)) != 0)
      fail(doc_.lineOf(section, "ClusterSize"), "ClusterSize must be a power of two up to 65536");
    drive.clusterSize = static_cast<uint32_t>(clusterSize);
    if (auto media = doc_.get(section, "Media")) {
      if (drive.type != DriveType::Removable && drive.type != DriveType::CdRom)
        fail(doc_.lineOf(section, "Media"), "only removable and cdrom drives hold media");
      std::string list = *media;
      size_t pos = 0;
      while (pos <= list.size()) {
        size_t comma = list.find(',', pos);
        std::string name(trimBlanks(std::string_view(list).substr(
            pos, comma == std::string::npos ? std::string::npos : comma - pos)));
        if (!name.empty()) {
          if (name.find('/') != std::string::npos || name == "." || name == "..")
            fail(doc_.lineOf(section, "Media"),
                 "medium name '" + name + "' must be a plain folder name");
          drive.media.push_back(name);
        }
        if (comma == std::string::npos) break;
        pos = comma + 1;
      }
      drive.inserted = drive.media.empty() ? "" : drive.media.front();
    }
    if (auto inserted = doc_.get(section, "Inserted")) {
      bool known = inserted->empty();
      for (const auto& m : drive.media) known = known || m == *inserted;
      if (!known)
        fail(doc_.lineOf(section, "Inserted"),
             "Inserted names '" + *inserted + "', which is not in Media");
      drive.inserted = *inserted;
    }
    drive.cdrom = readCdromConfig(doc_, section, drive.type == DriveType::CdRom, file_);
    return drive;
  }

  uint32_t parseSerial(const std::string& section, const std::string& value) const {
    // Either "1A2B-3C4D" as Windows shows it, or a number.
    if (value.size() == 9 && value[4] == '-') {
      std::string hex = value.substr(0, 4) + value.substr(5);
      uint64_t n = number(section, "Serial", "0x" + hex);
      return static_cast<uint32_t>(n);
    }
    uint64_t n = number(section, "Serial", value);
    if (n > 0xFFFFFFFFull) fail(doc_.lineOf(section, "Serial"), "Serial does not fit in 32 bits");
    return static_cast<uint32_t>(n);
  }

  void checkDirectoryDrive(const MachineConfig& config, const char* key,
                           const std::string& dir) const {
    if (dir.size() < 3 || dir[1] != ':' || dir[2] != '\\')
      fail(doc_.lineOf("Machine", key),
           std::string(key) + " must be a full path such as C:\\WINDOWS");
    if (!config.drive(dir[0]))
      fail(doc_.lineOf("Machine", key), std::string(key) + " is on drive " + dir.substr(0, 2) +
                                            ", which the machine does not have");
  }

  static std::vector<std::string> blankSeparated(const std::string& text) {
    std::vector<std::string> words;
    for (size_t start = 0; start < text.size();) {
      size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      if (end > start) words.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    return words;
  }

  // "fail=NAME" or "fail=NAME:OPERAND", for a fault the simulator knows.
  ToolFault readFault(const std::string& key, const std::string& simulator,
                      const std::string& word) const {
    struct Known {
      const char* simulator;
      const char* fault;
      bool operand;
    };
    static constexpr Known kKnown[] = {
        {"regedit", "create", true}, {"regedit", "export", false}, {"scanreg", "fix", false}};
    const int line = doc_.lineOf("Programs", key);
    if (ansiLower(word.substr(0, 5)) != "fail=")
      fail(line, "a simulator takes only faults after its name (fail=NAME), found '" + word + "'");
    std::string spec = word.substr(5);
    size_t colon = spec.find(':');
    ToolFault fault{ansiLower(spec.substr(0, colon)),
                    colon == std::string::npos ? "" : spec.substr(colon + 1)};
    std::string known;
    for (const Known& entry : kKnown) {
      if (!ansiEqualNoCase(simulator, entry.simulator)) continue;
      if (fault.name == entry.fault) {
        if (entry.operand == fault.operand.empty())
          fail(line, std::string("the fault '") + entry.fault + "' of the simulator " + simulator +
                         (entry.operand ? " needs a file name (fail=create:USER.DAT)"
                                        : " takes no operand"));
        return fault;
      }
      known += std::string(known.empty() ? "" : ", ") + entry.fault;
    }
    fail(line, "the simulator " + simulator + " has no fault '" + fault.name + "'" +
                   (known.empty() ? std::string(" (it knows none)") : " (it knows " + known + ")"));
  }

  ProgramAction readProgram(const std::string& key) const {
    std::string value = *doc_.get("Programs", key);
    ProgramAction action;
    size_t space = value.find(' ');
    std::string verb = value.substr(0, space);
    std::string rest =
        space == std::string::npos ? "" : std::string(trimBlanks(value.substr(space + 1)));
    if (ansiEqualNoCase(verb, "simulator") && !rest.empty()) {
      action.kind = ProgramAction::Kind::Simulator;
      std::vector<std::string> words = blankSeparated(rest);
      action.argument = words.front();
      for (size_t i = 1; i < words.size(); ++i)
        action.faults.push_back(readFault(key, action.argument, words[i]));
    } else if (ansiEqualNoCase(verb, "host") && !rest.empty()) {
      action.kind = ProgramAction::Kind::HostCommand;
      action.argument = rest;
    } else if (ansiEqualNoCase(verb, "exit")) {
      action.kind = ProgramAction::Kind::Exit;
      action.exitCode = static_cast<uint32_t>(rest.empty() ? 0 : number("Programs", key, rest));
    } else {
      fail(doc_.lineOf("Programs", key),
           "program action must be 'simulator NAME', 'host COMMAND' or 'exit CODE', found '" +
               value + "'");
    }
    return action;
  }

  IniDocument doc_;
  std::filesystem::path base_;
  std::string file_;
};

}  // namespace

std::string driveTypeKey(DriveType type) {
  for (const auto& [t, key] : kDriveTypes)
    if (t == type) return key;
  return "unknown";
}

std::optional<DriveType> parseDriveType(std::string_view text) {
  for (const auto& [type, key] : kDriveTypes)
    if (ansiEqualNoCase(text, key)) return type;
  return std::nullopt;
}

const DriveConfig* MachineConfig::drive(char letter) const {
  char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  for (const auto& d : drives)
    if (d.letter == upper) return &d;
  return nullptr;
}

MachineConfigError::MachineConfigError(const std::string& file, int line, const std::string& what)
    : corvasta::Error(line > 0 ? file + " line " + std::to_string(line) + ": " + what
                               : file + ": " + what),
      line_(line) {}

MachineConfig parseMachineConfig(std::string_view text, const std::filesystem::path& base,
                                 const std::string& fileName) {
  return Parser(text, base, fileName).run();
}

std::string formatMachineConfig(const MachineConfig& config, const std::filesystem::path& base) {
  std::ostringstream out;
  auto utf8 = [](const std::string& ansi) { return ansiToUtf8(ansi); };
  out << "; A Windows machine in host folders, for Corvasta. See docs/design.md.\n"
      << "[Machine]\n"
      << "Windows=" << windowsVersionKey(config.version) << "\n"
      << "State=" << (config.running ? "running" : "offline") << "\n"
      << "WindowsDirectory=" << utf8(config.windowsDirectory) << "\n"
      << "SystemDirectory=" << utf8(config.systemDirectory) << "\n"
      << "ProgramDirectory=" << utf8(config.programDirectory) << "\n"
      << "UserName=" << utf8(config.userName) << "\n"
      << "ComputerName=" << utf8(config.computerName) << "\n"
      << "SafeMode=" << (config.safeMode ? 1 : 0) << "\n"
      << "ShortDate=" << utf8(config.shortDate) << "\n"
      << "LongTime=" << utf8(config.longTime) << "\n"
      << "DateSeparator=" << utf8(config.dateSeparator) << "\n"
      << "TimeSeparator=" << utf8(config.timeSeparator) << "\n";
  if (!config.timeZone.isHost()) out << "TimeZone=" << config.timeZone.text() << "\n";
  out << "Privileges=";
  for (size_t i = 0; i < config.privileges.size(); ++i)
    out << (i ? " " : "") << config.privileges[i];
  out << "\n";
  for (const auto& drive : config.drives) {
    std::filesystem::path folder = drive.folder;
    auto relative = folder.lexically_relative(base);
    if (!relative.empty() && *relative.begin() != "..") folder = relative;
    char serial[16];
    std::snprintf(serial, sizeof serial, "%04X-%04X", drive.serial >> 16, drive.serial & 0xFFFF);
    out << "\n[Drive " << drive.letter << "]\n"
        << "Type=" << driveTypeKey(drive.type) << "\n"
        << "Folder=" << folder.generic_string() << "\n"
        << "Label=" << utf8(drive.label) << "\n"
        << "Serial=" << serial << "\n"
        << "FileSystem=" << drive.fileSystem << "\n";
    if (drive.capacity) out << "Capacity=" << *drive.capacity << "\n";
    out << "ClusterSize=" << drive.clusterSize << "\n";
    if (!drive.media.empty()) {
      out << "Media=";
      for (size_t i = 0; i < drive.media.size(); ++i) out << (i ? "," : "") << drive.media[i];
      out << "\nInserted=" << drive.inserted << "\n";
    }
    out << formatCdromConfig(drive.cdrom);
  }
  if (!config.environment.empty()) {
    out << "\n[Environment]\n";
    for (const auto& [name, value] : config.environment)
      out << utf8(name) << "=" << utf8(value) << "\n";
  }
  if (!config.openFiles.empty()) {
    out << "\n[OpenFiles]\n";
    for (size_t i = 0; i < config.openFiles.size(); ++i)
      out << "File" << (i + 1) << "=" << utf8(config.openFiles[i]) << "\n";
  }
  if (!config.programs.empty()) {
    out << "\n[Programs]\n";
    for (const auto& [name, action] : config.programs) {
      out << utf8(name) << "=";
      switch (action.kind) {
        case ProgramAction::Kind::Simulator:
          out << "simulator " << action.argument;
          for (const ToolFault& fault : action.faults)
            out << " fail=" << fault.name << (fault.operand.empty() ? "" : ":" + fault.operand);
          break;
        case ProgramAction::Kind::HostCommand:
          out << "host " << action.argument;
          break;
        case ProgramAction::Kind::Exit:
          out << "exit " << action.exitCode;
          break;
      }
      out << "\n";
    }
  }
  if (config.crashAfterWrites != 0)
    out << "\n[Faults]\nCrashAfterWrites=" << config.crashAfterWrites << "\n";
  return out.str();
}

const ToolFault* ProgramAction::fault(std::string_view name) const {
  for (const ToolFault& entry : faults)
    if (ansiEqualNoCase(entry.name, name)) return &entry;
  return nullptr;
}

}  // namespace platform
