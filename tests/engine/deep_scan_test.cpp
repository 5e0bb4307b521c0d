// The deep scan over stores built here: which messages it lists, where each
// record starts and ends, and where each row says it came from.
#include "engine/deep_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/message_start.h"
#include "engine/skipping_reader.h"
#include "tests/engine/scan_fixture.h"
#include "tests/support/faulty_reader.h"

namespace tessel::testing {
namespace {

struct Expected {
  std::int64_t offset;
  std::int64_t length;
  std::string origin;
  bool operator==(const Expected&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Expected& e) {
  return out << "{" << e.offset << ", " << e.length << ", " << e.origin << "}";
}

// The records of a store made of `parts`, back to back, with their origins.
struct Store {
  std::string bytes;
  std::vector<Expected> records;
  Store& Add(const std::string& part, const std::string& origin) {
    records.push_back({static_cast<std::int64_t>(bytes.size()), static_cast<std::int64_t>(part.size()), origin});
    bytes += part;
    return *this;
  }
  // Bytes that belong to the record before them.
  Store& Append(const std::string& part) {
    bytes += part;
    records.back().length += static_cast<std::int64_t>(part.size());
    return *this;
  }
};

std::vector<Expected> Scan(const std::string& store, const std::string* index, std::size_t blockSize,
                           bool readAhead = false) {
  EngineRun run;
  MemoryReader storeReader(store, static_cast<std::int64_t>(store.size()), readAhead);
  MemoryReader indexReader(index ? *index : std::string(), index ? static_cast<std::int64_t>(index->size()) : 0);
  DeepScan(run.ports, storeReader, index ? &indexReader : nullptr, blockSize);
  std::vector<Expected> found;
  for (const tessel::MessageRow& row : run.list.Messages())
    found.push_back({row.record.offset, row.record.length, std::string(recovery::OriginName(row.origin))});
  return found;
}

// Every block size puts block edges somewhere else in the store.
void ExpectRows(const Store& store, const std::string* index = nullptr) {
  for (std::size_t blockSize : {std::size_t{64}, std::size_t{333}, std::size_t{4096}, BlockReader::kDefaultBlockSize}) {
    SCOPED_TRACE("block size " + std::to_string(blockSize));
    EXPECT_EQ(Scan(store.bytes, index, blockSize, blockSize >= 4096), store.records);
  }
}

std::string Mail(const std::string& headers, const std::string& body = "Hello\r\n") { return headers + "\r\n" + body; }

// A stored message: the Message-ID is what no quote of it in a body carries.
const std::string kPlain = Mail("From: a@example.com\r\nTo: b@example.com\r\nSubject: plain\r\nMessage-ID: <p@x>\r\n");

TEST(DeepScan, MessagesAreFoundByAnyOpeningHeaderInAnyCase) {
  Store store;
  store.Add(Mail("Return-Path: <a@x.org>\r\nMIME-Version: 1.0\r\nFrom: a@x.org\r\n"), "store")
      .Add(Mail("Received: by x\r\n\tid 1\r\nMime-Version: 1.0\r\nSubject: mime\r\n"), "store")
      .Add(Mail("Content-Type: text/plain\r\nMIME-version: 1.0\r\nSubject: part header first\r\n"), "store")
      .Add(Mail("DATE: Mon, 1 Jan 2001\r\nSUBJECT: capitals, no MIME-Version\r\nX-MAILER: x\r\n"), "store")
      .Add(
          Mail("message-id: <1@x>\r\nfrom: lower@x.org\r\n", "Note: a body line\r\nFrom: me\r\nthat was no header\r\n"),
          "store")
      .Add("From someone@x.org Mon Jan  1 00:00:00 2001\r\n" + kPlain, "store")
      .Add(Mail("From: a@x.org\r\nTo: b@x.org\r\nSubject: no empty line\r\nX-Mailer: x\r\n").erase(65, 2), "store");
  ExpectRows(store);
}

TEST(DeepScan, BytesWithoutAMessageHeaderAreUnclaimedOrTheOneBefores) {
  Store store;
  store
      .Add("junk before any message\r\nKey: value\r\n\r\n", "unclaimed")  // one header line opens nothing
      .Add(kPlain, "store")
      .Append(Mail("Content-Type: text/plain\r\nContent-Transfer-Encoding: 7bit\r\n"))  // a part header only
      .Append("Subject: one line\r\n\r\n")
      .Add(kPlain, "store");
  ExpectRows(store);
  EXPECT_EQ(Scan("no mail here\r\n", nullptr, 64), (std::vector<Expected>{{0, 14, "unclaimed"}}));
}

TEST(DeepScan, HeaderBlocksInsideAMultipartBodyStartNoMessage) {
  const std::string attached = Mail("Return-Path: <c@x.org>\r\nFrom: c@x.org\r\nMIME-Version: 1.0\r\n", "inner\r\n");
  const std::string multipart =
      Mail("From: a@x.org\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed;\r\n boundary=\"=_b 1\"\r\n",
           "preamble\r\n--=_b 1\r\nContent-Type: text/plain\r\n\r\nquoted:\r\n\r\nFrom: q@x.org\r\nDate: Mon\r\n\r\n"
           "--=_b 1\r\nContent-Type: message/rfc822\r\n\r\n" +
               attached + "\r\n--=_b 1--\r\nepilogue\r\n");
  // A multipart whose closing delimiter is lost owns up to its last delimiter line.
  const std::string unclosed = Mail("From: a@x.org\r\nDate: Mon\r\nContent-Type: multipart/mixed; boundary=XY\r\n",
                                    "--XY\r\nContent-Type: text/plain\r\n\r\n" + attached + "--XY\r\nlast part\r\n");
  // A boundary that the body never uses: a later message's, which shares it.
  const std::string unused = Mail("From: a@x.org\r\nDate: Mon\r\nContent-Type: multipart/mixed; boundary=XY\r\n");
  const std::string closed = Mail("From: b@x.org\r\nDate: Tue\r\nContent-Type: multipart/mixed; boundary=ZW\r\n",
                                  "--ZW\r\n\r\n" + attached + "--ZW--\r\n");
  // A bounce whose boundary parameter is cut: the returned header follows a part header.
  const std::string bounce = Mail("From: daemon@x.org\r\nDate: Mon\r\nContent-Type: multipart/report;\r\n\tbo\r\n",
                                  "--JAB\r\nContent-Type: text/rfc822-headers\r\n\r\n" + attached + "--JAB--\r\n");
  Store store;
  store.Add(multipart, "store")
      .Add(unclosed, "store")
      .Add(closed, "store")
      .Add(unused, "store")
      .Add(kPlain, "store")
      .Add(unclosed, "store")  // the first one's delimiters stop before this one
      .Add(kPlain, "store")
      .Add(closed.substr(0, closed.size() - 2), "store")  // no line end: the next one is glued to its last line
      .Add(kPlain, "store")
      .Add(bounce, "store")
      .Add(attached, "store");
  ExpectRows(store);
}

// Forwarded and answered mail quotes a header as text; nested parts hold whole
// messages. Neither starts a record, while a hand-made message (only the lines
// a quote has) is still found wherever no text body is open.
TEST(DeepScan, QuotedHeadersAndNestedPartsStartNoMessage) {
  const std::string quotes =
      "See below.\r\n\r\n-----Original Message-----\r\nFrom: Bob <b@x.org>\r\nSent: Monday\r\nTo: a@x.org\r\n"
      "Subject: hello\r\n\r\nold text\r\n\r\n---------- Forwarded message ---------\r\nFrom: x@x.org\r\n"
      "Date: Tue\r\n\r\nolder\r\n";
  const std::string handMade = Mail("From: h@x.org\r\nDate: Wed\r\nSubject: only quotable lines\r\n");
  const std::string attached =
      Mail("From: c@x.org\r\nDate: Thu\r\nContent-Type: multipart/alternative; boundary=IN\r\n",
           "--IN\r\nContent-Type: text/plain\r\n\r\n" + quotes + "--IN--\r\n");
  // Parts inside parts; a boundary that runs on from the outer one is another.
  const std::string nested =
      Mail("From: a@x.org\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=OUT\r\n",
           "--OUT\r\nContent-Type: multipart/related; boundary=OUT_2\r\n\r\n--OUT_2\r\nContent-Type: "
           "message/rfc822\r\n\r\n" +
               attached + "--OUT_2--\r\n--OUT\r\nContent-Type: text/plain\r\n\r\n" + quotes + "--OUT--\r\n");
  // An attached message that is itself an attached message, down to its parts.
  const std::string wrapped = Mail("Message-ID: <w@x>\r\nFrom: w@x.org\r\nContent-Type: message/rfc822\r\n",
                                   "Content-Type: message/rfc822\r\nMIME-Version: 1.0\r\n\r\n" + attached);
  Store store;
  store
      .Add(handMade, "store")  // the first bytes searched
      .Append(quotes)
      .Add(nested, "store")
      .Add(handMade, "store")  // after a closing delimiter
      .Append(handMade)        // inside a text body: a quote as far as anyone can tell
      .Add("From h@x.org Wed Jan  3 00:00:00 2001\r\n" + handMade, "store")
      .Add(wrapped, "store")
      .Add(kPlain, "store");
  ExpectRows(store);

  // After an index record a hand-made deleted message is found again.
  Store indexed;
  // The last message makes the store big enough for the record's length to be plausible.
  indexed.Add(kPlain + quotes, "index")
      .Add(handMade, "store")
      .Append(quotes)
      .Add(kPlain + std::string(300, 'p'), "store");
  const std::string index = IndexHeader() + IndexEntry(static_cast<std::uint32_t>(kPlain.size() + quotes.size()));
  ExpectRows(indexed, &index);
}

TEST(DeepScan, IndexRecordsAndTheStoresOtherMessagesEachListedOnce) {
  const std::string a = Mail("From: a@x.org\r\nSubject: a\r\n");
  const std::string deleted = Mail("From: d@x.org\r\nSubject: deleted\r\n", std::string(500, 'd') + "\r\n");
  const std::string b = Mail("From: b@x.org\r\nSubject: b\r\n");
  const std::string c = Mail("From: c@x.org\r\nSubject: c\r\n", std::string(400, 'c') + "\r\n");
  const std::string unindexed = Mail("From: u@x.org\r\nSubject: never indexed\r\n");
  Store store;
  store.Add(a, "index").Add(deleted, "store").Add(b, "index").Add(c, "index").Add(unindexed, "store");
  // The deleted message shifts every offset after it; a length of 0 is no
  // entry; an entry whose length is wrong is damaged and its message is found
  // in the store.
  const std::string index = IndexHeader() + IndexEntry(static_cast<std::uint32_t>(a.size())) + IndexEntry(0) +
                            IndexEntry(static_cast<std::uint32_t>(b.size())) +
                            IndexEntry(static_cast<std::uint32_t>(c.size()));
  ExpectRows(store, &index);

  Store damaged;
  // The unindexed message makes the store big enough for c's length to be plausible.
  damaged.Add(a, "index").Add(b, "store").Add(c, "index").Add(unindexed + std::string(400, 'u') + "\r\n", "store");
  const std::string badIndex = IndexHeader() + IndexEntry(static_cast<std::uint32_t>(a.size())) +
                               IndexEntry(static_cast<std::uint32_t>(b.size() + 7)) +
                               IndexEntry(static_cast<std::uint32_t>(c.size()));
  ExpectRows(damaged, &badIndex);
}

TEST(DeepScan, CellsComeFromTheRecordAndAStopListsNothingMore) {
  const std::string store = Mail("From: Ann <a@x.org>\r\nTo: B@X.org\r\nSubject: hi\r\nDate: Mon\r\n");
  EngineRun run;
  MemoryReader reader(store, static_cast<std::int64_t>(store.size()));
  DeepScan(run.ports, reader, nullptr, 64);
  run.mode = ScanMode::kDeep;
  ASSERT_EQ(run.rows().size(), 1u);
  EXPECT_EQ(run.rows()[0], (std::vector<std::string>{"Ann <a@x.org>", "hi", "b@x.org", "Mon", "0",
                                                     std::to_string(store.size()), "store"}));
  EngineRun stopped;
  stopped.stopRequested.store(1);
  DeepScan(stopped.ports, reader, nullptr, 64);
  EXPECT_TRUE(stopped.rows().empty());
}

// A message as servers deliver it: Return-Path, Received and Message-ID on top.
std::string Delivered(int n, const std::string& body, const std::string& extra = "") {
  const std::string id = std::to_string(n);
  return "Return-Path: <ann" + id + "@example.org>\r\nReceived: from mx.example.org by mail.example.com;\r\n" +
         "\tMon, 7 Oct 2002 10:00:0" + id.substr(id.size() - 1) + " -0500\r\nMessage-ID: <" + id +
         "@example.org>\r\nFrom: Ann <ann@example.org>\r\nSubject: m" + id + "\r\n" + extra + "\r\n" + body;
}

std::string WithLfLineEnds(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  return text;
}

// Mail of 2002-2003 as the store holds it: bodies that look like headers, and
// messages whose last line runs into the next one. Each is one row from its
// first byte to the next one's, also with the line ends converted to LF.
TEST(DeepScan, RealMailShapesStartAndEndWhereTheyDo) {
  const std::string unclosed = "Content-Type: multipart/mixed; boundary=\"----=_NextPart_0\"\r\n";
  const std::string shared = "Content-Type: multipart/mixed; boundary=\"----=_NextPart_000_0001\"\r\n";
  const std::vector<std::string> messages = {
      Delivered(1, "URL: http://news.example.com/2002/10/8.html\r\nDate: 2002-10-08T00:22:08-05:00\r\n\r\nItem\r\n"),
      Delivered(2, "See you,\r\n\r\nFrom: Ann <ann@example.org>\r\nhttp://example.org/\r\n"),
      Delivered(3, "Regards,\r\n  Neil\r\n"),
      Delivered(4, "Cheers\r\n   \r\n"),
      Delivered(5, "List\r\nhttp://example.org/list"),  // no final line end
      Delivered(6, "Bye\r\n-- \r\nPhone: 555 0100\r\n\r\n"),
      Delivered(7, "Forwarded-by: Bob <bob@example.com>\r\nUser-Agent: Mozilla/5.0\r\nDate: Tue\r\n\r\nok\r\n"),
      Delivered(8, "--" + std::string("----=_NextPart_0") + "\r\nContent-Type: text/plain\r\n\r\ncut short\r\n",
                unclosed),
      Delivered(9, "------=_NextPart_000_0001\r\n\r\nA\r\n------=_NextPart_000_0001--\r\n", shared),
      Delivered(10, "--" + std::string("----=_NextPart_0") + "\r\n\r\nagain\r\n", unclosed),
      Delivered(11, "mailto:leave@example.com"),
      Delivered(12, "Last\r\n"),
  };
  for (const bool lf : {false, true}) {
    SCOPED_TRACE(lf ? "LF" : "CR LF");
    Store store;
    for (const std::string& message : messages) store.Add(lf ? WithLfLineEnds(message) : message, "store");
    ExpectRows(store);
  }
}

// Through an index, every record it gives is listed as it gives it, whatever
// the bytes around: a message without a final line end, a deleted message
// whose header has a line end exactly where the next kept one's length
// would end, NUL bytes in a header, a broken header line.
TEST(DeepScan, IndexRecordsKeepTheirPlaceThroughDamageAndDeletions) {
  const std::string kept = Delivered(4, std::string(300, 'k') + "\r\n");
  std::string deleted = Delivered(3, "deleted\r\n", "X-Pad: \r\nX-More: header\r\n");
  const std::size_t pad = deleted.find("X-Pad: ") + 7;
  deleted.insert(pad, std::string(kept.size() - pad - 2, 'p'));  // a line ends at the kept one's length
  std::string nuls = Delivered(5, "body\r\n");
  nuls.replace(30, 16, std::string(16, '\0'));
  std::string broken = Delivered(6, "body\r\n");
  broken[broken.find("Message-ID:") + 10] = ';';
  Store store;
  store
      .Add(Delivered(1, "first"), "index")  // no final line end
      .Add(Delivered(2, "second\r\n"), "index")
      .Add(deleted, "store")
      .Add(kept, "index")
      .Add(nuls, "index")
      .Add(broken, "index")
      .Add(Delivered(7, std::string(400, 'x') + "\r\n"), "index");
  std::string index = IndexHeader();
  for (const Expected& record : store.records)
    if (record.origin == "index") index += IndexEntry(static_cast<std::uint32_t>(record.length));
  ExpectRows(store, &index);
}

// A made-up store, one part per row it must give: "index" parts are the
// index's entries, in order, "store" and "unclaimed" parts are not, "+" parts
// belong to the row before. `entries` follow the parts' own; without an index
// the store alone is searched.
struct Shape {
  using Parts = std::vector<std::pair<std::string, std::string>>;
  Shape(std::string what, Parts parts, std::string entries = "", bool withIndex = true)
      : what(std::move(what)), parts(std::move(parts)), entries(std::move(entries)), withIndex(withIndex) {}
  std::string what;
  Parts parts;
  std::string entries;
  bool withIndex;
};

// Each shape also with its line ends converted to LF.
void ExpectShapes(const std::vector<Shape>& shapes) {
  for (const Shape& shape : shapes) {
    for (const bool lf : {false, true}) {
      SCOPED_TRACE(shape.what + (lf ? ", LF" : ""));
      Store store;
      std::string index = IndexHeader();
      for (const auto& [crLf, origin] : shape.parts) {
        const std::string bytes = lf ? WithLfLineEnds(crLf) : crLf;
        if (origin == "+") {
          store.Append(bytes);
          continue;
        }
        store.Add(bytes, origin);
        if (origin == "index") index += IndexEntry(static_cast<std::uint32_t>(bytes.size()));
      }
      index += shape.entries;
      ExpectRows(store, shape.withIndex ? &index : nullptr);
    }
  }
}

std::string Padded(std::string message, std::size_t size) {
  message.insert(message.find("\r\n\r\n") + 2, "X-Pad: " + std::string(size - message.size() - 9, 'p') + "\r\n");
  return message;
}

// A correct index is the best witness a store has: a record whose header
// starts where the index puts it and ends where another starts (or the store
// ends) is its row, whatever its body holds. Only the others are looked for.
TEST(DeepScan, TheIndexPlacesEveryRecordTheStoreBearsOut) {
  const std::string big = Delivered(9, std::string(400, 'b') + "\r\n");
  std::string recipients = "To: ";
  for (int i = 0; i < 2000; ++i) recipients += "recipient-number-" + std::to_string(i) + "@example.org, ";
  // Entries of 13,878 and 79 bytes: the first longer than the walk takes.
  std::string relays;
  for (int i = 0; relays.size() < 13000; ++i) relays += "Received: from relay" + std::to_string(i) + " by mx;\r\n";
  const std::string relayed = Padded(relays + Delivered(1, "hi\r\n"), 13878);
  const std::string shortNote = Padded("From: a@x.org\r\nDate: Mon\r\n\r\nok\r\n", 79);
  std::vector<std::string> deleted;
  for (int i = 0; i < 20; ++i) deleted.push_back(Delivered(20 + i, std::string(100 + i, 'd') + "\r\n"));
  // Deleted mail whose header holds, where the kept one's length ends, a
  // line or a name inside one: neither is where a message starts.
  auto deletedWith = [&big](const std::string& lead) {
    const std::string top = "Return-Path: <d@x.org>\r\nX-Pad: ";
    return top + std::string(big.size() - top.size() - lead.size(), 'p') + lead +
           "X-Name: 1\r\nMessage-ID: <d@x>\r\nFrom: d@x.org\r\n\r\ndeleted\r\n";
  };
  Shape::Parts manyDeleted = {{big, "index"}};
  for (const std::string& message : deleted) manyDeleted.emplace_back(message, "store");
  manyDeleted.emplace_back(Delivered(8, "kept\r\n"), "index");
  ExpectShapes({
      {"bodies whose last line reads like a sender",
       {{Delivered(1, "Regards,\r\nFrom: the desk of ember\r\n"), "index"},
        {Delivered(2, "Regards,\r\nFrom: the desk of ember\r\n"), "index"},
        {big, "index"}}},
      {"label lines at a body's end",
       {{Delivered(1, "Name: Ann\r\nAddress:\r\nEmail: ann@example.org\r\n"), "index"}, {big, "index"}}},
      {"the last record ends at the store's end, with a header that opens nothing",
       {{big, "index"}, {big, "index"}, {"X-Note: 1\r\nSubject: note\r\n\r\ntext\r\n", "index"}}},
      {"an entry longer than the bytes left", {{big, "index"}, {Delivered(2, "b\r\n"), "store"}}, IndexEntry(900)},
      {"an entry the walk takes as too long", {{relayed, "index"}, {shortNote, "index"}}},
      {"a header block over 64 KiB",
       {{big, "index"}, {Delivered(3, "long\r\n", recipients + "\r\n"), "index"}, {big, "index"}}},
      {"more deleted messages than the near search tries", manyDeleted},
      {"a line of a deleted header where a record would end",
       {{big, "index"}, {deletedWith("\r\n"), "store"}, {big, "index"}}},
      {"a name inside a line of a deleted header where a record would end",
       {{big, "index"}, {deletedWith(" "), "store"}, {big, "index"}}},
      {"a message glued by its MIME-Version to one without a final line end",
       {{Delivered(1, "no line end"), "store"}, {"MIME-Version: 1.0\r\nFrom: b@x.org\r\n\r\nb\r\n", "store"}},
       "",
       false},
  });
}

// Where a message starts in the store alone, each shape from real mail with
// the message after it as one starts that has no Return-Path on top; and a
// record the index gives that opens with a line of spaces.
TEST(DeepScan, StartRulesTellWhereTheNextMessageBegins) {
  const std::string next =
      Mail("Received: by mx.example.org;\r\n\tMon, 7 Oct 2002\r\nFrom: b@x.org\r\nTo: c@x.org\r\n");
  const std::string html =
      "From: a@x.org\r\nDate: Mon\r\nContent-Type: text/html\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n";
  const std::string status =
      "Reporting-MTA: dns; mx.example.org\r\n\r\nFinal-Recipient: rfc822; c@x.org\r\n"
      "Action: failed\r\nStatus: 5.1.1\r\n";
  ExpectShapes({
      {"soft-broken CSS lines at the end of a quoted-printable body",
       {{html + "<style>p {\r\nmargin-left:0 !important;=\r\npadding:0;=\r\n", "store"}, {next, "store"}},
       "",
       false},
      {"label lines at a body's end",
       {{Mail("From: a@x.org\r\nDate: Mon\r\n", "Call us.\r\nAddress:\r\nEmail:\r\n"), "store"}, {next, "store"}},
       "",
       false},
      {"an HTML comment's end as a body's last line",
       {{html + "<!--\r\np {margin: 0}\r\n-->\r\n", "store"}, {next, "store"}},
       "",
       false},
      {"a delivery status report",
       {{Mail("From: daemon@x.org\r\nDate: Tue\r\nContent-Type: message/delivery-status\r\n", status), "store"},
        {next, "store"}},
       "",
       false},
      {"a last message without a line end",
       {{next + "no line end", "store"}, {next, "store"}, {"Message-ID: <z@x>\r\nSubject: header only", "store"}},
       "",
       false},
      {"a message that opens with a line of spaces",
       {{Delivered(1, "a\r\n"), "index"},
        {"   \r\n" + Delivered(2, "b\r\n"), "index"},
        {Delivered(4, "c\r\n"), "index"},
        {Delivered(5, std::string(500, 'e') + "\r\n"), "index"}}},
  });
}

// A bad sector costs only the bytes it holds (and the rest of the piece the
// reader skips), wherever it lies: through a sound index every record stays
// whole and marked index; in the store alone no row starts inside a message
// unless it holds lost bytes (the readable rest of a message whose header
// start is lost is not listed as a whole one).
TEST(DeepScan, ABadSectorCostsOnlyTheBytesItHolds) {
  constexpr std::int64_t kSector = 512;
  Store store;
  for (int i = 0; i < 12; ++i) {
    store.Add(Delivered(i, std::string(150 + 331 * i % 1400, 'b') + "\r\n"), "index");
    // One message starts 40 bytes before the end of a piece the reader skips.
    if (i == 5) store.Add(Padded(Delivered(50, "p\r\n"), 8192 - 40 - store.bytes.size()), "index");
  }
  std::string index = IndexHeader();
  for (const Expected& record : store.records) index += IndexEntry(static_cast<std::uint32_t>(record.length));
  const auto size = static_cast<std::int64_t>(store.bytes.size());
  for (std::int64_t sector = 0; sector < size; sector += kSector) {
    for (const bool withIndex : {true, false}) {
      SCOPED_TRACE("bad sector at " + std::to_string(sector) + (withIndex ? ", through the index" : ""));
      BadSectorReader disk(store.bytes, {{sector, sector + kSector}});
      SkippingReader skipping(disk);
      MemoryReader indexReader(index, static_cast<std::int64_t>(index.size()));
      EngineRun run;
      DeepScan(run.ports, skipping, withIndex ? &indexReader : nullptr, 4096);
      std::vector<Expected> rows;
      for (const tessel::MessageRow& row : run.list.Messages()) {
        rows.push_back({row.record.offset, row.record.length, std::string(recovery::OriginName(row.origin))});
        const bool atStart = std::any_of(store.records.begin(), store.records.end(),
                                         [&row](const Expected& r) { return r.offset == row.record.offset; });
        EXPECT_TRUE(atStart || skipping.IsUnreadable(row.record.offset, row.record.End())) << row.record.offset;
      }
      if (withIndex) {
        EXPECT_EQ(rows, store.records);
      }
      EXPECT_EQ(DeepRowsFault(run.list.Messages(), size, index), "");
    }
  }
}

// Cut, zeroed and spliced stores and indexes: the rows tile the store, in
// store order, and an index row is as long as an index entry says.
TEST(DeepScan, DamagedStoresAreTiledByTheirRows) {
  const std::string multipart =
      Mail("From: a@x.org\r\nContent-Type: multipart/mixed; boundary=B\r\n",
           "--B\r\nContent-Type: message/rfc822\r\n\r\nFrom: c@x.org\r\nDate: x\r\n\r\nin\r\n--B--\r\n");
  std::string store;
  std::string index = IndexHeader();
  for (int i = 0; i < 12; ++i) {
    const std::string message = i % 3 == 0 ? multipart : Mail("Date: " + std::to_string(i) + "\r\nFrom: f@x.org\r\n");
    store += message;
    index += IndexEntry(static_cast<std::uint32_t>(message.size()));
  }
  std::uint32_t seed = 7;
  auto next = [&seed](std::size_t range) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<std::size_t>((seed >> 8) % range);
  };
  for (int round = 0; round < 200; ++round) {
    std::string damaged = store, damagedIndex = index;
    damaged.resize(damaged.size() - next(damaged.size() / 2));
    for (int k = 0; k < 3; ++k) damaged[next(damaged.size())] = round % 2 ? '\0' : '\n';
    const std::size_t splice = next(damaged.size());
    damaged.insert(splice, damaged.substr(next(damaged.size()), 40));
    damagedIndex[12 + next(damagedIndex.size() - 12)] = static_cast<char>(next(256));
    for (const std::string* withIndex :
         {static_cast<const std::string*>(nullptr), static_cast<const std::string*>(&damagedIndex)}) {
      EngineRun run;
      MemoryReader storeReader(damaged, static_cast<std::int64_t>(damaged.size()));
      MemoryReader indexReader(withIndex ? *withIndex : "",
                               withIndex ? static_cast<std::int64_t>(withIndex->size()) : 0);
      DeepScan(run.ports, storeReader, withIndex ? &indexReader : nullptr, 64 + round);
      EXPECT_EQ(
          DeepRowsFault(run.list.Messages(), static_cast<std::int64_t>(damaged.size()), withIndex ? *withIndex : ""),
          "")
          << "round " << round;
    }
  }
}

TEST(MessageStart, HeaderBlockRules) {
  EXPECT_TRUE(IsMessageOpeningName("mime-VERSION"));
  EXPECT_FALSE(IsMessageOpeningName("Content-Type"));
  const HeaderBlock block =
      ReadHeaderBlock("From: a@b\r\nContent-Type: Multipart/Mixed;\r\n\tBoundary=\"b c\"\r\n\r\nx", false);
  EXPECT_TRUE(StartsMessage(block));
  EXPECT_EQ(block.boundary, "b c");
  EXPECT_EQ(block.size, 62);
  EXPECT_FALSE(ReadHeaderBlock("From: a@b\r\nDate: b\r\n", false).found);  // may go on past the bytes given
  EXPECT_TRUE(ReadHeaderBlock("From: a@b\r\nDate: b\r\n", true).found);
  EXPECT_TRUE(StartsMessage(ReadHeaderBlock("From: a@b\nDate: b\n\n", true)));  // LF line ends, as converted
  // A sender without an address, a feed item, a link: none opens a message.
  EXPECT_FALSE(StartsMessage(ReadHeaderBlock("From: Ann\r\nSubject: b\r\n\r\n", false)));
  EXPECT_FALSE(StartsMessage(ReadHeaderBlock("URL: http://x/y\r\nDate: 2002-10-08T00:22:08-05:00\r\n\r\n", false)));
  EXPECT_FALSE(ReadHeaderBlock("From: Ann <a@b>\r\nhttp://example.org/\r\n\r\n", false).found);
  EXPECT_EQ(ReadHeaderBlock("Content-Type: multipart/mixed; xboundary=no; boundary=yes\r\n\r\n", false).boundary,
            "yes");
}

}  // namespace
}  // namespace tessel::testing
