# Writes the hostile archives of the archive tests into the folder given.
import os, sys, zipfile

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

with zipfile.ZipFile(os.path.join(out, "many.tvk"), "w") as z:
    for i in range(10001):
        z.writestr("f%05d.txt" % i, "")

good = os.path.join(out, "good.zip")
with zipfile.ZipFile(good, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
    z.writestr("main.bmp", os.urandom(4096))
data = open(good, "rb").read()
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
    z.writestr("Skin.ini", "[Tovix.Skin]\r\n")
    z.writestr(unix_entry("-", 0o010600), "from a pipe")
