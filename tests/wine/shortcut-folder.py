#!/usr/bin/env python3
"""Prints the working folder a Windows shortcut (.lnk) starts its program in,
read from the file as the Shell Link format lays it out: the header, the
item list and link info when present, then the counted strings (name,
relative path, working folder, ...) each present as a flag says."""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR = 0x1, 0x2, 0x4, 0x8, 0x10
IS_UNICODE = 0x80

data = open(sys.argv[1], "rb").read()
header_size, = struct.unpack_from("<I", data, 0)
flags, = struct.unpack_from("<I", data, 0x14)
pos = header_size
if flags & HAS_ID_LIST:
    size, = struct.unpack_from("<H", data, pos)
    pos += 2 + size
if flags & HAS_LINK_INFO:
    size, = struct.unpack_from("<I", data, pos)
    pos += size
if not flags & IS_UNICODE:
    sys.exit("not a Unicode shortcut")
width = 2
for flag in (HAS_NAME, HAS_RELATIVE_PATH, HAS_WORKING_DIR):
    if not flags & flag:
        if flag == HAS_WORKING_DIR:
            sys.exit("the shortcut has no working folder")
        continue
    count, = struct.unpack_from("<H", data, pos)
    text = data[pos + 2:pos + 2 + count * width]
    pos += 2 + count * width
    if flag == HAS_WORKING_DIR:
        print(text.decode("utf-16-le").rstrip("\0"))
