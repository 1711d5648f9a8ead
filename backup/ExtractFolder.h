#pragma once
// The extract folder that Windows' registry backup cabinets (rb???.cab) are
// unpacked into: a fresh "r" + number folder in the Windows directory, the
// two ways of unpacking (the cabinet reader, or the Windows "Extract"
// command through the command interpreter), and the folder's removal.

#include <string>

namespace corvasta {

class Core;
class FileArchiving;

class ExtractFolder {
 public:
  ExtractFolder(Core& core, FileArchiving& archiving) : core(core), archiving(archiving) {}

  // Unpacks `cabinet` into a new extract folder and returns the folder (no
  // final backslash); failures go to the error list.
  std::string CreateExtractDir(const std::string& cabinet, int progressStep);
  // Unpacks `cabinet` into `destination` with the Windows "Extract" command;
  // false when it could not be run.
  bool ExtractProcess(const std::string& cabinet, const std::string& destination);
  // Removes `directory` with everything in it.
  void DeleteDir(const std::string& directory);

  Core& core;
  FileArchiving& archiving;
};

}  // namespace corvasta
