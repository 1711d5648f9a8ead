#pragma once
// The texts and hints of the Other Files editor's pages, for its views.

#include <cstddef>

namespace corvasta::otherfiles_texts {

inline constexpr const char* kCaption = "Files to Backup";
inline constexpr size_t kNameLength = 8;  // the name field's limit

// Main page.
inline constexpr const char* kNameLabel = "Name of this Zip Package:";
inline constexpr const char* kNameHint =
    "What you want to name the backup file that these file will be put into.";
inline constexpr const char* kFolders = "Folders";
inline constexpr const char* kFiles = "Files";
inline constexpr const char* kRefreshList = "Refresh List";
inline constexpr const char* kSelect = "Select";
inline constexpr const char* kIncludeSubdirectories = "Include &subdirectories";
inline constexpr const char* kMore = "&More";
inline constexpr const char* kMoreHint =
    "Add Wildcards to be included or excluded from this directory.";
inline constexpr const char* kNotes = "Notes";
inline constexpr const char* kFindSize = "&Find Size of Backup";
inline constexpr const char* kOK = "OK";
inline constexpr const char* kCancel = "Cancel";
inline constexpr const char* kHelp = "&Help";

// More page.
inline constexpr const char* kMoreTitle = "Select File Groups using Wildcards (such as, * and ?)";
inline constexpr const char* kInclude = "&Include";
inline constexpr const char* kExclude = "&Exclude";
inline constexpr const char* kFilesToInclude = "Files to Include";
inline constexpr const char* kDeleteInclude = "&Delete";
inline constexpr const char* kFilesToExclude = "Files to Exclude";
inline constexpr const char* kDeleteExclude = "De&lete";
inline constexpr const char* kMoreHelp =
    "If you want to include or exclude a group of files, choose a File Group from the dropdown "
    "list above or type in your own.  Then press the Include or Exclude button.";
inline constexpr const char* kMoreOK = "&O K";

// Size page.
inline constexpr const char* kSizeTitle = "Size of Backup";
inline constexpr const char* kNumberOfFiles = "Number of Files:";
inline constexpr const char* kUncompressedSize = "Uncompressed Size:";
inline constexpr const char* kSizeNote =
    "If you are compressing this Backup the resulting size is usually at least half the "
    "uncompressed size, depending on the Compression Level used and the type of files being "
    "backed up.";
inline constexpr const char* kSizeOK = "O K";

// Notes page.
inline constexpr const char* kNotesTitle = "Notes";
inline constexpr const char* kNotesText =
    "Type below any notes or description which you would like associated with this backup file.";

}  // namespace corvasta::otherfiles_texts
