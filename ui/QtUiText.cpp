#include "ui/QtUiText.h"

#include "platform/core/codepage.h"

namespace corvasta {

QString fromAnsi(const std::string& ansi) {
  QString text = QString::fromStdString(platform::ansiToUtf8(ansi));
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string toAnsi(const QString& text) {
  return platform::utf8ToAnsi(text.toStdString());
}

}  // namespace corvasta
