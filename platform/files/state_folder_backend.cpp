#include "platform/files/attribute_backends.h"

namespace platform {
namespace {

class StateFolderBackend : public RecordFileBackend {
 public:
  using RecordFileBackend::RecordFileBackend;
  std::string name() const override { return "state folder"; }
  std::optional<StoredAttributes> load(const std::filesystem::path& host) override {
    return file().get(host);
  }
  void save(const std::filesystem::path& host, const StoredAttributes& stored) override {
    file().put(host, stored);
  }
};

}  // namespace

std::unique_ptr<AttributeBackend> makeStateFolderBackend(std::unique_ptr<AttributeFile> file) {
  return std::make_unique<StateFolderBackend>(std::move(file));
}

std::optional<StoredAttributes> BitsOnHostBackend::load(const std::filesystem::path& host) {
  auto bits = readBits(host);
  if (!bits) return file().get(host);
  StoredAttributes stored;
  stored.attributes = *bits;
  if (auto extra = file().get(host)) {
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
    file().put(host, extra);
  else
    file().erase(host);
}

}  // namespace platform
