#!/usr/bin/env python3
"""Writes a zip archive for the tests: make-zip.py OUT MEMBERS_JSON [DAMAGE]

MEMBERS_JSON is a list of {"name", "hex" (the bytes), "method": "stored" |
"deflated" | "bzip2", "encrypted": bool, "directory": bool}. DAMAGE is
"crc:NAME" (flips the first stored byte of that member, so its CRC fails) or
"truncate:N" (keeps only the first N bytes of the archive)."""
import json
import sys
import zipfile

METHODS = {"stored": zipfile.ZIP_STORED, "deflated": zipfile.ZIP_DEFLATED, "bzip2": zipfile.ZIP_BZIP2}


def main():
    out, members = sys.argv[1], json.loads(sys.argv[2])
    damage = sys.argv[3] if len(sys.argv) > 3 else ""
    offsets = {}
    with zipfile.ZipFile(out, "w") as archive:
        for member in members:
            info = zipfile.ZipInfo(member["name"] + ("/" if member.get("directory") else ""))
            info.compress_type = METHODS[member.get("method", "stored")]
            if member.get("directory"):
                info.external_attr = 0o40755 << 16 | 0x10
            archive.writestr(info, bytes.fromhex(member.get("hex", "")))
            offsets[member["name"]] = info
    data = bytearray(open(out, "rb").read())
    for member, info in zip(members, [offsets[m["name"]] for m in members]):
        if member.get("encrypted"):
            mark_encrypted(data, info)
    if damage.startswith("crc:"):
        info = offsets[damage[4:]]
        start = info.header_offset + 30 + len(info.filename.encode())
        data[start] ^= 0xFF
    elif damage.startswith("truncate:"):
        data = data[: int(damage[9:])]
    open(out, "wb").write(bytes(data))


def mark_encrypted(data, info):
    """Sets the encryption flag in the member's local and central headers."""
    data[info.header_offset + 6] |= 1
    name = info.filename.encode()
    at = 0
    while True:
        at = data.find(b"PK\x01\x02", at)
        if at < 0:
            return
        length = int.from_bytes(data[at + 28 : at + 30], "little")
        offset = int.from_bytes(data[at + 42 : at + 46], "little")
        if data[at + 46 : at + 46 + length] == name and offset == info.header_offset:
            data[at + 8] |= 1
            return
        at += 4


main()
