#include "store/XlsxWorkbook.h"

#include "store/FileErrors.h"
#include "store/OwnTempFile.h"

#include <QFile>
#include <QHash>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <xlsxwriter.h>

namespace portdesk {

namespace {

// A unit goes into the number format between quotes; one that would end the
// quotes early stays text.
bool unitFitsFormat(const QString &unit)
{
    return !unit.contains(u'"') && !unit.contains(u'\\');
}

class Formats {
public:
    explicit Formats(lxw_workbook *book) : book_(book) {}

    lxw_format *numberFormat(const QString &unit, bool bold)
    {
        const QString key = unit + (bold ? QStringLiteral("\x01") : QString());
        if (lxw_format *f = formats_.value(key))
            return f;
        lxw_format *f = workbook_add_format(book_);
        if (bold)
            format_set_bold(f);
        if (!unit.isEmpty())
            format_set_num_format(f,
                                  (QStringLiteral("General\"") + unit + u'"').toUtf8().constData());
        formats_.insert(key, f);
        return f;
    }

private:
    lxw_workbook *book_;
    QHash<QString, lxw_format *> formats_;
};

lxw_error writeRows(lxw_workbook *book, lxw_worksheet *sheet, const std::vector<WorkbookRow> &rows)
{
    Formats formats(book);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const bool header = r == 0;
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            const WorkbookCell &cell = rows[r][c];
            const auto row = lxw_row_t(r);
            const auto col = lxw_col_t(c);
            lxw_error e = LXW_NO_ERROR;
            if (cell.number && unitFitsFormat(cell.unit)) {
                lxw_format *f = cell.unit.isEmpty() && !header
                                    ? nullptr
                                    : formats.numberFormat(cell.unit, header);
                e = worksheet_write_number(sheet, row, col, *cell.number, f);
            } else if (!cell.text.isEmpty()) {
                e = worksheet_write_string(sheet, row, col, cell.text.toUtf8().constData(),
                                           header ? formats.numberFormat({}, true) : nullptr);
            }
            if (e != LXW_NO_ERROR)
                return e;
        }
    }
    return LXW_NO_ERROR;
}

bool syncFile(const QByteArray &native)
{
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

} // namespace

bool writeWorkbook(const QString &path, const QString &sheetName,
                   const std::vector<WorkbookRow> &rows, QString *error)
{
    const QString shown = escapedControls(path);
    QString reason;
    const std::optional<QString> temp = writeOwnTemp(path, QByteArray(), 0644, &reason);
    if (!temp) {
        *error = QStringLiteral("cannot write ") + shown + QStringLiteral(": ") + reason;
        return false;
    }
    const QByteArray native = QFile::encodeName(*temp);
    auto fail = [&](const QString &why) {
        ::unlink(native.constData());
        *error = QStringLiteral("cannot write ") + shown + QStringLiteral(": ") + why;
        return false;
    };
    lxw_workbook *book = workbook_new(native.constData());
    if (!book)
        return fail(QStringLiteral("the workbook could not be started"));
    lxw_worksheet *sheet = workbook_add_worksheet(book, sheetName.toUtf8().constData());
    lxw_error e = sheet ? writeRows(book, sheet, rows) : LXW_ERROR_MEMORY_MALLOC_FAILED;
    // Closing writes the file; it also frees the workbook after a failure.
    const lxw_error closed = workbook_close(book);
    if (e == LXW_NO_ERROR)
        e = closed;
    if (e != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(e)));
    if (!syncFile(native))
        return fail(errnoReason(errno));
    if (std::rename(native.constData(), QFile::encodeName(path).constData()) != 0)
        return fail(errnoReason(errno));
    return true;
}

} // namespace portdesk
