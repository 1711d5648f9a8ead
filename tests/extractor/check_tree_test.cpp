// The Extractor's check tree: where paths land, how children are ordered and
// the paths nodes give back.

#include <gtest/gtest.h>

#include <chrono>

#include "extractor/CheckTree.h"

namespace {

using corvasta::NodeKind;
using corvasta::TCheckTree;

TCheckTree treeWithDrives() {
  TCheckTree tree;
  tree.SetRoots({"3\xBD Floppy (A:)", "WINME (C:)", "Compact Disc (D:)"});
  return tree;
}

std::vector<std::string> texts(const TCheckTree& tree, int node) {
  std::vector<std::string> out;
  for (int child : tree.Children(node)) out.push_back(tree.node(child).text);
  return out;
}

TEST(CheckTree, PathsLandUnderTheirDriveRootAndComeBackAsGiven) {
  TCheckTree tree = treeWithDrives();
  const int file = *tree.AddPath("c:\\WINDOWS\\System\\a.ini", 0);
  EXPECT_EQ(tree.PathOfNode(file), "C:\\WINDOWS\\System\\a.ini");
  int root = file;
  while (tree.node(root).parent >= 0) root = tree.node(root).parent;
  EXPECT_EQ(tree.node(root).text, "WINME (C:)");
  EXPECT_EQ(tree.node(tree.node(file).parent).kind, NodeKind::Folder);
  // "X:" without a backslash is the same drive.
  EXPECT_EQ(tree.PathOfNode(*tree.AddPath("D:readme.txt")), "D:\\readme.txt");
}

TEST(CheckTree, AMissingDriveGetsANotPresentRootAtTheEnd) {
  TCheckTree tree = treeWithDrives();
  const int file = *tree.AddPath("E:\\Data\\x.doc");
  const std::vector<int>& roots = tree.Roots();
  ASSERT_EQ(roots.size(), 5u);
  EXPECT_EQ(tree.node(roots[3]).text, TCheckTree::kNoDriveGiven);
  EXPECT_EQ(tree.node(roots[4]).text, "E:(Not Present)");
  EXPECT_EQ(tree.PathOfNode(file), "E:\\Data\\x.doc");
  tree.AddPath("e:\\Data\\y.doc");
  EXPECT_EQ(tree.Roots().size(), 5u) << "the second path finds the root the first added";
  tree.Clear();
  EXPECT_EQ(tree.Roots().size(), 4u);
  EXPECT_TRUE(tree.node(tree.Roots()[1]).children.empty());
}

TEST(CheckTree, PathsWithoutDriveGoUnderNoDriveGivenOrNowhere) {
  TCheckTree tree = treeWithDrives();
  const int file = *tree.AddPath("WINDOWS\\win.ini");
  EXPECT_EQ(tree.PathOfNode(file), "WINDOWS\\win.ini");
  EXPECT_EQ(tree.PathOfNode(*tree.AddPath("top.txt")), "top.txt");
  TCheckTree bare;  // no roots at all
  EXPECT_FALSE(bare.AddPath("WINDOWS\\win.ini"));
  EXPECT_EQ(bare.size(), 0u);
}

TEST(CheckTree, FoldersComeFirstThenFilesEachByUpperCasedName) {
  TCheckTree tree = treeWithDrives();
  for (const char* path :
       {"C:\\b.txt", "C:\\Zeta\\x", "C:\\A.txt", "C:\\alpha\\y", "C:\\_c.txt", "C:\\Beta\\z"})
    tree.AddPath(path);
  EXPECT_EQ(texts(tree, tree.Roots()[1]),
            (std::vector<std::string>{"alpha", "Beta", "Zeta", "A.txt", "b.txt", "_c.txt"}));
}

TEST(CheckTree, APathListedTwiceIsShownOnceAndKeepsBothEntries) {
  TCheckTree tree = treeWithDrives();
  const int first = *tree.AddPath("C:\\WINDOWS\\win.ini", 3);
  const int again = *tree.AddPath("C:\\WINDOWS\\win.ini", 7);
  EXPECT_EQ(first, again);
  EXPECT_EQ(tree.node(first).entries, (std::vector<int>{3, 7}));
  // Another case is another name: the tree compares exactly.
  EXPECT_NE(*tree.AddPath("C:\\WINDOWS\\WIN.INI", 8), first);
  EXPECT_EQ(tree.FileNodes().size(), 2u);
}

TEST(CheckTree, FolderEntriesMakeFolderNodesNotNamelessFiles) {
  TCheckTree tree = treeWithDrives();
  const int folder = *tree.AddPath("C:\\Docs\\Old\\", 0);
  EXPECT_EQ(tree.node(folder).kind, NodeKind::Folder);
  EXPECT_EQ(tree.PathOfNode(folder), "C:\\Docs\\Old");
  const int file = *tree.AddPath("C:\\Docs\\Old\\a.txt", 1);
  EXPECT_EQ(tree.node(file).parent, folder);
  EXPECT_TRUE(tree.FileNodes(folder) == std::vector<int>{file});
  // A file whose name a folder already has is that folder, not a second node.
  EXPECT_EQ(*tree.AddPath("C:\\Docs\\Old", 2), folder);
  EXPECT_TRUE(tree.node(folder).entries.empty());
}

TEST(CheckTree, FileNodesFollowTheTreeOrder) {
  TCheckTree tree = treeWithDrives();
  const int z = *tree.AddPath("C:\\z.txt");
  const int deep = *tree.AddPath("C:\\Sub\\a.txt");
  const int floppy = *tree.AddPath("A:\\f.txt");
  EXPECT_EQ(tree.FileNodes(), (std::vector<int>{floppy, deep, z}));
}

TEST(CheckTree, OneHundredThousandEntriesInOneFolderFillQuickly) {
  TCheckTree tree = treeWithDrives();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 100'000; i > 0; --i) tree.AddPath("C:\\Big\\file" + std::to_string(i) + ".dat", i);
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const int big = tree.Children(tree.Roots()[1]).front();
  const std::vector<int> files = tree.Children(big);
  ASSERT_EQ(files.size(), 100'000u);
  EXPECT_EQ(tree.node(files.front()).text, "file1.dat");
  EXPECT_EQ(tree.node(files[1]).text, "file10.dat");
  EXPECT_LT(seconds, 5.0) << "a quadratic insertion takes minutes";
}

}  // namespace
