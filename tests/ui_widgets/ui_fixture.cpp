#include "tests/ui_widgets/ui_fixture.h"

#include <QApplication>
#include <QTest>
#include <algorithm>

namespace ui_test {

UiFixture::UiFixture() {
  mainWindow.resize(491, 244);
  mainWindow.show();
  ui.setMainWindow(&mainWindow);
  machine = std::make_unique<testing_support::ProgramRig>(testing_support::MachineBuilder(), ui);
  ui.setMachine(machine->machine.get());
}

UiFixture::~UiFixture() {
  machine.reset();
  ui.setDialogHook(nullptr);
}

QAbstractButton* UiFixture::buttonOf(QDialog& dialog, const QString& text) {
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (button->isVisible() && button->text() == text) return button;
  return nullptr;
}

std::vector<std::string> UiFixture::buttonTexts(QDialog& dialog) {
  std::vector<QAbstractButton*> buttons;
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
    if (button->isVisible()) buttons.push_back(button);
  std::sort(buttons.begin(), buttons.end(), [&](QAbstractButton* a, QAbstractButton* b) {
    return a->mapTo(&dialog, QPoint()).x() < b->mapTo(&dialog, QPoint()).x();
  });
  std::vector<std::string> texts;
  for (QAbstractButton* button : buttons) texts.push_back(button->text().toStdString());
  return texts;
}

void UiFixture::answerWith(const QString& text) {
  ui.setDialogHook([this, text](QDialog& dialog) {
    captions.push_back(dialog.windowTitle().toStdString());
    QAbstractButton* button = buttonOf(dialog, text);
    ASSERT_NE(button, nullptr) << "no button " << text.toStdString();
    QTest::mouseClick(button, Qt::LeftButton);
  });
}

}  // namespace ui_test
