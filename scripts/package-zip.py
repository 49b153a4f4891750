#!/usr/bin/env python3
"""Writes the download's zip file, the same bytes for the same inputs.

    package-zip.py ZIP VERSION VORLEN_EXE HELP_CHM README_TXT

The entries are vorlen.exe, VorlenHelp.chm and README.txt, in that order, at
the top of the archive, each with the time of SOURCE_DATE_EPOCH (in UTC, no
earlier than 1980, the first time a zip can hold), the attributes of an
ordinary Windows file and the deflate method at its highest level. README.txt
gets the version for @VERSION@, Windows line ends and a UTF-8 byte-order mark,
so that every Notepad since Windows 7 shows its Japanese.
"""
import os
import sys
import time
import zipfile

FILE_ATTRIBUTE_ARCHIVE = 0x20


def entry(name, epoch):
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    info = zipfile.ZipInfo(name, date_time=stamp)
    info.create_system = 0  # MS-DOS attributes, as a Windows zip tool writes
    info.external_attr = FILE_ATTRIBUTE_ARCHIVE
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def main(argv):
    if len(argv) != 6:
        sys.exit("usage: package-zip.py ZIP VERSION VORLEN_EXE HELP_CHM README_TXT")
    output, version, exe, chm, readme = argv[1:]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    text = open(readme, encoding="utf-8").read().replace("@VERSION@", version)
    readme_bytes = b"\xef\xbb\xbf" + text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")
    temporary = output + ".tmp"
    with zipfile.ZipFile(temporary, "w") as archive:
        for name, data in (("vorlen.exe", open(exe, "rb").read()),
                           ("VorlenHelp.chm", open(chm, "rb").read()),
                           ("README.txt", readme_bytes)):
            archive.writestr(entry(name, epoch), data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    os.replace(temporary, output)


if __name__ == "__main__":
    main(sys.argv)
