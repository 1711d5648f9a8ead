// The Other Files editor's Size page: the status line, the number of files
// and the uncompressed size of the last run, the note on compression.

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "backup/Unit11.h"
#include "backup/Unit11Texts.h"
#include "ui/OtherFilesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

QLabel* pageTitle(const char* text, QWidget* page) {
  auto* title = new QLabel(fromAnsi(text), page);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  title->setFont(big);
  return title;
}

QWidget* buildOtherFilesSizePage(const OtherFilesPageContext& context) {
  namespace texts = otherfiles_texts;
  TForm11& form = context.form;
  auto* page = named(new QWidget(context.parent), "sizePage");
  OtherFilesPageContext inPage = context;
  inPage.parent = page;

  auto* title = pageTitle(texts::kSizeTitle, page);
  auto* status = boundLabel(inPage, "sizeStatus", [&form] { return form.sizeStatus; });
  auto* files = boundLabel(inPage, "numberOfFiles", [&form] { return form.numberOfFiles; });
  auto* bytes = boundLabel(inPage, "uncompressedSize", [&form] { return form.uncompressedSize; });
  auto* note = new QLabel(fromAnsi(texts::kSizeNote), page);
  note->setWordWrap(true);
  auto* ok = boundButton(inPage, "sizeOkButton", texts::kSizeOK, [&form] { form.SizeOKClick(); });

  auto* values = new QFormLayout;
  values->addRow(fromAnsi(texts::kNumberOfFiles), files);
  values->addRow(fromAnsi(texts::kUncompressedSize), bytes);
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(ok);

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addWidget(status);
  layout->addSpacing(12);
  layout->addLayout(values);
  layout->addSpacing(12);
  layout->addWidget(note);
  layout->addStretch(1);
  layout->addLayout(closing);
  return page;
}

}  // namespace corvasta
