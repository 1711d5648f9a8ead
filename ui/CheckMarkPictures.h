#pragma once
// The check bitmaps of the file lists, drawn: a sunken white box, empty or
// with a tick, and the blank a folder has in their place. An item's picture
// is its check bitmap followed by its icon, so the tick zone at the item's
// left edge is the check bitmap.

#include <QIcon>
#include <QPixmap>

namespace corvasta {

enum class CheckMark { None, Unchecked, Checked };

inline constexpr int kCheckMarkSize = 16;

QPixmap checkMarkPixmap(CheckMark mark);
// The check bitmap and `icon` side by side: 2 x 16 by 16 pixels.
QIcon checkedItemPicture(CheckMark mark, const QIcon& icon);

}  // namespace corvasta
