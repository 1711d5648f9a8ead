#include "cdengine/IsoImage.h"

#include <fstream>

#include "platform/core/errors.h"
#include "platform/core/file_time.h"
#include "platform/core/machine.h"

namespace cdengine {

namespace {

// The folder part of a source path without its drive, or for a UNC path
// without its server and share: where `AddFile` with derive puts the file.
std::string derivedDirectory(const std::string& source) {
  std::string path = source;
  if (path.rfind("\\\\", 0) == 0) {
    size_t cut = path.find('\\', 2);                                          // after the server
    cut = cut == std::string::npos ? path.size() : path.find('\\', cut + 1);  // after the share
    path = cut == std::string::npos ? "" : path.substr(cut);
  } else if (path.size() >= 2 && path[1] == ':') {
    path = path.substr(2);
  }
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? "\\" : path.substr(0, slash);
}

std::string lastElement(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

IsoImage::IsoImage(platform::FileSystem& files, CdDrive* drive)
    : files_(files),
      drive_(drive),
      tree_([this](const std::string& text, DebugType type) { debug(text, type); }) {
  ClearImage(65535, 8191);
}

void IsoImage::debug(const std::string& text, DebugType type) const {
  if (OnDebugMessage) OnDebugMessage(text, type);
}

platform::SystemTime IsoImage::now() const {
  return files_.machine()
      .localSystemTime(platform::currentFileTime())
      .value_or(platform::SystemTime{});
}

bool IsoImage::ClearImage(uint32_t maxFiles, uint32_t maxDirectories) {
  tree_.clear(maxFiles, maxDirectories);
  header_.clear();
  layout_ = {};
  const int bias =
      files_.machine().config().timeZone.standardBiasMinutes(platform::currentFileTime());
  timeZone_ = static_cast<int8_t>(-bias / 15);
  return true;
}

TDEntry* IsoImage::CreateDir(const std::string& path) {
  return tree_.createDir(path, now());
}

int IsoImage::AddFile(const std::string& directory, const std::string& source, bool derive) {
  TDEntry* target = derive ? CreateDir(derivedDirectory(source)) : FindDir(directory);
  if (target == nullptr) {
    debug("INVALID DESTINATION PATH", DebugType::Error);
    return 0;
  }
  std::vector<platform::FindData> found;
  try {
    found = files_.findAll(source);
  } catch (const corvasta::Error&) {
    return -1;
  }
  if (found.size() != 1 || (found.front().attributes & platform::kAttributeDirectory) != 0)
    return -1;
  const platform::FindData& data = found.front();
  FileFacts facts;
  facts.longName = data.name.empty() ? lastElement(source) : data.name;
  facts.shortName = data.alternateName;
  facts.size = data.size;
  facts.attributes = data.attributes;
  facts.date = files_.machine().localSystemTime(data.times.lastWrite).value_or(now());
  facts.sourcePath = source;
  return tree_.enterFile(*target, std::move(facts), ReplaceFile) == EnterResult::Entered ? 1 : 0;
}

void IsoImage::PrepareImage(bool sizeOnly, uint32_t sessionStart) {
  uint32_t start = sessionStart;
  if (!sizeOnly && drive_ != nullptr) {
    // Asked before a write so that the drive has read the disc's type; the
    // write pipeline acts on it (a DVD-RW is formatted first).
    drive_->discType();
    start = drive_->nextWritableAddress();
  }
  layout_ = layOutImage(tree_, start, JolietFileSystem);
}

void IsoImage::BuildImageHeader() {
  header_ = buildImageHeader(tree_, layout_, ids, HeaderMoment{now(), timeZone_});
  tree_.dirty = true;
}

std::unique_ptr<SessionStream> IsoImage::openSessionStream() {
  if (!tree_.dirty) BuildImageHeader();
  return std::make_unique<SessionStream>(files_, tree_, layout_, header_, TrackSize());
}

std::vector<DeliveredFile> IsoImage::writeSession(const std::filesystem::path& image) {
  std::unique_ptr<SessionStream> stream = openSessionStream();
  std::fstream out(image, std::ios::binary | std::ios::in | std::ios::out);
  if (!out) out.open(image, std::ios::binary | std::ios::out | std::ios::trunc);
  if (!out) throw corvasta::Error("The image " + image.string() + " cannot be written.");
  out.seekp(static_cast<std::streamoff>(uint64_t{layout_.start} * kSectorBytes));
  std::vector<uint8_t> block(1 << 20);
  for (size_t n; (n = stream->read(block.data(), block.size())) != 0;)
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(n));
  out.flush();
  if (!out) throw corvasta::Error("The image " + image.string() + " cannot be written.");
  return stream->delivered();
}

}  // namespace cdengine
