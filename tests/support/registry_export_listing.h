#pragma once
// Compares a registry file with the listing libregf's regfexport or libcreg's
// cregexport prints of it: every key path with one "name|type|size" line per
// value, in the tool's order.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/registry/registry_tree.h"

namespace testing_support {

using RegistryListing = std::map<std::string, std::vector<std::string>>;

// Parses the tool's "Key path:", "Value: <index> <name>", "Type: ... (REG_SZ)"
// and "Data size: <n>" lines.
RegistryListing parseRegistryExport(const std::string& output);

// Our tree in the same form, key paths starting with the root key's name.
RegistryListing listRegistryTree(const platform::registry::RegistryTree& tree);

// Runs `tool` on `file` and expects its listing to equal `tree`'s.
void expectExportAgrees(const std::string& tool, const std::filesystem::path& file,
                        const platform::registry::RegistryTree& tree);

}  // namespace testing_support
