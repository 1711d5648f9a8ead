#include "archive/zip_file_list.h"

#include <set>

#include "archive/zip_masks.h"
#include "archive/zip_paths.h"
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

// Whether folder lies inside (or is) ancestor, compared component by component.
bool isWithin(const std::string& folder, const std::string& ancestor) {
  return folder.size() >= ancestor.size() &&
         platform::ansiEqualNoCase(std::string_view(folder).substr(0, ancestor.size()), ancestor);
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
  for (std::string entry : excludeList) {
    Scope scope = Scope::AsWritten;
    if (!entry.empty() && (entry[0] == '>' || entry[0] == '|')) {
      scope = entry[0] == '>' ? Scope::Everywhere : Scope::OwnFolder;
      entry.erase(0, 1);
    }
    if (entry.empty()) continue;
    SplitPath parts = splitPath(entry);
    if (scope == Scope::OwnFolder && parts.folder.empty()) parts.folder = withBackslash(rootDir);
    if (scope == Scope::AsWritten)
      masks_.push_back({scope, "", entry});
    else
      masks_.push_back({scope, parts.folder, parts.name});
  }
}

bool ExcludeMasks::excludes(const std::string& fullPath) const {
  SplitPath file = splitPath(fullPath);
  for (const Mask& mask : masks_) {
    switch (mask.scope) {
      case Scope::AsWritten:
        if (maskMatches(mask.pattern,
                        mask.pattern.find('\\') != std::string::npos ? fullPath : file.name))
          return true;
        break;
      case Scope::Everywhere:
        if ((mask.folder.empty() || isWithin(file.folder, mask.folder)) &&
            maskMatches(mask.pattern, file.name))
          return true;
        break;
      case Scope::OwnFolder:
        if (platform::ansiEqualNoCase(file.folder, mask.folder) &&
            maskMatches(mask.pattern, file.name))
          return true;
        break;
    }
  }
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
