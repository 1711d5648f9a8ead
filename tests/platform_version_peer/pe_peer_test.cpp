// objdump reads our PE images as i386 Windows programs with one .rsrc
// section whose resource tree leads to a version resource; an independent
// Python reader of the published PE and VS_VERSIONINFO layouts finds the
// version numbers and the FileVersion string we wrote.
#include <gtest/gtest.h>

#include "platform/sample/windows_binaries.h"
#include "tests/support/temp_dir.h"

using namespace testing_support;

namespace {

std::string written(platform::version::FileVersion version) {
  static TempDir dir;
  const std::filesystem::path file = dir / ("regedit-" + version.text() + ".exe");
  writeFile(file, platform::sample::registryEditorImage(version, 915148800));
  return file.string();
}

TEST(PePeer, ObjdumpReadsTheHeadersAndTheResourceTree) {
  if (!haveProgram("objdump")) GTEST_SKIP() << "objdump is not installed";
  const std::string file = written({4, 10, 0, 1998});
  CommandResult result = runCommand("objdump -p " + shellQuoted(file));
  ASSERT_EQ(result.exitCode, 0) << result.output;
  const std::string& out = result.output;
  EXPECT_NE(out.find("file format pei-i386"), std::string::npos) << out;
  EXPECT_NE(out.find("Resource Directory [.rsrc]"), std::string::npos) << out;
  EXPECT_NE(out.find("Subsystem\t\t00000002"), std::string::npos) << out;
  // Type 16 (RT_VERSION), name 1, language 0x409, then the data.
  EXPECT_NE(out.find("Entry: ID: 0x000010, Value: 0x80000018"), std::string::npos) << out;
  EXPECT_NE(out.find("Entry: ID: 0x000409, Value: 0x000048"), std::string::npos) << out;
  EXPECT_NE(out.find("Leaf: Addr: 0x001058"), std::string::npos) << out;
  EXPECT_EQ(out.find("rror"), std::string::npos) << out;

  CommandResult headers = runCommand("objdump -h " + shellQuoted(file));
  ASSERT_EQ(headers.exitCode, 0) << headers.output;
  EXPECT_NE(headers.output.find(".rsrc"), std::string::npos) << headers.output;
}

// The PE header, section table, three-level resource tree and the
// VS_VERSIONINFO root, read as the format documentation lays them out.
constexpr const char* kPythonReader = R"(
import struct, sys
d = open(sys.argv[1], 'rb').read()
pe = struct.unpack_from('<I', d, 0x3C)[0]
assert d[pe:pe + 4] == b'PE\0\0'
nsec, optsize = struct.unpack_from('<H', d, pe + 6)[0], struct.unpack_from('<H', d, pe + 20)[0]
opt = pe + 24
assert struct.unpack_from('<H', d, opt)[0] == 0x10B
rva = struct.unpack_from('<I', d, opt + 96 + 16)[0]
secs = [struct.unpack_from('<8sIIII', d, opt + optsize + 40 * i) for i in range(nsec)]
def off(r):
    for name, vsize, va, rawsize, raw in secs:
        if va <= r < va + max(vsize, rawsize):
            return raw + r - va
    raise SystemExit('rva outside every section')
def first(dir_off, wanted=None):
    named, ids = struct.unpack_from('<HH', d, off(rva + dir_off) + 12)
    for i in range(named + ids):
        name, target = struct.unpack_from('<II', d, off(rva + dir_off) + 16 + 8 * i)
        if wanted is None or name == wanted:
            return target
    raise SystemExit('no entry')
names = first(0, 16) & 0x7FFFFFFF
langs = first(names) & 0x7FFFFFFF
leaf = first(langs)
data_rva, size = struct.unpack_from('<II', d, off(rva + leaf))
v = d[off(data_rva):off(data_rva) + size]
length, vlen, typ = struct.unpack_from('<HHH', v, 0)
key_end = v.index(b'\0\0\0', 6) + 1
key = v[6:key_end].decode('utf-16-le')
assert key == 'VS_VERSION_INFO', key
fixed = (key_end + 2 + 3) // 4 * 4
sig, sver, ms, ls, pms, pls = struct.unpack_from('<6I', v, fixed)
assert sig == 0xFEEF04BD
print('%d.%d.%d.%d' % (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF), length == size)
needle = 'FileVersion\0'.encode('utf-16-le')
at = v.index(needle) + len(needle)
at = (at + 3) // 4 * 4
print(v[at:v.index(b'\0\0', at) + 1].decode('utf-16-le'))
)";

TEST(PePeer, AnIndependentReaderFindsTheVersion) {
  if (!haveProgram("python3")) GTEST_SKIP() << "python3 is not installed";
  for (platform::version::FileVersion version : {platform::version::FileVersion{4, 0, 0, 1110},
                                                 platform::version::FileVersion{4, 90, 0, 3000}}) {
    const std::string file = written(version);
    CommandResult result =
        runCommand("python3 -c " + shellQuoted(kPythonReader) + " " + shellQuoted(file));
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, version.text() + " True\n" + version.text() + "\n");
  }
}

}  // namespace
