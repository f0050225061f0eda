#!/usr/bin/env python3
"""A scripted HTTP server on 127.0.0.1 for the update check tests.

Every request is recorded (request line and headers, as the bytes arrived).
What it answers is set by the test through two control paths:

  PUT /__script   the body is sent back, byte for byte, as the whole raw
                  response to every later request. The header X-Script-Mode
                  changes that: "hang" accepts and never answers, "hold"
                  sends the response but keeps the connection open,
                  "trickle" sends the first X-Trickle-After bytes (0 when
                  absent) at once and the rest one byte a second.
                  Clears the record of requests.
  GET /__requests the recorded requests, separated by NUL bytes.

The chosen port is written to the file given with --port-file.
"""
import argparse
import http.server
import threading

_lock = threading.Lock()
_script = {"mode": "raw", "trickle_after": 0, "response": b"HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"}
_requests = []
_stop = threading.Event()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _control_reply(self, body=b""):
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.close_connection = True

    def _record(self):
        # Header values arrive decoded as ISO-8859-1, so this gives back the bytes.
        head = self.requestline + "\r\n"
        for name, value in self.headers.items():
            head += name + ": " + value + "\r\n"
        with _lock:
            _requests.append(head.encode("iso-8859-1"))

    def _scripted(self):
        self._record()
        with _lock:
            mode, response = _script["mode"], _script["response"]
        if mode == "trickle":
            self._trickle(response)
        elif mode != "hang":
            self.wfile.write(response)
            self.wfile.flush()
        if mode in ("hang", "hold"):
            _stop.wait(120)
        self.close_connection = True

    def _trickle(self, response):
        with _lock:
            at_once = _script["trickle_after"]
        try:
            self.wfile.write(response[:at_once])
            self.wfile.flush()
            for i in range(at_once, len(response)):
                if _stop.wait(1):
                    break
                self.wfile.write(response[i:i + 1])
                self.wfile.flush()
        except OSError:
            pass  # the client gave up

    def do_GET(self):
        if self.path == "/__requests":
            with _lock:
                body = b"\0".join(_requests)
            self._control_reply(body)
        else:
            self._scripted()

    def do_PUT(self):
        if self.path == "/__script":
            length = int(self.headers.get("Content-Length", "0"))
            body = self.rfile.read(length)
            with _lock:
                _script["mode"] = self.headers.get("X-Script-Mode", "raw")
                _script["response"] = body
                _script["trickle_after"] = int(self.headers.get("X-Trickle-After", "0"))
                _requests.clear()
            self._control_reply()
        else:
            self._scripted()

    def do_HEAD(self):
        self._scripted()

    def do_POST(self):
        self._scripted()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    import os
    os.replace(args.port_file + ".tmp", args.port_file)
    try:
        server.serve_forever()
    finally:
        _stop.set()


if __name__ == "__main__":
    main()
