"""A static server for the web page on 127.0.0.1: scripts/web and the
browser tests start it on a free port."""
import functools
import http.server
import threading


class _Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".otf": "font/otf",
        ".pcx": "application/octet-stream",
    }

    def log_message(self, *args):
        pass


def start(folder, port=0, quiet=True):
    """Serves folder in a thread; returns the server (server_port, shutdown)."""
    handler = _Quiet if quiet else http.server.SimpleHTTPRequestHandler
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(handler, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server
