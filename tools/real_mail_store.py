"""A store of made-up mail shaped as real mail of 2002-2003 is, and a measure
of how exactly the deep scan lists it.

    python3 tools/real_mail_store.py make OUTDIR [COUNT]
    python3 tools/real_mail_store.py check TESSEL OUTDIR

`make` writes OUTDIR/Mail.imm (COUNT messages, 400 by default, CR LF line
ends, back to back), Mail.imh (an index of every message), Kept.imh with
Kept.imm (the same store, every fourth message left out of the index, as
deleted mail is) and truth.txt (each message's offset and length, and 1 when
Kept.imh lists it). The mail has what the usual scans and the deep scan trip
over: long Received chains, list footers ending in a URL or mailto line, feed
items whose body opens with "URL:" and "Date:" lines, newsletters, spam,
bounces, signatures, quoted replies, bodies ending in an indented line, a
whitespace-only line or no line end at all, multiparts with attachments, one
that never closes. Addresses are at example.org, example.com and example.net.

`check` runs `TESSEL scan --deep --format tsv` on the three inputs and prints,
for each, the rows that are exactly one message with the right origin, and
the bytes that lie in no row.
"""
import os
import random
import struct
import subprocess
import sys

SIGNATURE = bytes([0x56, 0x23, 0x30, 0x34, 0x3C, 0x12, 0x08, 0x49]) + bytes(4)
MARKER = bytes([0, 0, 3, 0])

NAMES = ["Ann Wright", "Bob Keller", "Carla Mendes", "Dieter Vogt", "Eve Stone", "Frank Olsen", "Gina Ruiz",
         "Hugo Brandt", "Ines Kovac", "Jon Pike", "Neil Amos", "Olga Petrov"]
HOSTS = ["example.org", "example.com", "example.net", "mail.example.org", "lists.example.com"]
DAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]
MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
WORDS = ("the of and to in is for on with as at by this that from we you it be are our your new list meeting "
         "report patch release server issue update week thanks please see attached below price offer free").split()


