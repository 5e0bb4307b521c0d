// The deep scan: every message of a store once, in store order, each row saying
// where it came from. A mode of our own beside the index walk and the raw scan,
// which stay as they are and stay the default.
//
// - With an index, its entries give records as in the index walk: the first at
//   offset 0, each next one where the one before ended. A record the store
//   bears out is the index's witness and stays where the index puts it: a
//   header starts where it ends (or the store ends there), not inside a
//   header block above that point, whatever else its bytes hold (damage, or a
//   last body line that reads like a header). A length the walk finds too
//   long is taken only so. Otherwise a record is looked for among the messages the
//   store's own search finds ahead (deleted messages before it shift
//   everything the index says): by its length, or by its end or the next
//   record's end falling where a message starts. Failing that it stays where
//   the index puts it when a message starts there and it ends at a line end;
//   else it matches nothing and its bytes are searched like any others.
// - Every stretch of the store outside the records is searched for message
//   starts (message_start.h); each message found runs to the next start, the
//   next record, or the end of the store. Bytes before the first start of a
//   stretch are a row of their own, so the rows tile the store.
// - Bytes that could not be read reach the scan as NUL bytes. They tell
//   nothing against a record's end, so a bad sector does not move the index's
//   records around it; and a message whose header start they hide starts at
//   them, so that the row of its readable rest holds them (and is marked).
// - The time grows with the store and the index, whatever their shape: a run
//   of header-like lines too long for a header ("From: a@b.cd" over and over)
//   is judged once, not at each line; a record is looked for among the next
//   few starts of messages its length, however many share it. A stop request
//   is heeded between index entries and between search windows.
// - Each row says where it came from (Origin): the index for a record the
//   index gives, the store for a message found only in the store's bytes (a
//   deleted one, or one never indexed), unclaimed for bytes no message
//   claims. A record is never searched again, so a message is listed once.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/block_reader.h"
#include "engine/scan_ports.h"

namespace tessel {

// The deep scan over open readers; `index` may be null (no index, or one
// whose signature is rejected: the whole store is searched).
void DeepScan(ScanPorts& context, ByteReader& store, ByteReader* index,
              std::size_t blockSize = BlockReader::kDefaultBlockSize);

}  // namespace tessel
