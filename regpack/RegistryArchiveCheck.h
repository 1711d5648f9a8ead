#pragma once
// Whether an NT registry archive (registry.zzz) can be put in place: it must
// be a ZIP archive whose every hive file parses. Windows refuses a
// replacement hive it cannot load at its next start and keeps the old one;
// this check says so to the user before anything is replaced or restarted.

#include <string>

namespace corvasta {

class Core;
class ExtractFolder;

// "" when `archivePath` is a readable registry archive; otherwise the text
// to show, naming the archive and what in it cannot be read. Entries
// encrypted with a password other than the current one are not checked
// here: the restore asks for their password.
std::string registryArchiveFault(Core& core, ExtractFolder& extractFolder,
                                 const std::string& archivePath);

}  // namespace corvasta
