"""A loopback HTTP server for the runtime installer scenarios.

The installer test build of the shell downloads its bootstrapper from a fixed loopback address
(127.0.0.1 and the port compiled into it), so every scenario needs that same port. Scenarios of
all build trees on the machine take turns through a lock file named after the port; a port held
by some other program is waited for a bounded time, then the scenario fails naming the port.
"""

import errno
import fcntl
import http.server
import os
import socket
import tempfile
import threading
import time

BOOTSTRAPPER_PATH = "/Webview2Setup.exe"


class PortBusy(RuntimeError):
    pass


class PortTurn:
    """Exclusive use of the port among installer scenarios, for the life of the object."""

    def __init__(self, port, wait_seconds=300):
        path = os.path.join(tempfile.gettempdir(), f"corvane-installer-port-{port}.lock")
        self._file = open(path, "a+")
        deadline = time.monotonic() + wait_seconds
        while True:
            try:
                fcntl.flock(self._file, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return
            except BlockingIOError:
                if time.monotonic() >= deadline:
                    self._file.close()
                    raise PortBusy(f"other installer scenarios held port {port} (lock {path}) "
                                   f"for {wait_seconds} s")
                time.sleep(0.2)

    def release(self):
        if not self._file.closed:
            fcntl.flock(self._file, fcntl.LOCK_UN)
            self._file.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.release()
        return False


def _bind(port, wait_seconds):
    deadline = time.monotonic() + wait_seconds
    while True:
        sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        # Connections closed by earlier scenarios linger in TIME_WAIT; that must not count as busy.
        # A program that listens on the port still makes the bind fail.
        sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        try:
            sock.bind(("127.0.0.1", port))
            return sock
        except OSError as error:
            sock.close()
            if error.errno != errno.EADDRINUSE:
                raise
            if time.monotonic() >= deadline:
                raise PortBusy(
                    f"port 127.0.0.1:{port} stayed busy for {wait_seconds} s; the installer "
                    "scenarios need it (another program listens there; choose a free one with "
                    "CORVANE_INSTALLER_TEST_PORT when configuring)") from error
            time.sleep(0.5)


class LoopbackServer:
    """Serves one scenario's answer on 127.0.0.1:port until closed.

    mode "file":       200 with Content-Length, the body sent in `chunks` pieces
    mode "no-length":  200 without Content-Length, the end of the body marked by closing
    mode "404":        404 with a small HTML body (which a download service saves as the file)
    mode "404-body":   404 whose body is `body` (an error answer carrying a valid program)
    mode "refuse":     the port is bound but nothing listens, so connections are refused
    Hold a PortTurn around it so no other installer scenario answers in our place.
    `requests` lists the paths asked for.
    """

    def __init__(self, port, mode, body=b"", chunks=8, chunk_delay=0.05, wait_seconds=60):
        self.mode = mode
        self.requests = []
        self._sock = _bind(port, wait_seconds)
        self._server = None
        self._thread = None
        if mode == "refuse":
            return
        self._sock.listen(8)
        self._server = self._make_server(body, chunks, chunk_delay)
        self._thread = threading.Thread(target=self._server.serve_forever, daemon=True)
        self._thread.start()

    def _make_server(self, body, chunks, chunk_delay):
        owner = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.0"

            def log_message(self, *args):
                pass

            def do_GET(self):
                owner.requests.append(self.path)
                if owner.mode in ("404", "404-body"):
                    page = body if owner.mode == "404-body" else b"<html><body>404 Not Found</body></html>"
                    self.send_response(404)
                    self.send_header("Content-Type", "text/html")
                    self.send_header("Content-Length", str(len(page)))
                    self.end_headers()
                    self.wfile.write(page)
                    return
                self.send_response(200)
                self.send_header("Content-Type", "application/octet-stream")
                if owner.mode == "file":
                    self.send_header("Content-Length", str(len(body)))
                self.end_headers()
                step = max(1, -(-len(body) // chunks))
                for start in range(0, len(body), step):
                    self.wfile.write(body[start:start + step])
                    self.wfile.flush()
                    time.sleep(chunk_delay)

        class Server(http.server.HTTPServer):
            def server_bind(self):
                pass  # already bound (and listening) by LoopbackServer

            def server_activate(self):
                pass

        server = Server(("127.0.0.1", 0), Handler, bind_and_activate=False)
        server.socket.close()
        server.socket = self._sock
        server.timeout = 1
        return server

    def close(self):
        if self._server is not None:
            self._server.shutdown()
            self._thread.join(timeout=10)
            self._server.server_close()
        else:
            self._sock.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False
