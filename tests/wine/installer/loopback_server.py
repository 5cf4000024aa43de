"""The loopback HTTP server of the runtime installer scenarios.

The installer test build of the shell downloads its bootstrapper from 127.0.0.1 and the port
compiled into it, so every scenario needs that same port. Scenarios of all build trees on the
machine take turns through a lock file named after the port; a port some other program holds is
waited for a bounded time, then the scenario fails naming the port.
"""

import contextlib
import errno
import fcntl
import http.server
import os
import tempfile
import threading
import time

BOOTSTRAPPER_PATH = "/Webview2Setup.exe"


class PortBusy(RuntimeError):
    pass


def _waiting(what, wait_seconds, attempt):
    """Calls `attempt` until it returns something other than None, for at most `wait_seconds`."""
    deadline = time.monotonic() + wait_seconds
    while (got := attempt()) is None:
        if time.monotonic() >= deadline:
            raise PortBusy(f"{what} for {wait_seconds} s")
        time.sleep(0.2)
    return got


@contextlib.contextmanager
def port_turn(port, wait_seconds=300):
    """Exclusive use of the port among installer scenarios while the block runs."""
    path = os.path.join(tempfile.gettempdir(), f"corvane-installer-port-{port}.lock")
    with open(path, "a+") as lock:
        def take():
            with contextlib.suppress(BlockingIOError):
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
                return True
        _waiting(f"other installer scenarios held port {port} (lock {path})", wait_seconds, take)
        yield


class LoopbackServer(http.server.HTTPServer):
    """Answers on 127.0.0.1:port, the way `mode` says, until closed; `requests` lists the paths
    asked for.

    "file":       200 with Content-Length, the body sent in 8 pieces `chunk_delay` apart
    "no-length":  200 without Content-Length, the end of the body marked by closing
    "404":        404 with a small HTML page (which a download service saves as the file)
    "404-body":   404 whose body is `body` (an error answer carrying a valid program)
    "200-page":   200 with an HTML page (a portal or proxy answering for the server)
    "refuse":     the port is bound but nothing listens, so connections are refused
    """

    allow_reuse_address = True  # connections of earlier scenarios linger in TIME_WAIT

    def __init__(self, port, mode, body, chunk_delay=0.05, wait_seconds=60):
        super().__init__(("127.0.0.1", port), Handler, bind_and_activate=False)
        self.mode, self.body, self.chunk_delay, self.requests, self.thread = mode, body, chunk_delay, [], None

        def bind():
            try:
                self.server_bind()
                return True
            except OSError as error:
                if error.errno != errno.EADDRINUSE:
                    raise
        _waiting(f"port 127.0.0.1:{port} stayed busy (another program listens there; choose a free one "
                 "with CORVANE_INSTALLER_TEST_PORT when configuring)", wait_seconds, bind)
        if mode != "refuse":
            self.server_activate()
            self.thread = threading.Thread(target=self.serve_forever, args=(0.2,), daemon=True)
            self.thread.start()

    def close(self):
        if self.thread:
            self.shutdown()
            self.thread.join(timeout=10)
        self.server_close()


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def do_GET(self):
        server = self.server
        server.requests.append(self.path)
        error = server.mode in ("404", "404-body")
        body = {"404": b"<html><body>404 Not Found</body></html>",
                "200-page": b"<html><body>Sign in to continue</body></html>"}.get(server.mode, server.body)
        self.send_response(404 if error else 200)
        self.send_header("Content-Type", "text/html" if error else "application/octet-stream")
        if server.mode != "no-length":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        step = max(1, -(-len(body) // 8))
        for start in range(0, len(body), step):
            self.wfile.write(body[start:start + step])
            self.wfile.flush()
            if not error:
                time.sleep(server.chunk_delay)
