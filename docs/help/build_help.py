#!/usr/bin/env python3
"""Compiles the help file VorlenHelp.chm with chmcmd.

    build_help.py CHMCMD STAGE_DIR OUTPUT_CHM SOURCE...

The sources are checked first: every text source must be Shift_JIS (CP932),
which is what the HTML Help viewer reads for a Japanese help file (the
project's language 0x411 makes it decode the contents and index files in
code page 932), and every page, contents and index file must say so in its
meta charset. They are then copied into a fresh staging folder, so that
chmcmd sees exactly the listed sources, and compiled there. Any warning of
chmcmd (a missing file, a link to a page that is not listed) fails the
build. The finished file is copied to OUTPUT_CHM only when all went well.

chmcmd writes the time of the compilation twice into the file (the ITSF
header and the #SYSTEM file); with SOURCE_DATE_EPOCH set, both are replaced
by that time, so that the same sources give the same bytes (scripts/package).
"""
import os
import shutil
import struct
import subprocess
import sys

TEXT_SUFFIXES = (".html", ".hhc", ".hhk", ".hhp", ".css")
NEEDS_CHARSET = (".html", ".hhc", ".hhk")
CHARSET = b"charset=Shift_JIS"


def fail(message):
    print("build_help: " + message, file=sys.stderr)
    sys.exit(1)


def check_source(path):
    data = open(path, "rb").read()
    name = os.path.basename(path)
    if not name.lower().endswith(TEXT_SUFFIXES):
        return
    if data.startswith(b"\xef\xbb\xbf"):
        fail(f"{name} starts with a UTF-8 byte-order mark; store it in Shift_JIS (CP932)")
    if any(b >= 0x80 for b in data):
        try:
            data.decode("utf-8")
        except UnicodeDecodeError:
            pass
        else:
            fail(f"{name} looks like UTF-8; store it in Shift_JIS (CP932), "
                 f"e.g. iconv -f UTF-8 -t CP932")
    try:
        data.decode("cp932")
    except UnicodeDecodeError as error:
        fail(f"{name} is not valid Shift_JIS (CP932) at byte {error.start}; store it in CP932")
    if name.lower().endswith(NEEDS_CHARSET) and CHARSET.lower() not in data.lower():
        fail(f'{name} lacks <meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">')


def read_encint(data, at):
    """A CHM directory's variable-length integer: 7 bits a byte, high bit set
    on all but the last."""
    value = 0
    while True:
        byte = data[at]
        at += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, at


def system_file_offset(data):
    """Where the #SYSTEM file of a compiled help file starts, from the PMGL
    chunks of its directory; None when the file does not have one."""
    directory = struct.unpack_from("<Q", data, 0x48)[0]
    content = struct.unpack_from("<Q", data, 0x58)[0]
    if data[directory:directory + 4] != b"ITSP":
        return None
    header_length, _, chunk_size = struct.unpack_from("<III", data, directory + 8)
    chunk_count = struct.unpack_from("<I", data, directory + 0x2C)[0]
    for index in range(chunk_count):
        chunk = directory + header_length + index * chunk_size
        if data[chunk:chunk + 4] != b"PMGL":
            continue
        end = chunk + chunk_size - struct.unpack_from("<I", data, chunk + 4)[0]
        at = chunk + 0x14
        while at < end:
            length, at = read_encint(data, at)
            name = data[at:at + length]
            at += length
            section, at = read_encint(data, at)
            offset, at = read_encint(data, at)
            _, at = read_encint(data, at)
            if name == b"/#SYSTEM" and section == 0:
                return content + offset
    return None


def pin_compile_time(path, epoch):
    """Writes `epoch` where chmcmd wrote the time of the compilation."""
    data = bytearray(open(path, "rb").read())
    if data[:4] != b"ITSF" or struct.unpack_from("<I", data, 4)[0] != 3:
        fail(f"{path} is not a version 3 ITSF file")
    struct.pack_into(">I", data, 0x10, epoch & 0xFFFFFFFF)
    system = system_file_offset(data)
    if system is None:
        fail(f"{path} has no #SYSTEM file in its first section")
    # #SYSTEM: a version, then records of a 16-bit code, a 16-bit length and
    # the data; code 10 holds the compilation time.
    at = system + 4
    while True:
        code, length = struct.unpack_from("<HH", data, at)
        if code == 10 and length >= 4:
            struct.pack_into("<I", data, at + 4, epoch & 0xFFFFFFFF)
            break
        at += 4 + length
        if length == 0 and code == 0:
            fail(f"{path}: #SYSTEM holds no compilation time")
    open(path, "wb").write(bytes(data))


def main(argv):
    if len(argv) < 5:
        fail("usage: build_help.py CHMCMD STAGE_DIR OUTPUT_CHM SOURCE...")
    chmcmd, stage, output, sources = argv[1], argv[2], argv[3], argv[4:]

    projects = [s for s in sources if s.lower().endswith(".hhp")]
    if len(projects) != 1:
        fail("exactly one .hhp project file must be among the sources")
    for source in sources:
        check_source(source)

    shutil.rmtree(stage, ignore_errors=True)
    os.makedirs(stage)
    for source in sources:
        shutil.copy2(source, stage)

    project = os.path.basename(projects[0])
    result = subprocess.run([chmcmd, project], cwd=stage,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    log = result.stdout.decode("cp932", errors="replace")
    problems = [line for line in log.splitlines()
                if line.startswith(("Warning", "Error", "EF", "An unhandled"))]
    if result.returncode != 0 or problems:
        sys.stderr.write(log)
        fail(f"chmcmd failed (exit status {result.returncode})")

    compiled = os.path.join(stage, os.path.splitext(project)[0] + ".chm")
    if not os.path.isfile(compiled):
        sys.stderr.write(log)
        fail(f"chmcmd wrote no {os.path.basename(compiled)}")
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch:
        pin_compile_time(compiled, int(epoch))
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    temporary = output + ".tmp"
    shutil.copyfile(compiled, temporary)
    os.replace(temporary, output)


if __name__ == "__main__":
    main(sys.argv)
