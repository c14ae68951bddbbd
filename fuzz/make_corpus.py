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
