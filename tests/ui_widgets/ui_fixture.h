#pragma once
// The widget tests' setting: the offscreen QApplication, the Qt Ui, and the
// main window's logic on a small Windows ME machine talking to it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/program_rig.h"
#include "tests/ui_support/qt_test_app.h"
#include "ui/QtUi.h"

namespace ui_test {

class UiFixture : public ::testing::Test {
 protected:
  UiFixture();
  ~UiFixture() override;

  // The button of a showing dialog whose text is `text` ("&Yes", "OK"), or null.
  static QAbstractButton* buttonOf(QDialog& dialog, const QString& text);
  // The texts of a dialog's visible buttons, in their order on screen.
  static std::vector<std::string> buttonTexts(QDialog& dialog);
  // Answers every dialog by clicking the button `text`; records the dialogs'
  // captions in `captions`.
  void answerWith(const QString& text);

  QApplication& app = qtTestApp();
  corvasta::QtUi ui;
  QWidget mainWindow;
  std::unique_ptr<testing_support::ProgramRig> machine;
  corvasta::TForm1& form() { return *machine->form; }
  std::vector<std::string> captions;
};

}  // namespace ui_test
