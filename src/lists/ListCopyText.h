#pragma once
// The list sheet's lines for the clipboard, one a ticket, cells split by a
// tab and lines by a line feed alone. Private to the list window until the
// model's own copy texts take over.
#include "model/ListRecord.h"

namespace portdesk {

// Eleven cells a line: the packing's count stands in the column of its kind
// (托盘, 纸箱, 其它), the others empty, whatever the packing holds.
QString listCopyAll(const ListRecord &list);
// Six cells a line: number, owner, goods, bill, country, transport.
QString listCopyPart(const ListRecord &list);

} // namespace portdesk
