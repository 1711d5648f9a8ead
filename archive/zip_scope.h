#pragma once
// The scope of an inclusion or exclusion entry: which folders it applies in,
// and the mask it stands for there. One rule behind every match of such an
// entry: the Other Files editor, its size estimate, copy mode and the
// archive engine's exclude list.
//
//   ">" + mask   the mask applies in every folder (">C:\DATA\*.doc" also
//                matches C:\DATA\LETTERS\A.DOC, since "*" crosses "\");
//   "|" + mask   the mask applies only in the folder it names (compared
//                without case); in any other folder it matches nothing;
//   mask         anything else is the mask itself, applying everywhere.
//
// Masks are matched without case against a full path (folder + name) by
// maskMatches (zip_masks.h), in time length(mask) x length(path).

#include <optional>
#include <string>
#include <string_view>

namespace archive {

// The mask entry `entry` stands for in `folder` (with its final backslash);
// nothing when the entry does not apply there. `ownFolderMarks` are the
// characters that mean "this folder only": "|", and for the callers that
// also take a backslash in its place, "|\\".
std::optional<std::string> scopedMask(std::string_view entry, std::string_view folder,
                                      std::string_view ownFolderMarks = "|");

// Whether `entry` matches `path`, a full path (or a mask) in `folder`.
bool scopeMatches(std::string_view entry, std::string_view folder, std::string_view path,
                  std::string_view ownFolderMarks = "|");

// The folder part of a path or mask, with its final backslash; empty when it
// has none.
std::string folderPart(std::string_view path);

}  // namespace archive
