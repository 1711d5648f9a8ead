// The RegPack page: RegPack, its undo, the kind list and the third button.

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/MainWindowPages.h"
#include "ui/MainWindowWidgets.h"

namespace corvasta {

RegPackPage buildRegPackPage(QWidget* parent) {
  RegPackPage regPack;
  regPack.page = new QWidget(parent);
  regPack.page->setObjectName(QStringLiteral("regPackPage"));

  regPack.regPack = pictureButton(QStringLiteral("&RegPack"), Glyph::RegPack,
                                  QStringLiteral("regPackButton"), regPack.page);
  regPack.undoRegPack = textButton(QStringLiteral("&Undo RegPack"),
                                   QStringLiteral("undoRegPackButton"), regPack.page);
  regPack.kind = new QComboBox(regPack.page);
  regPack.kind->setObjectName(QStringLiteral("regPackKind"));
  regPack.kind->addItems({QStringLiteral("Quick RegPack"), QStringLiteral("Expanded RegPack")});
  regPack.third = textButton(QStringLiteral("&Check the Registry"),
                             QStringLiteral("thirdRegPackButton"), regPack.page);
  regPack.note = pageText(QString(), QStringLiteral("regPackNote"), regPack.page);
  for (QWidget* control :
       {static_cast<QWidget*>(regPack.regPack), static_cast<QWidget*>(regPack.undoRegPack),
        static_cast<QWidget*>(regPack.kind), static_cast<QWidget*>(regPack.third)})
    markNotAvailable(control);

  auto* grid = new QGridLayout;
  grid->addWidget(regPack.regPack, 0, 0);
  grid->addWidget(regPack.kind, 0, 1);
  grid->addWidget(regPack.undoRegPack, 1, 0);
  grid->addWidget(regPack.third, 1, 1);
  auto* column = new QVBoxLayout(regPack.page);
  column->setContentsMargins(10, 6, 10, 6);
  column->addLayout(grid);
  column->addWidget(regPack.note);
  column->addStretch(1);
  return regPack;
}

}  // namespace corvasta
