// What is being scanned, in one vocabulary for tessel, the wizard and the scan call.
#pragma once

namespace tessel {

enum class ScanMode {
  kUsual,        // the index walk, or the raw scan of a store
  kDeep,         // every message of the store once, each row saying where it came from
  kAddressBook,  // the contacts of an address book
};

}  // namespace tessel
