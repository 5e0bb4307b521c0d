// The engine reads large blocks and searches them with memmem; the plain window
// model (window_reference.h) reads 2000-byte windows. Over many random, damaged
// stores and indexes, with block edges moved everywhere, both must list the
// very same rows.
#include <random>

#include "engine/store_scans.h"
#include "tests/engine/scan_fixture.h"
#include "tests/engine/window_reference.h"

namespace tessel::testing {
namespace {

// Block edges anywhere: the smallest blocks, odd sizes, the smallest that is
// read ahead on a helper thread, and the blocks the program reads.
const std::size_t kBlockSizes[] = {BlockReader::kSmallestBlock, 100, 333, BlockReader::kSmallestBlockReadAhead,
                                   BlockReader::kDefaultBlockSize};

class RandomBytes {
 public:
  explicit RandomBytes(unsigned seed) : rng_(seed) {}
  int Below(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }
  std::string Noise(int length) {
    static const char kAlphabet[] = "aZ:- \t\r\n\r\n@.<>\"]0\x01\x80";
    std::string bytes;
    for (int i = 0; i < length; ++i) bytes += OneIn(40) ? '\0' : kAlphabet[Below(sizeof kAlphabet - 1)];
    return bytes;
  }

 private:
  std::mt19937 rng_;
};

// Pieces of mail and of damage, mixed at random.
std::string RandomPiece(RandomBytes& random) {
  static const char* const kPieces[] = {"MIME-Version: 1.0\r\n",
                                        "MIME-Version: 1.0\r\n",
                                        "MIME-Version: 1.",
                                        "MIME-Version: 1",
                                        "From: Ann <ann@example.com>\r\n",
                                        "from:bob@example.com\r\n",
                                        "FROM: \r\n",
                                        "To: \"Reader\" <r@example.org>\r\n",
                                        "TO: X@Y.Z\r\n",
                                        "to:nobody\r\n",
                                        "To: a@b.c]=20x\r\n",
                                        "Subject: Hello\r\n",
                                        "Subject:\r\n",
                                        "SUBJECT:\tTab\r\n",
                                        "Date: Mon\r\n",
                                        "date:x\r\n",
                                        "X-Mailer: Thing\r\n",
                                        " continued\r\n",
                                        "\tcontinued\r\n",
                                        "\r\n",
                                        "\r\n\r\n",
                                        "body text\r\n",
                                        "see mailto:to:x@y.z\r\n",
                                        "lone line\n",
                                        "Bad Name: v\r\n",
                                        ":empty name\r\n",
                                        "\r\r\n"};
  if (random.OneIn(6)) return random.Noise(random.Below(300));
  return kPieces[random.Below(sizeof kPieces / sizeof kPieces[0])];
}

// Few boundaries far apart, the last one followed by a run of windows whose
// final one is near or within the 100-byte tail, and a boundary near the end.
std::string SparseStore(RandomBytes& random) {
  std::string store = random.Noise(random.Below(3000));
  const int boundaries = random.Below(3);
  for (int i = 0; i < boundaries; ++i)
    store += "From: a@b.c\r\nMIME-Version: 1.0\r\n" + random.Noise(random.Below(2500));
  // The window chain of the last search starts just after the last boundary.
  const std::size_t last = store.rfind("MIME-Version: 1.");
  const std::size_t chainStart = last == std::string::npos ? 0 : last + 16;
  const std::size_t windows = (store.size() - chainStart) / 1980 + 1 + random.Below(2);
  const std::size_t size = chainStart + 1980 * windows + random.Below(130) - 10;
  while (store.size() < size) store += random.Noise(500);
  store.resize(size);
  const std::size_t fromEnd = 16 + random.Below(120);
  store.replace(size - fromEnd, 16, "MIME-Version: 1.");
  return store;
}

std::string RandomStore(RandomBytes& random) {
  if (random.OneIn(3)) return SparseStore(random);
  std::size_t size = 0;
  switch (random.Below(4)) {
    case 0:
      size = random.Below(200);
      break;
    case 1:
      size = random.Below(9000);
      break;
    case 2:
      size = 1980 * (1 + random.Below(4)) + 20 - 150 + random.Below(300);
      break;  // ends near a window edge
    default:
      size = random.Below(70000);
      break;
  }
  std::string store;
  while (store.size() < size) store += RandomPiece(random);
  store.resize(size);
  // Boundaries at the places the windows treat specially.
  if (random.OneIn(3) && size > 200) {
    const std::size_t fromEnd = 15 + random.Below(130);
    if (fromEnd <= size)
      store.replace(size - fromEnd, std::min<std::size_t>(16, fromEnd),
                    std::string("MIME-Version: 1.").substr(0, std::min<std::size_t>(16, fromEnd)));
  }
  if (random.OneIn(3) && size > 4100) {
    const std::size_t at = 1980 * (1 + random.Below(2)) + random.Below(30) - 20;
    store.replace(at, 16, "MIME-Version: 1.");
  }
  return store;
}

// Raw-scans the store at `path` with every block size and checks each run
// against the window model's rows.
void ExpectRawScanAtEveryBlockSizeMatchesModel(const std::string& path, const std::string& what) {
  const Rows expected = reference::RawScan(path);
  for (std::size_t blockSize : kBlockSizes) {
    EngineRun run;
    SourceFile store;
    ASSERT_TRUE(store.Open(path));
    RawScanStore(run.ports, store, blockSize);
    ASSERT_EQ(run.rows(), expected) << what << ", block " << blockSize;
  }
}

TEST(WindowEquivalence, RawScanListsTheRowsOfTheWindowModel) {
  RandomBytes random(20261207);
  for (int round = 0; round < 1500; ++round) {
    ScratchFolder folder;
    const std::string path = folder.Write("store.imm", RandomStore(random));
    ExpectRawScanAtEveryBlockSizeMatchesModel(path, "round " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// Header blocks longer than the 65536 bytes a record may reach back, with a
// line starting just before, at or after that limit.
TEST(WindowEquivalence, LongHeaderBlocksStopWhereTheWindowModelStops) {
  for (int shift = -4; shift <= 4; ++shift) {
    for (const char* lineEnd : {"\r\n", "\n"}) {
      std::string headers;
      const std::string line = "X-Long: " + std::string(90, 'v') + "\r\n";  // 100 bytes
      while (headers.size() + line.size() <= 65536) headers += line;
      const std::string first = "X-First: " + std::string(65536 - headers.size() + shift - 11, 'f') + lineEnd;
      const std::string store = "Body of nothing\r\n" + first + headers + "MIME-Version: 1.0\r\n\r\nbody\r\n";
      ScratchFolder folder;
      const std::string path = folder.Write("long.imm", store);
      ExpectRawScanAtEveryBlockSizeMatchesModel(path, "shift " + std::to_string(shift));
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

// Header blocks made only of name lines and continuations, so that every
// spelling, in every order, stands both before and after its boundary: the
// names before a boundary are taken from the walk back over its header block.
TEST(WindowEquivalence, NamesBeforeTheBoundaryMatchTheWindowModel) {
  // Each line gets a value of its own, so that which of two lines won shows.
  static const char* const kStarts[] = {
      "From: ", "from:", "FROM: ", "Subject: ", "SUBJECT:\t", "subject:", "to: ",       "TO:",       "To: <",
      "date: ", "DATE:", "Date: ", " To: ",     "\tFrom: ",   "X-to: ",   "Reply-To: ", "Bad Name: "};
  RandomBytes random(1207);
  int serial = 0;
  auto line = [&] {
    return kStarts[random.Below(sizeof kStarts / sizeof kStarts[0])] + std::to_string(++serial) + "@x.y\r\n";
  };
  for (int round = 0; round < 600; ++round) {
    std::string store = random.OneIn(2) ? "" : random.Noise(random.Below(40));
    const int messages = 1 + random.Below(5);
    for (int m = 0; m < messages; ++m) {
      for (int i = random.Below(12); i > 0; --i) store += line();
      store += random.OneIn(8) ? "lone\n" : "";
      store += "MIME-Version: 1.0\r\n";
      for (int i = random.Below(6); i > 0; --i) store += line();
      store += random.OneIn(2) ? "\r\nbody\r\n" : "";
    }
    ScratchFolder folder;
    const std::string path = folder.Write("names.imm", store);
    ExpectRawScanAtEveryBlockSizeMatchesModel(path, "round " + std::to_string(round));
    if (::testing::Test::HasFatalFailure()) return;
  }
}

// A store of back-to-back messages and an index of entries for them, some of
// them damaged, with junk between entries and markers astride window edges.
struct IndexedStore {
  std::string store;
  std::string index;
};

IndexedStore RandomIndexedStore(RandomBytes& random) {
  IndexedStore made;
  std::vector<std::uint32_t> lengths;
  const int messages = random.Below(12);
  for (int i = 0; i < messages; ++i) {
    std::string message = random.OneIn(2) ? Message("m" + std::to_string(i) + "@x.org", "S" + std::to_string(i))
                                          : MessageWithLeadingHeaders("n@x.org", "T" + std::to_string(i));
    message += random.Noise(random.Below(3000));
    lengths.push_back(static_cast<std::uint32_t>(message.size()));
    made.store += message;
  }
  if (random.OneIn(8)) made.store.resize(std::max<std::size_t>(200000, made.store.size()), 'z');  // room for 196608
  made.index = random.OneIn(10) ? std::string(12, '\x01') : IndexHeader();
  for (std::uint32_t length : lengths) {
    // Junk whose length puts the next marker near the edges of the windows
    // that follow the previous entry, or none: the walk goes on just past each
    // entry, accepted or rejected.
    switch (random.Below(4)) {
      case 0:
        made.index += random.Noise(random.Below(30));
        break;
      case 1:
        made.index += random.Noise(1980 + random.Below(24));
        break;
      case 2:
        made.index += random.Noise(3972 + random.Below(24));
        break;
      default:
        break;
    }
    if (random.OneIn(5)) made.index += std::string("\0\0\3", 3);  // a marker's start without its end
    switch (random.Below(12)) {
      case 0:
        made.index += IndexEntry(0);
        break;
      case 1:
        made.index += IndexEntry(0xFFFFFFF0u);
        break;
      case 2:
        made.index += IndexEntry(196608);
        break;  // bytes 00 00 03 00
      case 3:
        made.index += IndexEntry(static_cast<std::uint32_t>(made.store.size() - 300));
        break;
      default:
        made.index += IndexEntry(length);
        break;
    }
  }
  if (random.OneIn(4))
    made.index.resize(made.index.size() - std::min<std::size_t>(made.index.size(), 1 + random.Below(7)));
  return made;
}

TEST(WindowEquivalence, IndexWalkListsTheRowsOfTheWindowModel) {
  RandomBytes random(7122026);
  for (int round = 0; round < 400; ++round) {
    ScratchFolder folder;
    const IndexedStore made = RandomIndexedStore(random);
    folder.Write("mail.imm", made.store);
    const std::string indexPath = folder.Write("mail.imh", made.index);
    const Rows expected = reference::ScanMessageStore(indexPath);

    EngineRun whole;
    whole.Scan(ResolveChosenFile(indexPath));
    ASSERT_EQ(whole.rows(), reference::EachRecordOnce(expected)) << "round " << round;

    if (made.index.substr(0, 8) != IndexHeader().substr(0, 8)) continue;
    for (std::size_t blockSize : kBlockSizes) {
      EngineRun run;
      SourceFile index, store;
      ASSERT_TRUE(index.Open(indexPath));
      ASSERT_TRUE(store.Open(folder.Path("mail.imm")));
      WalkIndex(run.ports, index, store, blockSize);
      ASSERT_EQ(run.rows(), expected) << "round " << round << ", block " << blockSize;
    }
  }
}

TEST(WindowEquivalence, HeaderCellsMatchThePlainSearch) {
  RandomBytes random(42);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    // Short texts, and long ones that the search walks in large steps.
    const int pieces = round % 3 == 0 ? random.Below(80) : random.Below(14);
    for (int i = 0; i < pieces; ++i) text += RandomPiece(random);
    ASSERT_EQ(ExtractedCells(text), reference::HeaderCells(text)) << "round " << round;
  }
}

}  // namespace
}  // namespace tessel::testing
