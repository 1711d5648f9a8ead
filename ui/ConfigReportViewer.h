#pragma once
// The configuration report shown read-only in a small window of its own,
// beside the Notepad the logic starts on the machine.

#include <string>
#include <vector>

class QWidget;

namespace corvasta {

// Opens the viewer (not modal; it closes with its parent) on the report's lines.
void showConfigReportViewer(QWidget* parent, const std::string& title,
                            const std::vector<std::string>& lines);

}  // namespace corvasta
