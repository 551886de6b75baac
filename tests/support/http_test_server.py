#!/usr/bin/env python3
"""A small HTTP server for the download tests: serves generated bodies, misbehaves on
request, and records every request line and header so tests can check what was sent.

Paths (anything after the listed parts is free for the test to name its request):
  /body/<n>/...                  200, Content-Length n, n pattern bytes
  /missing/...                   404
  /nolength/<n>/...              200 without Content-Length, n bytes, then close
  /zerolength/...                200, Content-Length 0
  /short/<declared>/<sent>/...   200, Content-Length declared, only <sent> bytes, then close
  /slow/<n>/<ms>/...             200, Content-Length n, 64 KiB (one full read), a pause of <ms>, the rest
  /flaky/<key>/<fails>/<n>/...   the first <fails> requests for <key> are cut short, then whole
  /static/<name>                 the file <state dir>/static/<name>
Pattern byte i is i % 251.

State folder: port (and port21 when that port could be opened too), pid, requests.log.
"""
import argparse
import http.server
import os
import socketserver
import sys
import threading
import time

PATTERN = bytes(i % 251 for i in range(251))
CHUNK = 65536


def pattern(offset, length):
    out = bytearray()
    while length > 0:
        start = (offset % 251)
        piece = PATTERN[start:start + min(length, 251 - start)]
        out += piece
        offset += len(piece)
        length -= len(piece)
    return bytes(out)


class State:
    def __init__(self, folder):
        self.folder = folder
        self.lock = threading.Lock()
        self.flaky = {}
        self.stopping = threading.Event()
        self.log = open(os.path.join(folder, "requests.log"), "a", encoding="latin-1")

    def record(self, handler):
        with self.lock:
            self.log.write("REQUEST %s\n" % handler.requestline)
            for name, value in handler.headers.items():
                self.log.write("%s: %s\n" % (name, value))
            self.log.write("\n")
            self.log.flush()

    def flaky_attempt(self, key):
        with self.lock:
            self.flaky[key] = self.flaky.get(key, 0) + 1
            return self.flaky[key]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"
    server_version = "TestServer/1"

    def log_message(self, fmt, *args):
        pass

    def do_GET(self):
        state = self.server.state
        state.record(self)
        parts = [p for p in self.path.split("?", 1)[0].split("/") if p]
        route = parts[0] if parts else ""
        try:
            handler = getattr(self, "route_" + route, None)
            if handler is None:
                return self.answer(404, b"no such route\n")
            handler(parts[1:])
        except (BrokenPipeError, ConnectionResetError):
            pass

    def answer(self, status, body, length=None, extra=()):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def send_pattern(self, start, count):
        sent = start
        while sent < start + count:
            n = min(CHUNK, start + count - sent)
            self.wfile.write(pattern(sent, n))
            sent += n

    def route_body(self, args):
        n = int(args[0])
        self.send_response(200)
        self.send_header("Content-Length", str(n))
        self.end_headers()
        self.send_pattern(0, n)

    def route_missing(self, args):
        self.answer(404, b"not here\n")

    def route_nolength(self, args):
        n = int(args[0])
        self.send_response(200)
        self.end_headers()
        self.send_pattern(0, n)
        self.close_connection = True

    def route_zerolength(self, args):
        self.answer(200, b"", 0)

    def route_short(self, args):
        declared, sent = int(args[0]), int(args[1])
        self.send_response(200)
        self.send_header("Content-Length", str(declared))
        self.end_headers()
        self.send_pattern(0, sent)
        self.close_connection = True

    def route_slow(self, args):
        n, pause_ms = int(args[0]), int(args[1])
        # A reader asking for 64 KiB waits for all of it, so the first part fills one read.
        first = min(n, 65536)
        self.send_response(200)
        self.send_header("Content-Length", str(n))
        self.end_headers()
        self.send_pattern(0, first)
        self.wfile.flush()
        deadline = time.monotonic() + pause_ms / 1000.0
        while time.monotonic() < deadline and not self.server.state.stopping.is_set():
            time.sleep(0.02)
        self.send_pattern(first, n - first)

    def route_flaky(self, args):
        key, fails, n = args[0], int(args[1]), int(args[2])
        attempt = self.server.state.flaky_attempt(key)
        self.send_response(200)
        self.send_header("Content-Length", str(n))
        self.end_headers()
        self.send_pattern(0, n if attempt > fails else n // 2)
        self.close_connection = True

    def route_static(self, args):
        name = os.path.basename(args[0]) if args else ""
        path = os.path.join(self.server.state.folder, "static", name)
        if not name or not os.path.isfile(path):
            return self.answer(404, b"not here\n")
        with open(path, "rb") as f:
            self.answer(200, f.read())


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--dir", required=True)
    parser.add_argument("--also-port", type=int, default=0)
    parser.add_argument("--lifetime", type=int, default=3600, help="seconds before it ends by itself")
    args = parser.parse_args()
    os.makedirs(os.path.join(args.dir, "static"), exist_ok=True)
    state = State(args.dir)

    servers = [Server(("127.0.0.1", 0), Handler)]
    if args.also_port:
        try:
            servers.append(Server(("127.0.0.1", args.also_port), Handler))
        except OSError as e:
            print("port %d not available: %s" % (args.also_port, e), file=sys.stderr)
    for s in servers:
        s.state = state
        threading.Thread(target=s.serve_forever, daemon=True).start()

    with open(os.path.join(args.dir, "pid"), "w") as f:
        f.write(str(os.getpid()))
    if len(servers) > 1:
        with open(os.path.join(args.dir, "port%d" % args.also_port), "w") as f:
            f.write(str(args.also_port))
    # Written last: its presence says the server is ready.
    tmp = os.path.join(args.dir, "port.tmp")
    with open(tmp, "w") as f:
        f.write(str(servers[0].server_address[1]))
    os.replace(tmp, os.path.join(args.dir, "port"))

    state.stopping.wait(args.lifetime)
    state.stopping.set()
    for s in servers:
        s.shutdown()


if __name__ == "__main__":
    main()
