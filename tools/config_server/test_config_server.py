"""Tests of the local configuration server: a real server on a free loopback port, a real TLS client.

Needs the test certificates (tools/config_server/make_certs.sh); TESSARO_CERTS names their folder
(default: the project's .certs).
"""

import http.client
import json
import os
import socket
import ssl
import tempfile
import threading
import time
import unittest

import config_server

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CERTS = os.environ.get("TESSARO_CERTS", os.path.join(ROOT, ".certs"))
GLOBAL = b'{"code": 0, "data": {"main": {"card1": {"title": "\xe5\x8d\xa1"}}}}\n'
FAULTS = {
    "products": {
        "chunked": {"fault": "chunked", "as": "demo", "chunks": 3, "pause": 0.05},
        "html": {"fault": "status404"},
        "empty": {"fault": "empty", "as": "demo"},
        "nul": {"fault": "nul", "as": "demo", "at": 5},
        "slow": {"fault": "slow", "as": "demo", "delay": 0.3},
        "silent": {"fault": "silent"},
        "closed": {"fault": "close", "as": "demo", "cut": 7},
        "large": {"fault": "large", "size": 1000},
        "echo": {"fault": "echo"},
        "together": {"fault": "together", "as": "demo", "wait": 0.3},
    },
    "paths": {"/files/broken.bin": {"fault": "close", "cut": 2}},
}


class ServerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.TemporaryDirectory()
        documents = os.path.join(cls.folder.name, "documents", "demo")
        files = os.path.join(cls.folder.name, "files")
        os.makedirs(documents)
        os.makedirs(os.path.join(files, "files"))
        with open(os.path.join(documents, "global.json"), "wb") as handle:
            handle.write(GLOBAL)
        with open(os.path.join(files, "files", "logo.png"), "wb") as handle:
            handle.write(b"\x89PNG picture")
        with open(os.path.join(files, "files", "broken.bin"), "wb") as handle:
            handle.write(b"0123456789")
        with open(os.path.join(cls.folder.name, "secret.txt"), "wb") as handle:
            handle.write(b"not served")
        cls.log_path = os.path.join(cls.folder.name, "requests.log")
        content = config_server.Content(os.path.dirname(documents), [files], FAULTS)
        cls.server = config_server.ConfigServer(
            ("127.0.0.1", 0), content,
            config_server.tls_context(os.path.join(CERTS, "server.pem"), os.path.join(CERTS, "server.key")),
            config_server.RequestLog(cls.log_path))
        cls.thread = threading.Thread(target=cls.server.serve_forever, kwargs={"poll_interval": 0.05})
        cls.thread.start()
        cls.port = cls.server.server_address[1]
        cls.client_context = ssl.create_default_context(cafile=os.path.join(CERTS, "ca.pem"))

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()
        cls.server.server_close()
        cls.server.request_log.close()
        cls.thread.join()
        cls.folder.cleanup()

    def get(self, path, timeout=5):
        connection = http.client.HTTPSConnection("localhost", self.port, context=self.client_context,
                                                 timeout=timeout)
        try:
            connection.request("GET", path)
            response = connection.getresponse()
            return response.status, response.read()
        finally:
            connection.close()

    def config(self, name, kind="global"):
        return self.get("/installer/config/%s?name=%s&os=windows" % (kind, name))

    def test_documents_and_files(self):
        self.assertEqual(self.config("demo"), (200, GLOBAL))
        self.assertEqual(self.get("/files/logo.png"), (200, b"\x89PNG picture"))
        status, body = self.config("demo", "goods")
        self.assertEqual((status, json.loads(body)["code"]), (404, 404))
        self.assertEqual(self.get("/installer/config/global?name=demo&os=mac")[0], 404)

    def test_names_and_paths_cannot_leave_their_folders(self):
        self.assertEqual(self.config("..")[0], 404)
        self.assertEqual(self.config("../documents/demo")[0], 404)
        self.assertEqual(self.get("/../secret.txt")[0], 404)
        self.assertEqual(self.get("/%2e%2e/secret.txt")[0], 404)
        self.assertEqual(self.get("/files/%2e%2e/%2e%2e/secret.txt")[0], 404)
        self.assertEqual(self.get("/files/logo.png%00.txt")[0], 404)
        self.assertEqual(self.config("demo%00")[0], 404)

    def test_request_lines_are_logged_as_received(self):
        self.config("My%20App")
        self.config("a&b")
        with open(self.log_path, encoding="utf-8") as handle:
            lines = handle.read().splitlines()
        self.assertIn("GET /installer/config/global?name=My%20App&os=windows HTTP/1.1", lines)
        self.assertIn("GET /installer/config/global?name=a&b&os=windows HTTP/1.1", lines)

    def test_faults_that_change_the_body(self):
        self.assertEqual(self.config("chunked"), (200, GLOBAL))
        status, body = self.config("html")
        self.assertEqual(status, 404)
        self.assertTrue(body.startswith(b"<html>"))
        self.assertEqual(self.config("empty"), (200, b""))
        self.assertEqual(self.config("nul"), (200, GLOBAL[:5] + b"\0" + GLOBAL[5:]))
        status, body = self.config("large")
        self.assertEqual(len(body), 1000)
        self.assertEqual(body[:64], b"0000000000 " + b"x" * 52 + b"\n")
        self.assertEqual(body[64:75], b"0000000001 ")
        status, body = self.config("echo")
        self.assertTrue(body.startswith(
            b"GET /installer/config/global?name=echo&os=windows HTTP/1.1\nHost: localhost"), body)

    def test_chunks_arrive_separately(self):
        with socket.create_connection(("127.0.0.1", self.port)) as raw:
            with self.client_context.wrap_socket(raw, server_hostname="localhost") as tls:
                tls.sendall(b"GET /installer/config/global?name=chunked&os=windows HTTP/1.1\r\n"
                            b"Host: localhost\r\nConnection: close\r\n\r\n")
                received = b""
                while True:
                    piece = tls.recv(65536)
                    if not piece:
                        break
                    received += piece
        self.assertIn(b"Transfer-Encoding: chunked", received)
        self.assertEqual(received.count(b"\r\n0\r\n\r\n"), 1)
        self.assertGreaterEqual(received.split(b"\r\n\r\n", 1)[1].count(b"\r\n"), 2 * 3 + 2)

    def test_slow_and_silent_replies_outlast_a_short_client_time_out(self):
        started = time.monotonic()
        self.assertEqual(self.config("slow"), (200, GLOBAL))
        self.assertGreaterEqual(time.monotonic() - started, 0.3)
        with self.assertRaises(TimeoutError):
            self.get("/installer/config/global?name=silent&os=windows", timeout=0.3)

    def test_closed_connection_sends_part_of_the_announced_body(self):
        with self.assertRaises(http.client.IncompleteRead) as raised:
            self.config("closed")
        self.assertEqual(raised.exception.partial, GLOBAL[:7])
        with self.assertRaises(http.client.IncompleteRead) as raised:
            self.get("/files/broken.bin")
        self.assertEqual(raised.exception.partial, b"01")

    def test_together_needs_overlapping_requests(self):
        self.assertEqual(self.config("together"), (409, b"alone\n"))
        results = []
        threads = [threading.Thread(target=lambda kind=kind: results.append(self.config("together", kind)))
                   for kind in ("global", "global")]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
        self.assertEqual(results, [(200, GLOBAL), (200, GLOBAL)])

    def test_unknown_fault_kind_is_rejected(self):
        with tempfile.NamedTemporaryFile("w", suffix=".json", delete=False) as handle:
            json.dump({"products": {"x": {"fault": "explode"}}}, handle)
        try:
            with self.assertRaisesRegex(ValueError, "unknown fault 'explode'"):
                config_server.Content.load_faults(handle.name)
        finally:
            os.remove(handle.name)


