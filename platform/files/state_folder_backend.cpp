#include "platform/files/attribute_backends.h"

namespace platform {
namespace {

class StateFolderBackend : public AttributeBackend {
 public:
  explicit StateFolderBackend(std::unique_ptr<AttributeFile> file) : file_(std::move(file)) {}
  std::string name() const override { return "state folder"; }
  std::optional<StoredAttributes> load(const std::filesystem::path& host) override {
    return file_->get(host);
  }
  void save(const std::filesystem::path& host, const StoredAttributes& stored) override {
    file_->put(host, stored);
  }
  void removed(const std::filesystem::path& host) override { file_->erase(host); }
  void moved(const std::filesystem::path& from, const std::filesystem::path& to) override {
    file_->move(from, to);
  }

 private:
  std::unique_ptr<AttributeFile> file_;
};

}  // namespace

std::unique_ptr<AttributeBackend> makeStateFolderBackend(std::unique_ptr<AttributeFile> file) {
  return std::make_unique<StateFolderBackend>(std::move(file));
}

std::optional<StoredAttributes> BitsOnHostBackend::load(const std::filesystem::path& host) {
  auto bits = readBits(host);
  if (!bits) return extras_->get(host);
  StoredAttributes stored;
  stored.attributes = *bits;
  if (auto extra = extras_->get(host)) {
    stored.creation = extra->creation;
    stored.cleanStamp = extra->cleanStamp;
  }
  if (auto native = readCreation(host)) stored.creation = native;
  return stored;
}

void BitsOnHostBackend::save(const std::filesystem::path& host, const StoredAttributes& stored) {
  writeBits(host, stored.attributes);
  StoredAttributes extra;
  extra.attributes = stored.attributes;
  extra.cleanStamp = stored.cleanStamp;
  if (stored.creation && !writeCreation(host, *stored.creation)) extra.creation = stored.creation;
  if (extra.creation || extra.cleanStamp)
    extras_->put(host, extra);
  else
    extras_->erase(host);
}

}  // namespace platform
