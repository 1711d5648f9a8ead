#include "tests/extractor_run/extractor_fixture.h"

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
  testing_support::writeStoredArchive(m, archive, members);
}

int nodeOf(const corvasta::TForm10& form, const std::string& path) {
  for (int node : form.TreeView1.FileNodes())
    if (form.TreeView1.PathOfNode(node) == path) return node;
  return -1;
}

}  // namespace extractor_test
