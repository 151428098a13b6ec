#include "print/SheetPdf.h"

#include "print/SheetPainter.h"
#include "store/FileErrors.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

namespace portdesk {

bool writeSheetPdf(const Sheet &sheet, const QString &path, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("cannot write ") + escapedControls(path) +
                     QStringLiteral(": ") + why;
        return false;
    };
    // Drawn into memory first: the PDF writer ignores what a write returns,
    // so a short write at a full disk would go unnoticed on a file.
    QBuffer drawn;
    drawn.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter pdf(&drawn);
        pdf.setCreator(QStringLiteral("Portdesk"));
        pdf.setTitle(QStringLiteral("入境货物报检单"));
        pdf.setResolution(1200);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        painted = paintSheetOn(pdf, sheet);
    }
    if (!painted || drawn.data().isEmpty())
        return fail(QStringLiteral("the sheet could not be drawn"));
    // Written beside the target and renamed over it only when complete, so a
    // full disk leaves the old file as it was and no fragment behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (file.write(drawn.data()) != drawn.data().size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace portdesk
