#include "tests/extractor_run/extractor_fixture.h"

#include "archive/zip_write_archive.h"
#include "archive/zip_write_entry.h"
#include "archive/zip_write_output.h"

namespace extractor_test {

void zipFiles(testing_support::ProgramRig& m, const std::string& archive,
              const std::vector<std::string>& files, const std::string& password) {
  archive::TZipWriter& engine = m.form->core.Zip2;
  engine.SetZipName(archive);
  engine.FilesList = files;
  engine.ExcludeList.clear();
  engine.Password = password;
  engine.PackLevel = 5;
  engine.CreateArchive();
  engine.CloseArchive();
  engine.Password.clear();
}

void writeRawArchive(testing_support::ProgramRig& m, const std::string& archive,
                     const std::vector<Member>& members) {
  archive::MemoryOutput out;
  archive::ZipArchiveWriter writer(out);
  for (const Member& member : members) {
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

int nodeOf(const corvasta::TForm10& form, const std::string& path) {
  for (int node : form.TreeView1.FileNodes())
    if (form.TreeView1.PathOfNode(node) == path) return node;
  return -1;
}

}  // namespace extractor_test
