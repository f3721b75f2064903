#!/usr/bin/env python3
"""Kills definition updates of the demo at random instants and checks the installed pair.

kill-update.py RUNS BUILD_FOLDER: BUILD_FOLDER holds the demo product (demo/), its
key (demo-keys/private.pem) and the publisher's tool (tools/tamblix-publisher). The
demo's installed edition is published anew with its update address on a loopback
http.server, which offers the next edition. Each run puts the old pair back, starts
`tamblix-cli update` and kills it with SIGKILL at a random instant within the time a
whole update takes. Then the product must start in normal mode (a scan), and the
installed pair must be the old one or the new one, each verifying with the public
key. Prints each lost run and survived/total; exits 1 on any loss.
"""
import http.server
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class QuietServer(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a killed update leaves its connection broken


def release(publisher, key, definitions, folder, url):
    os.makedirs(folder, exist_ok=True)
    subprocess.run([publisher, "release", key, definitions, folder, "--url", url], check=True)


def main():
    runs, build = int(sys.argv[1]), sys.argv[2]
    demo = os.path.join(build, "demo")
    publisher = os.path.join(build, "tools", "tamblix-publisher")
    key = os.path.join(build, "demo-keys", "private.pem")
    source = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "demo", "definitions.xml")
    work = tempfile.mkdtemp(prefix="kill-update-")
    try:
        site = os.path.join(work, "site")
        os.makedirs(site)
        server = QuietServer(
            ("127.0.0.1", 0), lambda *a, **k: QuietHandler(*a, directory=site, **k))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        url = "http://127.0.0.1:%d/demo" % server.server_address[1]

        text = open(source, encoding="utf-8").read()
        text = re.sub(r"<tamblix-update-url>[^<]*</tamblix-update-url>",
                      "<tamblix-update-url>%s/update.xml</tamblix-update-url>" % url, text)
        counter = int(re.search(r"<update-counter>(\d+)</update-counter>", text).group(1))
        for name, content in (("old.xml", text), ("new.xml", text.replace(
                "<update-counter>%d</update-counter>" % counter, "<update-counter>%d</update-counter>" % (counter + 1)))):
            with open(os.path.join(work, name), "w", encoding="utf-8") as out:
                out.write(content)
        release(publisher, key, os.path.join(work, "old.xml"), os.path.join(work, "old"), url)
        release(publisher, key, os.path.join(work, "new.xml"), os.path.join(site, "demo"), url)
        pairs = {}
        for edition, folder in (("old", os.path.join(work, "old")), ("new", os.path.join(site, "demo"))):
            pairs[edition] = tuple(open(os.path.join(folder, name), "rb").read()
                                   for name in ("definitions.xml.tam", "definitions-sig.xml"))

        product = os.path.join(work, "product")
        shutil.copytree(demo, product, symlinks=True)
        system = os.path.join(product, "system")
        env = dict(os.environ, WINEPREFIX=os.path.join(product, "prefix"))
        cli = os.path.join(product, "tamblix-cli")

        def reset():
            for name in os.listdir(system):
                if name.startswith(".") or name.endswith((".new", ".journal")):
                    os.remove(os.path.join(system, name))
            for name, content in zip(("definitions.xml.tam", "definitions-sig.xml"), pairs["old"]):
                with open(os.path.join(system, name), "wb") as out:
                    out.write(content)

        reset()
        began = time.monotonic()
        whole = subprocess.run([cli, "update", "--json"], env=env, capture_output=True, text=True, timeout=120)
        span = time.monotonic() - began
        if whole.returncode != 0:
            print("an update without a kill failed:", whole.stdout, whole.stderr)
            return 1

        survived = 0
        for run in range(runs):
            reset()
            process = subprocess.Popen([cli, "update", "--json"], env=env, stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
            time.sleep(random.uniform(0, span))
            process.send_signal(signal.SIGKILL)
            process.wait()
            scan = subprocess.run([cli, "scan", "--json"], env=env, capture_output=True, text=True, timeout=120)
            pair = tuple(open(os.path.join(system, name), "rb").read()
                         for name in ("definitions.xml.tam", "definitions-sig.xml"))
            verified = subprocess.run([publisher, "verify", os.path.join(system, "publickey.dat"),
                                       os.path.join(system, "definitions.xml.tam"),
                                       os.path.join(system, "definitions-sig.xml")], capture_output=True)
            started = scan.returncode in (0, 1) and json.loads(scan.stdout)["state"] == "scan-finished"
            if started and verified.returncode == 0 and pair in pairs.values():
                survived += 1
            else:
                print("run %d lost: scan %d, verify %d, pair %s" % (
                    run, scan.returncode, verified.returncode,
                    [k for k, v in pairs.items() if v == pair] or "mixed"), scan.stdout[-300:], scan.stderr[-300:])
        print("%d/%d survived (one update takes %.3f s)" % (survived, runs, span))
        server.shutdown()
        return 0 if survived == runs else 1
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
