#!/usr/bin/env python3
"""Reads back what the Windows build of Quorvela carries and checks it.

  check-resources.py res FILE.res   the compiled resource script: version
                                    record, language, description, icon group
  check-resources.py ico FILE.ico   the icon file: three 32-bit images of 16,
                                    32 and 64 pixels
  check-resources.py png FILE WxH   a picture compiled into the program: its
                                    size and 32 bits a pixel (RGBA)

Prints one line per finding and exits non-zero when anything is wrong. Only
the standard library: the formats are small and fixed.
"""

import struct
import sys
import zlib

VERSION_TEXT = "1.00.0001"
VERSION_FIXED = (1, 0, 0, 1)  # major, minor, 0, revision
LANGUAGE = 0x0410  # Italian (Italy)
CODE_PAGE = 1200  # UTF-16LE
DESCRIPTION = "Conversione di valori di portata"
PRODUCT = "Quorvela"
ICON_SIZES = (16, 32, 64)

RT_ICON = 3
RT_GROUP_ICON = 14
RT_VERSION = 16
RT_MANIFEST = 24
# What the application manifest must declare: common controls 6, per-monitor
# DPI awareness (v2), and Windows 7, 8, 8.1 and 10/11 as supported systems.
MANIFEST_MUST_HOLD = (
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"',
    "PerMonitorV2",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
)
FIXED_SIGNATURE = 0xFEEF04BD
VFT_APP = 1


class Report:
    def __init__(self, what):
        self.what = what
        self.failures = 0

    def check(self, ok, message):
        print(f"{'ok  ' if ok else 'FAIL'} {self.what}: {message}")
        if not ok:
            self.failures += 1
        return ok

    def fail(self, message):
        return self.check(False, message)


def align4(n):
    return (n + 3) & ~3


def utf16z(data, pos):
    """A NUL-terminated UTF-16LE string at pos; returns it and the offset past the NUL."""
    end = pos
    while data[end:end + 2] != b"\0\0":
        end += 2
        if end + 2 > len(data):
            raise ValueError("unterminated UTF-16 string")
    return data[pos:end].decode("utf-16-le"), end + 2


# --- .res: a sequence of resource headers, each followed by its data ---------

def name_or_id(data, pos):
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        (ordinal,) = struct.unpack_from("<H", data, pos + 2)
        return ordinal, pos + 4
    return utf16z(data, pos)


def resources(data):
    pos = 0
    while pos + 8 <= len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        if header_size < 32 or pos + header_size + data_size > len(data):
            raise ValueError(f"resource header at offset {pos} runs past the file")
        kind, p = name_or_id(data, pos + 8)
        name, p = name_or_id(data, p)
        p = align4(p)
        _data_version, _flags, language = struct.unpack_from("<IHH", data, p)
        body = pos + header_size
        # The file opens with an empty entry that marks it as 32-bit .res.
        if data_size:
            yield kind, name, language, data[body:body + data_size]
        pos = align4(body + data_size)


def version_node(data, pos):
    """One node of a VS_VERSIONINFO tree: (key, type, value bytes, children), end."""
    length, value_length, value_type = struct.unpack_from("<HHH", data, pos)
    end = pos + length
    if length < 6 or end > len(data):
        raise ValueError(f"version node at offset {pos} has a bad length")
    key, p = utf16z(data, pos + 6)
    p = align4(p)
    value_bytes = value_length * 2 if value_type == 1 else value_length
    value = data[p:p + value_bytes]
    p = align4(p + value_bytes)
    children = []
    while p < end:
        child, child_end = version_node(data, p)
        children.append(child)
        p = align4(child_end)
    return (key, value_type, value, children), end


def text_value(value):
    return value.decode("utf-16-le").rstrip("\0")


