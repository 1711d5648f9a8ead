#include "archive/zip_file_list.h"

#include <set>

#include "archive/zip_masks.h"
#include "archive/zip_paths.h"
#include "archive/zip_scope.h"
#include "platform/core/codepage.h"

namespace archive {
namespace {

struct SplitPath {
  std::string folder;  // with trailing "\" or empty
  std::string name;
};

SplitPath splitPath(const std::string& path) {
  size_t slash = path.rfind('\\');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

bool hasFolderPart(const std::string& path) {
  return path.find('\\') != std::string::npos || path.find(':') != std::string::npos;
}

class ListExpander {
 public:
  ListExpander(ZipFileSystem& fs, const FileListOptions& options)
      : fs_(fs), options_(options), excludes_(options.excludeList, options.rootDir) {
    for (const std::string& path : options.neverAdd) seen_.insert(platform::ansiUpper(path));
  }

  void addEntry(std::string entry) {
    bool recurse = options_.recurse;
    if (!entry.empty() && (entry[0] == '>' || entry[0] == '|')) {
      recurse = entry[0] == '>';
      entry.erase(0, 1);
    }
    if (entry.empty() || entry.back() == '\\') return;
    if (!hasFolderPart(entry)) entry = withBackslash(options_.rootDir) + entry;
    SplitPath parts = splitPath(entry);
    if (hasWildcards(parts.name)) {
      addMatches(parts.folder, parts.name == "*.*" ? "*" : parts.name, recurse);
      return;
    }
    auto attributes = fs_.attributes(entry);
    if (!attributes || (*attributes & dosattr::kDirectory)) return;
    for (const FoundFile& found : fs_.findFiles(entry))
      if (platform::ansiEqualNoCase(found.name, parts.name)) consider(parts.folder, found);
  }

  std::vector<SourceFile> take() { return std::move(files_); }

 private:
  void addMatches(const std::string& folder, const std::string& mask, bool recurse) {
    std::vector<FoundFile> found = fs_.findFiles(folder + "*");
    for (const FoundFile& file : found)
      if (!(file.attributes & dosattr::kDirectory) && maskMatches(mask, file.name))
        consider(folder, file);
    if (!recurse) return;
    for (const FoundFile& sub : found)
      if (sub.attributes & dosattr::kDirectory) addMatches(folder + sub.name + "\\", mask, true);
  }

  void consider(const std::string& folder, const FoundFile& found) {
    std::string path = folder + found.name;
    if (!seen_.insert(platform::ansiUpper(path)).second) return;
    if (options_.skipIfArchiveBitNotSet && !(found.attributes & dosattr::kArchive)) return;
    if (excludes_.excludes(path)) return;
    files_.push_back({path, found.attributes, found.size, found.times});
  }

  ZipFileSystem& fs_;
  const FileListOptions& options_;
  ExcludeMasks excludes_;
  std::set<std::string> seen_;
  std::vector<SourceFile> files_;
};

}  // namespace

ExcludeMasks::ExcludeMasks(const std::vector<std::string>& excludeList,
                           const std::string& rootDir) {
  for (const std::string& entry : excludeList) {
    const bool marked = !entry.empty() && (entry[0] == '>' || entry[0] == '|');
    const std::string mask = marked ? entry.substr(1) : entry;
    if (mask.empty()) continue;
    if (mask.find('\\') != std::string::npos)
      scoped_.push_back(entry);
    else if (marked && entry[0] == '|')
      scoped_.push_back("|" + withBackslash(rootDir) + mask);
    else
      names_.push_back(mask);
  }
}

bool ExcludeMasks::excludes(const std::string& fullPath) const {
  const SplitPath file = splitPath(fullPath);
  for (const std::string& mask : names_)
    if (maskMatches(mask, file.name)) return true;
  for (const std::string& entry : scoped_)
    if (scopeMatches(entry, file.folder, fullPath)) return true;
  return false;
}

std::vector<SourceFile> expandFilesList(ZipFileSystem& fileSystem,
                                        const std::vector<std::string>& filesList,
                                        const FileListOptions& options) {
  ListExpander expander(fileSystem, options);
  for (const std::string& entry : filesList) expander.addEntry(entry);
  return expander.take();
}

}  // namespace archive