class Mail:
    def __init__(self, rng, number):
        self.rng = rng
        self.number = number

    def address(self, name=None):
        name = name or self.rng.choice(NAMES)
        return name.split()[0].lower() + "@" + self.rng.choice(HOSTS)

    def mailbox(self):
        name = self.rng.choice(NAMES)
        return self.rng.choice(['%s <%s>' % (name, self.address(name)), '"%s" <%s>' % (name, self.address(name)),
                                self.address(name)])

    def date(self):
        r = self.rng
        return "%s, %d %s %d %02d:%02d:%02d %s" % (r.choice(DAYS), r.randint(1, 28), r.choice(MONTHS),
                                                   r.choice([2002, 2003]), r.randint(0, 23), r.randint(0, 59),
                                                   r.randint(0, 59), r.choice(["-0500", "+0100", "+0000", "-0800"]))

    def sentence(self, words=12):
        return " ".join(self.rng.choice(WORDS) for _ in range(words)).capitalize() + "."

    def paragraph(self, lines=4):
        return [self.sentence(self.rng.randint(6, 12)) for _ in range(lines)]

    def received(self):
        lines = []
        for hop in range(self.rng.randint(2, 7)):
            lines += ["Received: from relay%d.%s (relay%d.%s [10.%d.%d.%d])" %
                      (hop, self.rng.choice(HOSTS), hop, self.rng.choice(HOSTS), hop, self.number % 250, hop * 7),
                      "\tby mx%d.example.net (8.12.6/8.12.6) with ESMTP id g%05d" % (hop, self.number),
                      "\tfor <%s>; %s" % (self.address(), self.date())]
        return lines

    def header(self, subject, extra=(), content_type="text/plain; charset=us-ascii"):
        lines = ["Return-Path: <%s>" % self.address()] + self.received()
        lines += ["Message-ID: <%d.%d@%s>" % (self.number, self.rng.randint(1000, 99999), self.rng.choice(HOSTS)),
                  "From: " + self.mailbox(), "To: " + self.mailbox(), "Subject: " + subject, "Date: " + self.date(),
                  "MIME-Version: 1.0", "Content-Type: " + content_type]
        lines += list(extra)
        lines.append("X-Mailer: " + self.rng.choice(["IncrediMail (2251432)", "Microsoft Outlook Express 6.00",
                                                       "Mutt/1.4i", "Eudora 5.1"]))
        return lines

    # Body endings that have cut or glued messages.
    def ending(self):
        r = self.rng.random()
        if r < 0.12:
            return ["_______________________________________________", "Users mailing list",
                    "users@lists.example.com", "http://lists.example.com/mailman/listinfo/users"]
        if r < 0.17:
            return ["To unsubscribe: mailto:leave-news@example.com"]
        if r < 0.27:
            return ["", "-- ", self.rng.choice(NAMES), "Phone: +1 555 0100", ""]
        if r < 0.33:
            return ["Regards,", "  " + self.rng.choice(NAMES).split()[0]]
        if r < 0.36:
            return ["Cheers", "   "]
        return ["", self.rng.choice(NAMES).split()[0]]

    def plain(self):
        body = ["Hi,", ""] + self.paragraph(self.rng.randint(2, 8))
        if self.rng.random() < 0.2:
            body += ["", "-----Original Message-----", "From: " + self.mailbox(), "Sent: " + self.date(),
                     "To: " + self.mailbox(), "Subject: Re: " + self.sentence(3), ""] + self.paragraph(3)
        if self.rng.random() < 0.08:
            name = self.rng.choice(NAMES)
            body += ["", "From: %s <%s>" % (name, self.address(name)), "http://www.example.org/~%s/" %
                     name.split()[0].lower()]
        if self.rng.random() < 0.05:
            body += ["", "Forwarded-by: " + self.mailbox(), "Forwarded-by: " + self.mailbox(), "", "----"]
        if self.rng.random() < 0.05:
            body += ["", "User-Agent: Mozilla/5.0 (Windows; U; Win98; en-US; rv:1.2)", "Date: " + self.date(), ""]
        return self.header("Re: " + self.sentence(4)), body + self.ending()

    def feed(self):
        r = self.rng
        body = ["URL: http://news.example.com/%d/%02d/%d.html" % (r.choice([2002, 2003]), r.randint(1, 12),
                                                                  self.number),
                "Date: 2002-%02d-%02dT%02d:%02d:08-05:00" % (r.randint(1, 12), r.randint(1, 28), r.randint(0, 23),
                                                             r.randint(0, 59)), ""] + self.paragraph(3)
        return self.header("[News] " + self.sentence(5)), body

    def newsletter(self):
        boundary = "----=_NextPart_000_%04X_01C2%04X" % (self.number, self.rng.randint(0, 0xFFFF))
        text = self.paragraph(6)
        html = ["<html><body>"] + ["<p>%s</p>" % line for line in text] + ["</body></html>"]
        body = ["This is a multi-part message in MIME format.", "", "--" + boundary,
                "Content-Type: text/plain; charset=iso-8859-1", "Content-Transfer-Encoding: 7bit", ""] + text + \
               ["", "--" + boundary, "Content-Type: text/html; charset=iso-8859-1", ""] + html + \
               ["", "--" + boundary + "--", ""]
        return self.header("Newsletter " + self.sentence(3), content_type='multipart/alternative;\r\n\tboundary="%s"'
                           % boundary), body

    def attachment(self, closed=True):
        boundary = "----=_NextPart_0" + ("" if not closed else "00_%04X" % self.number)
        data = bytes(self.rng.randrange(256) for _ in range(self.rng.randint(300, 3000)))
        import base64
        encoded = base64.b64encode(data).decode()
        body = ["--" + boundary, "Content-Type: text/plain", ""] + self.paragraph(2) + \
               ["", "--" + boundary, 'Content-Type: application/octet-stream; name="file%d.zip"' % self.number,
                "Content-Transfer-Encoding: base64", ""] + [encoded[i:i + 76] for i in range(0, len(encoded), 76)]
        body += ["", "--" + boundary + "--", ""] if closed else [""]
        return self.header("File " + self.sentence(2), content_type='multipart/mixed; boundary="%s"' % boundary), body

    def spam(self):
        lines = ["<html><body bgcolor=#ffffff>", "<font size=4>%s</font>" % self.sentence(8).upper(),
                 '<a href="http://offers.example.net/?id=%d">Click here</a>' % self.number, "</body></html>",
                 "", "To be removed: mailto:remove@example.net"]
        return self.header("FREE " + self.sentence(3).upper(), content_type="text/html"), lines

    def bounce(self):
        boundary = "%05d.10%d/mx.example.net" % (self.number, self.number)
        returned = Mail(self.rng, self.number + 100000)
        head = returned.header("Meeting")
        body = ["This is a MIME-encapsulated message", "", "--" + boundary, "", "The original message was received",
                "", "--" + boundary, "Content-Type: message/delivery-status", "", "Reporting-MTA: dns; mx.example.net",
                "Action: failed", "", "--" + boundary, "Content-Type: message/rfc822", ""] + head + \
               ["", "Hello"] + ["", "--" + boundary + "--", ""]
        return self.header("Returned mail: User unknown", content_type='multipart/report; report-type=delivery-status;'
                           '\r\n\tboundary="%s"' % boundary), body

    def make(self):
        kind = self.rng.random()
        if kind < 0.45:
            head, body = self.plain()
        elif kind < 0.62:
            head, body = self.feed()
        elif kind < 0.74:
            head, body = self.newsletter()
        elif kind < 0.84:
            head, body = self.attachment()
        elif kind < 0.94:
            head, body = self.spam()
        else:
            head, body = self.bounce()
        text = "\r\n".join(head + [""] + body)
        # Some mail is stored without its last line end.
        return text if self.rng.random() < 0.03 else text + "\r\n"


