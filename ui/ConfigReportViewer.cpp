// The report viewer: the lines in a read-only text field and "&Close".

#include "ui/ConfigReportViewer.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/QtUi.h"

namespace corvasta {

void showConfigReportViewer(QWidget* parent, const std::string& title,
                            const std::vector<std::string>& lines) {
  auto* viewer = new QDialog(parent);
  viewer->setObjectName(QStringLiteral("configReportViewer"));
  viewer->setAttribute(Qt::WA_DeleteOnClose);
  viewer->setWindowTitle(fromAnsi(title));

  auto* text = new QPlainTextEdit(viewer);
  text->setObjectName(QStringLiteral("configReportText"));
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  QStringList shown;
  for (const std::string& line : lines) shown << fromAnsi(line);
  text->setPlainText(shown.join(QLatin1Char('\n')));

  auto* buttons = new QDialogButtonBox(viewer);
  QPushButton* close = buttons->addButton(QStringLiteral("&Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("closeReportButton"));
  QObject::connect(buttons, &QDialogButtonBox::rejected, viewer, &QDialog::close);

  auto* layout = new QVBoxLayout(viewer);
  layout->addWidget(text, 1);
  layout->addWidget(buttons);
  viewer->resize(520, 420);
  viewer->show();
}

}  // namespace corvasta
