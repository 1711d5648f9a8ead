#include "backup/OpenFilesRules.h"

#include <array>

#include "platform/core/codepage.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

bool beginsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

bool nameIsOneOf(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* candidate : names)
    if (platform::ansiEqualNoCase(name, candidate)) return true;
  return false;
}

}  // namespace

std::string ExtractFileName(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ExtractFilePath(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsRegistryHiveFile(const std::string& path, const std::string& windowsDir) {
  if (nameIsOneOf(ExtractFileName(path),
                  {"UsrClass.dat", "UsrClass.dat.log", "ntuser.dat", "ntuser.dat.log"}))
    return true;
  const std::string config = windowsDir + "system32\\Config\\";
  for (const char* hive : {"system", "software", "sam", "default", "security"}) {
    const std::string file = config + hive;
    if (platform::ansiEqualNoCase(path, file) || platform::ansiEqualNoCase(path, file + ".log"))
      return true;
  }
  return false;
}

bool IsSwapFile(const std::string& path) {
  return nameIsOneOf(ExtractFileName(path), {"win386.swp", "hiberfil.sys", "pagefile.sys"});
}

std::string OpenFileTempPath(const std::string& programDir, int job, const std::string& inUse) {
  const std::string name = ExtractFileName(inUse);
  const size_t dot = name.find_last_of('.');
  const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
  return programDir + "Temp\\OpenFN" + std::to_string(job) + extension;
}

std::vector<std::string> OpenFileBatchLines(const std::vector<std::string>& existing,
                                            const std::string& attrib,
                                            const std::string& clearAttributesOf,
                                            const std::string& from, const std::string& to) {
  std::vector<std::string> lines;
  for (const std::string& line : existing)
    if (!beginsWith(line, "@echo ") && !beginsWith(line, "@del ")) lines.push_back(line);
  lines.push_back("@" + attrib + " -s -h -r " + clearAttributesOf);
  lines.push_back("@copy " + from + " " + to);
  lines.push_back("@echo Please disregard the following Batch file missing error.");
  lines.push_back("@del openfile.bat");
  return lines;
}

bool OpenFileJob::replaces() const {
  return platform::ansiEqualNoCase(source, temp);
}

std::string OpenFileSection(int job) {
  return "OpenFN" + std::to_string(job);
}

std::optional<OpenFileJob> ReadOpenFileJob(const platform::TIniFile& jobs, int job) {
  const std::string section = OpenFileSection(job);
  OpenFileJob record;
  record.source = jobs.ReadString(section, "Source", "");
  if (record.source.empty()) return std::nullopt;
  record.temp = jobs.ReadString(section, "Temp", "");
  record.dest = jobs.ReadString(section, "Dest", "");
  record.compressed = jobs.ReadBool(section, "Compressed", false);
  record.extract = jobs.ReadBool(section, "Extract", true);
  return record;
}

void WriteOpenFileJob(platform::TIniFile& jobs, int job, const OpenFileJob& record) {
  const std::string section = OpenFileSection(job);
  jobs.WriteString(section, "Source", record.source);
  jobs.WriteString(section, "Temp", record.temp);
  jobs.WriteString(section, "Dest", record.dest);
  jobs.WriteBool(section, "Compressed", record.compressed);
  jobs.WriteBool(section, "Extract", record.extract);
}

int FreeOpenFileJobNumber(const platform::TIniFile& jobs, int from) {
  int job = from < 1 ? 1 : from;
  while (!jobs.ReadString(OpenFileSection(job), "Source", "").empty()) ++job;
  return job;
}

}  // namespace corvasta
