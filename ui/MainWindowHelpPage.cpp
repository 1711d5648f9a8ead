// The Help page: help, the tutorial, the troubleshooters and the About screen.

#include <QGridLayout>
#include <QPushButton>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

HelpPage buildHelpPage(QWidget* parent) {
  HelpPage help;
  help.page = new QWidget(parent);
  help.page->setObjectName(QStringLiteral("helpPage"));
  help.help = pictureButton(QStringLiteral("&Help"), Glyph::Help, QStringLiteral("helpContents"),
                            help.page);
  help.help->setMinimumHeight(36);
  help.preferences = textButton(QStringLiteral("&Preferences, Settings, Backup Manager"),
                                QStringLiteral("preferencesButton"), help.page);
  markNotAvailable(help.preferences);
  help.tutorial = textButton(QStringLiteral("&Quick Tutorial to Corvasta"),
                             QStringLiteral("tutorialButton"), help.page);
  help.troubleshooters = textButton(QStringLiteral("Windows &Troubleshooters (click for list)"),
                                    QStringLiteral("troubleshootersButton"), help.page);
  help.about = textButton(QStringLiteral("&About Corvasta (startup screen)"),
                          QStringLiteral("aboutButton"), help.page);

  auto* grid = new QGridLayout(help.page);
  grid->setContentsMargins(8, 4, 8, 4);
  grid->setVerticalSpacing(3);
  grid->addWidget(help.help, 0, 0, 2, 1);
  grid->addWidget(help.tutorial, 0, 1);
  grid->addWidget(help.troubleshooters, 1, 1);
  grid->addWidget(help.preferences, 2, 0, 1, 2);
  grid->addWidget(help.about, 3, 0, 1, 2);
  grid->setRowStretch(4, 1);
  return help;
}

}  // namespace corvasta
