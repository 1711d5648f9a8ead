#pragma once
// The three selection lists of an Other Files entry and the check marks of
// the files of one folder: ShowChecks turns the lists into ticks,
// StoreChecks turns the ticks back into the lists, keeping in the
// chosen-files list only where a tick differs from what the masks give.
// Every test of an inclusion or exclusion goes through the scope rule
// (archive/zip_scope.h).

#include <string>
#include <vector>

namespace corvasta {

struct ChFileItem;

struct SelectionLists {
  std::vector<std::string> includes;  // scope + folder + mask
  std::vector<std::string> excludes;  // scope + folder + mask
  std::vector<std::string> files;     // "+" or "-" + full path
};

// Whether some entry of `entries` matches `path` (a file or a mask) in
// `folder` by the scope rule.
bool anyScopeMatch(const std::vector<std::string>& entries, const std::string& folder,
                   const std::string& path);

// The files of `folder` (with final backslash) shown checked when an
// inclusion covers them and no exclusion does; then the chosen-files
// entries of that folder applied: an entry whose file is gone, or that says
// nothing new, is dropped.
void ShowChecks(std::vector<ChFileItem>& items, const std::string& folder, SelectionLists& lists);

// The ticks of `folder`'s files into the chosen-files list: "-" + path for
// an unticked file the masks cover, "+" + path for a ticked file they do not
// cover; an excluded file is never listed.
void StoreChecks(const std::vector<ChFileItem>& items, const std::string& folder,
                 SelectionLists& lists);

}  // namespace corvasta
