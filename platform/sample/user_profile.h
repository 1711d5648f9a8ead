#pragma once
// The shell folders of the people who use a sample machine (Desktop,
// Favorites, Start Menu, caches ...) with some files of their own, and the
// folders shared by all users.

#include <string>

#include "platform/sample/sample_layout.h"
#include "platform/sample/sample_tree.h"

namespace platform::sample {

// The shell folders of `user` under layout.profileFolder(user); with
// `withFiles` they hold documents, favourites and cache files of that user.
void addUserProfile(SampleTree& drive, const SampleLayout& layout, const std::string& user,
                    bool withFiles);

// The shell folders of a profile folder without user files (the default
// user's, or the Windows folder's own on Windows 9x with profiles).
void addEmptyShellFolders(SampleTree& drive, const SampleLayout& layout,
                          const std::string& profileFolder);

// "All Users" (not on Windows 95, which has none).
void addAllUsersProfile(SampleTree& drive, const SampleLayout& layout);

}  // namespace platform::sample
