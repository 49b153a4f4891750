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
"""
import os
import shutil
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
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    temporary = output + ".tmp"
    shutil.copyfile(compiled, temporary)
    os.replace(temporary, output)


if __name__ == "__main__":
    main(sys.argv)
