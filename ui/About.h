#pragma once
// The About screen: the logo, the program's version and a status line with
// the last backup's date. While it is open the hints of the controls under
// the mouse replace the status text.

#include <QDialog>
#include <string>

class QLabel;

namespace corvasta {

class TForm1;

// "Last Backup " + date + " (" + age + ")" from the settings file's
// `Last Backup`, or "Welcome to Corvasta" when none was made.
std::string aboutStatusText(TForm1& form);

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(TForm1& form, QWidget* parent = nullptr);
  QString statusText() const;

 protected:
  bool event(QEvent* event) override;

 private:
  QLabel* status_;
  QString idleStatus_;
};

}  // namespace corvasta