class DemoTest(unittest.TestCase):
    def test_every_picture_of_the_demo_documents_is_served(self):
        demo = os.path.join(config_server.HERE, "demo")
        content = config_server.Content(os.path.join(demo, "documents"), [os.path.join(demo, "static")], {})
        urls = []
        for kind in config_server.DOCUMENT_KINDS:
            status, _, body, _ = content.reply_for("/installer/config/%s?name=tessaro&os=windows" % kind)
            self.assertEqual(status, 200)
            document = json.loads(body)
            self.assertEqual(document["code"], 0)
            urls += collect_urls(document)
        pictures = [url for url in urls if url.endswith((".png", ".ico"))]
        self.assertEqual(len(pictures), 9)
        for url in pictures:
            self.assertTrue(url.startswith("https://localhost/"), url)
            self.assertEqual(content.reply_for(url[len("https://localhost"):])[0], 200, url)


def collect_urls(value):
    if isinstance(value, dict):
        return [url for item in value.values() for url in collect_urls(item)]
    if isinstance(value, list):
        return [url for item in value for url in collect_urls(item)]
    return [value] if isinstance(value, str) and value.startswith("https://") else []


class LifecycleTest(unittest.TestCase):
    def test_start_listens_and_stop_ends_the_process(self):
        with tempfile.TemporaryDirectory() as folder:
            pid_file = os.path.join(folder, "server.pid")
            with socket.socket() as probe:
                probe.bind(("127.0.0.1", 0))
                port = probe.getsockname()[1]
            self.assertEqual(config_server.main(
                ["start", "--pid-file", pid_file, "--port", str(port),
                 "--cert", os.path.join(CERTS, "server.pem"), "--key", os.path.join(CERTS, "server.key")]), 0)
            pid = config_server.read_pid(pid_file)
            self.assertIsNotNone(pid)
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            self.assertEqual(config_server.main(["stop", "--pid-file", pid_file]), 0)
            self.assertFalse(os.path.exists(pid_file))
            try:
                with open("/proc/%d/cmdline" % pid, "rb") as handle:
                    command = handle.read()
            except FileNotFoundError:
                command = b""
            self.assertNotIn(b"config_server", command)


if __name__ == "__main__":
    unittest.main()
