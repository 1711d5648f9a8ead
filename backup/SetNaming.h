#pragma once
// Naming a new backup set: a date or the next number, the running config's
// name when asked for, and a "(n)" counter until no registered set path
// contains the name as a folder.

#include <optional>
#include <string>
#include <vector>

#include "platform/system/locale_format.h"

namespace corvasta {

class Ui;

struct SetNamingRules {
  bool useDate = true;
  std::string dateFormat;       // empty: the short date format
  std::string shortDateFormat;  // the program's short date format
  bool addConfig = false;
  std::string configName;
};

inline constexpr const char* kSetNameRefused =
    "The Backup Name cannot be left blank and must not have any illegal characters, "
    "/,\\,:,*,?,<,>, or |";

// The date part of a set name: today in `dateFormat` (empty: the short date
// format) with every date separator "/" written as "-"; quoted text of the
// picture stays as it is.
std::string setNameDate(const std::string& dateFormat, const std::string& shortDateFormat,
                        const platform::SystemTime& today);

// The proposed name of a new set. `registeredSets` are the paths of the set
// register in key order ("1", "2", ...), each with its final backslash.
std::string proposedSetName(const std::vector<std::string>& registeredSets,
                            const SetNamingRules& rules, const platform::SystemTime& today);

// A name is usable when it holds none of \ / : * ? " < > | and is more than
// dots and blanks (empty, "." and ".." are refused).
bool isUsableSetName(const std::string& name);

// The "Name of Backup" box: asks until a usable name is given; nullopt on
// Cancel.
std::optional<std::string> askSetName(Ui& ui, const std::string& proposed,
                                      const std::string& applicationTitle);

}  // namespace corvasta
