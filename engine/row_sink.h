// Where a scan's rows go. Each row is final when it is handed over: the front
// ends make their cells from it at the edge (tessel's writers, the wizard's
// list), the tests keep it in memory (MemoryRows).
#pragma once

#include "engine/contact_row.h"
#include "engine/message_row.h"

namespace tessel {

class RowSink {
 public:
  virtual ~RowSink() = default;
  // The next message in the scan's order. The sink takes what it keeps
  // (moving or swapping it out); the scan fills `row` anew for the next one,
  // so whatever storage a sink leaves there is reused.
  virtual void AddMessage(MessageRow& row) = 0;
  // The next contact in the file's order, taken as AddMessage takes a row.
  // The list shows the last contact of a file first.
  virtual void AddContact(ContactRow& row) = 0;
};

}  // namespace tessel
