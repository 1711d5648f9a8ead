#pragma once
// Shared set-up of the engine tests: drive C: over a temporary folder, files
// with chosen times, and the stored paths of an archive.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "archive/ZipWriter.h"
#include "tests/archive/host_file_system.h"
#include "tests/support/temp_dir.h"

namespace archive_test {

// 2004-06-15 12:00:00 as a FILETIME.
constexpr archive::FileTime kOldTime = 127317168000000000ull;
constexpr archive::FileTime kNewTime = kOldTime + 36000000000ull;  // one hour later

class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { fs.addFixedDrive('C', dir / "c"); }

  void file(const std::string& winPath, const std::string& content,
            archive::FileTime time = kOldTime) {
    testing_support::writeFile(fs.hostPath(winPath), content);
    fs.setFileTimes(winPath, {time, time, time});
  }
  std::string content(const std::string& winPath) const {
    return testing_support::readFile(fs.hostPath(winPath));
  }
  bool exists(const std::string& winPath) { return fs.attributes(winPath).has_value(); }

  // Folder + name of every entry, upper case.
  std::set<std::string> stored(const std::string& zipName) {
    archive::TZipReader reader(fs);
    reader.SetZipName(zipName);
    reader.ReadDirectory();
    std::set<std::string> names;
    for (int i = 0; i < reader.EntryCount(); ++i)
      names.insert(reader.EntryFolder(i) + reader.EntryName(i));
    return names;
  }

  // A writer for a single-file archive on drive C:.
  void prepare(archive::TZipWriter& zip, const std::string& zipName) {
    zip.SetZipName(zipName);
    zip.MultiVolumeInfo.MultiMode = archive::mmNone;
  }

  testing_support::TempDir dir;
  HostFileSystem fs;
};

}  // namespace archive_test
