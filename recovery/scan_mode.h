// What is being scanned, in one vocabulary for tessel, the wizard and the scan call.
#pragma once

namespace tessel {

// The first two keep the values the wizard's scan mode has always had (0 a
// message store, 1 an address book); the deep scan is a message store's too.
enum class ScanMode {
  kUsual = 0,        // the index walk, or the raw scan of a store
  kAddressBook = 1,  // the contacts of an address book
  kDeep = 2,         // every message of the store once, each row saying where it came from
};

}  // namespace tessel
