// The wizards' header panel: "logome.bmp" of the program directory shown
// when it loads (a pixel of it compared), the drawn logo when it is missing
// or no bitmap; the heading and the text. Pictures of both.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QTest>

#include "app/Unit1.h"
#include "tests/ui_main/main_window_fixture.h"
#include "tests/ui_support/screenshot.h"
#include "ui/WizardPanel.h"

namespace ui_main_test {
namespace {

using corvasta::TWizardPanel;

// A bitmap of two colours: blue on the left half, yellow on the right.
std::string twoColourBitmap() {
  QImage image(80, 40, QImage::Format_RGB32);
  image.fill(QColor(0, 0, 200));
  for (int y = 0; y < image.height(); ++y)
    for (int x = image.width() / 2; x < image.width(); ++x)
      image.setPixelColor(x, y, QColor(250, 220, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes.toStdString();
}

struct PanelOnSample {
  PanelOnSample() : m(platform::WindowsVersion::WinMe, 3) {
    panel.resize(480, 64);
    panel.setHeading("Backup Wizard");
    panel.setText("This wizard backs up the Registry, the WinConfig files and your Other Files.");
  }
  std::string programDir() { return m.form->core.loc.programDir; }
  void load() {
    panel.loadLogo(*m.files, programDir());
    panel.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
  }
  MainWindowMachine m;
  TWizardPanel panel;
};

TEST(WizardPanel, ShowsLogomeBmpOfTheProgramDirectory) {
  PanelOnSample p;
  p.m.write(p.programDir() + "logome.bmp", twoColourBitmap());
  p.load();
  ASSERT_TRUE(p.panel.showsLogoFile());
  const QImage shown = p.panel.picture().toImage();
  EXPECT_EQ(shown.size(), QSize(80, 40));
  EXPECT_EQ(shown.pixelColor(10, 20), QColor(0, 0, 200));
  EXPECT_EQ(shown.pixelColor(70, 20), QColor(250, 220, 0));
  // And it is what the panel draws.
  const QImage drawn = p.panel.grab().toImage();
  int blue = 0, yellow = 0;
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x) {
      blue += drawn.pixelColor(x, y) == QColor(0, 0, 200);
      yellow += drawn.pixelColor(x, y) == QColor(250, 220, 0);
    }
  EXPECT_EQ(blue, 40 * 40);
  EXPECT_EQ(yellow, 40 * 40);
  EXPECT_EQ(child<QLabel>(p.panel, "heading")->text(), "Backup Wizard");
  ui_test::saveScreenshot(p.panel, "wizard-panel-logome");
}

TEST(WizardPanel, WithoutALoadableLogomeTheDrawnLogoStays) {
  PanelOnSample p;
  p.load();
  EXPECT_FALSE(p.panel.showsLogoFile());
  const QImage drawnLogo = TWizardPanel::drawnLogo().toImage();
  EXPECT_EQ(p.panel.picture().toImage(), drawnLogo);
  // The name beside the shield shows on the white panel.
  int named = 0;
  for (int y = 0; y < drawnLogo.height(); ++y)
    for (int x = drawnLogo.width() / 2; x < drawnLogo.width(); ++x) {
      const QColor pixel = drawnLogo.pixelColor(x, y);
      named += pixel.alpha() == 255 && pixel.red() > 120 && pixel.green() < 80;
    }
  EXPECT_GT(named, 50);
  ui_test::saveScreenshot(p.panel, "wizard-panel");

  // A file of that name that is no bitmap changes nothing.
  p.m.write(p.programDir() + "logome.bmp", "BM not really a bitmap");
  p.panel.loadLogo(*p.m.files, p.programDir());
  EXPECT_FALSE(p.panel.showsLogoFile());
  EXPECT_EQ(p.panel.picture().toImage(), drawnLogo);
}

}  // namespace
}  // namespace ui_main_test
