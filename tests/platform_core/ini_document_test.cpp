// IniDocument: the Windows matching rules and edits that keep every other line.
#include "platform/core/ini_document.h"

#include <gtest/gtest.h>

using platform::IniDocument;

namespace {

const char* const kSample =
    "; comment\r\n"
    "[Main]\r\n"
    "  Key = value with blanks  \r\n"
    "key=second\r\n"
    "stray line\r\n"
    "\r\n"
    "[main]\r\n"
    "Other=x\r\n"
    "[Open\r\n"
    "A=1\r\n";

TEST(IniDocument, ParseAndSerializeKeepEveryLine) {
  IniDocument doc = IniDocument::parse(kSample);
  EXPECT_EQ(doc.serialize(), kSample);
  // LF-only input is read the same and written with the chosen line end.
  IniDocument lf = IniDocument::parse("[S]\nK=v\n");
  EXPECT_EQ(lf.serialize("\r\n"), "[S]\r\nK=v\r\n");
  EXPECT_EQ(IniDocument::parse("[S]\r\nK=v").serialize("\n"), "[S]\nK=v\n");
  EXPECT_EQ(IniDocument::parse("").lines().size(), 0u);
}

TEST(IniDocument, NamesMatchWithoutCaseAndTheFirstDuplicateWins) {
  IniDocument doc = IniDocument::parse(kSample);
  EXPECT_EQ(doc.get("MAIN", "KEY"), "value with blanks");
  EXPECT_EQ(doc.get("main", "Other"), std::nullopt);  // in the second [main]
  EXPECT_EQ(doc.get("Open", "A"), "1");               // no ']': the rest is the name
  EXPECT_EQ(doc.sections(), (std::vector<std::string>{"Main", "Open"}));
  EXPECT_EQ(doc.keys("Main"), (std::vector<std::string>{"Key"}));
  EXPECT_EQ(doc.lineOf("Main"), 2);
  EXPECT_EQ(doc.lineOf("main", "key"), 3);
  EXPECT_EQ(doc.lineOf("Main", "missing"), 0);
  EXPECT_FALSE(doc.hasSection("Other"));
}

TEST(IniDocument, SetChangesOnlyTheValueOrInsertsBeforeTrailingBlanks) {
  IniDocument doc = IniDocument::parse("[A]\r\nName=1\r\n\r\n[B]\r\nX=y\r\n");
  doc.set("a", "NAME", "2");
  doc.set("A", "New", "3");
  doc.set("C", "K", "v");
  EXPECT_EQ(doc.serialize(), "[A]\r\nName=2\r\nNew=3\r\n\r\n[B]\r\nX=y\r\n\r\n[C]\r\nK=v\r\n");
}

TEST(IniDocument, RemoveEraseAndReplace) {
  IniDocument doc = IniDocument::parse("[A]\r\nK=1\r\nL=2\r\n\r\n[B]\r\nM=3\r\n[C]\r\nN=4\r\n");
  EXPECT_TRUE(doc.removeKey("a", "k"));
  EXPECT_FALSE(doc.removeKey("a", "k"));
  EXPECT_TRUE(doc.eraseSection("b"));
  EXPECT_FALSE(doc.eraseSection("b"));
  doc.replaceSection("A", {{"0", "x"}, {"1", "y"}});
  doc.replaceSection("D", {{"k", "v"}});
  EXPECT_EQ(doc.serialize(), "[A]\r\n0=x\r\n1=y\r\n\r\n[C]\r\nN=4\r\n\r\n[D]\r\nk=v\r\n");
}

}  // namespace
