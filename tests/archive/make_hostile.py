# Writes the hostile archives of the archive tests into the folder given.
import os, struct, sys, warnings, zipfile

out = sys.argv[1]

def renamed(name, hostile):
    # zipfile tidies names; the hostile name replaces a placeholder of its length.
    path = os.path.join(out, name)
    placeholder = "P" * len(hostile)
    with zipfile.ZipFile(path, "w") as z:
        z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
        z.writestr(placeholder, "evil")
    data = open(path, "rb").read().replace(placeholder.encode(), hostile.encode())
    open(path, "wb").write(data)

renamed("slash.tvk", "../evil.txt")
renamed("backslash.tvk", "..\\evil.txt")
renamed("absolute.tvk", "/tmp/tvx_archive_evil.txt")
renamed("drive.tvk", "C:/evil.txt")
renamed("unc.tvk", "//host/share/evil.txt")

def unix_entry(name, mode):
    info = zipfile.ZipInfo(name)
    info.create_system = 3
    info.external_attr = mode << 16
    return info

with zipfile.ZipFile(os.path.join(out, "link.tvk"), "w") as z:
    z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
    z.writestr(unix_entry("images", 0o120777), "/tmp")
    z.writestr("images/evil.txt", "evil")

with zipfile.ZipFile(os.path.join(out, "bomb.tvk"), "w", zipfile.ZIP_DEFLATED, compresslevel=1) as z:
    z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
    with z.open("big.bmp", "w", force_zip64=True) as big:
        chunk = bytes(1 << 20)
        for _ in range(513):
            big.write(chunk)

# Two entries whose directory states 300 MiB each: under the bound one by one,
# over it together. They hold far less, which only reading them would show.
with zipfile.ZipFile(os.path.join(out, "together.tvk"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("a.bmp", bytes(1000))
    z.writestr("b.bmp", bytes(1000))
together = bytearray(open(os.path.join(out, "together.tvk"), "rb").read())
at = together.index(b"PK\1\2")
while at >= 0:
    together[at + 24:at + 28] = struct.pack("<I", 300 << 20)
    at = together.find(b"PK\1\2", at + 4)
open(os.path.join(out, "together.tvk"), "wb").write(together)

with zipfile.ZipFile(os.path.join(out, "many.tvk"), "w") as z:
    for i in range(10001):
        z.writestr("f%05d.txt" % i, "")

# The entries of the intact archives, also written as files into "intact" to
# compare what is extracted with.
intact = {"Skin.ini": b"[Tovix.Skin]\r\n", "main.bmp": os.urandom(4096), "-": b"from a pipe"}
os.makedirs(os.path.join(out, "intact"))
for name, content in intact.items():
    open(os.path.join(out, "intact", name), "wb").write(content)

def skin(name, comment=b"", extra=b"", method=zipfile.ZIP_DEFLATED):
    path = os.path.join(out, name)
    with zipfile.ZipFile(path, "w", method) as z:
        z.comment = comment
        z.writestr("Skin.ini", intact["Skin.ini"])
        info = zipfile.ZipInfo("main.bmp")
        info.compress_type = method
        info.extra = extra
        z.writestr(info, intact["main.bmp"])
    return bytearray(open(path, "rb").read())

data = bytes(skin("good.zip"))
open(os.path.join(out, "truncated.tvk"), "wb").write(data[: len(data) // 2])
# The second entry's data damaged: its check fails after the first file was read.
at = data.index(b"main.bmp") + len(b"main.bmp") + 100
open(os.path.join(out, "damaged.tvk"), "wb").write(data[:at] + bytes(b ^ 0xFF for b in data[at:at + 50]) + data[at + 50:])

# A name part one byte longer than file systems allow.
with zipfile.ZipFile(os.path.join(out, "long.tvk"), "w") as z:
    z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
    z.writestr("L" * 252 + ".bmp", "long")

# Parts the file system allows, whose full path only the last file's name takes
# over the system's limit: it fails after "Skin.ini" and "main.bmp" are in place.
with zipfile.ZipFile(os.path.join(out, "deep.tvk"), "w") as z:
    z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
    z.writestr("main.bmp", "main")
    z.writestr("/".join(["D" * 240] * 16) + "/" + "F" * 251 + ".bmp", "deep")

# Data marked as a named pipe, as zip marks what it read from its standard input.
with zipfile.ZipFile(os.path.join(out, "pipe.tvk"), "w") as z:
    z.writestr("Skin.ini", intact["Skin.ini"])
    z.writestr(unix_entry("-", 0o010600), intact["-"])

# Intact archives that unzip and other zip tools extract, odd in their frame.
def save(name, data):
    open(os.path.join(out, name), "wb").write(data)

# A download that got a newline after the end record.
save("newline.tvk", data + b"\n")
# The end record states a shorter, or a longer, comment than follows it.
commented = skin("commented.zip", comment=b"made by hand")
end = commented.rindex(b"PK\5\6")
save("comment_long.tvk", commented[:end + 20] + struct.pack("<H", 4) + commented[end + 22:])
save("comment_short.tvk", commented[:end + 20] + struct.pack("<H", 40) + commented[end + 22:])
# The directory gives "main.bmp" another date than its local header.
dated = bytearray(data)
entry = dated.index(b"PK\1\2", dated.index(b"PK\1\2") + 4)  # the second entry's
dated[entry + 14] ^= 0x02  # the day of its date
save("date.tvk", dated)
# The local header of "main.bmp" ends its extra fields with two bytes that are no
# field; the directory's copy of them does not.
extra = skin("extra.zip", extra=struct.pack("<HHBI", 0x5455, 5, 1, 1000000000) + b"\0\0")
header = extra.index(b"main.bmp") + len(b"main.bmp") + 9
extra[header:header + 2] = b"\1\2"
save("extra.tvk", extra)

# Stored, so that only the check of its CRC finds the changed byte of "main.bmp".
crc = skin("crc.zip", method=zipfile.ZIP_STORED)
crc[crc.index(intact["main.bmp"]) + 100] ^= 0xFF
save("crc.tvk", crc)

# Deflated "main.bmp" declares ten bytes more than its data holds; its CRC is
# that of the data.
short = bytearray(data)
local = short.index(b"PK\3\4", short.index(b"PK\3\4") + 4)
central = short.index(b"PK\1\2", short.index(b"PK\1\2") + 4)
for size_at in (local + 22, central + 24):
    short[size_at:size_at + 4] = struct.pack("<I", len(intact["main.bmp"]) + 10)
save("short.tvk", short)

# The end record of the last part of an archive split into parts.
split = bytearray(data)
split[split.rindex(b"PK\5\6") + 4] = 1
save("split.tvk", split)

with zipfile.ZipFile(os.path.join(out, "twice.tvk"), "w") as z:
    z.writestr("Skin.ini", intact["Skin.ini"])
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")  # zipfile warns of the name stored twice
        z.writestr("Skin.ini", "[Other]\r\n")