def check_version(report, language, data):
    report.check(language == LANGUAGE,
                 f"version resource language 0x{language:04X} (want 0x{LANGUAGE:04X})")
    (key, _type, fixed, children), _ = version_node(data, 0)
    report.check(key == "VS_VERSION_INFO", f"root key {key!r}")
    if not report.check(len(fixed) >= 52, f"fixed file info of {len(fixed)} bytes"):
        return
    fields = struct.unpack_from("<13I", fixed)
    signature, _struc, file_ms, file_ls, prod_ms, prod_ls = fields[:6]
    file_type = fields[9]
    report.check(signature == FIXED_SIGNATURE, f"fixed file info signature 0x{signature:08X}")
    for label, ms, ls in (("FILEVERSION", file_ms, file_ls), ("PRODUCTVERSION", prod_ms, prod_ls)):
        got = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
        report.check(got == VERSION_FIXED,
                     f"{label} {','.join(map(str, got))} (want {','.join(map(str, VERSION_FIXED))})")
    report.check(file_type == VFT_APP, f"file type {file_type} (want {VFT_APP}, an application)")

    by_key = {child[0]: child for child in children}
    string_info = by_key.get("StringFileInfo")
    if report.check(string_info is not None, "StringFileInfo present"):
        tables = string_info[3]
        want_block = f"{LANGUAGE:04X}{CODE_PAGE:04X}"
        report.check([t[0].upper() for t in tables] == [want_block],
                     f"string tables {[t[0] for t in tables]} (want ['{want_block}'])")
        for table in tables:
            strings = {s[0]: text_value(s[2]) for s in table[3]}
            for name, want in (("FileVersion", VERSION_TEXT), ("ProductVersion", VERSION_TEXT),
                               ("FileDescription", DESCRIPTION), ("ProductName", PRODUCT)):
                got = strings.get(name)
                report.check(got == want, f"{table[0]} {name} {got!r} (want {want!r})")

    var_info = by_key.get("VarFileInfo")
    if report.check(var_info is not None, "VarFileInfo present"):
        translations = [c[2] for c in var_info[3] if c[0] == "Translation"]
        want = struct.pack("<HH", LANGUAGE, CODE_PAGE)
        got = ", ".join(
            "/".join(f"0x{w:04X}" if i == 0 else str(w) for i, w in
                     enumerate(struct.unpack(f"<{len(t) // 2}H", t))) for t in translations)
        report.check(translations == [want],
                     f"Translation {got or 'none'} (want 0x{LANGUAGE:04X}/{CODE_PAGE})")


def check_res(path):
    report = Report(path)
    data = open(path, "rb").read()
    try:
        entries = list(resources(data))
    except (ValueError, struct.error) as error:
        report.fail(f"not a readable .res file: {error}")
        return report

    versions = [e for e in entries if e[0] == RT_VERSION]
    if report.check(len(versions) == 1, f"{len(versions)} version resource(s) (want 1)"):
        try:
            check_version(report, versions[0][2], versions[0][3])
        except (ValueError, struct.error, UnicodeDecodeError) as error:
            report.fail(f"unreadable version resource: {error}")

    # The application icon is the group with id 1 (Explorer shows the lowest
    # id); other groups hold pictures the window shows.
    groups = [e for e in entries if e[0] == RT_GROUP_ICON and e[1] == 1]
    icons = {e[1]: e[3] for e in entries if e[0] == RT_ICON}
    if report.check(len(groups) == 1, f"{len(groups)} icon group(s) with id 1 (want 1)"):
        group = groups[0][3]
        _reserved, kind, count = struct.unpack_from("<HHH", group)
        images = []
        for i in range(count):
            w, h, _colours, _r, _planes, bits, size, ident = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
            image = icons.get(ident)
            if report.check(image is not None and len(image) == size,
                            f"icon group entry {i + 1} refers to icon {ident} of {size} bytes"):
                images.append((w or 256, h or 256, bits, image))
        check_icon_images(report, images)

    manifests = [e for e in entries if e[0] == RT_MANIFEST]
    if report.check([e[1] for e in manifests] == [1], f"{len(manifests)} manifest(s) (want one, id 1)"):
        text = " ".join(manifests[0][3].decode("utf-8", "replace").split())
        for needle in MANIFEST_MUST_HOLD:
            report.check(needle in text, f"manifest declares {needle}")
    return report


# --- .ico: a directory of images, each a bitmap (BMP without file header) or PNG

def png_header(image):
    if image[:8] != b"\x89PNG\r\n\x1a\n" or image[12:16] != b"IHDR":
        return None
    return struct.unpack_from(">IIBB", image, 16)  # width, height, bit depth, colour type


