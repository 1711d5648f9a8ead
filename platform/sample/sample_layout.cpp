#include "platform/sample/sample_layout.h"

#include "platform/core/errors.h"
#include "platform/sample/generated_files.h"

namespace platform::sample {
namespace {

struct VersionFacts {
  WindowsVersion version;
  const char* shortModeName;
  const char* discLabel;
  const char* productName;
  const char* versionNumber;
  SampleTime releaseTime;
  SampleTime installTime;
};

const VersionFacts& factsOf(WindowsVersion version) {
  static const VersionFacts kFacts[] = {
      {WindowsVersion::Win95, "95", "WIN95", "Microsoft Windows 95", "4.00.950",
       sampleTime(1995, 7, 11, 9, 50), sampleTime(1996, 3, 12, 14, 6)},
      {WindowsVersion::Win98, "98", "WIN98 SE", "Microsoft Windows 98 Second Edition", "4.10.2222",
       sampleTime(1999, 4, 23, 22, 22), sampleTime(1999, 8, 17, 10, 34)},
      {WindowsVersion::WinMe, "ME", "WINME", "Microsoft Windows Millennium Edition", "4.90.3000",
       sampleTime(2000, 6, 8, 17, 0), sampleTime(2000, 11, 20, 16, 12)},
      {WindowsVersion::Nt4, "NT", "NTWKS40A", "Windows NT Workstation Version 4.00", "4.0.1381",
       sampleTime(1996, 8, 9, 1, 30), sampleTime(1997, 2, 4, 11, 48)},
      {WindowsVersion::Win2000, "2k", "W2PFPP_EN", "Microsoft Windows 2000 Professional",
       "5.0.2195", sampleTime(1999, 12, 7, 8, 0), sampleTime(2000, 5, 15, 9, 20)},
      {WindowsVersion::WinXp, "XP", "WXPFPP_EN", "Microsoft Windows XP Professional", "5.1.2600",
       sampleTime(2001, 8, 23, 12, 0), sampleTime(2002, 1, 14, 18, 40)},
  };
  for (const auto& facts : kFacts)
    if (facts.version == version) return facts;
  return kFacts[2];
}

// Names of the people who use a sample machine, the logged-on user first.
constexpr const char* kUserNames[kMaxSampleUsers] = {
    "Owner", "Anna",  "Bruno", "Clara", "David", "Elena",
    "Felix", "Greta", "Hugo",  "Irene", "Jonas", "Karin",
};

}  // namespace

SampleLayout makeSampleLayout(WindowsVersion version, const SampleOptions& options) {
  SampleLayout layout;
  layout.version = version;
  layout.seed = options.seed;
  layout.nt = isNt(version);
  int users = options.users < 0 ? (layout.nt ? 1 : 0) : options.users;
  if (users > kMaxSampleUsers)
    throw corvasta::Error("A sample machine has at most " + std::to_string(kMaxSampleUsers) +
                          " users, not " + std::to_string(users));
  if (layout.nt && users == 0)
    throw corvasta::Error(windowsVersionName(version) +
                          " needs at least one user: every logon has a profile");
  layout.profiles = !layout.nt && users > 0;
  for (int i = 0; i < std::max(users, 1); ++i) layout.users.push_back(kUserNames[i]);
  layout.computerName = "HOMEPC";

  layout.windowsFolder =
      version == WindowsVersion::Nt4 || version == WindowsVersion::Win2000 ? "WINNT" : "WINDOWS";
  layout.systemFolder = layout.windowsFolder + (layout.nt ? "\\system32" : "\\SYSTEM");
  layout.programFolder = "Program Files\\Corvasta";

  const VersionFacts& facts = factsOf(version);
  layout.shortModeName = facts.shortModeName;
  layout.discLabel = facts.discLabel;
  layout.productName = facts.productName;
  layout.versionNumber = facts.versionNumber;
  layout.releaseTime = facts.releaseTime;
  layout.installTime = facts.installTime;
  layout.useTime = facts.installTime + 23 * 86400 + 7 * 3600;
  return layout;
}

std::string SampleLayout::profileFolder(const std::string& user) const {
  if (nt) return "Documents and Settings\\" + user;
  return profiles ? windowsFolder + "\\Profiles\\" + user : windowsFolder;
}

std::string SampleLayout::allUsersFolder() const {
  return nt ? "Documents and Settings\\All Users" : windowsFolder + "\\All Users";
}

uint64_t SampleLayout::seedFor(std::string_view path) const {
  return contentSeed(seed, path);
}

}  // namespace platform::sample
