#pragma once
// Text between the program logic and Qt: the logic's texts are ANSI
// (Windows-1252) with "\r" (or "\r\n") as the line break; Qt's are Unicode
// with "\n".

#include <QString>
#include <string>

namespace corvasta {

QString fromAnsi(const std::string& ansi);
std::string toAnsi(const QString& text);

}  // namespace corvasta