def bitmap_alpha(image, width, height):
    """The alpha bytes of a 32-bit icon bitmap, or None when it is not one."""
    if len(image) < 40:
        return None
    size, w, h, planes, bits = struct.unpack_from("<IiiHH", image)
    if size != 40 or w != width or h != 2 * height or planes != 1 or bits != 32:
        return None
    mask_row = align4((width + 7) // 8)
    if len(image) != 40 + width * height * 4 + mask_row * height:
        return None
    return image[40 + 3:40 + width * height * 4:4]


def check_icon_images(report, images):
    """images: (width, height, bits from the directory, image bytes) for each image."""
    sizes = sorted((w, h) for w, h, _b, _i in images)
    report.check(sizes == [(s, s) for s in ICON_SIZES],
                 f"images {', '.join(f'{w}x{h}' for w, h in sizes)} "
                 f"(want {', '.join(f'{s}x{s}' for s in ICON_SIZES)})")
    for w, h, bits, image in images:
        label = f"{w}x{h} image"
        report.check(bits == 32, f"{label} directory entry says {bits} bits a pixel (want 32)")
        png = png_header(image)
        if png is not None:
            pw, ph, depth, colour = png
            report.check((pw, ph, depth, colour) == (w, h, 8, 6),
                         f"{label} is PNG {pw}x{ph}, depth {depth}, colour type {colour} (want RGBA 8)")
            continue
        alpha = bitmap_alpha(image, w, h)
        if not report.check(alpha is not None, f"{label} is a 32-bit bitmap of the stated size"):
            continue
        # A 32-bit image whose alpha is all zero shows nothing at all; one with
        # no transparency at all has lost the drop's outline.
        report.check(0 in alpha and 255 in alpha,
                     f"{label} has transparent and opaque pixels")


def check_ico(path):
    report = Report(path)
    data = open(path, "rb").read()
    if not report.check(len(data) >= 6, f"{len(data)} bytes"):
        return report
    reserved, kind, count = struct.unpack_from("<HHH", data)
    if not report.check(reserved == 0 and kind == 1, "icon file header (reserved 0, type 1)"):
        return report
    report.check(count == len(ICON_SIZES), f"{count} images (want {len(ICON_SIZES)})")
    images = []
    for i in range(count):
        if 6 + 16 * (i + 1) > len(data):
            report.fail(f"directory entry {i + 1} runs past the file")
            return report
        w, h, _colours, _r, _planes, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if not report.check(offset + size <= len(data), f"image {i + 1} lies inside the file"):
            continue
        images.append((w or 256, h or 256, bits, data[offset:offset + size]))
    check_icon_images(report, images)
    return report


# --- PNG pictures compiled into the program ----------------------------------

def check_png(path, size):
    report = Report(path)
    want_w, want_h = (int(n) for n in size.lower().split("x"))
    data = open(path, "rb").read()
    header = png_header(data)
    if not report.check(header is not None, "PNG file"):
        return report
    w, h, depth, colour = header
    report.check((w, h) == (want_w, want_h), f"{w}x{h} pixels (want {want_w}x{want_h})")
    report.check((depth, colour) == (8, 6), f"depth {depth}, colour type {colour} (want RGBA, 32 bits a pixel)")
    # Decoding proves the file whole, not only its header.
    try:
        chunks, pos = [], 8
        while pos < len(data):
            length, tag = struct.unpack_from(">I4s", data, pos)
            if tag == b"IDAT":
                chunks.append(data[pos + 8:pos + 8 + length])
            pos += 12 + length
        raw = zlib.decompress(b"".join(chunks))
        channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour, 0)
        report.check(len(raw) == h * (1 + (w * channels * depth + 7) // 8),
                     "image data decodes to the stated size")
    except (zlib.error, struct.error) as error:
        report.fail(f"image data does not decode: {error}")
    return report


def main(argv):
    commands = {"res": (check_res, 1), "ico": (check_ico, 1), "png": (check_png, 2)}
    if len(argv) < 2 or argv[1] not in commands or len(argv) != 2 + commands[argv[1]][1]:
        print(__doc__, file=sys.stderr)
        return 2
    function, _ = commands[argv[1]]
    try:
        report = function(*argv[2:])
    except OSError as error:
        print(f"FAIL {error}")
        return 1
    return 1 if report.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
