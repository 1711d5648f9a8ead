#pragma once
// The pages of the Preferences dialog's view, one builder each. A builder
// makes its page's widgets, hands every user change to the TForm8 handler
// through `press`, and adds a refresher that shows the form's state again
// (text, hint, enabled and visible state); the dialog runs every refresher
// after each handler.

#include <QString>

#include "ui/BoundContext.h"

class QWidget;
class QTabWidget;

namespace corvasta {

class TForm8;

struct PrefsPageContext : BoundContext {
  TForm8& form;
};

QWidget* buildBackupManagerPage(const PrefsPageContext& context);
// The config list over the tabs; `tabs` receives the inner tab widget.
QWidget* buildBackupPropertiesPage(const PrefsPageContext& context, QTabWidget** tabs);
QWidget* buildBackupNamesPage(const PrefsPageContext& context);
QWidget* buildSystemBackupsPage(const PrefsPageContext& context);
QWidget* buildAutomationPage(const PrefsPageContext& context);
QWidget* buildDesktopIconsPage(const PrefsPageContext& context);
QWidget* buildCdFormatPage(const PrefsPageContext& context);
QWidget* buildAdvancedPage(const PrefsPageContext& context);

// The inner tabs of Backup Properties.
QWidget* buildIntroductionTab(const PrefsPageContext& context);
QWidget* buildSettingsTab(const PrefsPageContext& context);
QWidget* buildWinFilesTab(const PrefsPageContext& context);
QWidget* buildOtherFilesTab(const PrefsPageContext& context);
QWidget* buildMiscTab(const PrefsPageContext& context);
QWidget* buildMiscCdTab(const PrefsPageContext& context);

}  // namespace corvasta
