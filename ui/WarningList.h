#pragma once
// The warning list ("WARNING"): the view of TForm6. A borderless list of
// the operation's lines, shown modally with "&OK" (tag 0) or "&Yes" and
// "&No" (any other tag). Its height follows the number of lines until the
// screen would be too small, then the list scrolls (warningListLayout).

#include <QDialog>
#include <string>
#include <vector>

#include "app/core/Unit6.h"

class QListWidget;
class QPushButton;

namespace corvasta {

class WarningList : public QDialog {
  Q_OBJECT

 public:
  explicit WarningList(QWidget* parent = nullptr);

  // Fills the list and chooses the buttons; does not show the window.
  void setModel(const TForm6& model);
  // Shows the window modally: IDOK, IDYES or IDNO. Closing the window
  // without a button counts as OK, or No when the list asks a question.
  int run();

  const QListWidget& list() const { return *list_; }
  QPushButton& okButton() { return *ok_; }
  QPushButton& yesButton() { return *yes_; }
  QPushButton& noButton() { return *no_; }
  const WarningListLayout& layoutUsed() const { return layout_; }

 private:
  void arrange();

  QListWidget* list_;
  QPushButton* ok_;
  QPushButton* yes_;
  QPushButton* no_;
  bool question_ = false;
  int result_ = 0;
  WarningListLayout layout_;
};

}  // namespace corvasta
