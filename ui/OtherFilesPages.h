#pragma once
// The pages of the Other Files editor's view, one builder each. A builder
// makes its page's widgets, hands every user change to the TForm11 handler
// through `press`, and adds a refresher that shows the form's state again.

#include "ui/BoundContext.h"

class QLabel;

namespace platform {
class FileSystem;
}

namespace corvasta {

class TForm11;

struct OtherFilesPageContext : BoundContext {
  TForm11& form;
};

QWidget* buildOtherFilesMainPage(const OtherFilesPageContext& context);
QWidget* buildOtherFilesMorePage(const OtherFilesPageContext& context);
QWidget* buildOtherFilesSizePage(const OtherFilesPageContext& context);
QWidget* buildOtherFilesNotesPage(const OtherFilesPageContext& context);

// A page's heading: bold, 1.4 times the page's font.
QLabel* pageTitle(const char* text, QWidget* page);

// The main page's "Select" row: "All" and the file-type toggle buttons.
QWidget* buildFileTypeButtons(const OtherFilesPageContext& context);

}  // namespace corvasta
