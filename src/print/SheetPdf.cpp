#include "print/SheetPdf.h"

#include "print/SheetPainter.h"
#include "store/FileErrors.h"

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
    // Written beside the target and renamed over it only when complete, so a
    // full disk leaves the old file as it was and no fragment behind.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
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
    if (!painted) {
        file.cancelWriting();
        return fail(QStringLiteral("the sheet could not be drawn"));
    }
    if (file.error() != QFileDevice::NoError || file.size() == 0) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                                 : QStringLiteral("nothing drawn");
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace portdesk
