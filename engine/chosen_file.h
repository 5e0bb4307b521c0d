// What a chosen path is, decided once, from its name: a message store, an index
// with its store beside it, or an address book. The scan, the command line's
// input checks and the wizard's choosers all go by this one answer.
#pragma once

#include <string>

namespace tessel {

enum class FileKind {
  kStore,        // a message store (.imm): searched for its messages
  kIndex,        // an index (.imh): walked, its messages read from the store beside it
  kAddressBook,  // an address book (.imb)
};

// What the user chose the path as: a message store (or its index) or an
// address book, as the wizard's two Proceed buttons and tessel's --store and
// --addressbook say, or either, told by the name; or a file whose bytes are
// searched as a store whatever its name (tessel --raw: a store recovered from
// a damaged disk comes back as "FILE0001.CHK").
enum class ChosenAs { kByName, kMessageStore, kAddressBook, kStoreBytes };

struct ChosenFile {
  FileKind kind = FileKind::kStore;
  std::string path;       // as chosen
  std::string storePath;  // where the messages are read: `path` itself, or the store beside an index;
                          // empty for an address book
};

// Chosen as (or, by name, ending in) ".imb" in any case: an address book.
// Otherwise a store when the last three characters are "imm" in any case, and
// an index when they are not, its store found by putting "imm" in place of the
// text after the path's last "." (".imm" appended when the file's name has
// none; a "." in a folder's name does not count). When no file stands at that
// store path, a file of the same folder whose name differs only in letter case
// is taken, as a file system that ignores case would find it.
ChosenFile ResolveChosenFile(const std::string& path, ChosenAs as = ChosenAs::kByName);

}  // namespace tessel
