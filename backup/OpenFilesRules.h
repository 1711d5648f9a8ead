#pragma once
// The rules of the open-file jobs that do not touch the machine: which files
// are never deferred, where a job's temporary copy lies, the lines of
// openfile.bat, and one job as Temp\OpenFN.ini keeps it.

#include <optional>
#include <string>
#include <vector>

namespace platform {
class TIniFile;
}

namespace corvasta {

// The name part and the folder part (with its final backslash) of a path.
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path);

// The registry hives Windows NT keeps open: system32\config\system, software,
// sam, default and security of the Windows directory (each also with ".log"),
// and every ntuser.dat or UsrClass.dat (also with ".log"). Compared without
// case; `windowsDir` ends with a backslash.
bool IsRegistryHiveFile(const std::string& path, const std::string& windowsDir);

// The swap and hibernation files, which a backup passes over silently.
bool IsSwapFile(const std::string& path);

// The temporary copy of job `job`: the program directory + "Temp\OpenFN" +
// the job number + the extension of the file in use.
std::string OpenFileTempPath(const std::string& programDir, int job, const std::string& inUse);

// openfile.bat after one more job: the lines of an existing file except its
// "@echo " and "@del " lines, then the attributes of `clearAttributesOf`
// cleared, the copy of `from` to `to`, and the closing echo and self-delete.
std::vector<std::string> OpenFileBatchLines(const std::vector<std::string>& existing,
                                            const std::string& attrib,
                                            const std::string& clearAttributesOf,
                                            const std::string& from, const std::string& to);

// One recorded job (section OpenFN<N>).
struct OpenFileJob {
  std::string source;  // what the copy or move at the start of Windows reads
  std::string temp;    // the temporary copy
  std::string dest;    // archive, backup file or the file to be replaced
  bool compressed = false;
  bool extract = false;  // false: the file was moved away and goes back from temp
  // A replacement: the copy or move at the start of Windows read the
  // temporary copy itself.
  bool replaces() const;
};

std::string OpenFileSection(int job);
// The job of section OpenFN<job>; nullopt when it has no Source.
std::optional<OpenFileJob> ReadOpenFileJob(const platform::TIniFile& jobs, int job);
void WriteOpenFileJob(platform::TIniFile& jobs, int job, const OpenFileJob& record);
// The first job number from `from` on whose section has no Source yet.
int FreeOpenFileJobNumber(const platform::TIniFile& jobs, int from);

}  // namespace corvasta
