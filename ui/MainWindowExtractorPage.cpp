// The Extractor page.

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

ExtractorPage buildExtractorPage(QWidget* parent) {
  ExtractorPage extractor;
  extractor.page = new QWidget(parent);
  extractor.page->setObjectName(QStringLiteral("extractorPage"));
  extractor.extractor = pictureButton(QStringLiteral("&Extractor"), Glyph::Extractor,
                                      QStringLiteral("extractorButton"), extractor.page);
  extractor.extractor->setMinimumHeight(36);
  markNotAvailable(extractor.extractor);
  auto* column = new QVBoxLayout(extractor.page);
  column->setContentsMargins(10, 6, 10, 6);
  column->addWidget(extractor.extractor);
  column->addWidget(pageText(QStringLiteral("Restores single files or folders from a backup, "
                                            "also files of the Other Files section."),
                             QStringLiteral("extractorText"), extractor.page));
  column->addStretch(1);
  return extractor;
}

}  // namespace corvasta
