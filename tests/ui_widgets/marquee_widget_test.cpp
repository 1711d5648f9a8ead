// The marquee on the status panel: the text it gets from the logic, its
// scrolling, the click that stops it and the tab changes.

#include <QFontMetrics>
#include <QTest>

#include "app/MarqueeText.h"
#include "tests/ui_support/screenshot.h"
#include "tests/ui_widgets/ui_fixture.h"
#include "ui/Marquee.h"

namespace ui_test {
namespace {

class MarqueeTest : public UiFixture {
 protected:
  MarqueeTest() : marquee(form(), &mainWindow) {
    marquee.setGeometry(0, 220, 491, marquee.sizeHint().height());
    marquee.show();
  }
  int panelWidth() const { return marquee.contentsRect().width(); }
  int widthOf(const std::string& text) const {
    return QFontMetrics(marquee.font()).horizontalAdvance(QString::fromStdString(text));
  }

  corvasta::Marquee marquee;
};

TEST_F(MarqueeTest, BeforeTheFirstTextThePanelShowsItsCaption) {
  EXPECT_EQ(marquee.toolTip(), "Click on Marquee to stop and start it.");
  EXPECT_TRUE(form().MarqueeText.empty());
  EXPECT_FALSE(marquee.scrolling());
  saveScreenshot(marquee, "status_panel");
}

TEST_F(MarqueeTest, GetMarqueeTextBuildsTheTextAndStartsOver) {
  ASSERT_TRUE(form().GetMarqueeText);
  form().GetMarqueeText();
  EXPECT_EQ(form().MarqueeText.rfind("Welcome to Corvasta.", 0), 0u);
  EXPECT_TRUE(marquee.scrolling());
  EXPECT_EQ(marquee.position(), panelWidth());
  EXPECT_EQ(marquee.frame(), (corvasta::MarqueeFrame{0, false}));

  marquee.Timer1Timer();
  marquee.Timer1Timer();
  EXPECT_EQ(marquee.position(), panelWidth() + 4);
  EXPECT_EQ(marquee.frame().x, -2);
  saveScreenshot(marquee, "marquee");

  // The timer moves it by itself.
  const int64_t before = marquee.position();
  QTest::qWait(350);
  EXPECT_GE(marquee.position(), before + 4);
}

TEST_F(MarqueeTest, AClickStopsAndStartsIt) {
  form().GetMarqueeText();
  QTest::mouseClick(&marquee, Qt::LeftButton);
  EXPECT_FALSE(marquee.scrolling());
  EXPECT_FALSE(form().core.marqueeRunning);
  EXPECT_FALSE(form().core.Form8.marqueeScroll);
  const int64_t stopped = marquee.position();
  QTest::qWait(250);
  EXPECT_EQ(marquee.position(), stopped);
  // A new text does not start a stopped marquee.
  form().GetMarqueeText();
  EXPECT_FALSE(marquee.scrolling());
  QTest::mouseClick(&marquee, Qt::LeftButton);
  EXPECT_TRUE(marquee.scrolling());
  EXPECT_TRUE(form().core.Form8.marqueeScroll);
}

TEST_F(MarqueeTest, TabChangesScrollTheRegPackStatusIntoViewOrStartOver) {
  form().GetMarqueeText();
  const std::string text = form().MarqueeText;
  const size_t offset = *corvasta::regPackStatusOffset(text);
  marquee.PageControl1Change(corvasta::kRegPackTab);
  EXPECT_EQ(marquee.position(), widthOf(text.substr(0, offset)) + panelWidth());
  EXPECT_EQ(marquee.frame().x, -widthOf(text.substr(0, offset)));
  saveScreenshot(marquee, "marquee_regpack_tab");

  marquee.PageControl1Change(corvasta::kHelpTab);  // other tabs leave it
  EXPECT_EQ(marquee.position(), widthOf(text.substr(0, offset)) + panelWidth());
  marquee.PageControl1Change(corvasta::kBackupTab);
  EXPECT_EQ(marquee.position(), panelWidth());
}

TEST_F(MarqueeTest, TheHookLeavesWithTheWidget) {
  auto other = std::make_unique<corvasta::Marquee>(form());
  other.reset();
  EXPECT_FALSE(form().GetMarqueeText);
}

}  // namespace
}  // namespace ui_test
