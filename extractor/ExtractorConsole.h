#pragma once
// The Extractor without its window: the dialog's own handlers driven through
// the Ui. The backup is chosen with the browse button's chooser, the listing
// is printed (the count label, then each root's text and the paths of its
// files), the input box "Extract Files from Backup" takes the masks of the
// files to extract, and the Extract and Exit buttons are pressed.

#include <functional>
#include <string>
#include <vector>

namespace corvasta {

class TForm10;

// The masks of the input box's answer, separated by ";" and trimmed; empty
// masks are left out.
std::vector<std::string> extractionMasks(const std::string& answer);

// Checks the file nodes whose paths one of `masks` matches (a mask with "\"
// against the full path, otherwise against the file name); every file when
// there are no masks. Returns how many were checked.
size_t checkMatchingFiles(TForm10& form, const std::vector<std::string>& masks);

// The dialog from its activation to "E&xit". `print` takes each line of the
// listing (nothing is printed without it).
void RunExtractorDialog(TForm10& form, const std::function<void(const std::string&)>& print);

}  // namespace corvasta
