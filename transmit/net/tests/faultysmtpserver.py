#!/usr/bin/python3
"""An SMTP server that misbehaves as told, for the mail client's fault tests.

It speaks just enough of the plain dialogue (greeting, Helo, Rset, Mail, Rcpt, Data, Quit) on a
free loopback port and prints "PORT <n>" once it listens. The first --faulty connections
misbehave; later ones behave, so that a retry can succeed. Accepted messages are written to the
mail folder as NNNN.eml (dot-stuffing undone). The server ends when its standard input closes.

Faults:
  --drop-in-data N        close the connection without a word once N bytes of the message came
  --long-reply VERB:N     answer the command VERB (MAIL, RCPT, DATA, ...) with a 554 reply line
                          of N characters
  --endless-line VERB     answer the command VERB with a line that never ends
  --endless-reply VERB    answer the command VERB with a multi-line reply whose lines never end
"""

import argparse
import asyncio
import os
import sys
import threading


def exit_when_stdin_closes():
    def watch():
        sys.stdin.buffer.read()
        os._exit(0)

    threading.Thread(target=watch, daemon=True).start()


class Server:
    def __init__(self, args):
        self.args = args
        self.connections = 0
        self.count = 0
        self.long_verb, self.long_size = b"", 0
        if args.long_reply:
            verb, size = args.long_reply.split(":")
            self.long_verb, self.long_size = verb.upper().encode(), int(size)
        self.endless_verb = (args.endless_line or "").upper().encode()
        self.endless_reply_verb = (args.endless_reply or "").upper().encode()

    async def session(self, reader, writer):
        self.connections += 1
        faulty = self.connections <= self.args.faulty

        async def reply(line):
            writer.write(line + b"\r\n")
            await writer.drain()

        try:
            await reply(b"220 qm-faulty-smtp ready")
            while True:
                line = await reader.readline()
                if not line:
                    return
                verb = line[:4].upper()
                if faulty and verb == self.long_verb:
                    await reply(b"554 " + b"x" * (self.long_size - 4))
                elif faulty and verb == self.endless_verb:
                    while True:
                        writer.write(b"y" * 65536)
                        await writer.drain()
                elif faulty and verb == self.endless_reply_verb:
                    while True:
                        await reply(b"250-" + b"z" * 70)
                elif verb == b"QUIT":
                    await reply(b"221 Bye")
                    return
                elif verb == b"DATA":
                    await reply(b"354 End data with <CR><LF>.<CR><LF>")
                    if not await self.receive(reader, writer, faulty):
                        return
                    await reply(b"250 Message accepted for delivery")
                else:
                    await reply(b"250 OK")
        except (ConnectionError, asyncio.IncompleteReadError):
            pass
        finally:
            writer.close()

    async def receive(self, reader, writer, faulty):
        data = bytearray()
        while True:
            line = await reader.readline()
            if not line:
                return False
            if faulty and self.args.drop_in_data and len(data) >= self.args.drop_in_data:
                writer.transport.abort()
                return False
            if line == b".\r\n":
                break
            data += line[1:] if line.startswith(b".") else line
        self.count += 1
        path = os.path.join(self.args.maildir, "%04d.eml" % self.count)
        with open(path + ".part", "wb") as f:
            f.write(bytes(data))
        os.rename(path + ".part", path)
        return True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--maildir", required=True)
    parser.add_argument("--faulty", type=int, default=1)
    parser.add_argument("--drop-in-data", type=int, default=0)
    parser.add_argument("--long-reply")
    parser.add_argument("--endless-line")
    parser.add_argument("--endless-reply")
    args = parser.parse_args()
    exit_when_stdin_closes()
    server = Server(args)
    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    listener = loop.run_until_complete(
        asyncio.start_server(server.session, host="127.0.0.1", port=0))
    print("PORT %d" % listener.sockets[0].getsockname()[1], flush=True)
    loop.run_forever()


if __name__ == "__main__":
    main()
