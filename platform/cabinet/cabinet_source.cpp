#include "platform/cabinet/cabinet_source.h"

#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

#include "platform/files/file_system.h"

namespace platform {

namespace {

// One open file of libmspack: either the cabinet in memory or an extracted
// file being written.
struct CabinetFile {
  CabinetSystem* owner = nullptr;
  const std::string* bytes = nullptr;  // the cabinet; null for an output file
  size_t position = 0;
  FileHandle output;
};

CabinetSystem* systemOf(mspack_system* self) {
  return reinterpret_cast<CabinetSystem*>(self);
}
CabinetFile* fileOf(mspack_file* file) {
  return reinterpret_cast<CabinetFile*>(file);
}

int errorCodeOf(const std::exception& error) {
  if (auto* os = dynamic_cast<const OsError*>(&error)) return static_cast<int>(os->code());
  return static_cast<int>(WinError::WriteFault);
}

mspack_file* openFile(mspack_system* self, const char* name, int mode) {
  CabinetSystem* system = systemOf(self);
  auto file = std::make_unique<CabinetFile>();
  file->owner = system;
  if (mode == MSPACK_SYS_OPEN_READ) {
    if (std::strcmp(name, kInMemoryCabinetName) != 0) return nullptr;
    file->bytes = system->cabinetBytes;
    return reinterpret_cast<mspack_file*>(file.release());
  }
  if (mode != MSPACK_SYS_OPEN_WRITE) return nullptr;
  try {
    file->output =
        system->files->createFile(name, kGenericWrite, 0, CreationDisposition::CreateAlways);
  } catch (const std::exception& error) {
    system->lastWriteError = errorCodeOf(error);
    return nullptr;
  }
  return reinterpret_cast<mspack_file*>(file.release());
}

void closeFile(mspack_file* handle) {
  std::unique_ptr<CabinetFile> file(fileOf(handle));
  if (!file || !file->output.isOpen()) return;
  try {
    file->output.close();
  } catch (const std::exception& error) {
    file->owner->lastWriteError = errorCodeOf(error);
  }
}

// libmspack may hand back a file it never got (a folder continued in a
// cabinet that could not be opened): every operation refuses a null file.
int readFile(mspack_file* handle, void* buffer, int count) {
  CabinetFile* file = fileOf(handle);
  if (!file || !file->bytes || count < 0) return -1;
  const size_t available = file->bytes->size() - file->position;
  const size_t moved = std::min(available, static_cast<size_t>(count));
  std::memcpy(buffer, file->bytes->data() + file->position, moved);
  file->position += moved;
  return static_cast<int>(moved);
}

int writeFile(mspack_file* handle, void* buffer, int count) {
  CabinetFile* file = fileOf(handle);
  if (!file || file->bytes || count < 0) return -1;
  try {
    file->output.write(buffer, static_cast<size_t>(count));
  } catch (const std::exception& error) {
    file->owner->lastWriteError = errorCodeOf(error);
    return -1;
  }
  return count;
}

int seekFile(mspack_file* handle, off_t offset, int mode) {
  CabinetFile* file = fileOf(handle);
  if (!file || !file->bytes) return -1;
  const auto size = static_cast<off_t>(file->bytes->size());
  off_t base = 0;
  switch (mode) {
    case MSPACK_SYS_SEEK_START:
      base = 0;
      break;
    case MSPACK_SYS_SEEK_CUR:
      base = static_cast<off_t>(file->position);
      break;
    case MSPACK_SYS_SEEK_END:
      base = size;
      break;
    default:
      return -1;
  }
  if (offset > size || offset < -size) return -1;
  const off_t target = base + offset;
  if (target < 0 || target > size) return -1;
  file->position = static_cast<size_t>(target);
  return 0;
}

off_t tellFile(mspack_file* handle) {
  CabinetFile* file = fileOf(handle);
  if (!file) return -1;
  if (file->bytes) return static_cast<off_t>(file->position);
  return static_cast<off_t>(file->output.position());
}

void ignoreMessage(mspack_file*, const char*, ...) {}
void* allocate(mspack_system*, size_t bytes) {
  return std::malloc(bytes);
}
void release(void* pointer) {
  std::free(pointer);
}
void copyBytes(void* source, void* destination, size_t bytes) {
  std::memmove(destination, source, bytes);
}

}  // namespace

CabinetSystem::CabinetSystem(FileSystem& fileSystem, const std::string& bytes)
    : base{openFile,      closeFile, readFile, writeFile, seekFile, tellFile,
           ignoreMessage, allocate,  release,  copyBytes, nullptr},
      files(&fileSystem),
      cabinetBytes(&bytes) {}

}  // namespace platform
