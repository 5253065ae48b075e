#!/usr/bin/env python3
"""A local HTTPS server that plays the store's configuration server, for tests and the demo.

    config_server.py serve [--documents DIR] [--files DIR] [--faults FILE] [--port 443] ...
    config_server.py start --pid-file FILE <serve options>   (runs `serve` detached, returns when listening)
    config_server.py stop --pid-file FILE

Replies:
  /installer/config/global?name=NAME&os=windows   DIR/NAME/global.json
  /installer/config/goods?name=NAME&os=windows    DIR/NAME/goods.json
  any other path                                  the file under --files (pictures, an installer); with
                                                  --files given more than once, the first folder
                                                  that has it
Without options it serves the demo store (demo/documents, product "tessaro", and demo/static) with
the certificate that make_certs.sh puts into the project's .certs folder. An unknown product,
another "os" or a missing file get status 404 (documents: a JSON body whose "code" is 404). Every
request line is appended to the --log file (one line each, flushed at once) so that tests can
assert what a client asked for.

Faults (--faults, a JSON file) make chosen replies misbehave, per product name or per path:
  {"products": {"NAME": FAULT, ...}, "paths": {"/files/x.png": FAULT, ...}}
  FAULT is {"fault": KIND, ...parameters}:
    "status404"  status 404 with an HTML body
    "empty"      status 200 with an empty body
    "chunked"    the reply in "chunks" pieces (default 4), "pause" seconds apart (default 0.3),
                 with chunked transfer encoding
    "nul"        a NUL byte inserted at offset "at" (default: the middle of the body); with "chunks",
                 sent in pieces as "chunked" does
    "slow"       nothing sent for "delay" seconds (default 6), then the reply
    "silent"     the request is read and never answered; the connection stays open until the client
                 gives up or the server stops
    "close"      the headers announce the whole body, "cut" bytes of it are sent (default: half),
                 then the connection is closed
    "large"      a generated body of "size" bytes (default 4 MiB): numbered 64-byte lines
    "echo"       the body is the request line and the request headers as received
    "together"   the reply waits until "count" requests (default 2) for the same product wait
                 together, then all get their normal replies; a request left alone for "wait" seconds
                 (default 3) gets status 409 instead. Proves that a client's requests overlap.
  A product's fault may name another product in "as" whose documents it serves.
Only the Python standard library is used. Binds 127.0.0.1 by default and never another address
unless told.
"""

import argparse
import http.server
import json
import mimetypes
import os
import signal
import socketserver
import ssl
import subprocess
import sys
import threading
import time
import urllib.parse

HERE = os.path.dirname(os.path.abspath(__file__))
CERTS = os.path.join(os.path.dirname(os.path.dirname(HERE)), ".certs")
CONFIG_PREFIX = "/installer/config/"
DOCUMENT_KINDS = ("global", "goods")
NOT_FOUND_HTML = (b"<html><head><title>404 Not Found</title></head>\n"
                  b"<body><h1>Not Found</h1><p>The requested URL was not found on this server.</p>"
                  b"</body></html>\n")


def large_body(size):
    """`size` bytes of numbered 64-byte lines, so that a reader can tell where a piece went missing."""
    lines = []
    total = 0
    number = 0
    while total < size:
        line = ("%010d " % number).encode() + b"x" * 52 + b"\n"
        lines.append(line)
        total += len(line)
        number += 1
    return b"".join(lines)[:size]


def safe_join(root, url_path):
    """The file under `root` that `url_path` names, or None when it would leave `root`."""
    relative = urllib.parse.unquote(url_path).lstrip("/")
    if "\0" in relative:
        return None
    candidate = os.path.realpath(os.path.join(root, relative))
    root_real = os.path.realpath(root)
    if candidate != root_real and not candidate.startswith(root_real + os.sep):
        return None
    return candidate


