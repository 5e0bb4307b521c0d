// The recovery engine in one include: the file formats and the scans over open
// readers. Programs call it through the scan call of recovery/scan.h, which
// opens the files and says how a scan ended.
//
// Usage (tests):
//
//   tessel::MemoryRows rows;
//   tessel::MemoryProgressBar progress;
//   std::atomic<int> stop{0};             // set to 1 from any thread to stop
//   tessel::ScanPorts ports{rows, progress, stop};
//   tessel::SourceFile store;
//   store.Open("Inbox.imm");
//   tessel::RawScanStore(ports, store);   // or WalkIndex, DeepScan
//   for (const tessel::MessageRow& row : rows.Messages()) {
//     // row.record: offset and length in the store; row.origin; row.cells:
//     // From, Subject, To, Date as stored
//   }
//
// The engine never writes to a store, index or address book.
#pragma once

#include "engine/address_book_scan.h"
#include "engine/cell_row.h"
#include "engine/chosen_file.h"
#include "engine/deep_scan.h"
#include "engine/index_format.h"
#include "engine/memory_rows.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/progress_bar.h"
#include "engine/row_sink.h"
#include "engine/scan_ports.h"
#include "engine/source_file.h"
#include "engine/store_scans.h"
