#!/usr/bin/env python3
"""Writes the small seed corpora of the fuzz targets into fuzz/corpus/<target>/.

usage: make-seeds.py <system.reg of a prefix made by wineboot>

Each seed is a few KB at most: the fuzzer grows its own corpus in a scratch
folder (scripts/fuzz.sh), so the committed one stays small.
"""
import base64
import hashlib
import io
import pathlib
import struct
import sys
import zipfile
import zlib

top = pathlib.Path(__file__).resolve().parent.parent
corpus = top / "fuzz" / "corpus"


def seed(target, name, data):
    folder = corpus / target
    folder.mkdir(parents=True, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    (folder / name).write_bytes(data)


def registry_excerpt(text, keys, limit):
    """The header and the first `keys` keys of a registry file, each cut to `limit` lines."""
    blocks = text.split("\n\n")
    out = [blocks[0]]
    for block in blocks[1:1 + keys]:
        out.append("\n".join(block.split("\n")[:limit]))
    return "\n\n".join(out) + "\n"


def packed(data):
    # The container: the reader's buffer size (2 n + 12) as 4 bytes little-endian, then one zlib stream.
    return struct.pack("<I", 2 * len(data) + 12) + zlib.compress(data, 9)


def signature_document(digest, signature):
    b64 = lambda b: base64.b64encode(b).decode()
    return ('<?xml version="1.0" ?>\n<Signature xmlns="http://www.w3.org/2000/09/xmldsig#">\n'
            '  <SignedInfo>\n    <Reference URI="definitions.xml">\n'
            '      <DigestValue>%s</DigestValue>\n    </Reference>\n  </SignedInfo>\n\n'
            '  <SignatureValue>%s</SignatureValue>\n</Signature>\n' % (b64(digest), b64(signature)))


def main():
    system_reg = pathlib.Path(sys.argv[1]).read_text(encoding="utf-8", errors="replace")
    seed("registry_file", "system-head.reg", registry_excerpt(system_reg, 12, 6))
    seed("registry_file", "system-hex.reg", "\n\n".join(
        [system_reg.split("\n\n")[0]] +
        [b for b in system_reg.split("\n\n") if "hex(" in b and len(b) < 1500][:3]) + "\n")
    seed("registry_file", "escapes.reg",
         'WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n'
         '[Software\\\\Tamblix\\\\Demo] 1700000000\n#time=1da0b0c0d0e0f00\n'
         '@="default"\n"Quote\\"d"="tab\\tnew\\nline \\x263a"\n"Dword"=dword:0000002a\n'
         '"Expand"=str(2):"%SystemRoot%\\\\system32"\n"Multi"=str(7):"a\\0b\\0"\n'
         '"Bin"=hex:00,01,02,ff\n"Qword"=hex(b):2a,00,00,00,00,00,00,00\n\n'
         '[Software\\\\Tamblix\\\\Demo\\\\Empty] 1700000001\n')

    demo = top / "app" / "demo"
    for name in ("definitions.xml", "permanent-definitions.xml"):
        data = (demo / name).read_bytes()
        seed("xml_document", name, data)
        seed("uncompress", name + ".packed", packed(data))
        seed("compress_roundtrip", name, data)
    seed("xml_document", "entities.xml",
         '<?xml version="1.0" encoding="ISO-8859-1"?>\n<!DOCTYPE a [<!ENTITY e "x&#233;">]>\n'
         '<a b="&e;"><![CDATA[<c>]]><?pi data?><!-- note --><d xmlns:n="urn:n" n:v="1">&e;&amp;</d></a>\n')
    seed("uncompress", "empty.packed", packed(b""))

    fixtures = top / "tests" / "update" / "fixtures" / "cryptoapi"
    key = (fixtures / "publickey-1024.dat").read_bytes()
    signature = (fixtures / "signature-1024.bin").read_bytes()
    signed = (fixtures / "signed-1024.xml").read_bytes()
    seed("signature_document", "signature.xml", signature_document(hashlib.sha1(signed).digest(), signature))
    seed("signature_document", "base64.txt", base64.b64encode(signed).decode() + "=")
    seed("public_key_blob", "key-and-signature", struct.pack("<H", len(key)) + key + signature)

    seed("regexp", "groups", bytes([13]) + b"{[a-z]+}=\\d+$" + b"name=42")
    seed("regexp", "negation", bytes([20]) + b"^!(\\.tmp)\\w*\\.{\\w+}" + b"report.log")
    seed("regexp", "backref", bytes([12]) + b"{a|b}*\\0c?$" + b"abbac")

    seed("command_line", "quoted", '"C:\\Program Files\\Tamblix\\tamblix.exe" /scan  /fix "a b"c  last')
    seed("command_line", "tokens", ";,\nHKLM\\Software;;Tamblix,Demo;\\Key")

    seed("environment_expander", "paths", "%SystemRoot%\\system32;%temp%\\%UNDEFINED%\\%PERCENT%%")
    seed("environment_expander", "long", "%LONG%%LONG%%LONG% 100%")

    seed("hosts_file", "common", "# comment\r\n\r\n127.0.0.1       localhost\r\n::1 localhost\r\n"
         "0.0.0.0\tads.example.com tracker.example.com # two names\r\n127.0.0.1 ads.example.com\r\n")
    seed("hosts_file", "edges", b"   10.0.0.1\tadhost  # note\n999.1.1.1 x\n01a.2.3.4 x\n0000.1.2.3 x\n"
         b"1.2.3.4.5 y\n1.2.3.4 \x0bz\n1.2.3.4 \x0b#\n\x0c1.2.3.4 w\n   \n  # c\r1.2.\x003.4 n\r\r\n"
         b"001.02.0003.4 \xc3\xa9.fr\n1.2.3.4 \xa0x")

    seed("zip_reader", "members.zip", archive([("a.txt", b"alpha", zipfile.ZIP_STORED),
                                               ("dir/", b"", zipfile.ZIP_STORED),
                                               ("dir/b.bin", bytes(range(256)) * 4, zipfile.ZIP_DEFLATED),
                                               ("A.TXT", b"twin", zipfile.ZIP_STORED)]))
    seed("zip_reader", "empty.zip", archive([]))

    seed("vossek1_parse", "restart", "1,")
    seed("vossek1_parse", "fields", " 0x1f,,FF,-1,zz,12g," + ",".join("%x" % i for i in range(250)))

    definitions_store_seeds(top / "app" / "demo")


def definitions_store_seeds(demo):
    """The definitions, a 0 byte, the permanent definitions: as the demo product has them, and
    with one value overridden by the definitions."""
    definitions = (demo / "definitions.xml").read_bytes()
    permanent = (demo / "permanent-definitions.xml").read_bytes()
    seed("definitions_store", "demo-pair", definitions + b"\0" + permanent)
    seed("definitions_store", "override",
         b"<tamblix-definition><derivate-product-info><product-name>Other</product-name>"
         b"<update-counter> +12x</update-counter></derivate-product-info></tamblix-definition>\0" + permanent)


def archive(members):
    """A zip archive of (name, bytes, method) members."""
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w") as zip_file:
        for name, data, method in members:
            info = zipfile.ZipInfo(name, date_time=(2024, 5, 1, 0, 0, 0))
            info.compress_type = method
            zip_file.writestr(info, data)
    return out.getvalue()


if __name__ == "__main__":
    main()
