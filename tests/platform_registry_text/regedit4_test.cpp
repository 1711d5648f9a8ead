#include "platform/registry/regedit4.h"

#include <gtest/gtest.h>

#include "platform/registry/registry_error.h"

using namespace platform::registry;

namespace {

std::vector<uint8_t> bytes(std::string_view text, bool terminate = true) {
  std::vector<uint8_t> out(text.begin(), text.end());
  if (terminate) out.push_back(0);
  return out;
}

std::vector<uint8_t> utf16(std::u16string_view text) {
  std::vector<uint8_t> out;
  for (char16_t c : text) {
    out.push_back(static_cast<uint8_t>(c));
    out.push_back(static_cast<uint8_t>(c >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

RegistryTree sampleAnsiTree() {
  RegistryTree tree;
  RegistryKey& key = tree.root.ensurePath("Software\\Example");
  key.setValue({"", kRegSz, bytes("default")});
  key.setValue({"Quoted", kRegSz, bytes("say \"hi\" to C:\\WINDOWS")});
  key.setValue({"Count", kRegDword, {0x1a, 0, 0, 0}});
  key.setValue({"Blob", kRegBinary, std::vector<uint8_t>(100, 0xAB)});
  key.setValue({"Path", kRegExpandSz, bytes("%windir%\\system")});
  key.setValue({"List", kRegMultiSz, {'a', 0, 'b', 0, 0}});
  key.setValue({"Lines", kRegSz, bytes("one\r\ntwo")});
  key.setValue({"NoNul", kRegSz, bytes("open", false)});
  key.setValue({"Short", kRegDword, {1, 2}});
  key.setValue({"Caf\xC3\xA9", kRegSz, bytes("cr\xE8me")});  // name UTF-8, data ANSI
  tree.root.ensurePath("Software\\Example\\Empty Sub");
  tree.root.ensurePath("System\\CurrentControlSet")
      .setValue({"Current User", kRegSz, bytes("Anna")});
  return tree;
}

}  // namespace

TEST(Regedit4, ExportWritesTheRegistryEditorsFormat) {
  RegistryTree tree = sampleAnsiTree();
  std::string text =
      exportRegedit4({{"HKEY_LOCAL_MACHINE\\Software", tree.root.findPath("Software")}});
  EXPECT_EQ(text.substr(0, 12), "REGEDIT4\r\n\r\n");
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Example]\r\n@=\"default\"\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"Quoted\"=\"say \\\"hi\\\" to C:\\\\WINDOWS\"\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Count\"=dword:0000001a\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Path\"=hex(2):25,77,69,6e,64,69,72,25,5c,73,79,73,74,65,6d,00\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\"Blob\"=hex:ab,ab,"), std::string::npos);
  EXPECT_NE(text.find(",\\\r\n  ab,ab"), std::string::npos)
      << "long hex data wraps with a continuation";
  // Strings that a quoted form would damage are kept byte for byte.
  EXPECT_NE(text.find("\"Lines\"=hex(1):6f,6e,65,0d,0a,74,77,6f,00"), std::string::npos);
  EXPECT_NE(text.find("\"NoNul\"=hex(1):6f,70,65,6e\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Short\"=hex(4):01,02\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Caf\xE9\"=\"cr\xE8me\""), std::string::npos)
      << "names and strings are ANSI";
  EXPECT_NE(text.find("[HKEY_LOCAL_MACHINE\\Software\\Example\\Empty Sub]\r\n\r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("System"), std::string::npos);
}

TEST(Regedit4, ExportThenImportGivesTheSameTree) {
  for (StringEncoding encoding : {StringEncoding::Ansi, StringEncoding::Utf16le}) {
    RegistryTree tree;
    tree.stringEncoding = encoding;
    RegistryTree ansi = sampleAnsiTree();
    // The same content in the tree's own string form.
    for (auto* path : {"Software\\Example", "System\\CurrentControlSet"}) {
      RegistryKey& key = tree.root.ensurePath(path);
      for (const auto& value : ansi.root.findPath(path)->values)
        key.setValue({value.name, value.type, toStoredData(value.type, value.data, encoding)});
    }
    tree.root.ensurePath("Software\\Example\\Empty Sub");
    std::string text = exportRegedit4({{"HKEY_LOCAL_MACHINE", &tree.root, encoding}});
    RegistryTree back;
    back.stringEncoding = encoding;
    EXPECT_EQ(applyRegedit4(parseRegedit4(text), "HKEY_LOCAL_MACHINE", back), 6u);
    EXPECT_EQ(describeDifference(tree.root, back.root), "");
  }
}

TEST(Regedit4, Utf16StringsBecomeAnsiInTheText) {
  RegistryTree tree;
  tree.stringEncoding = StringEncoding::Utf16le;
  tree.root.ensurePath("Env").setValue({"Path", kRegExpandSz, utf16(u"%SystemRoot%")});
  tree.root.ensurePath("Env").setValue({"Name", kRegSz, utf16(u"Jos\u00e9")});
  std::string text =
      exportRegedit4({{"HKEY_USERS\\.DEFAULT", &tree.root, StringEncoding::Utf16le}});
  EXPECT_NE(text.find("\"Name\"=\"Jos\xE9\""), std::string::npos);
  EXPECT_NE(text.find("hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,00"), std::string::npos);
}

TEST(Regedit4, ImportHandlesDeletionsContinuationsAndOtherRoots) {
  RegistryTree tree = sampleAnsiTree();
  std::string text =
      "REGEDIT4\r\n\r\n"
      "; a comment\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Example]\r\n"
      "\"Count\"=-\r\n"
      "\"Wrapped\"=hex:01,02,\\\r\n"
      "  03,04\r\n"
      "\"Tiny\"=dword:7\r\n"
      "[-HKEY_LOCAL_MACHINE\\Software\\Example\\Empty Sub]\r\n"
      "[HKEY_CURRENT_USER\\Ignored]\r\n"
      "\"x\"=\"y\"\r\n";
  EXPECT_EQ(applyRegedit4(parseRegedit4(text), "HKEY_LOCAL_MACHINE", tree), 2u);
  const RegistryKey* key = tree.root.findPath("Software\\Example");
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->findValue("Count"), nullptr);
  ASSERT_NE(key->findValue("Wrapped"), nullptr);
  EXPECT_EQ(key->findValue("Wrapped")->data, (std::vector<uint8_t>{1, 2, 3, 4}));
  EXPECT_EQ(key->findValue("tiny")->data, (std::vector<uint8_t>{7, 0, 0, 0}));
  EXPECT_EQ(key->findSubkey("Empty Sub"), nullptr);
  EXPECT_EQ(tree.root.findPath("Ignored"), nullptr);
}

TEST(Regedit4, MalformedTextNamesTheLine) {
  auto lineOf = [](const std::string& text) -> std::string {
    try {
      parseRegedit4(text);
    } catch (const RegistryFormatError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_NE(lineOf("REGEDIT5\r\n").find("line 1"), std::string::npos);
  EXPECT_NE(lineOf("REGEDIT4\r\n\"a\"=\"b\"\r\n").find("line 2: value line before the first key"),
            std::string::npos);
  EXPECT_NE(lineOf("REGEDIT4\r\n[K]\r\n\"a\"=\"b\r\n").find("line 3"), std::string::npos);
  EXPECT_NE(lineOf("REGEDIT4\r\n[K]\r\n\"a\"=hex:1,zz\r\n").find("line 3"), std::string::npos);
  EXPECT_NE(lineOf("REGEDIT4\r\n[K]\r\n\"a\"=dword:123456789\r\n").find("line 3"),
            std::string::npos);
  EXPECT_NE(lineOf("REGEDIT4\r\n[K\r\n").find("line 2"), std::string::npos);
}
