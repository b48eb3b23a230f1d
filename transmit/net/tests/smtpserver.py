#!/usr/bin/python3
"""A real SMTP server for the mail client's tests: Debian's aiosmtpd on a free loopback port.

Prints "PORT <n>" on standard output once it listens. Every message is marked NNNN.received as
soon as it has come in whole (before any --data-delay), and once accepted is written to the
mail folder as NNNN.eml (the content as received, dot-stuffing undone) beside NNNN.json (the
envelope and session). The server ends when its standard input closes, so a test that dies
leaves no server behind.
"""

import argparse
import asyncio
import json
import os
import socket
import ssl
import sys
import threading

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def exit_when_stdin_closes():
    def watch():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()


class Handler:
    def __init__(self, args):
        self.args = args
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.args.reject_rcpt:
            return "550 5.1.1 Mailbox unavailable"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.args.maildir, "%04d" % self.count)
        # The whole message is here; the reply to it may still be delayed.
        open(base + ".received", "w").close()
        if self.args.data_delay:
            await asyncio.sleep(self.args.data_delay)
        with open(base + ".eml.part", "wb") as f:
            f.write(envelope.original_content)
        os.rename(base + ".eml.part", base + ".eml")
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "helo": session.host_name,
            "extended_smtp": session.extended_smtp,
            "tls": server.transport.get_extra_info("ssl_object") is not None,
            "mail_options": envelope.mail_options,
            "authenticated": bool(session.authenticated),
        }
        with open(base + ".json.part", "w") as f:
            json.dump(record, f)
        os.rename(base + ".json.part", base + ".json")
        return "250 Message accepted for delivery"


class TestSMTP(SMTP):
    """Adds lines before the greeting, making it a multi-line reply."""

    extra_greeting = []

    async def push(self, status):
        if self.extra_greeting and not getattr(self, "_greeted", False):
            self._greeted = True
            for line in self.extra_greeting:
                await super().push("220-" + line)
        await super().push(status)


def serve_silently():
    """Accepts connections and never says a word."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    print("PORT %d" % listener.getsockname()[1], flush=True)
    held = []
    while True:
        connection, _ = listener.accept()
        held.append(connection)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--maildir", required=True)
    parser.add_argument("--greeting-lines", type=int, default=0)
    parser.add_argument("--reject-rcpt", action="store_true")
    parser.add_argument("--data-delay", type=float, default=0)
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--tls-cert")
    parser.add_argument("--tls-key")
    parser.add_argument("--implicit-tls", action="store_true",
                        help="TLS from the first byte instead of STARTTLS")
    parser.add_argument("--no-8bitmime", action="store_true",
                        help="do not offer 8BITMIME")
    parser.add_argument("--auth", help="USER:PASSWORD")
    args = parser.parse_args()
    exit_when_stdin_closes()
    if args.silent:
        serve_silently()
        return

    TestSMTP.extra_greeting = ["Quillmarsh test relay, line %d" % (i + 1)
                               for i in range(args.greeting_lines)]
    options = {"hostname": "qm-test-smtp", "decode_data": args.no_8bitmime}
    server_ssl = None
    if args.tls_cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.tls_cert, args.tls_key)
        if args.implicit_tls:
            server_ssl = context
        else:
            options["tls_context"] = context
    if args.auth:
        user, password = args.auth.split(":", 1)

        def authenticator(server, session, envelope, mechanism, auth_data):
            ok = (isinstance(auth_data, LoginPassword)
                  and auth_data.login == user.encode()
                  and auth_data.password == password.encode())
            return AuthResult(success=ok, handled=False)

        options["authenticator"] = authenticator
        options["auth_required"] = True
        # aiosmtpd only counts a STARTTLS upgrade as TLS; an implicit one is TLS all the same.
        options["auth_require_tls"] = not args.implicit_tls

    handler = Handler(args)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(loop.create_server(
        lambda: TestSMTP(handler, loop=loop, **options), host="127.0.0.1", port=0,
        ssl=server_ssl))
    print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()
