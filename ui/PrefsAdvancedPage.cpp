// The Advanced page: the default-directory buttons, the subdirectory prompt,
// and in the modes that have them "Windows Restart" and "Cab Extractor".

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "prefs/ControlTexts.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {
namespace {

// A group of two radio buttons over one of the form's values (0 or 1).
QGroupBox* choiceGroup(const PrefsPageContext& context, const char* name, const char* caption,
                       const std::array<const char*, 2>& items, int& value,
                       std::function<bool()> visible) {
  TForm8& form = context.form;
  auto* group = named(new QGroupBox(fromAnsi(caption), context.parent), name);
  auto* layout = new QVBoxLayout(group);
  for (int item = 0; item < 2; ++item)
    layout->addWidget(boundRadioButton(
        context, items[static_cast<size_t>(item)], items[static_cast<size_t>(item)],
        [&value, item] { return value == item; },
        [&form, &value, item] {
          value = item;
          form.PreferenceChange();
        }));
  context.onRefresh([group, visible] { group->setVisible(visible()); });
  return group;
}

}  // namespace

QWidget* buildAdvancedPage(const PrefsPageContext& context) {
  TForm8& form = context.form;
  PreferenceValues& values = form.core.Form8;
  auto* page = named(new QWidget(context.parent), "advancedPage");

  auto* directories =
      named(new QGroupBox(fromAnsi(kDefaultDirectoriesCaption), page), "defaultDirectories");
  auto* row = new QHBoxLayout(directories);
  constexpr std::array<DefaultDirectory, 4> kWhich{DefaultDirectory::Root,
                                                   DefaultDirectory::Startup,
                                                   DefaultDirectory::Temp, DefaultDirectory::User};
  constexpr std::array<const char*, 4> kNames{"rootButton", "startupButton", "tempButton",
                                              "userButton"};
  for (size_t button = 0; button < kWhich.size(); ++button) {
    QPushButton* pushed =
        boundButton(context, kNames[button], kDirectoryButtons[button],
                    [&form, which = kWhich[button]] { form.DirectoryButtonClick(which); });
    if (kWhich[button] == DefaultDirectory::User)
      context.onRefresh([pushed, &form] { pushed->setVisible(form.visibility().userButton); });
    row->addWidget(pushed);
  }

  auto* layout = new QVBoxLayout(page);
  layout->addWidget(directories);
  layout->addWidget(preferenceCheckBox(context, "promptSubDirsBox", kPromptSubDirsCaption,
                                       values.promptForSubDirs));
  auto* choices = new QHBoxLayout;
  choices->addWidget(choiceGroup(context, "windowsRestartGroup", kWindowsRestartCaption,
                                 kWindowsRestartItems, values.config.windowsRestart,
                                 [&form] { return form.visibility().windowsRestart; }));
  choices->addWidget(choiceGroup(context, "cabExtractorGroup", kCabExtractorCaption,
                                 kCabExtractorItems, values.cabExtractor,
                                 [&form] { return form.visibility().cabExtractor; }));
  choices->addStretch(1);
  layout->addLayout(choices);
  layout->addStretch(1);
  return page;
}

}  // namespace corvasta
