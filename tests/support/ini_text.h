#pragma once
// Editing INI text as a test prepares a settings file by hand.

#include <string>

namespace testing_support {

// The text with `section` replaced by `lines` (CR LF each), put at the end.
std::string withSection(const std::string& ini, const std::string& section,
                        const std::string& lines);

}  // namespace testing_support