def make(out, count):
    rng = random.Random(2003)
    messages = []
    for number in range(1, count + 1):
        mail = Mail(rng, number)
        if number == count // 2:
            head, body = mail.attachment(closed=False)  # a multipart that never closes
            messages.append("\r\n".join(head + [""] + body) + "\r\n")
        else:
            messages.append(mail.make())
    os.makedirs(out, exist_ok=True)
    store = "".join(messages).encode("latin-1")
    index, kept, truth, offset = bytearray(SIGNATURE), bytearray(SIGNATURE), [], 0
    for i, message in enumerate(messages):
        entry = MARKER + struct.pack("<I", len(message))
        index += entry
        if i % 4 != 1:
            kept += entry
        truth.append("%d %d %d" % (offset, len(message), 1 if i % 4 != 1 else 0))
        offset += len(message)
    for name, data in (("Mail.imm", store), ("Mail.imh", index), ("Kept.imm", store), ("Kept.imh", kept),
                       ("truth.txt", ("\n".join(truth) + "\n").encode())):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


def check(tessel, out):
    truth = [tuple(int(x) for x in line.split()) for line in open(os.path.join(out, "truth.txt"))]
    size = os.path.getsize(os.path.join(out, "Mail.imm"))
    for label, name, origin in (("complete index", "Mail.imh", lambda kept: "index"),
                                ("every fourth left out of the index", "Kept.imh",
                                 lambda kept: "index" if kept else "store"),
                                ("store alone", "Mail.imm", lambda kept: "store")):
        run = subprocess.run([tessel, "scan", "--deep", "--format", "tsv", os.path.join(out, name)],
                             capture_output=True, check=False)
        rows = [line.split(b"\t") for line in run.stdout.split(b"\n") if line]
        got = {(int(r[4]), int(r[5])): r[6].decode() for r in rows}
        exact = sum(1 for o, n, kept in truth if got.get((o, n)) == origin(kept))
        covered = bytearray(size)
        for r in rows:
            covered[int(r[4]):int(r[4]) + int(r[5])] = b"\1" * len(covered[int(r[4]):int(r[4]) + int(r[5])])
        print("%-36s %d of %d exact (%.1f%%), %d rows, %d bytes in no row, exit %d" %
              (label + ":", exact, len(truth), 100.0 * exact / len(truth), len(rows), covered.count(0),
               run.returncode))


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "make":
        make(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 400)
    elif len(sys.argv) == 4 and sys.argv[1] == "check":
        check(sys.argv[2], sys.argv[3])
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
