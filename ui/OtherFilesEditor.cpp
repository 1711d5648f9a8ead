#include "ui/OtherFilesEditor.h"

#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "backup/Unit11.h"
#include "backup/Unit11Texts.h"
#include "ui/OperationGuard.h"
#include "ui/OtherFilesPages.h"
#include "ui/QtUi.h"

namespace corvasta {

OtherFilesEditor::OtherFilesEditor(TForm11& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("Form11"));
  setModal(true);
  setWindowTitle(fromAnsi(otherfiles_texts::kCaption));
  const OtherFilesPageContext context{
      {this, [this](const std::function<void()>& handler) { press(handler); }, &refreshers_},
      form_};
  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("pages"));
  pageWidgets_ = {buildOtherFilesMainPage(context), buildOtherFilesMorePage(context),
                  buildOtherFilesSizePage(context), buildOtherFilesNotesPage(context)};
  for (QWidget* page : pageWidgets_) pages_->addWidget(page);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(pages_);
  resize(560, 420);
  refresh();
}

void OtherFilesEditor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) press([this] { form_.FormActivate(); });
}

void OtherFilesEditor::reject() {
  // The close box and Escape are "Cancel".
  press([this] { form_.CancelClick(); });
}

void OtherFilesEditor::press(const std::function<void()>& handler) {
  runReportingErrors(form_.core, handler);
  if (form_.closed) {
    QDialog::done(form_.saved ? QDialog::Accepted : QDialog::Rejected);
    return;
  }
  refresh();
}

void OtherFilesEditor::refresh() {
  for (const std::function<void()>& refresher : refreshers_) refresher();
  pages_->setCurrentWidget(pageWidgets_[static_cast<size_t>(form_.page)]);
}

}  // namespace corvasta
