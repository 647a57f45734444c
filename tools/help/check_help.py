#!/usr/bin/env python3
"""Checks the compiled help files against their HTML sources.

    check_help.py DATA_DIR           checks chm/HelpE.chm against help/en and chm/HelpA.chm against help/ar
    check_help.py FILE.chm SRC_DIR   checks one pair

For each pair: the file starts with the "ITSF" signature, its directory (read here from the
ITSP/PMGL chunks) lists every file of the source folder with the source's size, and nothing that
the sources no longer have; when chmls is installed its listing must agree with ours. The sources
themselves: every page is in the table of contents, every local link of a page, the contents and
the index names an existing file, and the Arabic pages are code page 1256 with that charset
declared. Exits non-zero with one line per fault.
"""
import html.parser
import os
import re
import shutil
import struct
import subprocess
import sys

PAIRS = (("HelpE.chm", "en"), ("HelpA.chm", "ar"))
PAGE_EXT = (".htm", ".html")
# Files the compiler writes into every .chm on its own.
SYSTEM_PREFIXES = ("/#", "/$", "::")
SYSTEM_NAMES = ("/", "/_#_README_#_")


class ChmError(Exception):
    pass


def read_encint(data, pos, end):
    value = 0
    while True:
        if pos >= end:
            raise ChmError("directory entry runs past its chunk")
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if not byte & 0x80:
            return value, pos


