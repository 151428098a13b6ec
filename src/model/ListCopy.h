#pragma once
// The two texts a stored list is copied as, for pasting into the
// authority's list sheet: one line per ticket, cells separated by a tab,
// lines by a line feed alone, nothing after the last line.
#include "model/ListRecord.h"

#include <QString>

namespace portdesk {

// Eleven cells a line: 场站单编号, 货主, 品名, 件数 under 托盘, 纸箱 or 其它
// (the other two empty), 件数, 重量, 提运分单号, 起运国, 运输方式. A row
// without a known packing leaves all three packing cells empty and still
// gives 件数, so every line has eleven cells and the columns stay aligned.
QString copyAllText(const ListRecord &list);

// Six cells a line: 场站单编号, 货主, 品名, 提运分单号, 起运国, 运输方式.
QString copyPartText(const ListRecord &list);

} // namespace portdesk
