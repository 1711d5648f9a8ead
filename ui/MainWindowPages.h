#pragma once
// The main window's pages and the controls the window binds. Each page is
// built by its own function (MainWindowPages.cpp); the window keeps the
// pointers to wire them to the program's logic.

#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace corvasta {

struct BackupPage {
  QWidget* page = nullptr;
  QPushButton* backup = nullptr;
  std::array<QCheckBox*, 4> configs{};
  QPushButton* changeProperties = nullptr;
};

struct CrashFixerPage {
  QWidget* page = nullptr;
  QComboBox* sources = nullptr;
  std::array<QCheckBox*, 4> extent{};  // Windows Crash, WinConfig, User Profile, Other Files
  QPushButton* restore = nullptr;
  QLabel* willRestart = nullptr;
};

struct RegPackPage {
  QWidget* page = nullptr;
  QPushButton* regPack = nullptr;
  QPushButton* undoRegPack = nullptr;
  QComboBox* kind = nullptr;     // "Quick RegPack" / "Expanded RegPack"
  QPushButton* third = nullptr;  // "&Check the Registry" or "Up&grade RegEdit"
  QLabel* note = nullptr;
};

struct ExtractorPage {
  QWidget* page = nullptr;
  QPushButton* extractor = nullptr;
};

struct BootDiskPage {
  QWidget* page = nullptr;
  QPushButton* bootDisk = nullptr;
  QComboBox* kinds = nullptr;
  QLabel* firstText = nullptr;
  QLabel* secondText = nullptr;
  QLabel* note = nullptr;
};

struct RepairPage {
  QWidget* page = nullptr;
  QLabel* setupTitle = nullptr;
  QLabel* setupNote = nullptr;
  QPushButton* setupDisks = nullptr;
  QLabel* repairRegistry = nullptr;
  QLabel* repairDiskText = nullptr;
  QPushButton* repairDisk = nullptr;
};

struct HelpPage {
  QWidget* page = nullptr;
  QPushButton* help = nullptr;
  QPushButton* preferences = nullptr;
  QPushButton* tutorial = nullptr;
  QPushButton* troubleshooters = nullptr;
  QPushButton* about = nullptr;
};

QWidget* buildIntroductionPage(QWidget* parent);
BackupPage buildBackupPage(QWidget* parent);
CrashFixerPage buildCrashFixerPage(QWidget* parent);
RegPackPage buildRegPackPage(QWidget* parent);
ExtractorPage buildExtractorPage(QWidget* parent);
BootDiskPage buildBootDiskPage(QWidget* parent);
RepairPage buildRepairPage(QWidget* parent);
HelpPage buildHelpPage(QWidget* parent);

}  // namespace corvasta
