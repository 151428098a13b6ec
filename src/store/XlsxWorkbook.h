#pragma once
// A one-sheet .xlsx workbook of text and number cells, written whole or not
// at all: the office opens it in its spreadsheet and sums the numbers.
#include <QString>
#include <optional>
#include <vector>

namespace portdesk {

struct WorkbookCell {
    QString text;                 // shown when there is no number
    std::optional<double> number; // a number cell, summable in the sheet
    QString unit;                 // shown after the number ("欧元"), still a number
};
using WorkbookRow = std::vector<WorkbookCell>;

// The first row is set in bold, as the sheet's header. The workbook is
// written into a copy of ours beside `path` and then put in its place, so
// `path` is either the whole workbook or as it was. False, with `error` set
// to one line, when it could not be written.
bool writeWorkbook(const QString &path, const QString &sheetName,
                   const std::vector<WorkbookRow> &rows, QString *error);

} // namespace portdesk
