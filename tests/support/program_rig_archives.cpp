// The rig's look into archives and cabinets on the machine. They are read
// with readers of their own, so the program's archive engines keep their
// state.

#include <gtest/gtest.h>

#include <algorithm>

#include "archive/ZipReader.h"
#include "archive/machine/MachineZipFileSystem.h"
#include "platform/core/codepage.h"
#include "platform/files/file_attributes.h"
#include "restore/cabinet/Cabinet.h"
#include "tests/support/form_access.h"
#include "tests/support/program_rig.h"

namespace testing_support {

std::vector<std::string> ProgramRig::storedNames(const std::string& archive) {
  archive::MachineZipFileSystem zipFiles(*files);
  archive::TZipReader reader(zipFiles);
  reader.SetZipName(archive);
  reader.ReadDirectory();
  std::vector<std::string> names;
  for (int i = 0; i < reader.EntryCount(); ++i)
    names.push_back(reader.EntryFolder(i) + reader.EntryName(i));
  return names;
}

std::vector<std::string> ProgramRig::entries(const std::string& archive) {
  std::vector<std::string> paths = storedNames(archive);
  for (std::string& path : paths) {
    std::replace(path.begin(), path.end(), '/', '\\');
    path = platform::ansiUpper(path);
  }
  return paths;
}

std::string ProgramRig::onlyEntryOf(const std::string& archive) {
  const std::string out = "C:\\unpacked\\";
  form_access::createDirectories(*form, out);
  archive::MachineZipFileSystem zipFiles(*files);
  archive::TZipReader reader(zipFiles);
  reader.SetZipName(archive);
  reader.ReadDirectory();
  EXPECT_EQ(reader.EntryCount(), 1) << archive;
  if (reader.EntryCount() != 1) return {};
  const std::string name = reader.EntryName(0);
  reader.DestDir = out;
  reader.RecreateDirs = false;
  reader.Extract();
  reader.CloseArchive();
  const std::string bytes = read(out + name);
  files->setFileAttributes(out + name, platform::kAttributeNormal);
  files->deleteFile(out + name);
  return bytes;
}

std::string ProgramRig::cabinetMember(const std::string& cabinet, const std::string& name) {
  const std::string out = "C:\\cabinet\\";
  form_access::createDirectories(*form, out);
  corvasta::TCabinetReader reader(*files);
  reader.Extract(cabinet, out);
  const std::string bytes = read(out + name);
  std::filesystem::remove_all(host(out));
  return bytes;
}

}  // namespace testing_support
