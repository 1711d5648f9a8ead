// The archive engine's OnSkippingFile: a file it cannot open for storing, or
// cannot create when extracting, is in use; it is deferred to the next start
// of Windows and the engine goes on without it.

#include "app/Unit1.h"
#include "archive/ZipEvents.h"

namespace corvasta {
namespace {

void deferSkippedFile(TForm1& form, const archive::TZipReader& engine, int reason, int fileIndex,
                      const std::string& fileName) {
  if (reason == archive::srSourceNotOpened)
    form.CopyOpenFile(fileName, engine.ZipName(), fileIndex, false, true);
  else if (reason == archive::srDestinationNotCreated)
    form.CopyOpenFile(fileName, engine.ZipName(), fileIndex, true, true);
}

}  // namespace

void TForm1::SkippingFile(int reason, bool& retry, int fileIndex, const std::string& fileName) {
  retry = false;
  deferSkippedFile(*this, Zip1, reason, fileIndex, fileName);
}

bool TForm1::InstallOpenFileHandlers() {
  Zip1.OnSkippingFile = [this](int reason, bool& retry, int fileIndex,
                               const std::string& fileName) {
    SkippingFile(reason, retry, fileIndex, fileName);
  };
  Zip2.OnSkippingFile = [this](int reason, bool& retry, int fileIndex,
                               const std::string& fileName) {
    retry = false;
    deferSkippedFile(*this, Zip2, reason, fileIndex, fileName);
  };
  StartupShortcutMaintenance = [this] { MaintainStartupShortcut(); };
  return true;
}

}  // namespace corvasta
