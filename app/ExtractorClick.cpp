// The main window's "&Extractor": the Extractor dialog made, run and released.

#include "app/Unit1.h"
#include "extractor/ExtractorConsole.h"
#include "extractor/Unit10.h"

namespace corvasta {

void TForm1::ExtractorClick(const std::function<void(TForm10&)>& show,
                            const std::function<void(const std::string&)>& print) {
  TForm10 dialog(core, backup.archiving, backup.items);
  if (show)
    show(dialog);
  else
    RunExtractorDialog(dialog, print);
}

}  // namespace corvasta
