#pragma once
// The main window's pictures, drawn with QPainter: the logo of the title
// bar, the caption buttons' symbols and the picture buttons' glyphs.

#include <QIcon>
#include <QPixmap>

namespace corvasta {

enum class Glyph {
  Backup,       // a diskette with an arrow into it
  Restore,      // a first-aid cross
  RegPack,      // arrows pressing a block together
  Extractor,    // an open box with a file leaving it
  BootDisk,     // a diskette with a power sign
  Help,         // a question mark
  Wizard,       // a pointed hat with a star
  Exit,         // a door with an arrow out
  CaptionHelp,  // the title bar's "?"
  CaptionMinimize,
  CaptionExit,
};

// A glyph of `size` pixels square on a transparent background.
QIcon glyphIcon(Glyph glyph, int size = 16);
QPixmap glyphPixmap(Glyph glyph, int size = 16);

// The program's logo for the title bar and the About screen: the shield and
// the name in `nameColour` (white on the red title bar).
QPixmap logoPixmap(int width, int height, const QColor& nameColour = Qt::white);

}  // namespace corvasta
