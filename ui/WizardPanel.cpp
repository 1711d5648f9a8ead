#include "ui/WizardPanel.h"

#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/core/errors.h"
#include "platform/files/whole_file_write.h"
#include "ui/MainWindowGlyphs.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

constexpr int kPanelHeight = 64;
constexpr int kLogoWidth = 216;
constexpr int kLogoHeight = 36;

}  // namespace

TWizardPanel::TWizardPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("wizardPanel"));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setFixedHeight(kPanelHeight);

  logo_ = new QLabel(this);
  logo_->setObjectName(QStringLiteral("logo"));
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("heading"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  text_ = new QLabel(this);
  text_->setObjectName(QStringLiteral("text"));
  text_->setWordWrap(true);
  text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  auto* words = new QVBoxLayout;
  words->setSpacing(2);
  words->addWidget(heading_);
  words->addWidget(text_, 1);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 6, 8, 6);
  row->addWidget(logo_);
  row->addLayout(words, 1);
  showPicture(drawnLogo());
}

QPixmap TWizardPanel::drawnLogo() {
  return logoPixmap(kLogoWidth, kLogoHeight, QColor(176, 24, 24));
}

void TWizardPanel::showPicture(const QPixmap& picture) {
  picture_ = picture;
  logo_->setPixmap(picture);
}

void TWizardPanel::loadLogo(platform::FileSystem& files, const std::string& programDirectory) {
  QImage image;
  try {
    const std::string bytes = platform::readWholeFile(files, programDirectory + "logome.bmp");
    image = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                             static_cast<int>(bytes.size()), "BMP");
  } catch (const platform::OsError&) {
    // No picture on the machine: the drawn logo stays.
  }
  logoFromFile_ = !image.isNull();
  if (!logoFromFile_) return showPicture(drawnLogo());
  QPixmap picture = QPixmap::fromImage(image);
  if (picture.height() > kLogoHeight + 12)
    picture = picture.scaledToHeight(kLogoHeight + 12, Qt::SmoothTransformation);
  showPicture(picture);
}

void TWizardPanel::setHeading(const std::string& heading) {
  heading_->setText(fromAnsi(heading));
}

void TWizardPanel::setText(const std::string& text) {
  text_->setText(fromAnsi(text));
}

}  // namespace corvasta
