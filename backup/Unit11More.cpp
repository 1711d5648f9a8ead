// TForm11's More page: wildcard groups included or excluded in the current
// folder, deleted, and reordered.

#include "app/core/Locations.h"
#include "backup/Unit11.h"

namespace corvasta {

namespace {

// The mask of a combo text: what stands between its first "(" and first
// ")", otherwise the whole text.
std::string maskOfGroup(const std::string& text) {
  const size_t open = text.find('(');
  const size_t close = text.find(')');
  if (open == std::string::npos || close == std::string::npos || close < open) return text;
  return text.substr(open + 1, close - open - 1);
}

void deleteSelected(std::vector<std::string>& list, std::optional<size_t>& selected) {
  if (!selected || *selected >= list.size()) return;
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(*selected));
  selected.reset();
}

}  // namespace

void TForm11::MoreClick() {
  page = OtherFilesPage::More;
}

bool TForm11::includeExcludeEnabled() const {
  return !ComboText.empty() && ComboText != kChooseOrTypeIn;
}

void TForm11::addMask(std::vector<std::string>& list) {
  if (!includeExcludeEnabled()) return;
  StoreChecks();
  list.push_back((MoreIncludeSubdirectories ? ">" : "|") + CheckPath(folder()) +
                 maskOfGroup(ComboText));
  ComboText = kChooseOrTypeIn;
  reReadFolder();
}

void TForm11::IncludeClick() {
  addMask(lists.includes);
}

void TForm11::ExcludeClick() {
  addMask(lists.excludes);
}

void TForm11::DeleteIncludeClick() {
  if (!includeSelected) return;
  StoreChecks();
  deleteSelected(lists.includes, includeSelected);
  reReadFolder();
}

void TForm11::DeleteExcludeClick() {
  if (!excludeSelected) return;
  StoreChecks();
  deleteSelected(lists.excludes, excludeSelected);
  reReadFolder();
}

void TForm11::MoveEntry(std::vector<std::string>& list, size_t from, size_t to) {
  if (from >= list.size() || to >= list.size() || from == to) return;
  std::string entry = std::move(list[from]);
  list.erase(list.begin() + static_cast<std::ptrdiff_t>(from));
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(to), std::move(entry));
}

void TForm11::MoreOKClick() {
  page = OtherFilesPage::Main;
  StoreChecks();
  SetFileTypesButtons();
  reReadFolder();
}

}  // namespace corvasta
