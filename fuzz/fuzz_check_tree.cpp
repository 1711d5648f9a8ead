// The Extractor's check tree from any entry names: each line of the input is
// one path as an archive's folder and name give it. Every path lands under
// the root of its drive, names back the path it was added as (drive in upper
// case, empty elements dropped), is found again when listed twice, and every
// node's children stay in the display order.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "extractor/CheckTree.h"
#include "platform/core/codepage.h"

namespace {

// The path as the tree gives it back.
std::string normalized(const std::string& path) {
  std::string out;
  size_t start = 0;
  const bool drive = path.size() >= 2 && path[1] == ':';
  if (drive) {
    out = platform::ansiUpper(path.substr(0, 2));
    start = 2;
  }
  for (size_t at = start; at <= path.size();) {
    size_t end = path.find('\\', at);
    if (end == std::string::npos) end = path.size();
    if (end > at) {
      if (drive || !out.empty()) out += '\\';
      out += path.substr(at, end - at);
    }
    at = end + 1;
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  corvasta::TCheckTree tree;
  tree.SetRoots({"3\xBD Floppy (A:)", "WINME (C:)", "Compact Disc (D:)"});
  int entry = 0;
  for (size_t at = 0; at < input.size();) {
    size_t end = input.find('\n', at);
    if (end == std::string::npos) end = input.size();
    const std::string path = input.substr(at, end - at);
    at = end + 1;
    const std::optional<int> node = tree.AddPath(path, entry);
    if (!node) __builtin_trap();  // the "No Drive Given" root takes every path without drive
    const std::string expected = normalized(path);
    const corvasta::TreeNode& added = tree.node(*node);
    // A path naming only its drive is the drive's root.
    if (added.kind == corvasta::NodeKind::Root) {
      if (expected.size() > 2) __builtin_trap();
    } else if (tree.PathOfNode(*node) != expected) {
      __builtin_trap();
    }
    if (tree.AddPath(path, -1) != node) __builtin_trap();
    ++entry;
  }
  // Children: folders first, then files, each by upper-cased name; every
  // child's parent is the node that lists it.
  for (size_t i = 0; i < tree.size(); ++i) {
    const std::vector<int> children = tree.Children(static_cast<int>(i));
    for (size_t c = 0; c < children.size(); ++c) {
      const corvasta::TreeNode& child = tree.node(children[c]);
      if (child.parent != static_cast<int>(i) || child.kind == corvasta::NodeKind::Root)
        __builtin_trap();
      if (c == 0) continue;
      const corvasta::TreeNode& before = tree.node(children[c - 1]);
      const bool beforeFile = before.kind == corvasta::NodeKind::File;
      const bool file = child.kind == corvasta::NodeKind::File;
      if (beforeFile && !file) __builtin_trap();
      if (beforeFile == file && platform::ansiUpper(before.text) > platform::ansiUpper(child.text))
        __builtin_trap();
    }
  }
  return 0;
}
