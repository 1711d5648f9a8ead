// The program's multi-volume handlers: block sizes per target, the disk
// prompts of backup and restore, and the incomplete-archive question.
#include <deque>
#include <random>

#include "archive/MultiVolumeHandlers.h"
#include "archive/zip_error.h"
#include "tests/archive/engine_fixture.h"

namespace archive_test {
namespace {

using namespace archive;

struct Prompt {
  std::string text, caption;
  TPromptButtons buttons;
};

// Answers prompts in order (OK when the script is empty) and records them.
class ScriptedHost : public MultiVolumeHost {
 public:
  std::deque<TPromptResult> answers;
  std::vector<Prompt> prompts;
  std::function<void(const Prompt&)> onPrompt;
  std::vector<std::string> deleted;
  std::string title = "Corvasta", status = "Producing user0.daz";
  uint64_t freeBlocks = 1000;
  std::deque<uint64_t> freeBlocksSequence;
  int trayOpened = 0;

  TPromptResult ask(const std::string& text, const std::string& caption, TPromptIcon,
                    TPromptButtons buttons) override {
    prompts.push_back({text, caption, buttons});
    if (onPrompt) onPrompt(prompts.back());
    if (answers.empty()) return prOk;
    TPromptResult answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void beep() override {}
  std::string applicationTitle() override { return title; }
  void setApplicationTitle(const std::string& t) override { title = t; }
  std::string statusText() override { return status; }
  void setStatusText(const std::string& s) override { status = s; }
  void deleteSubDirs(const std::string& directory) override { deleted.push_back(directory); }
  void openTray() override { ++trayOpened; }
  void closeTray() override {}
  uint64_t cdFreeBlocks() override {
    if (freeBlocksSequence.empty()) return freeBlocks;
    uint64_t blocks = freeBlocksSequence.front();
    freeBlocksSequence.pop_front();
    return blocks;
  }
  uint64_t cdDriveTotalSize() override { return 0; }
  bool stageOnCd(const std::string&, const std::string&) override { return true; }
  bool burnCd() override { return true; }
  bool cdErasable() override { return true; }
  void eraseCd() override {}
  bool cdCapacityCheck() override { return true; }
};

class HandlersTest : public EngineTest {
 protected:
  ScriptedHost host;
  TMultiVolumeRun run;
  TMultiVolumeHandlers handlers{fs, host, run};
};

TEST(Ordinal, EnglishForOneToThreeThenTh) {
  EXPECT_EQ(TMultiVolumeHandlers::Ordinal(1), "1st");
  EXPECT_EQ(TMultiVolumeHandlers::Ordinal(2), "2nd");
  EXPECT_EQ(TMultiVolumeHandlers::Ordinal(3), "3rd");
  EXPECT_EQ(TMultiVolumeHandlers::Ordinal(4), "4th");
  EXPECT_EQ(TMultiVolumeHandlers::Ordinal(11), "11th");
  EXPECT_EQ(TMultiVolumeHandlers::Ordinal(21), "21th");
}

TEST_F(HandlersTest, HardDiskBlockSizesByTypeAndFileSystem) {
  TZipWriter zip(fs);
  run.volumeBytesUsed = 1000;
  handlers.SetMultiMode(zip);
  EXPECT_EQ(zip.MultiVolumeInfo.MultiMode, mmBlocks);
  EXPECT_EQ(zip.MultiVolumeInfo.BlockSize, 1'073'741'323);
  EXPECT_EQ(zip.MultiVolumeInfo.FirstBlockSize, 1'073'740'323);
  run.replaceType = true;
  for (auto [system, size] :
       {std::pair{"NTFS", 1'099'511'626'776}, {"FAT32", 4'294'966'294}, {"FAT", 2'147'482'646}}) {
    run.targetFileSystem = system;
    handlers.SetMultiMode(zip);
    EXPECT_EQ(zip.MultiVolumeInfo.BlockSize, size) << system;
  }
  // "Save Large Files in Blocks of:" wins, and wraps the bytes used.
  run.blocksOf = 1'457'664;
  run.volumeBytesUsed = 100'000;
  handlers.SetMultiMode(zip);
  EXPECT_EQ(zip.MultiVolumeInfo.BlockSize, 1'457'664);
  EXPECT_EQ(zip.MultiVolumeInfo.FirstBlockSize, 1'357'664);
  run.volumeBytesUsed = 1'500'000;
  handlers.SetMultiMode(zip);
  EXPECT_EQ(run.volumeBytesUsed, 42'336u);
  EXPECT_EQ(zip.MultiVolumeInfo.FirstBlockSize, 1'415'328);
  run.target = TargetKind::RemovableDisk;
  run.blocksOf = 0;
  handlers.SetMultiMode(zip);
  EXPECT_EQ(zip.MultiVolumeInfo.MultiMode, mmSpan);
}

TEST_F(HandlersTest, EngineCdWaitsForAWritableDisc) {
  TZipWriter zip(fs);
  zip.SetZipName("C:\\SET\\user0.daz");
  run.target = TargetKind::EngineCd;
  run.tempDir = "C:\\TEMP\\";
  run.volumeBytesUsed = 5'000'000;
  host.freeBlocksSequence = {0, 300'000};
  handlers.SetMultiMode(zip);
  ASSERT_EQ(host.prompts.size(), 1u);
  EXPECT_EQ(host.prompts[0].caption, "No Free Space on CD");
  EXPECT_EQ(zip.ZipName(), "C:\\TEMP\\~CDWrite\\user0.daz");
  EXPECT_EQ(zip.MultiVolumeInfo.BlockSize, 300'000 * 2048 - 10'485'760);
  EXPECT_EQ(zip.MultiVolumeInfo.FirstBlockSize, 300'000 * 2048 - (5'000'000 + 10'485'760));

  host.freeBlocksSequence = {0};
  host.answers = {prCancel};
  try {
    handlers.SetMultiMode(zip);
    ADD_FAILURE() << "no cancel";
  } catch (const ZipUserCancel& e) {
    EXPECT_STREQ(e.what(), "Cancelled by User");
  }
  EXPECT_TRUE(run.cancelled);
}

TEST_F(HandlersTest, BackupPromptsPerDiskAndDeletion) {
  TZipWriter zip(fs);
  zip.SetZipName("A:\\user0.daz");
  zip.MultiVolumeInfo.MultiMode = mmSpan;
  fs.addRemovableDrive('A', dir / "a", 1'457'664);
  run.target = TargetKind::RemovableDisk;
  run.backupSetDir = "A:\\SET\\";
  run.deleteFilesBeforeBackup = true;
  run.volumeBytesUsed = 77;
  std::string name = "A:\\user0.daz";
  handlers.ZipGetNextDisk(zip, 2, name);
  EXPECT_EQ(host.prompts.back().text,
            "Please note that this is the first disk with A:\\user0.daz on it.  Later you will be "
            "asked to insert it.\r\rPlease insert another disk");
  EXPECT_EQ(host.prompts.back().buttons, pbOkCancelIgnore);
  EXPECT_EQ(host.deleted, std::vector<std::string>{"A:\\SET\\"});
  EXPECT_EQ(run.volumeBytesUsed, 0u);
  EXPECT_EQ(host.title, "Corvasta");
  EXPECT_TRUE(fs.attributes("A:\\SET"));

  host.answers = {prIgnore};
  handlers.ZipGetNextDisk(zip, 3, name);
  EXPECT_EQ(host.prompts.back().text, "Please insert another disk");
  EXPECT_EQ(host.deleted.size(), 1u);
  handlers.ZipGetNextDisk(zip, 1, name);
  EXPECT_EQ(host.prompts.back().text, "Please insert first disk with A:\\user0.daz on it");
  handlers.ZipGetNextDisk(zip, 0, name);
  EXPECT_EQ(host.prompts.back().text, "Please insert the last disk");

  host.answers = {prCancel};
  handlers.ZipGetNextDisk(zip, 4, name);
  EXPECT_TRUE(name.empty());

  // Blocks in a hard-disk folder: no prompt at all.
  size_t before = host.prompts.size();
  zip.MultiVolumeInfo.MultiMode = mmBlocks;
  run.target = TargetKind::HardDiskFolder;
  name = "C:\\SET\\user0.001";
  handlers.ZipGetNextDisk(zip, 2, name);
  EXPECT_EQ(host.prompts.size(), before);
  EXPECT_EQ(name, "C:\\SET\\user0.001");
}

TEST_F(HandlersTest, FinishedBlockTakesTheArchiveExtension) {
  TZipWriter zip(fs);
  zip.SetZipName("C:\\TEMP\\~CDWrite\\user0.daz");
  zip.MultiVolumeInfo.MultiMode = mmBlocks;
  run.target = TargetKind::EngineCd;
  file("C:\\TEMP\\~CDWrite\\user0.001", std::string(4096, 'x'));
  std::string name = "C:\\TEMP\\~CDWrite\\user0.001";
  handlers.ZipGetNextDisk(zip, 2, name);
  EXPECT_EQ(name, "C:\\TEMP\\~CDWrite\\user0.DAZ");
  EXPECT_TRUE(exists("C:\\TEMP\\~CDWrite\\user0.DAZ"));
  EXPECT_EQ(run.volumeBytesUsed, 0u);  // the new disc starts empty
  EXPECT_EQ(host.prompts.back().text, "Please insert another disk");
}

TEST_F(HandlersTest, RestoreAsksForPartsByName) {
  TZipReader zip(fs);
  run.backingUp = false;
  fs.createDirectory("C:\\SET");
  file("C:\\SET\\name.002", "present");
  std::string name = "C:\\SET\\name.001";
  handlers.ZipGetNextDisk(zip, 2, name);
  EXPECT_EQ(name, "C:\\SET\\name.002");
  EXPECT_TRUE(host.prompts.empty());  // on a hard disk and present: no question
  name = "C:\\SET\\name.002";
  handlers.ZipGetNextDisk(zip, 3, name);
  EXPECT_EQ(host.prompts.back().text, "Please insert the 3rd with C:\\SET\\name.003 on it.");

  run.target = TargetKind::RemovableDisk;
  name = "A:\\user0.daz";
  host.answers = {prOk};
  handlers.ZipGetNextDisk(zip, 2, name);
  EXPECT_EQ(host.prompts.back().text, "Please insert the 2nd with A:\\user0.daz on it.");
  EXPECT_EQ(name, "A:\\user0.daz");
  host.answers = {prCancel};
  handlers.ZipGetNextDisk(zip, 21, name);
  EXPECT_EQ(host.prompts.back().text, "Please insert the 21th with A:\\user0.daz on it.");
  EXPECT_TRUE(name.empty());
  EXPECT_EQ(host.title, "Corvasta");
}

TEST_F(HandlersTest, IncompleteArchiveQuestionOnlyWhileRestoring) {
  TZipReader zip(fs);
  zip.SetZipName("A:\\user0.daz");
  TIncompleteMode mode = izAssumeMulti;
  handlers.UnZipInComplete(zip, mode);
  EXPECT_EQ(mode, izAssumeBad);
  EXPECT_TRUE(host.prompts.empty());

  run.backingUp = false;
  host.answers = {prRetry, prCancel};
  handlers.UnZipInComplete(zip, mode);
  EXPECT_EQ(mode, izAssumeMulti);
  EXPECT_EQ(zip.Tag, 1);
  EXPECT_EQ(host.prompts.back().caption, "End of Zip File not Found - Corvasta");
  EXPECT_EQ(host.prompts.back().text,
            "Please Insert the Last Disk with user0.daz on it.\r\rClick Cancel to read only the "
            "files on this disk or to quit.");
  handlers.UnZipInComplete(zip, mode);
  EXPECT_EQ(mode, izAssumeBad);
  EXPECT_EQ(zip.Tag, 0);
}

TEST_F(HandlersTest, SpannedBackupAndRestoreOverDiskettes) {
  fs.addRemovableDrive('A', dir / "a", 1'457'664);
  std::mt19937 random(3);
  std::string data(3'300'000, '\0');
  for (char& c : data) c = static_cast<char>(random());
  file("C:\\DATA\\big.bin", data);
  // Each prompt inserts the disk it names; "last" is disk 3.
  int next = 1;
  host.onPrompt = [&](const Prompt& prompt) {
    if (prompt.text.find("first disk") != std::string::npos &&
        prompt.text.find("note") == std::string::npos)
      fs.insertMedium('A', 1);
    else if (prompt.text.find("last disk") != std::string::npos ||
             prompt.text.find("Last Disk") != std::string::npos)
      fs.insertMedium('A', 3);
    else if (prompt.text.find("2nd") != std::string::npos)
      fs.insertMedium('A', 2);
    else if (prompt.text.find("1st") != std::string::npos)
      fs.insertMedium('A', 1);
    else
      fs.insertMedium('A', ++next);
  };
  run.target = TargetKind::RemovableDisk;
  TZipWriter zip(fs);
  zip.SetZipName("A:\\user0.daz");
  handlers.Attach(zip);
  handlers.SetMultiMode(zip);
  zip.MultiVolumeInfo.SaveZipInfoOnFirstDisk = true;
  zip.MultiVolumeInfo.SaveOnFirstDisk = 32768;
  zip.PackLevel = 0;
  zip.FilesList = {"C:\\DATA\\big.bin"};
  EXPECT_EQ(zip.CreateArchive(), 1);
  std::vector<std::string> texts;
  for (const Prompt& p : host.prompts) texts.push_back(p.text);
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_NE(texts[0].find("Please note that this is the first disk with A:\\user0.daz"),
            std::string::npos);
  EXPECT_EQ(texts[1], "Please insert another disk");
  EXPECT_EQ(texts[2], "Please insert first disk with A:\\user0.daz on it");
  EXPECT_EQ(texts[3], "Please insert the last disk");

  // Restore from the first disk without its table of contents: the last
  // disk is asked for, then each disk by its ordinal.
  fs.insertMedium('A', 1);
  std::filesystem::remove(dir / "a/disk1/user0.zfc");
  host.prompts.clear();
  run.backingUp = false;
  host.answers = {prRetry};
  TZipReader reader(fs);
  reader.SetZipName("A:\\user0.daz");
  handlers.Attach(reader);
  reader.DestDir = "C:\\OUT";
  EXPECT_EQ(reader.Extract(), 1);
  EXPECT_EQ(content("C:\\OUT\\DATA\\big.bin"), data);
  ASSERT_GE(host.prompts.size(), 3u);
  EXPECT_EQ(host.prompts[0].caption, "End of Zip File not Found - Corvasta");
  EXPECT_EQ(host.prompts[1].text, "Please insert the last disk with A:\\user0.daz on it.");
  EXPECT_EQ(host.prompts[2].text, "Please insert the 1st with A:\\user0.daz on it.");
  EXPECT_EQ(host.prompts[3].text, "Please insert the 2nd with A:\\user0.daz on it.");
}

}  // namespace
}  // namespace archive_test
