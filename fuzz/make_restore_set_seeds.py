#!/usr/bin/env python3
# Writes the seeds of fuzz_restore_set (see the input layout in
# fuzz_restore_set.cpp): python3 fuzz/make_restore_set_seeds.py fuzz/corpus/fuzz_restore_set
import io, zipfile, struct, os, sys
out = sys.argv[1]
SEP = b"--8<--"
CRASH, CONFIG, PROFILE, OTHER, PLAINUSER = 0x08, 0x10, 0x20, 0x40, 0x80
def z(entries):
    b = io.BytesIO()
    with zipfile.ZipFile(b, "w", zipfile.ZIP_DEFLATED) as f:
        for name, data in entries:
            zi = zipfile.ZipInfo(name, (2004, 5, 1, 12, 0, 0))
            zi.compress_type = zipfile.ZIP_DEFLATED
            f.writestr(zi, data)
    return b.getvalue()
def seed(name, first, user_ini=b"", user=b"", system=b"", registry=b"", winini=b"", other=b"", drive=b""):
    parts = [user_ini, user, system, registry, winini, other, drive]
    while parts and not parts[-1]: parts.pop()
    data = bytes([first]) + SEP.join(parts)
    assert len(data) < 6000, name
    open(os.path.join(out, name), "wb").write(data)
CREG = b"CREG\x00\x00\x01\x00" + b"\x00" * 24
ini9x = b"[MultiUsers]\r\nuser0=C:\\WINDOWS\\PROFILES\\ALICE\\USER.DAT\r\n"
win = z([("C:/WINDOWS/win.ini", b"[windows]\r\nload=\r\n")])
other = z([("C:/DOCS/a.txt", b"hello"), ("C:/DOCS/sub/b.txt", b"world")])
# Windows ME, every box: a compressed set as the program writes it.
seed("me_full", 2 | CRASH | CONFIG | PROFILE | OTHER, ini9x,
     z([("C:/WINDOWS/PROFILES/ALICE/USER.DAT", CREG)]), z([("C:/WINDOWS/SYSTEM.DAT", CREG)]),
     b"", win, other, b"C\\DOCS\\c.txt\nthird")
# Windows 98 without user.ini: user.daz, WinConfig only.
seed("w98_plain_user", 1 | CRASH | CONFIG | PLAINUSER, b"",
     z([("C:/WINDOWS/USER.DAT", CREG)]), z([("C:/WINDOWS/SYSTEM.DAT", CREG)]), b"", win)
# Windows XP: registry.daz with hives and its user.ini.
ntini = b"[MultiUsers]\r\nuser0=C:\\DOCUME~1\\ALICE\\NTUSER.DAT\r\n"
hive = b"regf" + b"\x00" * 4092
seed("xp_full", 5 | CRASH | CONFIG | PROFILE | OTHER, ntini, b"", b"",
     z([("C:/SET/system", hive), ("C:/SET/software", hive), ("C:/SET/user0", hive), ("C:/SET/user.ini", ntini)]),
     win, other)
# Windows 2000, no registry box: Other Files and a drive folder only.
seed("w2k_other", 4 | OTHER, b"", b"", b"", b"", b"", other, b"D\\DATA\\x.bin\n\x00\x01\x02")
# Hostile entry names in an Other Files archive.
hostile = [("..\\x", b"1"), ("../x", b"2"), ("/etc/x", b"3"), ("C:\\..\\..\\x", b"4"),
           ("\\\\?\\x", b"5"), ("CON", b"6"), ("NUL.txt", b"7"), ("C:/LPT1", b"8"),
           ("C:/SET/../../../x", b"9"), ("C:/a/./../../x", b"10"), ("C:x", b"11"), ("\\\\server\\share\\x", b"12")]
seed("hostile_other_names", 2 | OTHER, b"", b"", b"", b"", b"", z(hostile))
# Hostile names in the registry archives, Windows 95 and NT 4.
seed("hostile_registry_names", 0 | CRASH, b"", z([("../user.dat", CREG), ("C:/WINDOWS/../../user.dat", CREG)]),
     z([("/etc/system.dat", CREG), ("CON", CREG)]))
seed("nt_hostile_registry", 3 | CRASH, ntini, b"", b"",
     z([("../system", hive), ("/etc/software", hive), ("C:/../../user0", hive), ("user.ini", b"[MultiUsers]\r\nuser0=/tmp/x/ntuser.dat\r\n")]))
# A user.ini that sends registry files elsewhere.
bad_ini = (b"[MultiUsers]\r\nuser0=Z:\\x\\user.dat\r\nuser1=/tmp/host/user.dat\r\n"
           b"user2=C:\\..\\..\\user.dat\r\nuser3=C:\\WINDOWS\\PROFILES\\ALICE\\USER.DAT\r\nuser4=\\\\?\\C:\\user.dat\r\n")
seed("user_ini_elsewhere", 2 | CRASH, bad_ini, z([("USER.DAT", CREG)]), z([("SYSTEM.DAT", CREG)]))
# A multi-entry .daz and duplicated names.
seed("multi_entry_daz", 1 | CRASH | OTHER, ini9x,
     z([("C:/WINDOWS/PROFILES/ALICE/USER.DAT", CREG), ("USER.DAT", b"second"), ("C:/autoexec.bat", b"@echo off\r\n")]),
     z([("SYSTEM.DAT", CREG), ("SYSTEM.DAT", b"dup")]), b"", b"",
     z([("C:/DOCS/a.txt", b"one"), ("C:/DOCS/a.txt", b"two"), ("C:/DOCS/A.TXT", b"three")]))
# Overlapping entries: two central records pointing at one local header.
def overlapping():
    data = bytearray(z([("C:/O/a.txt", b"aaaa"), ("C:/O/b.txt", b"bbbb")]))
    eocd = data.rfind(b"PK\x05\x06")
    cd = struct.unpack_from("<I", data, eocd + 16)[0]
    first = cd
    n = struct.unpack_from("<HHH", data, first + 28)
    second = first + 46 + sum(n)
    struct.pack_into("<I", data, second + 42, 0)
    return bytes(data)
seed("overlapping_entries", 5 | OTHER, b"", b"", b"", b"", b"", overlapping())
# Drive folders with odd names.
seed("drive_folder_odd", 2 | OTHER, b"", b"", b"", b"", b"", b"", b"CON\\x.txt\nx")
seed("drive_folder_q", 2 | OTHER, b"", b"", b"", b"", b"", b"", b"Q\\deep\\x.txt\nx")
