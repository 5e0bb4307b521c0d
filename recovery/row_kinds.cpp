#include "recovery/row_kinds.h"

#include "recovery/plural.h"

namespace tessel::recovery {

std::string DescribeRowKinds(const RowKinds& kinds) {
  std::string text;
  if (kinds.storeOnly > 0)
    text += "\r\n" + std::to_string(kinds.storeOnly) + " of them found only in the store: deleted, or never indexed";
  if (kinds.unclaimed > 0)
    text += "\r\n" + Counted(kinds.unclaimed, "stretch", "stretches") + " of the store that no message claims";
  if (kinds.blankContacts > 0)
    text += "\r\n" + std::to_string(kinds.blankContacts) + " of them blank: Save leaves " +
            (kinds.blankContacts == 1 ? "it" : "them") + " out";
  return text;
}

}  // namespace tessel::recovery
