#!/usr/bin/env python3
"""Packs the site into a zip that unpacks to one folder of plain files, ready for any static web
host: every file of the site under FOLDER/, its name marked UTF-8 (the help document's is
Japanese), written to ZIP.part and renamed over ZIP only when whole.
Usage: zip-site.py SITE ZIP FOLDER"""

import pathlib
import sys
import zipfile


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.split("\n")[-1])
    site, archive, folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3]
    if not (site / "index.html").is_file():
        sys.exit(f"zip-site.py: no index.html in {site}: is the site built?")
    part = archive.with_name(archive.name + ".part")
    with zipfile.ZipFile(part, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for path in sorted(p for p in site.rglob("*") if p.is_file()):
            # zipfile marks a name that is not ASCII as UTF-8 itself.
            z.write(path, f"{folder}/{path.relative_to(site).as_posix()}")
    part.replace(archive)
    print(archive)


if __name__ == "__main__":
    main()
