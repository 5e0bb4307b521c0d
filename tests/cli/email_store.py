"""Builds a message store and its index from real mail that nobody on this
project wrote: the email test messages of Python's standard library, found on
this machine. Nothing of them is kept in the repository.

    python3 email_store.py OUTDIR

writes OUTDIR/Inbox.imm (the messages with CR LF line ends, back to back, as
the mail client stores them), OUTDIR/Inbox.imh (an index listing each one),
OUTDIR/messages/NNN.eml (each message as stored), OUTDIR/from_lines.txt:
the mbox "From " line each message should get, worked out here with Python's
own header parsing (email.utils), independently of the program under test,
and OUTDIR/intact.txt: 1 for each message that Python reads a header of two
fields or more from, one of them a field that opens mail, 0 otherwise.
Exits with 77 when no such messages are on the machine.
"""
import email
import email.utils
import glob
import os
import struct
import sys
import time

INDEX_SIGNATURE = bytes([0x56, 0x23, 0x30, 0x34, 0x3C, 0x12, 0x08, 0x49]) + bytes(4)
ENTRY_MARKER = bytes([0, 0, 3, 0])


def find_messages():
    patterns = [os.environ.get("TESSEL_EMAIL_DATA", "") + "/msg_*.txt",
                "/usr/lib/python3*/test/test_email/data/msg_*.txt",
                os.path.expanduser("~/.pyenv/versions/*/lib/python3*/test/test_email/data/msg_*.txt")]
    for pattern in patterns:
        found = sorted(glob.glob(pattern))
        if found:
            # One Python version's copy only.
            folder = os.path.dirname(found[-1])
            return sorted(f for f in found if os.path.dirname(f) == folder)
    return []


def address(value):
    if value is None:
        return ""
    name, addr = email.utils.parseaddr(value)
    if not addr or any(c.isspace() or c in '"<>(),' or ord(c) < 0x20 for c in addr):
        return ""
    if "@" in addr and (addr.startswith("@") or addr.endswith("@")):
        return ""
    return addr


def date_seconds(value):
    if value is None:
        return None
    parsed = email.utils.parsedate_tz(value)
    if parsed is None or parsed[3] is None:
        return None
    return email.utils.mktime_tz(parsed)


def from_line(message_bytes):
    message = email.message_from_bytes(message_bytes)
    sender = address(message.get("Return-Path")) or address(message.get("From")) or "MAILER-DAEMON"
    seconds = date_seconds(message.get("Date"))
    if seconds is None:
        received = message.get("Received")
        if received is not None and ";" in received:
            seconds = date_seconds(received.rsplit(";", 1)[1])
    return "From %s %s" % (sender, time.asctime(time.gmtime(seconds or 0)))


OPENING_FIELDS = {"mime-version", "return-path", "received", "delivered-to", "message-id", "from", "sender",
                  "date", "reply-to"}


def intact(message_bytes):
    fields = [name.lower() for name in email.message_from_bytes(message_bytes).keys()]
    return len(fields) >= 2 and any(name in OPENING_FIELDS for name in fields)


def main():
    out = sys.argv[1]
    files = find_messages()
    if not files:
        print("no email test messages of Python's standard library on this machine")
        return 77
    os.makedirs(os.path.join(out, "messages"), exist_ok=True)
    store, index, lines, intacts = bytearray(), bytearray(INDEX_SIGNATURE), [], []
    for number, path in enumerate(files, 1):
        with open(path, "rb") as f:
            text = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        store += text
        index += ENTRY_MARKER + struct.pack("<I", len(text))
        with open(os.path.join(out, "messages", "%03d.eml" % number), "wb") as f:
            f.write(text)
        lines.append(from_line(text))
        intacts.append("1" if intact(text) else "0")
    with open(os.path.join(out, "Inbox.imm"), "wb") as f:
        f.write(store)
    with open(os.path.join(out, "Inbox.imh"), "wb") as f:
        f.write(index)
    with open(os.path.join(out, "from_lines.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    with open(os.path.join(out, "intact.txt"), "w") as f:
        f.write("\n".join(intacts) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
