// The recovery engine in one include.
//
// Usage (command line, tests):
//
//   tessel::MemoryList list;             // or RowStreamList: rows handed over one
//                                        // by one, memory flat for huge stores
//   tessel::MemoryProgressBar progress;  // or your own ProgressBar
//   tessel::ScanState state;             // stop request, shared paths, source file
//   tessel::ScanContext context = state.ContextFor(list, progress);
//
//   // What the path is, decided once: a store, an index or an address book.
//   const tessel::ChosenFile chosen = tessel::ResolveChosenFile("Inbox.imh");
//   tessel::ScanMessageStore(context, chosen);
//   state.openSourceFile.Close();        // the caller closes it
//   tessel::SourceFile store;
//   store.Open(chosen.storePath);
//   for (int row = 0; row < list.RowCount(); ++row) {
//     // cells 0..5: From, Subject, To, Date, offset, length (kMessageCellCount)
//     tessel::MessageRecord record = tessel::RecordOfRow(list, row);
//     tessel::CopyRecord(store, record.offset, record.length, sink);  // export/ writes files
//   }
//
//   tessel::AddressBookResult result =
//       tessel::ScanAddressBook(context, "Contacts.imb", "/tmp");
//   // rows of kContactCellCount cells, last contact first; check result.status
//
// The engine is silent: it reports nothing but the rows (and the address book's
// result). A program that wants to tell the user about a missing or unreadable
// file checks it before the scan. Setting stopRequested to 1 from any thread
// stops a message store scan at its next block read or message; rows listed so
// far stay. The engine writes no file at all: CopyRecord hands a record's bytes
// to a sink, and export/ puts them in files.
#pragma once

#include "engine/address_book_scan.h"
#include "engine/chosen_file.h"
#include "engine/deep_scan.h"
#include "engine/memory_list.h"
#include "engine/message_extraction.h"
#include "engine/message_row.h"
#include "engine/message_store_scan.h"
#include "engine/recovered_list.h"
#include "engine/row_stream_list.h"
#include "engine/scan_context.h"
#include "engine/source_file.h"