def chm_directory(path):
    """Returns {name: (section, offset, length)} from the file's directory chunks."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 4 or data[:4] != b"ITSF":
        raise ChmError("signature is %r, not b'ITSF'" % data[:4])
    if len(data) < 0x58:
        raise ChmError("header is truncated")
    version, = struct.unpack_from("<I", data, 4)
    if version not in (2, 3):
        raise ChmError("unknown ITSF version %d" % version)
    dir_offset, dir_length = struct.unpack_from("<QQ", data, 0x48)
    if dir_offset + 0x54 > len(data) or dir_offset + dir_length > len(data):
        raise ChmError("directory lies beyond the end of the file")
    if data[dir_offset:dir_offset + 4] != b"ITSP":
        raise ChmError("directory does not start with b'ITSP'")
    header_len, = struct.unpack_from("<I", data, dir_offset + 8)
    chunk_size, = struct.unpack_from("<I", data, dir_offset + 0x10)
    first_pmgl, last_pmgl = struct.unpack_from("<ii", data, dir_offset + 0x20)
    chunk_count, = struct.unpack_from("<I", data, dir_offset + 0x2C)
    if chunk_size < 0x20 or chunk_count == 0:
        raise ChmError("directory header is malformed")
    chunks = dir_offset + header_len
    if chunks + chunk_size * chunk_count > len(data):
        raise ChmError("directory chunks run past the end of the file")

    entries = {}
    seen = set()
    index = first_pmgl
    while index != -1:
        if not 0 <= index < chunk_count or index in seen:
            raise ChmError("listing chunk chain is broken at chunk %d" % index)
        seen.add(index)
        base = chunks + index * chunk_size
        if data[base:base + 4] != b"PMGL":
            raise ChmError("chunk %d is not a listing chunk" % index)
        free, = struct.unpack_from("<I", data, base + 4)
        following, = struct.unpack_from("<i", data, base + 0x10)
        end = base + chunk_size - free
        if end < base + 0x14:
            raise ChmError("chunk %d has an impossible free space" % index)
        pos = base + 0x14
        while pos < end:
            name_len, pos = read_encint(data, pos, end)
            if pos + name_len > end:
                raise ChmError("name runs past chunk %d" % index)
            name = data[pos:pos + name_len].decode("utf-8", "replace")
            pos += name_len
            section, pos = read_encint(data, pos, end)
            offset, pos = read_encint(data, pos, end)
            length, pos = read_encint(data, pos, end)
            if name in entries:
                raise ChmError("%s is listed twice" % name)
            entries[name] = (section, offset, length)
        if index == last_pmgl:
            break
        index = following
    return entries


def chmls_names(path):
    """Names that chmls lists, or None when it is not installed."""
    if not shutil.which("chmls"):
        return None
    run = subprocess.run(["chmls", "-p", "-n", "list", path],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    if run.returncode != 0:
        return None
    return {line for line in run.stdout.decode("utf-8", "replace").splitlines()
            if line.startswith("/") or line.startswith("::")}


class LinkParser(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []
        self.charset = None

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for key in ("href", "src"):
            if attrs.get(key):
                self.links.append(attrs[key])
        if tag == "param" and (attrs.get("name") or "").lower() == "local":
            self.links.append(attrs.get("value") or "")
        if tag == "meta" and (attrs.get("http-equiv") or "").lower() == "content-type":
            found = re.search(r"charset=([\w-]+)", attrs.get("content") or "", re.I)
            if found:
                self.charset = found.group(1).lower()


def parse_source(path, encoding):
    with open(path, "rb") as f:
        raw = f.read()
    parser = LinkParser()
    parser.feed(raw.decode(encoding))
    parser.close()
    return raw, parser


def local_target(link):
    link = link.split("#", 1)[0].split("?", 1)[0]
    if not link or re.match(r"^[a-z][a-z0-9+.-]*:", link, re.I):
        return None
    return link


def is_utf8_multibyte(raw):
    if all(b < 0x80 for b in raw):
        return False
    try:
        raw.decode("utf-8")
        return True
    except UnicodeDecodeError:
        return False


def check_sources(src, arabic):
    faults = []
    encoding = "cp1256" if arabic else "cp1252"
    names = sorted(os.listdir(src))
    pages = [n for n in names if n.lower().endswith(PAGE_EXT)]
    if not pages:
        return ["%s: no pages" % src]
    for required in ("index.htm", "toc.hhc", "index.hhk"):
        if required not in names:
            faults.append("%s: %s is missing" % (src, required))
    toc_targets = set()
    for name in names:
        if not name.lower().endswith(PAGE_EXT + (".hhc", ".hhk")):
            continue
        path = os.path.join(src, name)
        try:
            raw, parser = parse_source(path, encoding)
        except UnicodeDecodeError as e:
            faults.append("%s: not %s text (%s)" % (path, encoding, e))
            continue
        is_page = name.lower().endswith(PAGE_EXT)
        if arabic:
            if is_page and parser.charset != "windows-1256":
                faults.append("%s: declares charset %s, not windows-1256" % (path, parser.charset))
            if is_utf8_multibyte(raw):
                faults.append("%s: is UTF-8, not code page 1256" % path)
        elif is_page and any(b >= 0x80 for b in raw) and parser.charset is None:
            faults.append("%s: has non-ASCII text and no charset" % path)
        for link in parser.links:
            target = local_target(link)
            if target is not None and target not in names:
                faults.append("%s: links to missing %s" % (path, target))
            if name == "toc.hhc" and target is not None:
                toc_targets.add(target)
    for page in pages:
        if page not in toc_targets:
            faults.append("%s: %s is not in the table of contents" % (src, page))
    return faults


def check_pair(chm, src):
    faults = []
    arabic = os.path.basename(os.path.normpath(src)) == "ar"
    if not os.path.isdir(src):
        return ["%s: source folder missing" % src]
    try:
        entries = chm_directory(chm)
    except OSError as e:
        return ["%s: cannot be read (%s)" % (chm, e.strerror)]
    except ChmError as e:
        return ["%s: %s" % (chm, e)]
    sources = {"/" + n: os.path.getsize(os.path.join(src, n)) for n in os.listdir(src)}
    for name, size in sorted(sources.items()):
        if name not in entries:
            kind = "page" if name.lower().endswith(PAGE_EXT) else "file"
            faults.append("%s: %s %s of %s is not in it; run tools/help/build_help.sh"
                          % (chm, kind, name[1:], src))
        elif entries[name][2] != size:
            faults.append("%s: %s holds %d bytes, the source %d; run tools/help/build_help.sh"
                          % (chm, name[1:], entries[name][2], size))
    for name in sorted(entries):
        if name in SYSTEM_NAMES or name.startswith(SYSTEM_PREFIXES) or name.endswith("/"):
            continue
        if name not in sources:
            faults.append("%s: holds %s, which %s no longer has; run tools/help/build_help.sh"
                          % (chm, name[1:], src))
    listed = chmls_names(chm)
    if listed is not None and listed != set(entries):
        faults.append("%s: only chmls lists %s, only the directory %s"
                      % (chm, sorted(listed - set(entries)), sorted(set(entries) - listed)))
    faults += check_sources(src, arabic)
    return faults


def main(argv):
    if len(argv) == 2:
        data = argv[1]
        pairs = [(os.path.join(data, "chm", c), os.path.join(data, "help", s)) for c, s in PAIRS]
    elif len(argv) == 3:
        pairs = [(argv[1], argv[2])]
    else:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = []
    for chm, src in pairs:
        faults += check_pair(chm, src)
    for fault in faults:
        print(fault, file=sys.stderr)
    if not faults:
        print("help files ok: %s" % ", ".join(os.path.basename(c) for c, _ in pairs))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
