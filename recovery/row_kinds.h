// What the rows of a scan's list are, said under its count: a deep scan's rows
// found only in the store's bytes, and an address book's blank records (listed
// as the book holds them, left out by Save). Apart from the window so that it
// is tested natively.
#pragma once

#include <string>

namespace tessel::recovery {

struct RowKinds {
  long long storeOnly = 0;      // messages no index lists: deleted, or never indexed
  long long unclaimed = 0;      // stretches of the store that no message claims
  long long blankContacts = 0;  // wiped address book records
};

// One line for each kind there is, each after a line break; empty when none.
std::string DescribeRowKinds(const RowKinds& kinds);

}  // namespace tessel::recovery
