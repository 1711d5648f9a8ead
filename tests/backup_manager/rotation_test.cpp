// The set register's rotation: which set is dropped, how the later entries
// move, where the new set goes.

#include <gtest/gtest.h>

#include "backup/SetRegister.h"

namespace {

using corvasta::RegisteredSet;

std::vector<RegisteredSet> numberedSets(int count) {
  std::vector<RegisteredSet> sets;
  for (int n = 1; n <= count; ++n)
    sets.push_back({"C:\\B\\" + std::to_string(n) + "\\", "S" + std::to_string(n)});
  return sets;
}

std::vector<std::string> pathsOf(const std::vector<RegisteredSet>& sets) {
  std::vector<std::string> paths;
  for (const RegisteredSet& set : sets) paths.push_back(set.path);
  return paths;
}

TEST(Rotation, EleventhSetDropsTheOldestNotKeptAndTakesTheLastPlace) {
  corvasta::RotationInput input;
  input.entries = numberedSets(10);
  input.maxNum = 10;
  input.keep = 1;
  input.w = 11;
  input.newSet = {"C:\\B\\11\\", "S11"};
  const corvasta::RotationResult result = corvasta::rotateRegister(input);
  ASSERT_TRUE(result.removedSet);
  EXPECT_EQ(*result.removedSet, "C:\\B\\2\\");
  EXPECT_EQ(result.newIndex, 10);
  EXPECT_EQ(pathsOf(result.entries),
            (std::vector<std::string>{"C:\\B\\1\\", "C:\\B\\3\\", "C:\\B\\4\\", "C:\\B\\5\\",
                                      "C:\\B\\6\\", "C:\\B\\7\\", "C:\\B\\8\\", "C:\\B\\9\\",
                                      "C:\\B\\10\\", "C:\\B\\11\\"}));
  // Short forms move with their entries.
  EXPECT_EQ(result.entries[1].shortPath, "S3");
}

TEST(Rotation, LoweredLimitShiftsOnlyUpToTheLimit) {
  corvasta::RotationInput input;
  input.entries = numberedSets(12);
  input.maxNum = 3;
  input.keep = 1;
  input.w = 13;
  input.newSet = {"C:\\B\\new\\", ""};
  const corvasta::RotationResult result = corvasta::rotateRegister(input);
  EXPECT_EQ(*result.removedSet, "C:\\B\\2\\");
  EXPECT_EQ(result.newIndex, 3);
  ASSERT_EQ(result.entries.size(), 12u);
  EXPECT_EQ(result.entries[0].path, "C:\\B\\1\\");
  EXPECT_EQ(result.entries[1].path, "C:\\B\\3\\");
  EXPECT_EQ(result.entries[2].path, "C:\\B\\new\\");
  for (int n = 4; n <= 12; ++n)
    EXPECT_EQ(result.entries[static_cast<size_t>(n - 1)].path,
              "C:\\B\\" + std::to_string(n) + "\\");
}

TEST(Rotation, ReplaceMovesItsTargetToTheEnd) {
  corvasta::RotationInput input;
  input.entries = numberedSets(5);
  std::optional<int> replaceIndex;
  input.w = corvasta::registerIndexForTarget(input.entries, "c:\\b\\2\\", replaceIndex);
  ASSERT_EQ(replaceIndex, 2);
  EXPECT_EQ(input.w, 5);
  input.replaceIndex = replaceIndex;
  input.newSet = {"C:\\B\\2\\", "S2"};
  const corvasta::RotationResult result = corvasta::rotateRegister(input);
  EXPECT_FALSE(result.removedSet);
  EXPECT_EQ(result.newIndex, 5);
  EXPECT_EQ(pathsOf(result.entries),
            (std::vector<std::string>{"C:\\B\\1\\", "C:\\B\\3\\", "C:\\B\\4\\", "C:\\B\\5\\",
                                      "C:\\B\\2\\"}));
}

TEST(Rotation, ReplaceTargetThatIsDroppedIsNotShiftedTwice) {
  // MaxNum lowered below the register: the dropped set is the Replace target
  // itself; every other set stays registered once.
  corvasta::RotationInput input;
  input.entries = numberedSets(4);
  input.maxNum = 3;
  input.keep = 1;
  input.w = 4;
  input.replaceIndex = 2;
  input.newSet = {"C:\\B\\2\\", "S2"};
  const corvasta::RotationResult result = corvasta::rotateRegister(input);
  EXPECT_EQ(*result.removedSet, "C:\\B\\2\\");
  EXPECT_EQ(pathsOf(result.entries),
            (std::vector<std::string>{"C:\\B\\1\\", "C:\\B\\3\\", "C:\\B\\2\\", "C:\\B\\4\\"}));
}

TEST(Rotation, NoLimitReachedAppends) {
  corvasta::RotationInput input;
  input.entries = numberedSets(3);
  input.w = 4;
  input.newSet = {"C:\\B\\4\\", "S4"};
  const corvasta::RotationResult result = corvasta::rotateRegister(input);
  EXPECT_FALSE(result.removedSet);
  EXPECT_EQ(result.newIndex, 4);
  EXPECT_EQ(result.entries.size(), 4u);
}

TEST(Rotation, KeepBeyondTheRegisterLeavesNoGap) {
  // Maximum 0 with nothing registered, or Keep at least the register's size:
  // nothing to drop, and the new set still lands on the first free key.
  corvasta::RotationInput input;
  input.maxNum = 0;
  input.keep = 1;
  input.w = 1;
  input.newSet = {"C:\\B\\1\\", "S1"};
  corvasta::RotationResult result = corvasta::rotateRegister(input);
  EXPECT_FALSE(result.removedSet);
  EXPECT_EQ(result.newIndex, 1);
  EXPECT_EQ(result.entries.size(), 1u);

  input.entries = numberedSets(2);
  input.maxNum = 2;
  input.keep = 5;
  input.w = 3;
  result = corvasta::rotateRegister(input);
  EXPECT_FALSE(result.removedSet);
  EXPECT_EQ(result.newIndex, 3);
  EXPECT_EQ(result.entries.size(), 3u);
}

}  // namespace
