#!/usr/bin/env python3
"""Checks that each Windows program given keeps what a shipped exe must have:
a dynamic base with its relocations (ASLR), NX compatibility (DEP), a version
resource with product version 3.51, Windows 7 SP1 (6.1) as the oldest system
in its headers (subsystem and OS version), and the manifest, unchanged from
resources/vel_instaluj.manifest, asking for a known execution level and naming
Windows 7 to 10/11 as the systems it supports.
Exit 0: all fine; 1: something is lost; 77: a program is missing.
Usage: scripts/check/check-hardening.py PROGRAM.exe..."""
import os
import struct
import sys
import xml.etree.ElementTree as ET

PRODUCT_VERSION = (3, 51)
MANIFEST_SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources",
                               "vel_instaluj.manifest")
LEVELS = ("asInvoker", "highestAvailable")
RT_VERSION, RT_MANIFEST = 16, 24
DYNAMIC_BASE, NX_COMPAT, RELOCS_STRIPPED = 0x40, 0x100, 0x1
OLDEST_WINDOWS = (6, 1)  # Windows 7 SP1
# The manifest's supportedOS ids, Windows 7, 8, 8.1 and 10/11.
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "10/11",
}


class Lost(Exception):
    pass


class Image:
    """The headers, sections and data directories of a PE file."""

    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise Lost("not a program (no MZ header)")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise Lost("not a program (no PE header)")
        sections, opt_size, self.characteristics = struct.unpack_from("<2xH12xHH", data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from("<H", data, opt)[0]
        if magic not in (0x10B, 0x20B):
            raise Lost("unknown optional header 0x%x" % magic)
        self.dll_characteristics = struct.unpack_from("<H", data, opt + 70)[0]
        os_major, os_minor, _, _, sub_major, sub_minor = struct.unpack_from("<6H", data, opt + 40)
        self.os_version, self.subsystem_version = (os_major, os_minor), (sub_major, sub_minor)
        dirs = opt + (96 if magic == 0x10B else 112)
        count = struct.unpack_from("<I", data, dirs - 4)[0]
        self.directories = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(count)]
        table = opt + opt_size
        self.sections = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def offset(self, rva):
        for vsize, vaddr, rawsize, rawptr in self.sections:
            if vaddr <= rva < vaddr + max(vsize, rawsize):
                return rawptr + rva - vaddr
        raise Lost("address 0x%x lies in no section" % rva)

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)


