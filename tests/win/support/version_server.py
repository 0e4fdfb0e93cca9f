#!/usr/bin/env python3
"""A small web server for the update tests, on 127.0.0.1 only.

Serves the files of a folder. A path under /slow/ is answered only after
SLOW_SECONDS; one under /hang/ is accepted and never answered; /quit ends
the server. It writes the port it listens on into
port.txt in the folder once it accepts connections, and ends by itself after
LIFETIME_SECONDS in case the test that started it is gone.
"""
import functools
import http.server
import os
import sys
import threading
import time

SLOW_SECONDS = 6
LIFETIME_SECONDS = 300


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        if self.path == "/quit":
            self.send_response(200)
            self.end_headers()
            threading.Thread(target=self.server.shutdown, daemon=True).start()
            return
        if self.path.startswith("/hang/"):
            time.sleep(LIFETIME_SECONDS)
            return
        if self.path.startswith("/slow/"):
            time.sleep(SLOW_SECONDS)
            self.path = self.path[len("/slow"):]
        super().do_GET()

    def log_message(self, *args):
        pass


def main():
    folder = sys.argv[1]
    handler = functools.partial(Handler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    server.daemon_threads = True
    port_file = os.path.join(folder, "port.txt")
    with open(port_file + ".new", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".new", port_file)
    threading.Timer(LIFETIME_SECONDS, server.shutdown).start()
    server.serve_forever()
    os._exit(0)


if __name__ == "__main__":
    main()
