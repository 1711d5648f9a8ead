// The CD Format page against a fake CD-writing engine: the stored drive
// chosen again in every mode, the buttons by capability, the erase
// questions and messages; and the page without an engine.

#include <gtest/gtest.h>

#include <algorithm>

#include "prefs/CdFormatDrive.h"
#include "tests/prefs_dialog/prefs_machine.h"

namespace prefs_dialog_test {
namespace {

class FakeBurner : public corvasta::CdFormatDrive {
 public:
  bool initialised() const override { return started; }
  void initialise() override {
    started = true;
    ++initialisations;
  }
  std::vector<std::string> drives() const override { return list; }
  void SelectDevice(size_t index) override { selected = index; }
  uint32_t capabilities() const override { return caps[selected]; }
  std::string driveLetter() const override { return std::string(1, letters[selected]); }
  bool erasable() override { return canErase; }
  void erase(bool quick) override { erases.push_back(quick); }

  bool started = false;
  int initialisations = 0;
  std::vector<std::string> list{"1:0:0 E: HL-DT-ST DVDRAM GSA 1.00", "1:1:0 F: READER CD-ROM 2.00"};
  std::vector<uint32_t> caps{corvasta::kWritesCdR | corvasta::kWritesDvdRam, 0};
  std::string letters = "EF";
  size_t selected = 0;
  bool canErase = true;
  std::vector<bool> erases;
};

TEST(CdFormat, TheStoredDriveIsChosenAgainInEveryMode) {
  for (WindowsVersion version :
       {WindowsVersion::Win95, WindowsVersion::WinMe, WindowsVersion::WinXp}) {
    PrefsMachine m(version);
    FakeBurner burner;
    m.setSetting("CDFormat", "Device", burner.list[1]);
    m.dialog().cdEngine = &burner;
    m.dialog().ShowPage(corvasta::PrefsPage::CdFormat);
    const corvasta::CdFormatPage& page = m.dialog().cdFormat;
    EXPECT_EQ(burner.initialisations, 1);
    EXPECT_EQ(page.items, burner.list);
    EXPECT_EQ(page.selected, 1u);
    EXPECT_EQ(burner.selected, 1u);
    EXPECT_EQ(m.crudini("CDFormat", "Device"), burner.list[1]);
    EXPECT_EQ(page.hint, burner.list[1]);
    // A reader cannot blank discs.
    EXPECT_FALSE(page.quickEnabled || page.fullEnabled);
    m.dialog().cdFormat.DriveChange(0);
    EXPECT_TRUE(page.quickEnabled && page.fullEnabled);
    EXPECT_EQ(m.setting("CDFormat", "Device"), burner.list[0]);
    // Shown again: not initialised twice.
    m.dialog().ShowPage(corvasta::PrefsPage::CdFormat);
    EXPECT_EQ(burner.initialisations, 1);
    EXPECT_EQ(page.selected, 0u);
  }
}

TEST(CdFormat, FormattingAsksAndSaysWhenTheDiscCannotBeErased) {
  PrefsMachine m(WindowsVersion::WinMe);
  FakeBurner burner;
  m.dialog().cdEngine = &burner;
  m.dialog().ShowPage(corvasta::PrefsPage::CdFormat);
  corvasta::CdFormatPage& page = m.dialog().cdFormat;
  m.ui.expect("A Quick Format takes up to 90 seconds.", "Yes")
      .expect("A Full Format takes up to 45 minutes.", "No");
  page.QuickFormatClick();
  EXPECT_EQ(m.ui.lastDefaultButton, 1u) << "No is the erase question's default";
  page.FullFormatClick();
  EXPECT_EQ(m.ui.lastDefaultButton, 1u);
  EXPECT_EQ(burner.erases, std::vector<bool>{true});
  EXPECT_NE(std::find(m.ui.transcript.begin(), m.ui.transcript.end(),
                      "Progress: Doing Quick Format of E"),
            m.ui.transcript.end());
  EXPECT_FALSE(m.form->core.Form4.view.visible);
  burner.canErase = false;
  m.ui.expect("CD is not eraseable.", "OK").expect("Disc is not eraseable", "OK");
  page.QuickFormatClick();
  page.FullFormatClick();
  EXPECT_TRUE(m.ui.finished());
  EXPECT_EQ(burner.erases.size(), 1u);
}

TEST(CdFormat, WithoutDrivesOrEngineThePageSaysWhy) {
  PrefsMachine m(WindowsVersion::WinMe);
  FakeBurner none;
  none.list.clear();
  m.dialog().cdEngine = &none;
  m.dialog().ShowPage(corvasta::PrefsPage::CdFormat);
  EXPECT_EQ(m.dialog().cdFormat.items, std::vector<std::string>{"No CD Drive Found"});
  EXPECT_FALSE(m.dialog().cdFormat.quickEnabled || m.dialog().cdFormat.listEnabled);

  // This version has no engine: a machine with a CD drive is told the
  // function is not there yet, not that it has no drive.
  PrefsMachine withCd(MachineBuilder::sample(WindowsVersion::WinMe).cdromDrive('E', {"disc"}));
  withCd.dialog().ShowPage(corvasta::PrefsPage::CdFormat);
  EXPECT_EQ(withCd.dialog().cdFormat.items,
            std::vector<std::string>{"This function is not available yet."});
  EXPECT_FALSE(withCd.dialog().cdFormat.fullEnabled || withCd.dialog().cdFormat.listEnabled);
  PrefsMachine withoutCd(MachineBuilder(WindowsVersion::WinMe));
  withoutCd.dialog().ShowPage(corvasta::PrefsPage::CdFormat);
  EXPECT_EQ(withoutCd.dialog().cdFormat.items, std::vector<std::string>{"No CD Drive Found"});
  EXPECT_EQ(withCd.setting("CDFormat", "Device"), "@");
}

}  // namespace
}  // namespace prefs_dialog_test
