#!/usr/bin/env python3
"""scripts/web_serve.py as a host of precompressed files: serve_check.py <dist folder>.
The folder's address is its index.html; each file goes out Brotli-compressed to a browser that
accepts it, gzip-compressed to one that accepts only that, as it is to one that accepts
neither, and always under its own type."""
import gzip
import subprocess
import sys
import urllib.request
from pathlib import Path

SERVER = Path(__file__).resolve().parents[2] / "scripts" / "web_serve.py"


def fetch(url, encodings):
    request = urllib.request.Request(url, headers={"Accept-Encoding": encodings})
    with urllib.request.urlopen(request) as response:
        return response.headers.get("Content-Encoding"), response.headers["Content-Type"], response.read()


def main(dist):
    wasm = next(dist.glob("brimzo-core.*.wasm")).name
    server = subprocess.Popen([sys.executable, str(SERVER), str(dist), "0"], stdout=subprocess.PIPE,
                              text=True)
    try:
        port = server.stdout.readline().split()[-1]
        base = f"http://127.0.0.1:{port}/"
        page = (dist / "index.html").read_bytes()
        cases = [
            (base, "gzip, deflate, br", ("br", "text/html", (dist / "index.html.br").read_bytes())),
            (base + wasm, "gzip", ("gzip", "application/wasm", (dist / f"{wasm}.gz").read_bytes())),
            (base + "index.html", "identity", (None, "text/html", page)),
        ]
        for url, encodings, want in cases:
            got = fetch(url, encodings)
            assert got == want, f"{url} for {encodings}: {got[:2]}, {len(got[2])} bytes"
        assert gzip.decompress(fetch(base + wasm, "gzip")[2]) == (dist / wasm).read_bytes()
    finally:
        server.kill()
    print(f"{len(cases) + 1} answers checked")


if __name__ == "__main__":
    main(Path(sys.argv[1]))
