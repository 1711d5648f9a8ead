// The archive engine's OnSkippingFile: a file it cannot open for storing, or
// cannot create when extracting, is in use; it is deferred to the next start
// of Windows and the engine goes on without it.

#include "app/core/Core.h"
#include "archive/ZipEvents.h"
#include "backup/Backup.h"
#include "backup/OpenFileJobs.h"

namespace corvasta {
namespace {

void deferSkippedFile(OpenFileJobs& form, const archive::TZipReader& engine, int reason,
                      int fileIndex, const std::string& fileName) {
  if (reason == archive::srSourceNotOpened)
    form.CopyOpenFile(fileName, engine.ZipName(), fileIndex, false, true);
  else if (reason == archive::srDestinationNotCreated)
    form.CopyOpenFile(fileName, engine.ZipName(), fileIndex, true, true);
}

}  // namespace

const char* notExtractedReason(int reason) {
  if (reason == archive::srFolderNotCreated) return "its folder could not be created";
  return "in use; it could not be replaced at the next start of Windows";
}

void OpenFileJobs::SkippingFile(int reason, bool& retry, int fileIndex,
                                const std::string& fileName) {
  retry = false;
  deferSkippedFile(*this, core.Zip1, reason, fileIndex, fileName);
}

OpenFileJobs::OpenFileJobs(Core& core) : core(core) {
  core.Zip1.OnSkippingFile = [this](int reason, bool& retry, int fileIndex,
                                    const std::string& fileName) {
    SkippingFile(reason, retry, fileIndex, fileName);
  };
  core.Zip2.OnSkippingFile = [this](int reason, bool& retry, int fileIndex,
                                    const std::string& fileName) {
    retry = false;
    deferSkippedFile(*this, this->core.Zip2, reason, fileIndex, fileName);
  };
}

}  // namespace corvasta
