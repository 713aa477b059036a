#!/usr/bin/env python3
"""Serves the browser version's folder as static hosts serve precompressed files:
web_serve.py <folder> <port> [address, 127.0.0.1 by default]

A file with a .br or a .gz beside it (scripts/web_dist.py writes both for every text and
WebAssembly file) goes out as the first of them that the browser accepts, with the file's own
type, its Content-Encoding and Vary: Accept-Encoding; any other file, or a browser that accepts
neither, gets the file itself. Connections are kept open, several at once, as a host keeps
them."""
import http.server
import os
import sys
from functools import partial

ENCODINGS = (("br", ".br"), ("gzip", ".gz"))
TYPES = {".wasm": "application/wasm", ".webmanifest": "application/manifest+json",
         ".webp": "image/webp", ".js": "text/javascript", ".ico": "image/x-icon"}


def accepted(header):
    return {part.split(";")[0].strip() for part in header.split(",")}


class Handler(http.server.SimpleHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, **TYPES}

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path) and self.path.split("?")[0].endswith("/"):
            path = os.path.join(path, "index.html")
        for encoding, suffix in ENCODINGS:
            if encoding in accepted(self.headers.get("Accept-Encoding", "")) \
                    and os.path.isfile(path + suffix):
                return self.send_encoded(path, encoding, suffix)
        return super().send_head()

    def send_encoded(self, path, encoding, suffix):
        file = open(path + suffix, "rb")
        status = os.fstat(file.fileno())
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", encoding)
        self.send_header("Content-Length", str(status.st_size))
        self.send_header("Last-Modified", self.date_time_string(status.st_mtime))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return file

    def log_message(self, *args):
        pass


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    folder, port = sys.argv[1], int(sys.argv[2])
    address = sys.argv[3] if len(sys.argv) == 4 else "127.0.0.1"
    server = http.server.ThreadingHTTPServer((address, port), partial(Handler, directory=folder))
    print(f"serving on port {server.server_address[1]}", flush=True)
    server.serve_forever()
