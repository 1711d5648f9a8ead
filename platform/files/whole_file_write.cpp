#include "platform/files/whole_file_write.h"

#include "platform/core/win_path.h"

namespace platform {

std::string siblingOf(const std::string& winPath) {
  const WinPath path = parseWinPath(winPath);
  const std::string name = path.name();
  const size_t dot = name.rfind('.');
  const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  const std::string parent = path.parentStr();
  return (parent.ends_with('\\') ? parent : parent + "\\") + stem + ".$$$";
}

void writeWholeFile(FileSystem& files, const std::string& winPath, std::string_view bytes) {
  const std::string sibling = siblingOf(winPath);
  const bool replacing = files.fileExists(winPath);
  const uint32_t attributes =
      replacing ? files.getFileAttributes(winPath) & kSettableAttributes : kAttributeArchive;
  if (files.fileExists(sibling)) {
    files.setFileAttributes(sibling, kAttributeNormal);
    files.deleteFile(sibling);  // left by an earlier write that did not finish
  }
  try {
    FileHandle out = files.createFile(sibling, kGenericWrite, 0, CreationDisposition::CreateNew);
    out.write(bytes.data(), bytes.size());
    out.close();
  } catch (...) {
    if (files.fileExists(sibling)) files.deleteFile(sibling);
    throw;
  }
  // The sibling carries the attributes across the rename; a read-only file
  // can only be replaced once the bit is off.
  files.setFileAttributes(sibling, attributes == 0 ? kAttributeNormal : attributes);
  if (replacing && (attributes & kAttributeReadOnly))
    files.setFileAttributes(winPath, attributes & ~kAttributeReadOnly);
  files.moveFileEx(sibling, winPath, kMoveFileReplaceExisting);
}

std::string readWholeFile(FileSystem& files, const std::string& winPath, uint32_t share) {
  FileHandle handle =
      files.createFile(winPath, kGenericRead, share, CreationDisposition::OpenExisting);
  std::string bytes(static_cast<size_t>(handle.size()), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const size_t got = handle.read(bytes.data() + done, bytes.size() - done);
    if (got == 0) break;
    done += got;
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace platform
