// The page shown at start, before any tab is chosen.

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

QWidget* buildIntroductionPage(QWidget* parent) {
  auto* page = new QWidget(parent);
  page->setObjectName(QStringLiteral("introductionPage"));
  auto* column = new QVBoxLayout(page);
  column->setContentsMargins(8, 4, 8, 4);
  column->setSpacing(4);

  auto* title = new QLabel(QStringLiteral("4 Utilities in 1"), page);
  title->setObjectName(QStringLiteral("introductionTitle"));
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() + 4);
  big.setBold(true);
  title->setFont(big);
  title->setAlignment(Qt::AlignHCenter);
  column->addWidget(title);

  struct Heading {
    const char* title;
    const char* line;
    Glyph glyph;
  };
  static constexpr Heading kHeadings[] = {
      {"Crash Fixer", "Restores Windows from a backup when it crashes.", Glyph::Restore},
      {"RegPack", "Makes the registry smaller and faster.", Glyph::RegPack},
      {"Backup", "Backs up the registry, the Windows settings and your files.", Glyph::Backup},
      {"Troubleshooters", "Help with Windows problems, one click away.", Glyph::Help},
  };
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  int row = 0;
  for (const Heading& heading : kHeadings) {
    auto* icon = new QLabel(page);
    icon->setPixmap(glyphPixmap(heading.glyph, 20));
    auto* name = new QLabel(QString::fromLatin1(heading.title), page);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    grid->addWidget(icon, row, 0);
    grid->addWidget(name, row, 1);
    grid->addWidget(pageText(QString::fromLatin1(heading.line), QString(), page), row, 2);
    ++row;
  }
  grid->setColumnStretch(2, 1);
  column->addLayout(grid);
  column->addStretch(1);
  return page;
}

}  // namespace corvasta
