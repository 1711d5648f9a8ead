#pragma once
// An Other Files entry as the settings file keeps it (section `MultiFiles`i
// and its notes section), and what its archive takes from it: the files list
// and exclude list, the notes file's text, and whether it is an entire-drive
// entry.

#include <optional>
#include <string>
#include <vector>

namespace platform {
class TIniFile;
}

namespace corvasta {

struct OtherFilesEntry {
  std::string fileName;
  std::string path;                    // the folder the entry was edited in
  std::string fileType;                // the older single include mask
  std::vector<std::string> fileTypes;  // FileType0, FileType1, ...
  std::vector<std::string> files;      // Files0, Files1, ...: "+" or "-" and a full path
  std::string notes;                   // the older one-line note
  std::vector<std::string> noteLines;  // the notes section, one line per key
};

// Entry `index` of the settings file; numbered keys are read up to the first
// missing one.
OtherFilesEntry readOtherFilesEntry(const platform::TIniFile& settings, int index);

struct OtherFilesSelection {
  std::vector<std::string> filesList;
  std::vector<std::string> excludeList;
};

// `mask` with the folder of the entry's `path` in front when it has no
// folder of its own; a mode character (">" or "|") stays in front.
std::string inEntryFolder(const std::string& mask, const std::string& path);

// The archive engine's lists for an entry. A mask without a folder of its own
// is taken in the folder of `path` (after its mode character, if any). A
// ticked single file is listed with "|", so that copy mode, which takes an
// unmarked entry with its subfolders, copies that file alone and not every
// file of the same name below its folder.
OtherFilesSelection otherFilesSelection(const OtherFilesEntry& entry);

// The text of the entry's notes file: the older note as it stands, otherwise
// the lines of the notes section, each ended by CR LF; nothing when the entry
// has no note.
std::optional<std::string> otherFilesNotesText(const OtherFilesEntry& entry);

// The drive of an entire-drive entry ("All Files on Drive D" gives 'D');
// nothing for any other entry, or one whose name does not end in a letter.
std::optional<char> entireDriveLetter(const std::string& fileName);

}  // namespace corvasta
