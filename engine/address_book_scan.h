// Recovering the contacts of an IncrediMail address book (.imb): a 70-byte header
// then fixed 2466-byte contact records, each cut into fields at fixed places.
// Each contact becomes one row of 23 cells, handed on in the file's order.
#pragma once

#include <cstdint>

#include "engine/contact_row.h"
#include "engine/row_sink.h"
#include "engine/source_file.h"

namespace tessel {

struct AddressBookResult {
  enum class Status {
    kWalked,     // read to the end of the file
    kReadError,  // a read failed: the walk ended there, rows listed so far stay
  };
  Status status = Status::kWalked;
  int errorCode = 0;             // the C runtime's error code for kReadError
  std::int64_t errorOffset = 0;  // where the failed read started
};

// Where the contact record that the walk hands on `index`-th (from 0) starts,
// and how long a record is: contacts are fixed-size records after the header.
std::int64_t ContactRecordStart(long long index);
std::int64_t ContactRecordSize();

// False when the file does not look like an address book: too short for one
// contact, or its first contact is not fields of text padded with NUL bytes
// (a message store has no NUL bytes; an index's fields are not text).
bool LooksLikeAddressBook(ByteReader& file);

// Hands on the contacts of an open address book in the file's order. Not
// stoppable, no progress; the caller reports a kReadError to the user.
AddressBookResult WalkAddressBook(ByteReader& reader, RowSink& sink);

}  // namespace tessel
