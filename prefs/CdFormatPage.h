#pragma once
// The CD Format page: the drive list, the stored drive chosen again, and the
// quick and full format buttons over the CD-writing engine (CdFormatDrive).
// Without an engine the page says that the function is not available yet
// where the machine has a CD drive, "No CD Drive Found" where it has none.

#include <string>
#include <vector>

namespace corvasta {

class Core;
class CdFormatDrive;

inline constexpr const char* kNoCdDrive = "No CD Drive Found";
inline constexpr const char* kNotAvailableYet = "This function is not available yet.";

class CdFormatPage {
 public:
  explicit CdFormatPage(Core& core) : core(core) {}

  // The page is shown: the engine started when needed, the list filled, the
  // drive of CDFormat/Device chosen again (the first when it is not listed).
  void Show(CdFormatDrive* engine);
  // The drive list's choice.
  void DriveChange(size_t index);
  void QuickFormatClick() { format(true); }
  void FullFormatClick() { format(false); }

  std::vector<std::string> items;
  size_t selected = 0;
  bool listEnabled = false;
  bool quickEnabled = false, fullEnabled = false;
  std::string hint;
  // The page is choosing a drive for a CD backup: the format buttons stay off.
  bool selectionMode = false;

  Core& core;

 private:
  void format(bool quick);
  CdFormatDrive* engine_ = nullptr;
};

}  // namespace corvasta