def relocations(image):
    """Counts the base relocations that really move something."""
    rva, size = image.directory(5)
    if not size:
        return 0
    pos, end, count = image.offset(rva), image.offset(rva) + size, 0
    while pos + 8 <= end:
        block = struct.unpack_from("<II", image.data, pos)[1]
        if block < 8:
            break
        entries = struct.unpack_from("<%dH" % ((block - 8) // 2), image.data, pos + 8)
        count += sum(1 for e in entries if e >> 12)  # type 0 is padding
        pos += block
    return count


def resource(image, rtype):
    """The data of the first resource of a type (first name, first language)."""
    rva, size = image.directory(2)
    if not size:
        return None
    base = image.offset(rva)

    def first_entry(table, wanted=None):
        named, ids = struct.unpack_from("<12xHH", image.data, base + table)
        for i in range(named + ids):
            ident, target = struct.unpack_from("<II", image.data, base + table + 16 + 8 * i)
            if wanted is None or ident == wanted:
                return target
        return None

    entry = first_entry(0, rtype)
    for _ in range(2):  # name, then language
        if entry is None or not entry & 0x80000000:
            return None
        entry = first_entry(entry & 0x7FFFFFFF)
    if entry is None or entry & 0x80000000:
        return None
    data_rva, data_size = struct.unpack_from("<II", image.data, base + entry)
    start = image.offset(data_rva)
    return image.data[start:start + data_size]


def version_block(data, pos=0):
    """One block of a version resource: (key, value bytes, children)."""
    length, value_length, kind = struct.unpack_from("<HHH", data, pos)
    if length < 6 or pos + length > len(data):
        raise Lost("the version resource is damaged")
    end = pos + length
    key_end = pos + 6
    while data[key_end:key_end + 2] != b"\0\0":
        key_end += 2
    key = data[pos + 6:key_end].decode("utf-16-le")
    value = (key_end + 2 + 3) & ~3
    value_size = value_length * 2 if kind == 1 else value_length
    children, child = [], (value + value_size + 3) & ~3
    while child + 6 <= end:
        children.append(version_block(data, child))
        child = (child + children[-1][3] + 3) & ~3
    return key, data[value:value + value_size], children, length


def product_version(data):
    """The product version twice: in the fixed part and as the string."""
    key, fixed, children, _ = version_block(data)
    if key != "VS_VERSION_INFO" or len(fixed) < 52 or struct.unpack_from("<I", fixed)[0] != 0xFEEF04BD:
        raise Lost("the version resource has no fixed part")
    ms = struct.unpack_from("<I", fixed, 16)[0]
    numbers = (ms >> 16, ms & 0xFFFF)
    text = None
    for child in children:
        if child[0] == "StringFileInfo":
            for table in child[2]:
                for name, value, _, _ in table[2]:
                    if name == "ProductVersion":
                        text = value.decode("utf-16-le").rstrip("\0")
    return numbers, text


def check_version(image):
    data = resource(image, RT_VERSION)
    if data is None:
        raise Lost("no version resource")
    numbers, text = product_version(data)
    wanted = "%d.%d" % PRODUCT_VERSION
    if numbers != PRODUCT_VERSION or text != wanted:
        raise Lost("product version %d.%d / %r instead of %s" % (numbers + (text, wanted)))
    return "product version " + wanted


def check_manifest(image):
    data = resource(image, RT_MANIFEST)
    if data is None:
        raise Lost("no manifest")
    with open(MANIFEST_SOURCE, "rb") as f:
        if data != f.read():
            raise Lost("the manifest differs from resources/vel_instaluj.manifest")
    try:
        root = ET.fromstring(data)
    except ET.ParseError as e:
        raise Lost("the manifest is no well-formed XML: %s" % e)
    levels = [e.get("level") for e in root.iter("{urn:schemas-microsoft-com:asm.v3}requestedExecutionLevel")]
    if len(levels) != 1 or levels[0] not in LEVELS:
        raise Lost("the manifest asks for execution level %s" % levels)
    systems = [e.get("Id") for e in root.iter("{urn:schemas-microsoft-com:compatibility.v1}supportedOS")]
    if sorted(systems) != sorted(SUPPORTED_OS):
        raise Lost("the manifest names the systems %s instead of Windows %s"
                   % (systems, ", ".join(SUPPORTED_OS.values())))
    return "manifest (%s, Windows %s)" % (levels[0], ", ".join(SUPPORTED_OS.values()))


def check_oldest_windows(image):
    wanted = "%d.%d" % OLDEST_WINDOWS
    for name, version in (("subsystem", image.subsystem_version), ("OS", image.os_version)):
        if version != OLDEST_WINDOWS:
            raise Lost("%s version %d.%d instead of %s" % ((name,) + version + (wanted,)))
    return "subsystem and OS version " + wanted


def check(path):
    with open(path, "rb") as f:
        image = Image(f.read())
    found, lost = [], []
    if image.characteristics & RELOCS_STRIPPED:
        lost.append("its relocations are stripped")
    if image.dll_characteristics & DYNAMIC_BASE:
        found.append("dynamic base")
    else:
        lost.append("no dynamic base")
    count = relocations(image)
    (found if count else lost).append("%d relocations" % count)
    (found if image.dll_characteristics & NX_COMPAT else lost).append(
        "NX compatible" if image.dll_characteristics & NX_COMPAT else "not NX compatible")
    for part in (check_version, check_oldest_windows, check_manifest):
        try:
            found.append(part(image))
        except Lost as e:
            lost.append(str(e))
    return found, lost


def main(paths):
    rc = 0
    for path in paths:
        if not os.path.isfile(path):
            print("missing: " + path)
            return 77
        try:
            found, lost = check(path)
        except (Lost, struct.error) as e:
            found, lost = [], [str(e) or "a damaged program"]
        if lost:
            print("%s: lost: %s" % (path, "; ".join(lost)))
            rc = 1
        else:
            print("%s: %s" % (path, ", ".join(found)))
    return rc


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]) if len(sys.argv) > 1 else (print(__doc__) or 2))
