#pragma once
// The Preferences dialog's texts: captions, hints and messages of the Backup
// Properties, Backup Names and Advanced pages, as the user sees them. The
// view shows them; the logic uses the messages.

#include <array>

namespace corvasta {

inline constexpr const char* kPreferencesCaption = "Corvasta Preferences";
inline constexpr const char* kConfigListCaption = "&Backup Config:";
inline constexpr size_t kConfigNameLength = 10;

// Settings page.
inline constexpr const char* kBackupTypeCaption = "&Backup Type:";
// The backup type and compression lists: backupTypeRules and compressionRules
// (backup/model/BackupTypes.h) give their captions.
inline constexpr const char* kTargetCaption = "&Target:";
inline constexpr const char* kTargetBrowseTitle = "Select Target Directory for Backups";
inline constexpr const char* kCompressionCaption = "&Compression Level:";
inline constexpr const char* kVerifyCaption =
    "Verify Backup - checks for errors in backup after it is created. ";

// WinFiles and Other Files pages.
inline constexpr const char* kWinFilesNote =
    "User Profile items are not necessary for Crash Recovery.";
inline constexpr std::array<const char*, 4> kOtherFilesButtons{"&New", "&Edit", "&Delete",
                                                               "En&tire Drive"};

// Misc. pages.
inline constexpr const char* kCloseAfterCaption = "C&lose Corvasta After Backup";
inline constexpr const char* kMinimizeCaption = "&Minimize during Backup";
inline constexpr const char* kDeleteFilesCaption = "&Delete all files on Disk before Backup";
inline constexpr const char* kOpenFilesCaption = "Enable Open File Backup";
inline constexpr const char* kTreatAsFixedCaption = "&Treat Removable Disk as Fixed Disk";
inline constexpr const char* kCdPacketCaption = "Use CD packet format";
inline constexpr const char* kBlockCheckCaption = "Save Large Files in Blocks of:";
inline constexpr const char* kBlockBytesCaption = "bytes";
inline constexpr const char* kPasswordCaption =
    "P&assword to use in Backup and Restore (optional):";
inline constexpr char kPasswordMask = '*';
inline constexpr const char* kPasswordHint =
    "Encrypts during Backup and decrypts during Restore using this password.  Passwords are not "
    "saved and must be reentered everytime you open Corvasta.";
inline constexpr const char* kWhichRegistryCaption = "Which Registry to Backup";
inline constexpr const char* kPreviousRegistryCaption = "&Previous (safest)";
inline constexpr const char* kCurrentRegistryCaption = "&Current (doesn't always work)";
inline constexpr const char* kOnlyCorvastaCdsCaption = "No Non-Corvasta CDs";
inline constexpr const char* kAlwaysBlankCaption = "Always Blank CDs";
inline constexpr const char* kEjectCdCaption = "Eject CD";

// Backup Names page.
inline constexpr const char* kUseDateCaption = "Use Date ( 07/22/2000 )";
inline constexpr const char* kUseNumbersCaption = "Use Consecutive Numbers ( 1, 2, 3, 4, etc.)";
inline constexpr const char* kDateFormatCaption = "Enter Format to use here ( dd/mm/yy ):";
inline constexpr const char* kAddConfigCaption = "Add Config";
inline constexpr const char* kExampleLinePrefix = "Example of Today's Date in the above format: ";

// Advanced page.
inline constexpr const char* kDefaultDirectoriesCaption = "Default Directories";
inline constexpr std::array<const char*, 4> kDirectoryButtons{"&Root", "&Startup", "&Temp",
                                                              "&User"};
inline constexpr const char* kPromptSubDirsCaption = "Do Not &Prompt for Deleting Subdirectories";
inline constexpr const char* kWindowsRestartCaption = "Windows Restart";
inline constexpr std::array<const char*, 2> kWindowsRestartItems{"startwin.pif", "autoexec.bat"};
inline constexpr const char* kCabExtractorCaption = "Cab Extractor";
inline constexpr std::array<const char*, 2> kCabExtractorItems{"Use &Driver", "Use &command.com"};

// Messages.
inline constexpr const char* kCannotEdit = "This item cannot be edited.";
inline constexpr const char* kSelectFromList = "Please select an item from the List";
inline constexpr const char* kReplaceTargetWarning =
    "If the Backup Type is Replace, the Target should be a subdirectory of the Corvasta "
    "directory and not the Corvasta directory itself.  Please change the Target.";
inline constexpr const char* kNotValidCharacter = " is not a valid character.";

}  // namespace corvasta
