// TForm1::MakeMarqueeText: gathers what the status line reports from the
// settings file and the registry files, and marks a just-finished RegPack's
// reduction as announced. The marquee click switches the scrolling on or off.

#include <algorithm>

#include "app/MarqueeText.h"
#include "app/Unit1.h"
#include "app/core/SettingsNames.h"
#include "platform/core/errors.h"
#include "platform/files/file_system.h"
#include "platform/profile/ini_file.h"

namespace corvasta {
namespace {

constexpr std::array<const char*, 5> kNtHives{
    "System32\\config\\system", "System32\\config\\software", "System32\\config\\sam",
    "System32\\config\\security", "System32\\config\\default"};

// A missing or unreadable file counts 0.
uint64_t sizeOf(platform::FileSystem& files, const std::string& path) {
  try {
    return files.fileExists(path) ? files.getFileSize(path) : 0;
  } catch (const corvasta::Error&) {
    return 0;
  }
}

uint64_t sizesOf(platform::FileSystem& files, const std::string& folder,
                 std::initializer_list<const char*> names) {
  uint64_t total = 0;
  for (const char* name : names) total += sizeOf(files, folder + name);
  return total;
}

// The local date a file was last written, when it exists.
std::optional<platform::SystemTime> fileDate(platform::FileSystem& files, const std::string& path) {
  try {
    if (!files.fileExists(path)) return std::nullopt;
    return files.machine().localSystemTime(files.getFileTime(path).lastWrite);
  } catch (const corvasta::Error&) {
    return std::nullopt;
  }
}

std::optional<platform::SystemTime> readDate(const platform::TIniFile& settings,
                                             std::string_view section, const char* year,
                                             const char* month, const char* day) {
  return storedDate(settings.ReadInteger(section, year, 0), settings.ReadInteger(section, month, 0),
                    settings.ReadInteger(section, day, 0));
}

}  // namespace

void TForm1::MakeMarqueeText() {
  platform::TIniFile settings(core.env.machine, core.settingsFile());
  MarqueeFacts facts;
  facts.today = core.now();
  facts.shortDatePicture = core.loc.shortDateFormat;
  facts.windowsMode = core.WindowsMode;
  facts.shortModeName = core.ShortModeName;
  facts.longModeName = core.LongModeName;

  facts.lastBackup = readDate(settings, "Last Backup", "Year", "Month", "Day");
  for (int config = 1; config <= 4; ++config) {
    const std::string section = std::string(kPreferences) + std::to_string(config);
    const auto date = readDate(settings, section, "LastYear", "LastMonth", "LastDay");
    if (!date) continue;
    facts.configBackups[static_cast<size_t>(config - 1)] = MarqueeConfigDate{
        settings.ReadString(section, "ConfigName", "Config" + std::to_string(config)), *date};
  }

  const std::string& windows = core.loc.windowsDir;
  if (core.isNtMode()) {
    facts.sizeBefore =
        static_cast<uint64_t>(std::max(0, settings.ReadInteger("RegPack", "BeforeSize", 0)));
    for (const char* hive : kNtHives) facts.sizeNow += sizeOf(core.env.files, windows + hive);
    facts.regPackDate = fileDate(core.env.files, windows + "registry.zzz");
  } else {
    facts.sizeBefore = sizesOf(core.env.files, windows, {"system.zzz", "user.zzz"});
    facts.sizeNow = sizesOf(core.env.files, windows, {"system.dat", "user.dat"});
    facts.regPackDate = fileDate(core.env.files, windows + "system.zzz");
  }

  facts.regPackJustDone = settings.ReadBool("RegPack", "JustDone", false);
  if (facts.regPackJustDone) {
    facts.reductionKb = registryReductionKb(facts.sizeBefore, facts.sizeNow);
    settings.WriteBool("RegPack", "JustDone", false);
    settings.WriteInteger("RegPack", "LastReduction", static_cast<int32_t>(facts.reductionKb));
  } else {
    facts.reductionKb = settings.ReadInteger("RegPack", "LastReduction", 0);
  }
  MarqueeText = marqueeText(facts);
}

void TForm1::PaintBox1Click() {
  core.marqueeRunning = !core.marqueeRunning;
  core.Form8.marqueeScroll = core.marqueeRunning;
}

}  // namespace corvasta