class Content:
    """Where replies come from: the documents folder, the files folder and the fault table."""

    def __init__(self, documents, files, faults):
        self.documents = documents
        self.files = files
        self.faults = faults or {}

    @staticmethod
    def load_faults(path):
        if not path:
            return {}
        with open(path, encoding="utf-8") as handle:
            faults = json.load(handle)
        for group in ("products", "paths"):
            for key, fault in faults.get(group, {}).items():
                if fault.get("fault") not in FAULT_KINDS:
                    raise ValueError("%s: unknown fault %r for %r" % (path, fault.get("fault"), key))
        return faults

    def product_document(self, kind, name):
        if not self.documents or not name or name in (".", ".."):
            return None
        if "/" in name or "\\" in name or "\0" in name:
            return None
        path = os.path.join(self.documents, name, kind + ".json")
        try:
            with open(path, "rb") as handle:
                return handle.read()
        except OSError:
            return None

    def static_file(self, url_path):
        for root in self.files or []:
            path = safe_join(root, url_path)
            if path is not None and os.path.isfile(path):
                with open(path, "rb") as handle:
                    return handle.read()
        return None

    def reply_for(self, raw_path):
        """(status, content type, body, fault or None) for a request target."""
        parts = urllib.parse.urlsplit(raw_path)
        if parts.path.startswith(CONFIG_PREFIX):
            kind = parts.path[len(CONFIG_PREFIX):]
            query = urllib.parse.parse_qs(parts.query, keep_blank_values=True)
            name = query.get("name", [""])[0]
            fault = self.faults.get("products", {}).get(name) or self.faults.get("paths", {}).get(parts.path)
            body = None
            if kind in DOCUMENT_KINDS and query.get("os", [""])[0] == "windows":
                body = self.product_document(kind, (fault or {}).get("as", name))
            if body is None:
                return 404, "application/json", json.dumps(
                    {"code": 404, "msg": "no %s document for %r" % (kind, name)}).encode(), fault
            return 200, "application/json; charset=utf-8", body, fault
        fault = self.faults.get("paths", {}).get(parts.path)
        body = self.static_file(parts.path)
        if body is None:
            return 404, "text/html", NOT_FOUND_HTML, fault
        return 200, mimetypes.guess_type(parts.path)[0] or "application/octet-stream", body, fault


class RequestLog:
    """Appends request lines to a file, one per line, flushed at once; shared by handler threads."""

    def __init__(self, path):
        self.lock = threading.Lock()
        self.handle = open(path, "a", encoding="utf-8", errors="backslashreplace") if path else None

    def write(self, line):
        if self.handle is None:
            return
        with self.lock:
            self.handle.write(line + "\n")
            self.handle.flush()

    def close(self):
        if self.handle is not None:
            self.handle.close()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "TessaroConfigServer/1"
    timeout = 60  # A connection idle this long is dropped, so no handler thread waits forever.

    def log_message(self, format, *args):  # noqa: A002 - the base class's signature.
        pass

    def parse_request(self):
        # The request line is logged before it is judged, so that even a rejected one is seen.
        self.server.request_log.write(self.raw_requestline.decode("iso-8859-1").rstrip("\r\n"))
        return super().parse_request()

    def do_GET(self):
        status, content_type, body, fault = self.server.content.reply_for(self.path)
        send = FAULT_KINDS[fault["fault"]] if fault else send_plain
        send(self, status, content_type, body, fault or {})

    def send_head(self, status, content_type, length=None, chunked=False):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        if chunked:
            self.send_header("Transfer-Encoding", "chunked")
        else:
            self.send_header("Content-Length", str(length))
        self.end_headers()


def send_plain(handler, status, content_type, body, _fault):
    handler.send_head(status, content_type, len(body))
    handler.wfile.write(body)


def send_status404(handler, _status, _content_type, _body, _fault):
    send_plain(handler, 404, "text/html", NOT_FOUND_HTML, None)


def send_empty(handler, _status, content_type, _body, _fault):
    send_plain(handler, 200, content_type, b"", None)


