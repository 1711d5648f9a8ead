// The activity log (results.txt, newest entry first) and the program's other
// report files: longfn.txt, bigfiles.txt and the CD engine's trace cdlogs.txt.

#include <array>

#include "app/core/Core.h"
#include "app/core/DeleteFile.h"
#include "app/core/ResultFileText.h"
#include "app/core/TextLines.h"
#include "platform/files/file_system.h"

namespace corvasta {
namespace {

constexpr std::array<const char*, 6> kLongNameHeader{
    "   Due to the limitations of a CD's format, file names and",
    "directory names cannot have more than 127 letters.  The",
    "following files and/or directories were skipped because",
    "they have more than 127 letters.  If you must back up",
    "these files or directories, it is recommended that you",
    "do a compressed backup."};

constexpr std::array<const char*, 5> kBigFileHeader{
    "   The following files have been found to be too big to",
    "fit on the CD (in other words, the file is bigger than",
    "the size of the CD), so they have been skipped.  If",
    "you must back up these files, it is recommended that", "you do a compressed backup."};

template <size_t N>
void appendToReport(platform::FileSystem& files, const std::string& file,
                    const std::array<const char*, N>& header, const std::string& path) {
  std::vector<std::string> lines;
  if (files.fileExists(file)) {
    lines = loadLines(files, file);
  } else {
    lines.assign(header.begin(), header.end());
    lines.emplace_back();
  }
  lines.push_back("   " + path);
  saveLines(files, file, lines);
}

void writeWhole(platform::FileSystem& files, const std::string& file, const std::string& text,
                platform::CreationDisposition disposition) {
  platform::FileHandle handle = files.createFile(file, platform::kGenericWrite, 0, disposition);
  if (disposition == platform::CreationDisposition::OpenAlways)
    handle.seek(0, platform::SeekOrigin::End);
  handle.write(text.data(), text.size());
  handle.close();
}

}  // namespace

void Core::Log(const std::string& line) {
  ActivityLog += "\r" + line;
}

void Core::WriteResultFile() {
  const std::string file = loc.programDir + "results.txt";
  const std::vector<std::string> old =
      env.files.fileExists(file) ? loadLines(env.files, file) : std::vector<std::string>{};
  saveLines(env.files, file, ComposeResultLines(ActivityLog, old));
  ActivityLog.clear();
}

void Core::LongFNFound(const std::string& path) {
  appendToReport(env.files, loc.programDir + "longfn.txt", kLongNameHeader, path);
  LongFNFlag = true;
}

void Core::BigFFound(const std::string& path) {
  appendToReport(env.files, loc.programDir + "bigfiles.txt", kBigFileHeader, path);
  BigFFlag = true;
}

void Core::Write2File(const std::string& fileName, const std::string& text) {
  writeWhole(env.files, fileName, text, platform::CreationDisposition::CreateAlways);
}

void Core::CDBurnerDebugMessage(const std::string& message) {
  if (!CDTrace) return;
  writeWhole(env.files, loc.programDir + "cdlogs.txt", message + "\r\n",
             platform::CreationDisposition::OpenAlways);
}

void Core::MinimizeButtonRightClick() {
  DeleteFileIfPresent(env.files, loc.programDir + "cdlogs.txt");
  CDTrace = true;
}

std::string Core::Timestamp() const {
  const platform::SystemTime moment = now();
  const platform::LocaleFormats locale = platform::machineLocale(env.machine);
  std::string text = platform::formatDate(moment, locale.shortDate);
  if (moment.hour != 0 || moment.minute != 0 || moment.second != 0)
    text += " " + platform::formatTime(moment, locale.longTime);
  return text;
}

}  // namespace corvasta
