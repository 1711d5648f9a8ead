#include "platform/version/version_info_read.h"

#include <algorithm>
#include <string>

#include "platform/core/codepage.h"
#include "platform/version/version_bytes.h"
#include "platform/version/version_error.h"

namespace platform::version {
namespace {

constexpr size_t kHeaderSize = 6;  // wLength, wValueLength, wType

// One structure, as offsets into the block.
struct Node {
  size_t end = 0;   // start + wLength
  std::string key;  // ANSI
  VersionValue value;
  size_t childrenStart = 0;
};

// The structure at `start`, which must end by `limit`; nullopt when damaged.
std::optional<Node> nodeAt(std::string_view block, size_t start, size_t limit) {
  if (start > limit || limit - start < kHeaderSize) return std::nullopt;
  const size_t length = le16(block, start);
  const uint16_t valueLength = le16(block, start + 2);
  const uint16_t type = le16(block, start + 4);
  if (length < kHeaderSize || length > limit - start) return std::nullopt;
  Node node;
  node.end = start + length;

  size_t keyEnd = start + kHeaderSize;
  while (keyEnd + 2 <= node.end && le16(block, keyEnd) != 0) keyEnd += 2;
  if (keyEnd + 2 > node.end) return std::nullopt;  // no terminator inside the structure
  node.key = utf8ToAnsi(
      utf16leBytesToUtf8(reinterpret_cast<const uint8_t*>(block.data() + start + kHeaderSize),
                         keyEnd - start - kHeaderSize));

  const size_t valueStart = std::min(alignUp(keyEnd + 2, 4), node.end);
  size_t valueEnd = valueStart;
  node.value.text = type == 1;
  if (node.value.text) {
    // Writers disagree whether a string's length counts characters or bytes:
    // the text runs to its terminator or the end of the structure.
    size_t textEnd = valueStart;
    if (valueLength > 0)
      while (textEnd + 2 <= node.end && le16(block, textEnd) != 0) textEnd += 2;
    node.value.bytes = block.substr(valueStart, textEnd - valueStart);
    valueEnd = std::min(valueStart + size_t{valueLength} * 2, node.end);
  } else {
    if (valueLength > node.end - valueStart) return std::nullopt;
    node.value.bytes = block.substr(valueStart, valueLength);
    valueEnd = valueStart + valueLength;
  }
  node.childrenStart = std::min(alignUp(valueEnd, 4), node.end);
  return node;
}

// The child of `parent` with that key; nullopt when there is none or a child
// before it is damaged.
std::optional<Node> childNamed(std::string_view block, const Node& parent, std::string_view key) {
  size_t position = parent.childrenStart;
  while (position < parent.end && parent.end - position >= kHeaderSize) {
    std::optional<Node> child = nodeAt(block, position, parent.end);
    if (!child) return std::nullopt;
    if (ansiEqualNoCase(child->key, key)) return child;
    position = alignUp(child->end, 4);
  }
  return std::nullopt;
}

std::optional<Node> rootOf(std::string_view block) {
  std::optional<Node> root = nodeAt(block, 0, block.size());
  if (!root || root->key != "VS_VERSION_INFO") return std::nullopt;
  return root;
}

}  // namespace

size_t versionInfoLength(std::string_view resource) {
  std::optional<Node> root = rootOf(resource);
  if (!root)
    throw VersionResourceError(kErrorInvalidData,
                               "The version resource does not begin with VS_VERSION_INFO", 0);
  return root->end;
}

std::optional<VersionValue> findVersionValue(std::string_view block, std::string_view path) {
  std::optional<Node> node = rootOf(block);
  size_t position = 0;
  while (node && position < path.size()) {
    size_t next = path.find('\\', position);
    if (next == std::string_view::npos) next = path.size();
    if (next > position) node = childNamed(block, *node, path.substr(position, next - position));
    position = next + 1;
  }
  if (!node) return std::nullopt;
  return node->value;
}

}  // namespace platform::version
