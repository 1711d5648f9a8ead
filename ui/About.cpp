#include "ui/About.h"

#include <QLabel>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QVBoxLayout>

#include "app/MarqueeText.h"
#include "app/Unit1.h"
#include "platform/profile/ini_file.h"
#include "ui/MainWindowGlyphs.h"
#include "ui/MainWindowWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

std::string aboutStatusText(TForm1& form) {
  const platform::TIniFile settings(form.core.env.machine, form.core.settingsFile());
  const std::optional<platform::SystemTime> last =
      storedDate(settings.ReadInteger("Last Backup", "Year", 0),
                 settings.ReadInteger("Last Backup", "Month", 0),
                 settings.ReadInteger("Last Backup", "Day", 0));
  if (!last) return "Welcome to Corvasta";
  return "Last Backup " + datedText(*last, form.core.now(), form.core.loc.shortDateFormat);
}

AboutDialog::AboutDialog(TForm1& form, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutDialog"));
  setWindowTitle(fromAnsi(form.core.ApplicationTitle));
  setModal(true);

  auto* banner = new QLabel(this);
  banner->setObjectName(QStringLiteral("aboutLogo"));
  banner->setAutoFillBackground(true);
  QPalette red = banner->palette();
  red.setColor(QPalette::Window, QColor(176, 24, 24));
  banner->setPalette(red);
  QPixmap logo = logoPixmap(240, 40);
  if (!form.logoPicture.empty()) {
    const QPixmap picture(
        QString::fromStdString(form.core.env.machine.resolve(form.logoPicture).host.string()));
    if (!picture.isNull()) logo = picture;
  }
  banner->setPixmap(logo);
  banner->setAlignment(Qt::AlignCenter);
  banner->setMinimumHeight(56);

  auto* version = new QLabel(fromAnsi(kVersionText), this);
  version->setObjectName(QStringLiteral("aboutVersion"));
  version->setAlignment(Qt::AlignCenter);

  auto* proceed = new QPushButton(QStringLiteral("&Continue"), this);
  proceed->setObjectName(QStringLiteral("continueButton"));
  proceed->setDefault(true);
  setHint(proceed, QStringLiteral("Close this screen."));
  connect(proceed, &QPushButton::clicked, this, &QDialog::accept);

  idleStatus_ = fromAnsi(aboutStatusText(form));
  status_ = new QLabel(idleStatus_, this);
  status_->setObjectName(QStringLiteral("aboutStatus"));
  status_->setFrameShape(QFrame::Panel);
  status_->setFrameShadow(QFrame::Sunken);

  auto* column = new QVBoxLayout(this);
  column->addWidget(banner);
  column->addWidget(version);
  column->addWidget(proceed, 0, Qt::AlignHCenter);
  column->addWidget(status_);
  setFixedWidth(320);
}

QString AboutDialog::statusText() const {
  return status_->text();
}

bool AboutDialog::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    status_->setText(tip.isEmpty() ? idleStatus_ : tip);
    return true;
  }
  return QDialog::event(event);
}

}  // namespace corvasta
