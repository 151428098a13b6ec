#include "print/SheetPdf.h"

#include "print/SheetPainter.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

namespace portdesk {

bool writeSheetPdf(const Sheet &sheet, const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error =
                QStringLiteral("cannot write ") + path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Portdesk"));
        pdf.setTitle(QStringLiteral("入境货物报检单"));
        pdf.setResolution(1200);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        painted = paintSheetOn(pdf, sheet);
    }
    const bool flushed = file.flush() && file.error() == QFileDevice::NoError;
    file.close();
    if (!painted || !flushed || QFileInfo(path).size() == 0) {
        if (error)
            *error = QStringLiteral("cannot write ") + path +
                     (flushed ? QString() : QStringLiteral(": ") + file.errorString());
        return false;
    }
    return true;
}

} // namespace portdesk
