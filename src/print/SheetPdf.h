#pragma once
// The sheet as a PDF page: the paper's size, no margins, the drawing's
// origin at the page's corner, true size.
#include "model/Sheet.h"

namespace portdesk {

// False, with `error` set, when the file could not be written.
bool writeSheetPdf(const Sheet &sheet, const QString &path, QString *error);

} // namespace portdesk
