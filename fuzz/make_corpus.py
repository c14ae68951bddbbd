#!/usr/bin/env python3
"""Seed corpora for the fuzz targets, made from the project's own fixtures.

    make_corpus.py OUT_DIR NATIVE_BUILD_DIR SOURCE_DIR
"""
import glob
import os
import shutil
import sys

out, native, source = sys.argv[1:4]


def target(name):
    path = os.path.join(out, name)
    os.makedirs(path, exist_ok=True)
    return path


def copy(files, name, transform=lambda b: b):
    for i, f in enumerate(sorted(files)):
        with open(f, "rb") as src:
            data = transform(src.read())
        with open(os.path.join(target(name), f"{i:03d}-{os.path.basename(f)}"), "wb") as dst:
            dst.write(data)


def texts(name, items, prefix=b""):
    for i, t in enumerate(items):
        with open(os.path.join(target(name), f"{i:03d}.txt"), "wb") as dst:
            dst.write(prefix + t.encode("utf-16-le"))


inis = glob.glob(os.path.join(source, "examples/pack/*.ini")) + glob.glob(
    os.path.join(native, "example-pack/*.ini"))
copy(inis, "ini")
copy(glob.glob(os.path.join(source, "examples/pack/languages.ini")) +
     glob.glob(os.path.join(native, "example-pack/languages.ini")), "languages")
players = glob.glob(os.path.join(native, "fixtures/players/*/*.exe"))
copy(players + [os.path.join(native, "example-pack/Pixora.dll")], "pe")
copy(players, "version")
copy(glob.glob(os.path.join(native, "example-pictures/*_96.png"))[:12], "png")
# The pictures' files without their file header, as the library holds them.
copy(glob.glob(os.path.join(native, "example-pictures/*.bmp")), "bitmap", lambda b: b[14:])
texts("engine", ["ID_SECTION_LANG_PACK_OFFICIAL_WLZ\0ID_SECTION_END\0ID_SECTION_FINISH",
                 "ID_SECTION_LANG_PACK_HELP_PLUGIN\0ID_ABORT",
                 "ID_SECTION_LANG_PACK_PLUGIN_AVS\0ID_SECTION_ID_SECTION_LANG_PACK_PLUGIN_AVS"],
      prefix=b"\x1f")
texts("placeholders", ["${PROJECT_NAME} ${PROJECT_VERSION} %Y ${WINAMP_VERSION}",
                       "$\\r$\\n ${ ${PROJECT_AUTHOR}}"])
texts("paths", ["{26}\\Winamp", "%APPDATA%\\Winamp", "%SELF%", ".\\Settings", "{38}%LOOP%"])


def looping_library():
    """A PE file whose resource directory's only entry points back at itself."""
    import struct
    dos = bytearray(64)
    dos[0:2] = b"MZ"
    struct.pack_into("<I", dos, 60, 64)
    pe = bytearray(b"PE\0\0") + struct.pack("<HHIIIHH", 0x14C, 1, 0, 0, 0, 0xE0, 0x2102)
    opt = bytearray(0xE0)
    struct.pack_into("<H", opt, 0, 0x10B)
    struct.pack_into("<I", opt, 92, 16)
    struct.pack_into("<II", opt, 96 + 2 * 8, 0x1000, 0x100)  # the resource directory
    section = bytearray(b".rsrc\0\0\0") + struct.pack("<IIIIIIHHI", 0x100, 0x1000, 0x200, 0x200,
                                                        0, 0, 0, 0, 0x40000040)
    body = bytearray(0x200)
    struct.pack_into("<IIHHHH", body, 0, 0, 0, 0, 0, 0, 1)
    struct.pack_into("<II", body, 16, 10, 0x80000000)  # type 10 -> the directory at 0: itself
    image = dos + pe + opt + section
    return bytes(image + bytearray(0x200 - len(image)) + body)


for name in ("pe", "version"):
    with open(os.path.join(target(name), "looping-directory.dll"), "wb") as dst:
        dst.write(looping_library())
