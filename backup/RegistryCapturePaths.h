#pragma once
// Path rules of the registry capture: folder and last element of a Windows
// path, comparing folders by their 8.3 forms, and the working folders "r" +
// number of the Windows directory.

#include <string>

namespace platform {
class FileSystem;
class Machine;
}  // namespace platform

namespace corvasta {

// The folder part of a path, with its final backslash ("" without one).
std::string folderPart(const std::string& path);
// The last element of a path (the whole text without a backslash).
std::string lastElement(const std::string& path);

// True when two folders are the same by their 8.3 forms, without case and
// without regard to a final backslash: a profile reached by its long name and
// by its alias is one folder.
bool sameFolder(const platform::Machine& machine, const std::string& a, const std::string& b);

// The first "r" + number folder of the Windows directory, counting from 27,
// that does not exist (no final backslash).
std::string firstFreeWorkingFolder(platform::FileSystem& files, const std::string& windowsDir);

}  // namespace corvasta
