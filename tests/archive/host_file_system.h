#pragma once
// A ZipFileSystem over host folders for the archive tests: drive letters map
// to folders, a removable drive holds numbered media folders of a fixed
// capacity (one inserted at a time), attributes and labels live in memory,
// and files can be marked as held open.

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "archive/zip_file_system.h"
#include "platform/core/folder_names.h"

namespace archive_test {

class HostFileSystem : public archive::ZipFileSystem {
 public:
  void addFixedDrive(char letter, const std::filesystem::path& folder);
  // Media are folder/disk1, folder/disk2, ...; medium 1 is inserted.
  void addRemovableDrive(char letter, const std::filesystem::path& folder, uint64_t capacity);
  void insertMedium(char letter, int medium);
  int insertedMedium(char letter) const;

  std::filesystem::path hostPath(const std::string& winPath) const;
  // Opening this file for reading fails with a sharing violation.
  void holdOpen(const std::string& winPath) { held_.insert(key(winPath)); }
  void release(const std::string& winPath) { held_.erase(key(winPath)); }

  std::vector<archive::FoundFile> findFiles(const std::string& pattern) override;
  std::unique_ptr<archive::ZipInputFile> openRead(const std::string& path) override;
  std::unique_ptr<archive::ZipOutputFile> create(const std::string& path) override;
  std::optional<uint32_t> attributes(const std::string& path) override;
  void setAttributes(const std::string& path, uint32_t attributes) override;
  archive::FileTimes fileTimes(const std::string& path) override;
  void setFileTimes(const std::string& path, const archive::FileTimes& times) override;
  void createDirectory(const std::string& path) override;
  void deleteFile(const std::string& path) override;
  void moveFile(const std::string& from, const std::string& to) override;
  void replaceFile(const std::string& from, const std::string& to) override;
  uint64_t freeSpace(const std::string& root) override;
  archive::DriveType driveType(const std::string& root) override;
  std::string volumeLabel(const std::string& root) override;
  void setVolumeLabel(const std::string& root, const std::string& label) override;
  archive::FileTime now() override;

 private:
  struct Drive {
    std::filesystem::path folder;
    bool removable = false;
    uint64_t capacity = 0;
    int medium = 1;
  };
  const Drive& drive(const std::string& winPath) const;
  std::filesystem::path driveRoot(const Drive& d) const;
  std::string key(const std::string& winPath) const;

  std::map<char, Drive> drives_;
  std::map<std::string, uint32_t> attributes_;
  std::map<std::string, std::string> labels_;
  std::set<std::string> held_;
  // Finds names without case; mutable because hostPath is a question.
  mutable platform::FolderNameIndex names_;
};

}  // namespace archive_test
