// The Other Files editor's main page: the name field, the folder tree, the
// file list with its ticks, the "Select" row and the buttons.

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "backup/Unit11.h"
#include "backup/Unit11Texts.h"
#include "ui/ChFileListView.h"
#include "ui/DirTreeView.h"
#include "ui/OtherFilesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

namespace texts = otherfiles_texts;

// Hands each typed character to `accept` before the field takes it; a
// refused one is swallowed. Pasted text is not typed and goes through.
class TypedCharacters : public QObject {
 public:
  TypedCharacters(QObject* parent, std::function<bool(char)> accept)
      : QObject(parent), accept_(std::move(accept)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const std::string typed = toAnsi(static_cast<QKeyEvent*>(event)->text());
    for (char key : typed)
      if (!accept_(key)) return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<bool(char)> accept_;
};

QLineEdit* nameField(const OtherFilesPageContext& context) {
  TForm11& form = context.form;
  QLineEdit* field = boundField(
      context, "nameField", [&form] { return form.Edit1; },
      [&form](std::string text) { form.Edit1 = std::move(text); });
  field->setMaxLength(static_cast<int>(texts::kNameLength));
  field->setToolTip(fromAnsi(texts::kNameHint));
  field->installEventFilter(new TypedCharacters(field, [context, &form](char key) {
    bool accepted = true;
    context.press([&] { accepted = form.Edit1KeyPress(key); });
    return accepted;
  }));
  return field;
}

QLabel* caption(const OtherFilesPageContext& context, const char* text) {
  return new QLabel(fromAnsi(text), context.parent);
}

}  // namespace

QWidget* buildOtherFilesMainPage(const OtherFilesPageContext& context) {
  TForm11& form = context.form;
  auto* page = named(new QWidget(context.parent), "mainPage");
  OtherFilesPageContext inPage = context;
  inPage.parent = page;

  auto* tree = named(new DirTreeView(form.DirTree1, form.core.env.files, page), "folderTree");
  tree->onChoose = [context, &form](const std::string& folder) {
    context.press([&form, folder] { form.DirTree1.SetDirectory(folder); });
  };
  auto* files = named(new ChFileListView(form.KTChFileList1, page), "fileList");
  files->onTickClick = [context, &form](size_t item, int x, int pixelsPerInch) {
    context.press([&form, item, x, pixelsPerInch] { form.FileItemClick(item, x, pixelsPerInch); });
  };
  files->onDoubleClick = [context, &form](size_t item) {
    context.press([&form, item] { form.KTChFileList1.DoubleClick(item); });
  };
  context.onRefresh([tree, files] {
    tree->refresh();
    files->refresh();
  });

  auto* subdirectories = boundCheckBox(
      inPage, "includeSubdirectories", texts::kIncludeSubdirectories,
      [&form] { return form.IncludeSubdirectories; },
      [&form](bool on) { form.IncludeSubdirectories = on; });
  auto* refreshList =
      boundButton(inPage, "refreshButton", texts::kRefreshList, [&form] { form.RefreshClick(); });
  auto* more = boundButton(inPage, "moreButton", texts::kMore, [&form] { form.MoreClick(); });
  more->setToolTip(fromAnsi(texts::kMoreHint));
  auto* notes = boundButton(inPage, "notesButton", texts::kNotes, [&form] { form.NotesClick(); });
  auto* findSize =
      boundButton(inPage, "findSizeButton", texts::kFindSize, [&form] { form.FindSizeClick(); });
  auto* ok = boundButton(inPage, "okButton", texts::kOK, [&form] { form.Button1Click(); });
  auto* cancel =
      boundButton(inPage, "cancelButton", texts::kCancel, [&form] { form.CancelClick(); });
  auto* help = boundButton(inPage, "helpButton", texts::kHelp, [&form] { form.HelpClick(); });
  ok->setDefault(true);

  auto* name = new QHBoxLayout;
  name->addWidget(caption(inPage, texts::kNameLabel));
  name->addWidget(nameField(inPage));
  name->addStretch(1);

  auto* lists = new QGridLayout;
  lists->addWidget(caption(inPage, texts::kFolders), 0, 0);
  lists->addWidget(caption(inPage, texts::kFiles), 0, 1);
  lists->addWidget(refreshList, 0, 1, Qt::AlignRight);
  lists->addWidget(tree, 1, 0);
  lists->addWidget(files, 1, 1);
  lists->setColumnStretch(0, 2);
  lists->setColumnStretch(1, 3);

  auto* select = new QHBoxLayout;
  select->addWidget(caption(inPage, texts::kSelect));
  select->addWidget(buildFileTypeButtons(inPage));
  select->addStretch(1);

  auto* actions = new QHBoxLayout;
  actions->addWidget(subdirectories);
  actions->addWidget(more);
  actions->addWidget(notes);
  actions->addWidget(findSize);
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  for (QPushButton* button : {ok, cancel, help}) closing->addWidget(button);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(name);
  layout->addLayout(lists, 1);
  layout->addLayout(select);
  layout->addLayout(actions);
  layout->addLayout(closing);
  return page;
}

}  // namespace corvasta
