#pragma once
// The help commands of the main window: the title bar's Help button (the
// active page's topic), the Help page's contents and tutorial buttons, and
// the help viewers of the machine they and the troubleshooter menu use.
//
// Help files are Windows help: WinHelp files open in the machine's
// WINHLP32.EXE, compiled HTML Help in its HH.EXE. A machine without the
// viewer (or without the file) cannot show the help; the caller says so.

#include <string>

namespace corvasta {

class TForm1;

// The help file: "Corvasta.hlp" in the program directory, or "Corvasta" +
// short mode name + ".hlp" there when that file exists. Stored in the form's
// locations, since the file may appear while the program runs.
std::string HelpFileName(TForm1& form);

// The help topic of a main window page (MainTab, kIntroductionPage included).
std::string helpTopicOfTab(int tab);

// The help file at `topic` (empty: the contents), or the message that it
// could not be opened.
void showHelpTopic(TForm1& form, const std::string& topic);
// The title bar's Help button: the help file at the topic of `activeTab`.
void HelpClick(TForm1& form, int activeTab);
// "&Help" on the Help page: the help file's contents and index.
void HelpCont(TForm1& form);
// "&Quick Tutorial to Corvasta": the tutorial topic in the "tutorial" window.
void Button4Click(TForm1& form);

// The machine's viewers. Each returns false when the file does not exist or
// the viewer could not be started. `topic` empty: the contents.
bool showWinHelp(TForm1& form, const std::string& file, const std::string& topic);
// An HTML Help topic, file + "::/" + topic (".htm" appended to a topic with
// another extension); when HTML Help cannot show it, the WinHelp file of the
// same name (".hlp") at the topic.
bool showHtmlHelp(TForm1& form, const std::string& file, const std::string& topic);
// A document opened with the application the machine's registry names for
// its extension (the shell's "open" command).
bool openWithRegisteredApplication(TForm1& form, const std::string& file);

}  // namespace corvasta
