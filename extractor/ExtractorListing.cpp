// TForm10's browse button: an archive's entries, or the files of a directory,
// into the check tree.

#include <cctype>

#include "app/core/Core.h"
#include "extractor/ExtractorDirection.h"
#include "extractor/Unit10.h"
#include "platform/core/errors.h"
#include "platform/files/file_system.h"

namespace corvasta {

namespace {

constexpr const char* kBackupFilter =
    "Corvasta Backup Files|*.zip;*.??z;*.001;*.002;*.003;*.004;*.005;*.006;*.007|All Files|*.*";
constexpr const char* kNoFiles = "No Files in Backup File";
constexpr const char* kNotAnArchive =
    " holds no files that can be read: it is not a ZIP archive, or it is damaged.";
constexpr const char* kNotValid =
    "This is not a valid Corvasta backup or the destination drive could not be found.";

std::string trimmed(const std::string& text, bool leading) {
  size_t first = 0, last = text.size();
  if (leading)
    while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return text.substr(first, last - first);
}

// Every file below `folder` (with "\"), as paths relative to it, folders
// walked without recursion of the call stack.
template <typename Visit>
void walkFiles(platform::FileSystem& files, const std::string& folder, Visit visit) {
  std::vector<std::string> pending{""};
  while (!pending.empty()) {
    const std::string below = pending.back();
    pending.pop_back();
    std::vector<platform::FindData> found;
    try {
      found = files.findAll(folder + below + "*");
    } catch (const platform::OsError&) {
      continue;  // an empty or vanished folder
    }
    for (const platform::FindData& item : found) {
      if (item.name == "." || item.name == "..") continue;
      if (item.attributes & platform::kAttributeDirectory)
        pending.push_back(below + item.name + "\\");
      else
        visit(below + item.name);
    }
  }
}

// The last "\X\" of a path (one letter between backslashes); npos when none.
size_t lastDriveFolder(const std::string& path) {
  for (size_t p = path.size() < 3 ? std::string::npos : path.size() - 3; p != std::string::npos;
       --p)
    if (path[p] == '\\' && path[p + 2] == '\\' &&
        std::isalpha(static_cast<unsigned char>(path[p + 1])))
      return p;
  return std::string::npos;
}

}  // namespace

std::string TForm10::browseStart() const {
  return Edit1.empty() ? core.Form8.config.target : Edit1;
}

void TForm10::Button7Click() {
  if (CheckBox2) {
    const std::optional<std::string> file =
        core.env.ui.chooseFile("Select a Corvasta Backup File", kBackupFilter, browseStart());
    if (!file) return;
    listArchive(*file);
  } else {
    const std::optional<std::string> folder =
        core.env.ui.chooseFolder("Select a Corvasta Backup Directory", browseStart());
    if (!folder) return;
    listDirectory(CheckPath(*folder));
  }
}

void TForm10::addListed(const std::string& path, int entry) {
  if (!TreeView1.AddPath(path, entry))
    core.env.ui.messageBox(kNotValid, core.ApplicationTitle, Buttons::Ok, Icon::Error);
}

void TForm10::startListing(const std::string& backup, const std::string& countLabel) {
  core.env.ui.setBusyCursor(BusyCursor = true);
  Edit1 = backup;
  CountLabel = countLabel;
  TreeView1.Clear();
  Selected = -1;
}

void TForm10::listArchive(const std::string& file) {
  startListing(file, "Reading Zip File");
  Button5Enabled = core.env.files.fileExists(ExcludeFileExt(file) + "-Notes.txt");
  archive::TZipWriter& zip = core.Zip1;
  zip.SetZipName(file);
  zip.FilesList.clear();
  try {
    ExtractorDirection direction(core, file);
    zip.ReadDirectory();
  } catch (const Error& error) {
    // Not an archive, or damaged beyond reading: nothing is listed.
    zip.CloseArchive();
    CountLabel = kNoFiles;
    finishListing();
    core.env.ui.messageBox(file + ": " + error.what(), core.ApplicationTitle, Buttons::Ok,
                           Icon::Error);
    return;
  }
  CountLabel = kNoFiles;
  const int count = zip.EntryCount();
  // Without its end record and without a single entry found, the file is no
  // archive at all (an empty archive is whole, and passes the test at once).
  if (count == 0 && !zip.TestArchive()) {
    zip.CloseArchive();
    finishListing();
    core.env.ui.messageBox(file + kNotAnArchive, core.ApplicationTitle, Buttons::Ok, Icon::Error);
    return;
  }
  for (int i = 0; i < count; ++i) {
    addListed(trimmed(zip.EntryFolder(i), true) + trimmed(zip.EntryName(i), false), i);
    CountLabel = std::to_string(i + 1) + " of " + std::to_string(count) + " Files in Backup File";
    countChanged(false);
  }
  finishListing();
}

void TForm10::listDirectory(const std::string& directory) {
  startListing(directory, "Reading Backup Directory");
  try {
    Button5Enabled = !core.env.files.findAll(directory + "*-Notes.txt").empty();
  } catch (const platform::OsError&) {
    Button5Enabled = false;
  }
  size_t listed = 0;
  const auto add = [&](const std::string& path) {
    addListed(path, -1);
    CountLabel = std::to_string(++listed) + " Files in Backup";
    countChanged(false);
  };
  const size_t p = lastDriveFolder(directory);
  if (p != std::string::npos) {
    // Inside a set: the drive-letter folder gives the original drive.
    const std::string drive = std::string(1, directory[p + 1]) + ":\\";
    const std::string below = directory.substr(p + 3);
    ListingBase = directory.substr(0, p + 1);
    walkFiles(core.env.files, directory,
              [&](const std::string& file) { add(drive + below + file); });
  } else {
    std::vector<std::string> driveFolders;
    try {
      for (const platform::FindData& item : core.env.files.findAll(directory + "*"))
        if (item.name.size() == 1 && item.name != "." &&
            (item.attributes & platform::kAttributeDirectory))
          driveFolders.push_back(item.name);
    } catch (const platform::OsError&) {
      // An empty directory lists nothing.
    }
    if (!driveFolders.empty()) {
      ListingBase = directory;
      for (const std::string& letter : driveFolders)
        walkFiles(core.env.files, directory + letter + "\\",
                  [&](const std::string& file) { add(letter + ":\\" + file); });
    } else {
      ListingBase = "0";
      walkFiles(core.env.files, directory, [&](const std::string& file) { add(directory + file); });
    }
  }
  finishListing();
}

void TForm10::finishListing() {
  countChanged(true);
  const bool listed = CountLabel != kNoFiles;
  Button2Enabled = Button3Enabled = Button8Enabled = listed;
  for (int root : TreeView1.Roots())
    TreeView1.node(root).expanded = !TreeView1.node(root).children.empty();
  core.env.ui.setBusyCursor(BusyCursor = false);
}

}  // namespace corvasta
