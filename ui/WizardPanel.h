#pragma once
// TWizardPanel: the header panel of the wizards' pages, white with a
// picture on the left, a bold heading and a text below it. The picture is
// "logome.bmp" of the program directory when that file loads as a bitmap,
// otherwise the program's drawn logo.

#include <QPixmap>
#include <QWidget>
#include <string>

class QLabel;

namespace platform {
class FileSystem;
}

namespace corvasta {

class TWizardPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TWizardPanel(QWidget* parent = nullptr);

  // Reads programDirectory + "logome.bmp" through the machine; a file that
  // is missing or no bitmap leaves the drawn logo.
  void loadLogo(platform::FileSystem& files, const std::string& programDirectory);
  void setHeading(const std::string& heading);
  void setText(const std::string& text);

  bool showsLogoFile() const { return logoFromFile_; }
  // The picture without a logome.bmp: the program's logo, its name in red.
  static QPixmap drawnLogo();
  QPixmap picture() const { return picture_; }

 private:
  void showPicture(const QPixmap& picture);

  QLabel* logo_;
  QLabel* heading_;
  QLabel* text_;
  QPixmap picture_;
  bool logoFromFile_ = false;
};

}  // namespace corvasta
