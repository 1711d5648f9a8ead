// TForm11's file-type buttons: which types the lists select in the current
// folder, and pressing or releasing one.

#include "app/core/Core.h"
#include "archive/zip_masks.h"
#include "archive/zip_scope.h"
#include "backup/Unit11.h"
#include "platform/core/codepage.h"

namespace corvasta {

namespace {

constexpr const char* kParentExcluded =
    "This File Type can't be included in this directory because a Parent Directory has already "
    "excluded it.";

bool isOwnFolderEntry(const std::string& entry, const std::string& folder) {
  return !entry.empty() && entry[0] == '|' &&
         platform::ansiEqualNoCase(archive::folderPart(entry.substr(1)), folder);
}

enum class MaskRelation { None, Same, Wider };

// How an inclusion or exclusion, by the scope rule in `folder`, relates to a
// type's mask there: it does not match it, it is that mask, or it is wider.
MaskRelation relationOf(const std::string& entry, const std::string& folder,
                        const std::string& candidate) {
  const std::optional<std::string> scoped = archive::scopedMask(entry, folder);
  if (!scoped || scoped->empty() || !archive::maskMatches(*scoped, candidate))
    return MaskRelation::None;
  return platform::ansiEqualNoCase(*scoped, candidate) ? MaskRelation::Same : MaskRelation::Wider;
}

}  // namespace

FileTypesShown fileTypesShown(const SelectionLists& lists, const std::string& f) {
  FileTypesShown shown;
  bool ownFolderSeen = false;
  const auto apply = [&](const std::vector<std::string>& entries, bool down) {
    for (const std::string& entry : entries) {
      const std::optional<std::string> mask = archive::scopedMask(entry, f);
      if (!mask || mask->empty()) continue;
      if (isOwnFolderEntry(entry, f)) ownFolderSeen = true;
      bool set = false;
      if (archive::maskMatches(*mask, f + "*") || archive::maskMatches(*mask, f + "*.*")) {
        shown.down[0] = down;
        set = true;
      }
      for (size_t b = 1; b < kFileTypeButtons; ++b) {
        if (!archive::maskMatches(*mask, f + fileTypeButtons()[b].mask)) continue;
        shown.down[b] = down;
        set = true;
      }
      if (set && ownFolderSeen) shown.includeSubdirectories = false;
    }
  };
  apply(lists.includes, true);
  apply(lists.excludes, false);
  return shown;
}

void TForm11::SetFileTypesButtons() {
  const FileTypesShown shown = fileTypesShown(lists, folder());
  typeDown = shown.down;
  IncludeSubdirectories = shown.includeSubdirectories;
}

void TForm11::FileTypesClick(const std::string& mask, size_t button, bool down) {
  StoreChecks();
  const std::string& f = folder();
  const std::string candidate = platform::ansiUpper(f + mask);
  bool add = true;
  bool blocked = false;
  bool deletedSame = false;
  bool widerInclusion = false;
  // The same mask as the button's is deleted when the button undoes it
  // (an inclusion released, an exclusion pressed); every other match means
  // nothing is added, and a wider exclusion blocks a pressed button.
  std::erase_if(lists.includes, [&](const std::string& entry) {
    const MaskRelation relation = relationOf(entry, f, candidate);
    if (relation == MaskRelation::None) return false;
    if (relation == MaskRelation::Wider) widerInclusion = true;
    if (down) add = false;
    deletedSame = deletedSame || (!down && relation == MaskRelation::Same);
    return !down && relation == MaskRelation::Same;
  });
  // Releasing a type only this folder's own inclusion selected needs no
  // exclusion: the type is simply no longer selected.
  if (!down && deletedSame && !widerInclusion) add = false;
  std::erase_if(lists.excludes, [&](const std::string& entry) {
    const MaskRelation relation = relationOf(entry, f, candidate);
    if (relation == MaskRelation::None) return false;
    if (down && relation == MaskRelation::Same) return true;
    if (down) blocked = true;
    add = false;
    return false;
  });
  if (!IncludeSubdirectories && !blocked) add = true;
  if (blocked) {
    message(kParentExcluded);
    typeDown[button] = false;
  } else if (add) {
    (down ? lists.includes : lists.excludes)
        .push_back((IncludeSubdirectories ? ">" : "|") + f + mask);
  }
  ShowChecks();
}

void TForm11::TypeButtonClick(size_t button, bool down) {
  if (button >= kFileTypeButtons) return;
  typeDown[button] = down;
  FileTypesClick(fileTypeButtons()[button].mask, button, down);
  if (button != 0) return;
  for (size_t b = 1; b < kFileTypeButtons; ++b) typeDown[b] = typeDown[0];
  SetFileTypesButtons();
  ShowChecks();
}

}  // namespace corvasta
