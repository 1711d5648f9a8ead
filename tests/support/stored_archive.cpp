#include "tests/support/stored_archive.h"

#include "archive/zip_write_archive.h"
#include "archive/zip_write_entry.h"
#include "archive/zip_write_output.h"
#include "tests/support/program_rig.h"

namespace testing_support {

void writeStoredArchive(ProgramRig& m, const std::string& archive,
                        const std::vector<StoredMember>& members) {
  archive::MemoryOutput out;
  archive::ZipArchiveWriter writer(out);
  for (const StoredMember& member : members) {
    archive::ZipEntryRecord header;
    header.name = member.name;
    header.dosTime = 0x30a56000;
    archive::EntryOptions options;
    options.level = 0;
    options.password = member.password;
    writer.addPrepared(archive::prepareEntry(
        header, reinterpret_cast<const uint8_t*>(member.data.data()), member.data.size(), options));
  }
  writer.finish();
  const std::vector<uint8_t> bytes = out.bytes();
  m.write(archive, std::string(bytes.begin(), bytes.end()));
}

}  // namespace testing_support
