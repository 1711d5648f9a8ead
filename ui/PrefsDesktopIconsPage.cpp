// The Desktop Icons page: the six task boxes, the title, "&Create Desktop
// Icon" and the list of the Desktop's icons that start the program.

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/core/Core.h"
#include "prefs/Unit8.h"
#include "ui/PreferencesPages.h"
#include "ui/PreferencesWidgets.h"
#include "ui/QtUi.h"

namespace corvasta {

QWidget* buildDesktopIconsPage(const PrefsPageContext& context) {
  DesktopIconsPage& icons = context.form.desktopIcons;
  auto* page = named(new QWidget(context.parent), "desktopIconsPage");

  auto* boxes = new QVBoxLayout;
  static constexpr std::array<const char*, kIconBoxes> kNames{"iconStartBox",   "iconConfig1Box",
                                                              "iconConfig2Box", "iconConfig3Box",
                                                              "iconConfig4Box", "iconRegPackBox"};
  for (size_t box = 0; box < kIconBoxes; ++box)
    boxes->addWidget(boundCheckBox(
        context, kNames[box], kIconBoxCaptions[box], [&icons, box] { return icons.boxes[box]; },
        [&icons, box](bool on) { icons.boxes[box] = on; }));
  boxes->addStretch(1);

  QLineEdit* title = boundField(
      context, "iconTitle", [&icons] { return icons.title; },
      [&icons](const std::string& typed) { icons.title = typed; });
  auto* titleLabel = new QLabel(QStringLiteral("Title"), page);
  titleLabel->setBuddy(title);
  QPushButton* create = boundButton(context, "createIconButton", "&Create Desktop Icon",
                                    [&icons] { icons.CreateIcon(); });

  auto* list = named(new QListWidget(page), "iconList");
  QObject::connect(list, &QListWidget::itemClicked, list, [context, list](QListWidgetItem* item) {
    const size_t index = static_cast<size_t>(list->row(item));
    context.press([&icons = context.form.desktopIcons, index] { icons.ListBox1Click(index); });
  });
  context.onRefresh([&icons, list] {
    const QSignalBlocker quiet(list);
    QStringList shown;
    for (const std::string& icon : icons.icons) shown << fromAnsi(icon);
    QStringList listed;
    for (int row = 0; row < list->count(); ++row) listed << list->item(row)->text();
    if (listed == shown) return;
    list->clear();
    list->addItems(shown);
  });

  auto* grid = new QGridLayout(page);
  grid->addLayout(boxes, 0, 0, 4, 1);
  grid->addWidget(titleLabel, 0, 1);
  grid->addWidget(title, 1, 1);
  grid->addWidget(create, 2, 1, Qt::AlignLeft);
  grid->addWidget(list, 3, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);
  return page;
}

}  // namespace corvasta
