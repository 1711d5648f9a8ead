// The Other Files editor's Notes page: the notes of the entry in a
// multi-line field, saved by its "OK".

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "backup/Unit11.h"
#include "backup/Unit11Texts.h"
#include "ui/OtherFilesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

QWidget* buildOtherFilesNotesPage(const OtherFilesPageContext& context) {
  namespace texts = otherfiles_texts;
  TForm11& form = context.form;
  auto* page = named(new QWidget(context.parent), "notesPage");
  OtherFilesPageContext inPage = context;
  inPage.parent = page;

  auto* title = pageTitle(texts::kNotesTitle, page);
  auto* text = new QLabel(fromAnsi(texts::kNotesText), page);
  text->setWordWrap(true);
  auto* memo = named(new QPlainTextEdit(page), "notesField");
  // The form keeps its lines with "\r\n"; Qt's line break is "\n".
  QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, &form] {
    QString lines = memo->toPlainText();
    lines.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    form.Memo1 = toAnsi(lines);
  });
  context.onRefresh([memo, &form] {
    const QString shown = fromAnsi(form.Memo1);
    if (memo->toPlainText() == shown) return;
    const QSignalBlocker quiet(memo);
    memo->setPlainText(shown);
  });
  auto* ok = boundButton(inPage, "notesOkButton", texts::kOK, [&form] { form.NotesOKClick(); });
  auto* cancel = boundButton(inPage, "notesCancelButton", texts::kCancel,
                             [&form] { form.NotesCancelClick(); });

  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(ok);
  closing->addWidget(cancel);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  layout->addWidget(text);
  layout->addWidget(memo, 1);
  layout->addLayout(closing);
  return page;
}

}  // namespace corvasta
