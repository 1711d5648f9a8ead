#pragma once
// A ZipSource over one file of the machine.

#include <memory>
#include <string>

#include "archive/zip_file_system.h"
#include "archive/zip_source.h"

namespace archive {

class FileSource : public ZipSource {
 public:
  FileSource(std::unique_ptr<ZipInputFile> file, std::string name)
      : file_(std::move(file)), name_(std::move(name)), size_(file_->size()) {}
  uint64_t size() override { return size_; }
  void readAt(uint64_t offset, void* buffer, size_t length) override;
  const std::string& name() const { return name_; }

 private:
  std::unique_ptr<ZipInputFile> file_;
  std::string name_;
  uint64_t size_;
};

}  // namespace archive
