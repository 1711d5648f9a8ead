// startwin.bat for Expanded and Quick RegPack.

#include "regpack/RegPackBatch.h"

#include "platform/core/codepage.h"

namespace corvasta {

namespace {

bool samePath(const std::string& a, const std::string& b) {
  return platform::ansiUpper(a) == platform::ansiUpper(b);
}

// The default registry: system.dat in the boot directory, user.dat in the
// Windows directory.
void addDefaultRegistry(const RegPackBatchPaths& p, std::vector<std::string>& out) {
  const std::string& a = p.attrib;
  const std::string& b = p.bootDir;
  const std::string& w = p.windowsDir;
  const bool noProfiles = samePath(p.userDir, w);
  out.insert(out.end(), {
                            "@smartdrv",
                            "@set pasval=false",
                            "@" + a + " -s -h -r " + b + "system.dat",
                            "@" + a + " -s -h -r " + w + "user.dat",
                            "@echo RegPack Process of Corvasta",
                            "@echo.",
                            "@echo    Backing up the Default Registry",
                            "@" + a + " -s -h -r " + b + "system.zzz",
                            "@" + a + " -s -h -r " + w + "user.zzz",
                            "@if exist " + b + "system.zzz del " + b + "system.zzz",
                            "@if exist " + w + "user.zzz del " + w + "user.zzz",
                            "@copy " + b + "system.dat " + b + "system.zzz",
                            "@copy " + w + "user.dat " + w + "user.zzz",
                            // No rebuild without the backup that would undo it.
                            "@if not exist " + b + "system.zzz goto cont",
                            "@if not exist " + w + "user.zzz goto cont",
                            "@echo    Exporting Default Registry",
                            "@" + w + "regedit /e " + w + "compact.reg",
                            "@if errorlevel 1 goto export",
                            "@goto import",
                            ":export",
                            "@echo.",
                            "@echo    RegPack will use files exported in Windows to correct this.",
                        });
  if (!noProfiles) {
    out.insert(out.end(), {
                              "@echo    Rebuilding Default Registry (from all.reg)",
                              "@" + w + "regedit /L:" + b + "system.dat /R:" + w +
                                  "junkuser.dat /c " + w + "all.reg",
                              "@echo.",
                              "@if errorlevel 1 goto error",
                              "@" + a + " -s -h -r " + w + "junkuser.dat",
                              "@if exist " + w + "junkuser.dat del " + w + "junkuser.dat",
                              "@goto cont",
                          });
  } else {
    out.insert(out.end(), {
                              "@echo    Rebuilding Default Registry (System Settings from Windows)",
                              "@" + w + "regedit /c " + w + "HKLM.reg",
                              "@echo.",
                              "@if errorlevel 1 goto error",
                              "@echo    Importing Default Registry (User Settings from Windows)",
                              "@" + w + "regedit " + w + "HKU.reg",
                              "@goto cont",
                          });
  }
  out.insert(out.end(),
             {
                 ":import",
                 "@echo.",
                 "@echo    Rebuilding Default Registry",
                 "@" + w + "regedit /c " + w + "compact.reg",
                 "@if errorlevel 1 goto export",
                 "@echo.",
                 "@goto cont",
                 ":error",
                 "@if exist " + w + "junkuser.dat " + a + " -s -h -r " + w + "junkuser.dat",
                 "@if exist " + w + "junkuser.dat del " + w + "junkuser.dat",
                 "@echo    Restoring Old Default Registry from Backup",
                 "@" + a + " -s -h -r " + b + "system.dat",
                 "@" + a + " -s -h -r " + w + "user.dat",
                 "@copy " + b + "system.zzz " + b + "system.dat",
                 "@copy " + w + "user.zzz " + w + "user.dat",
                 "@set pasval=true",
                 ":cont",
                 "@if exist " + w + "compact.reg del " + w + "compact.reg",
             });
  if (noProfiles) {
    out.push_back("@if exist " + w + "HKU.reg del " + w + "HKU.reg");
    out.push_back("@if exist " + w + "HKLM.reg del " + w + "HKLM.reg");
  }
}

// One profile's user.dat; `n` numbers its labels.
void addProfile(const RegPackBatchPaths& p, const RegPackProfile& profile, int number,
                std::vector<std::string>& out) {
  const std::string& a = p.attrib;
  const std::string& w = p.windowsDir;
  const std::string& sw = p.shortWindowsDir;
  const std::string& pd = profile.shortFolder;
  const std::string& pu = profile.shortUserDat;
  const std::string& name = profile.name;
  const std::string n = std::to_string(number);
  const bool currentUser = samePath(p.userDir, profile.folder);
  out.insert(out.end(), {
                            "@echo    Backing up " + name + " User Registry",
                            "@" + a + " -s -h -r " + pu,
                            // An undo copy left read-only would survive the del
                            // and pass for this run's backup.
                            "@" + a + " -s -h -r " + pd + "user.zzz",
                            "@if Exist " + pd + "user.zzz del " + pd + "user.zzz",
                            "@copy " + pu + " " + pd + "user.zzz",
                            "@if not exist " + pd + "user.zzz goto cont" + n,
                            "@echo    Exporting " + name + " User Registry",
                            "@" + w + "regedit /R:" + pu + " /e " + sw + "userreg.reg",
                            "@if errorlevel 1 goto export" + n,
                            "@goto import" + n,
                            ":export" + n,
                        });
  if (!currentUser) {
    out.push_back("@echo    Usually this Error is not a problem.");
    out.push_back("@goto cont" + n);
  } else {
    out.insert(out.end(),
               {
                   "@echo    RegPack will use files exported in Windows to correct this.",
                   "@echo    Rebuilding " + name + " User Registry (System Settings from Windows)",
                   "@" + w + "regedit /R:" + pu + " /c " + pd + "HKLM.reg",
                   "@echo.",
                   "@if errorlevel 1 goto error" + n,
                   "@echo    Importing " + name + " User Registry (User Settings from Windows)",
                   "@" + w + "regedit /R:" + pu + " " + pd + "HKU.reg",
                   "@echo.",
                   "@if errorlevel 1 goto error" + n,
                   "@goto cont" + n,
               });
  }
  out.insert(out.end(),
             {
                 ":import" + n,
                 "@echo.",
                 "@echo    Rebuilding " + name + " User Registry",
                 "@echo.",
                 "@" + w + "regedit /L:" + pd + "system.dat /R:" + pu + " /c " + sw + "userreg.reg",
                 "@if errorlevel 1 goto export" + n,
                 "@goto cont" + n,
                 ":error" + n,
                 "@echo    Restoring Old " + name + " User Settings from Backup",
                 "@" + a + " -s -h -r " + pu,
                 "@if exist " + pu + " del " + pu,
                 "@copy " + pd + "user.zzz " + pu,
                 "@set pasval=true",
                 "@echo.",
                 ":cont" + n,
             });
  if (currentUser) {
    out.push_back("@if exist " + pd + "HKU.reg del " + pd + "HKU.reg");
    out.push_back("@if exist " + pd + "HKLM.reg del " + pd + "HKLM.reg");
  }
  out.insert(out.end(), {
                            "@" + a + " -s -h -r " + pd + "system.dat",
                            "@if exist " + pd + "system.dat del " + pd + "system.dat",
                            "@if exist " + sw + "userreg.reg del " + sw + "userreg.reg",
                            "@echo.",
                        });
}

}  // namespace

std::vector<std::string> RegPackBatchLines(const RegPackBatchPaths& paths) {
  std::vector<std::string> lines;
  addDefaultRegistry(paths, lines);
  int number = 0;
  for (const RegPackProfile& profile : paths.profiles) addProfile(paths, profile, ++number, lines);
  lines.push_back(":done");
  lines.push_back("@echo    RegPack Finished - Restarting Windows");
  lines.push_back(paths.automatic ? "if \"%pasval%\"==\"true\" pause" : "@pause");
  lines.push_back("@echo Please disregard the following Batch file missing error.");
  lines.push_back("@del startwin.bat");
  return lines;
}

std::vector<std::string> QuickRegPackBatchLines(const std::string& windowsDir,
                                                bool autoexecMethod) {
  return {"@" + windowsDir + "command\\scanreg /fix ",
          "@echo Please disregard the following Batch file missing error.",
          autoexecMethod ? "@del startwin.bat" : "del startwin.bat"};
}

}  // namespace corvasta