def send_chunked(handler, status, content_type, body, fault):
    count = max(1, int(fault.get("chunks", 4)))
    pause = float(fault.get("pause", 0.3))
    handler.send_head(status, content_type, chunked=True)
    step = -(-len(body) // count) if body else 1
    for index, start in enumerate(range(0, len(body), step)):
        if index:
            time.sleep(pause)
        piece = body[start:start + step]
        handler.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
        handler.wfile.flush()
    handler.wfile.write(b"0\r\n\r\n")


def send_nul(handler, status, content_type, body, fault):
    at = min(int(fault.get("at", len(body) // 2)), len(body))
    send = send_chunked if "chunks" in fault else send_plain
    send(handler, status, content_type, body[:at] + b"\0" + body[at:], fault)


def send_slow(handler, status, content_type, body, fault):
    if handler.server.stopping.wait(float(fault.get("delay", 6))):
        handler.close_connection = True
        return
    send_plain(handler, status, content_type, body, None)


def send_silent(handler, _status, _content_type, _body, _fault):
    # Waits until the client closes the connection (a read returns nothing) or the server stops.
    handler.connection.settimeout(0.2)
    while not handler.server.stopping.is_set():
        try:
            if not handler.connection.recv(1):
                break
        except TimeoutError:
            continue
        except (OSError, ssl.SSLError):
            break
    handler.close_connection = True


def send_close(handler, status, content_type, body, fault):
    cut = min(int(fault.get("cut", len(body) // 2)), len(body))
    handler.send_head(status, content_type, len(body))
    handler.wfile.write(body[:cut])
    handler.wfile.flush()
    handler.close_connection = True
    handler.connection.close()


def send_large(handler, _status, _content_type, _body, fault):
    send_plain(handler, 200, "text/plain", large_body(int(fault.get("size", 4 << 20))), None)


def send_echo(handler, _status, _content_type, _body, _fault):
    echo = handler.requestline + "\n" + str(handler.headers)
    send_plain(handler, 200, "text/plain", echo.encode("iso-8859-1", "replace"), None)


class Rendezvous:
    """Requests that wait for each other, grouped by a key (the product name)."""

    def __init__(self):
        self.condition = threading.Condition()
        self.waiting = {}
        self.released = {}

    def meet(self, key, count, wait):
        """True once `count` callers with this key have met; False after `wait` seconds alone."""
        with self.condition:
            generation = self.released.get(key, 0)
            self.waiting[key] = self.waiting.get(key, 0) + 1
            if self.waiting[key] >= count:
                self.waiting[key] = 0
                self.released[key] = generation + 1
                self.condition.notify_all()
                return True
            met = self.condition.wait_for(lambda: self.released.get(key, 0) != generation, wait)
            if not met:
                self.waiting[key] -= 1
            return met


def send_together(handler, status, content_type, body, fault):
    name = urllib.parse.parse_qs(urllib.parse.urlsplit(handler.path).query).get("name", [""])[0]
    if handler.server.rendezvous.meet(name, int(fault.get("count", 2)), float(fault.get("wait", 3))):
        send_plain(handler, status, content_type, body, None)
    else:
        send_plain(handler, 409, "text/plain", b"alone\n", None)


FAULT_KINDS = {
    "status404": send_status404,
    "empty": send_empty,
    "chunked": send_chunked,
    "nul": send_nul,
    "slow": send_slow,
    "silent": send_silent,
    "close": send_close,
    "large": send_large,
    "echo": send_echo,
    "together": send_together,
}


class ConfigServer(socketserver.ThreadingMixIn, http.server.HTTPServer):
    """One thread per connection; the TLS handshake runs in that thread, not in the accept loop, so a
    client that never completes it holds up nobody else."""

    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, address, content, tls_context, request_log):
        self.content = content
        self.tls_context = tls_context
        self.request_log = request_log
        self.stopping = threading.Event()
        self.rendezvous = Rendezvous()
        super().__init__(address, Handler)

    def get_request(self):
        sock, address = self.socket.accept()
        if self.tls_context is not None:
            sock = self.tls_context.wrap_socket(sock, server_side=True, do_handshake_on_connect=False)
        return sock, address

    def handle_error(self, request, client_address):
        # A client that drops the connection or fails the handshake is part of the tests; no trace.
        pass

    def stop(self):
        self.stopping.set()
        self.shutdown()


def tls_context(cert, key):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(cert, key)
    return context


def add_serve_options(parser):
    parser.add_argument("--documents", default=os.path.join(HERE, "demo", "documents"),
                        help="folder with NAME/global.json and NAME/goods.json (default: the demo's)")
    parser.add_argument("--files", action="append",
                        help="folder of static files served under their path; may be given more than "
                             "once (default: the demo's)")
    parser.add_argument("--faults", help="JSON file of replies that misbehave")
    parser.add_argument("--address", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=443)
    parser.add_argument("--cert", default=os.path.join(CERTS, "server.pem"), help="server certificate (PEM)")
    parser.add_argument("--key", default=os.path.join(CERTS, "server.key"), help="server private key (PEM)")
    parser.add_argument("--log", help="file that request lines are appended to")
    parser.add_argument("--exit-after", type=float, default=0,
                        help="stop by itself after this many seconds (0: never); a safety net for tests")


def write_pid_file(path):
    temporary = path + ".tmp"
    with open(temporary, "w", encoding="ascii") as handle:
        handle.write("%d\n" % os.getpid())
    os.replace(temporary, path)


def serve(options):
    files = options.files or [os.path.join(HERE, "demo", "static")]
    content = Content(options.documents, files, Content.load_faults(options.faults))
    request_log = RequestLog(options.log)
    server = ConfigServer((options.address, options.port), content, tls_context(options.cert, options.key),
                          request_log)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    if options.exit_after > 0:
        timer = threading.Timer(options.exit_after, server.stop)
        timer.daemon = True
        timer.start()
    if options.pid_file:
        write_pid_file(options.pid_file)
    print("config_server: listening on https://%s:%d" % server.server_address, flush=True)
    try:
        server.serve_forever(poll_interval=0.1)
    finally:
        server.stopping.set()
        server.server_close()
        request_log.close()
        if options.pid_file:
            remove_quietly(options.pid_file)
    return 0


def remove_quietly(path):
    try:
        os.remove(path)
    except FileNotFoundError:
        pass


def is_server_process(pid):
    """Whether `pid` is a running config_server (a pid reused by another program is not)."""
    try:
        with open("/proc/%d/cmdline" % pid, "rb") as handle:
            return b"config_server.py" in handle.read()
    except OSError:
        return False


def read_pid(pid_file):
    """The pid in the file if it names a running config_server, else None."""
    try:
        with open(pid_file, encoding="ascii") as handle:
            pid = int(handle.read().strip())
    except (OSError, ValueError):
        return None
    return pid if is_server_process(pid) else None


def stop(pid_file, timeout=5.0):
    """Stops the server of `pid_file` and returns once its process has ended."""
    pid = read_pid(pid_file)
    if pid is None:
        remove_quietly(pid_file)
        return 0
    os.kill(pid, signal.SIGTERM)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if not is_server_process(pid):
            remove_quietly(pid_file)
            return 0
        time.sleep(0.02)
    os.kill(pid, signal.SIGKILL)
    remove_quietly(pid_file)
    print("config_server: %d did not stop in %.0f s and was killed" % (pid, timeout), file=sys.stderr)
    return 1


def start(options, serve_arguments, timeout=5.0):
    """Runs `serve` as a detached process (own session, no inherited output) and returns once it
    listens. A server left over from an earlier run with the same pid file is stopped first."""
    stop(options.pid_file)
    output_path = options.pid_file + ".out"
    with open(output_path, "w", encoding="utf-8") as output:
        command = [sys.executable, os.path.abspath(__file__), "serve", "--pid-file", options.pid_file]
        process = subprocess.Popen(command + serve_arguments, stdin=subprocess.DEVNULL, stdout=output,
                                   stderr=subprocess.STDOUT, start_new_session=True)
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if read_pid(options.pid_file) == process.pid:
            return 0
        if process.poll() is not None:
            break
        time.sleep(0.01)
    if process.poll() is None:
        process.kill()
    with open(output_path, encoding="utf-8") as output:
        sys.stderr.write(output.read())
    print("config_server: did not start", file=sys.stderr)
    return 1


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    commands = parser.add_subparsers(dest="command", required=True)
    serve_parser = commands.add_parser("serve", help="serve in the foreground")
    add_serve_options(serve_parser)
    serve_parser.add_argument("--pid-file", help="written once the server listens; removed when it stops")
    start_parser = commands.add_parser("start", help="serve in the background")
    start_parser.add_argument("--pid-file", required=True)
    stop_parser = commands.add_parser("stop", help="stop a background server")
    stop_parser.add_argument("--pid-file", required=True)

    if argv[:1] == ["start"]:
        options, serve_arguments = start_parser.parse_known_args(argv[1:])
        check = argparse.ArgumentParser()
        add_serve_options(check)
        check.parse_args(serve_arguments)
        options.pid_file = os.path.abspath(options.pid_file)
        return start(options, serve_arguments)
    options = parser.parse_args(argv)
    if options.command == "stop":
        return stop(os.path.abspath(options.pid_file))
    return serve(options)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
