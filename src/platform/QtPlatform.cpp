#include "platform/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QUrl>
#include <QVBoxLayout>

namespace portdesk {

namespace {

QMessageBox::StandardButton toStandard(MsgAnswer a)
{
    switch (a) {
    case MsgAnswer::Ok:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons standardButtons(MsgButtons b)
{
    switch (b) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon i)
{
    switch (i) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A file name without blanks is one word to the box's line breaking: the box
// grows as wide as the name, or leaves the words before it alone on a line.
// Zero-width spaces let such a run break every `longest` characters.
QString breakableText(const QString &text, qsizetype longest = 20)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    QString out;
    out.reserve(text.size() + text.size() / longest);
    qsizetype start = 0;
    for (qsizetype next = breaks.toNextBoundary(); next != -1; next = breaks.toNextBoundary()) {
        qsizetype run = 0;
        for (qsizetype i = start; i < next; ++i) {
            if (run >= longest && !text[i].isLowSurrogate()) {
                out += QChar(0x200B);
                run = 0;
            }
            out += text[i];
            ++run;
        }
        start = next;
    }
    return out;
}

} // namespace

QWidget *QtPrompts::boxParent()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    if (w && w->isVisible())
        lastParent_ = w;
    else if (!lastParent_ || !lastParent_->isVisible())
        return nullptr;
    return lastParent_;
}

MsgAnswer QtPrompts::message(const QString &text, const QString &title, MsgIcon icon,
                             MsgButtons buttons, MsgAnswer defaultButton)
{
    QMessageBox box(standardIcon(icon), title, breakableText(text), standardButtons(buttons),
                    boxParent());
    box.setDefaultButton(toStandard(defaultButton));
    const int r = box.exec();
    switch (r) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    default:
        // Escape or the close box: the safe answer.
        return buttons == MsgButtons::YesNo ? MsgAnswer::No
               : buttons == MsgButtons::Ok  ? MsgAnswer::Ok
                                            : MsgAnswer::Cancel;
    }
}

std::optional<QString> QtPrompts::input(const QString &title, const QString &prompt,
                                        const QString &proposal)
{
    // Our own box rather than QInputDialog: its line edit must be sized to
    // the proposal, and QInputDialog does not hand its line edit out.
    QDialog box(boxParent());
    box.setWindowTitle(title);
    auto *label = new QLabel(prompt, &box);
    auto *edit = new QLineEdit(proposal, &box);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    auto *layout = new QVBoxLayout(&box);
    layout->addWidget(label);
    layout->addWidget(edit);
    layout->addWidget(buttons);
    label->setBuddy(edit);
    // A time-stamped file name is longer than a default box is wide.
    const QFontMetrics metrics = edit->fontMetrics();
    int wanted = metrics.horizontalAdvance(proposal) + 4 * metrics.averageCharWidth();
    if (const QScreen *screen = box.screen())
        wanted = std::min(wanted, screen->availableGeometry().width() * 3 / 4);
    edit->setMinimumWidth(std::max(edit->minimumSizeHint().width(), wanted));
    edit->setCursorPosition(0);
    edit->selectAll();
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return edit->text();
}

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}
void QtClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}
QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

bool QtShell::openUrl(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool QtPrinter::printPage(const QString &jobName, const PaintPage &paint, QString *error)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QPrinter printer(QPrinter::HighResolution);
    if (printer.printerName().isEmpty() || !printer.isValid())
        return fail(QStringLiteral("没有可用的打印机。"));
    printer.setDocName(jobName);
    printer.setCopyCount(1);
    // The drawing starts at the top-left corner of the printable area: the
    // margins are the printer's own minimum, set explicitly because Qt's
    // defaults would shift the sheet.
    printer.setFullPage(false);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMargins(layout.minimumMargins());
    printer.setPageLayout(layout);
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(QStringLiteral("无法开始打印。"));
    const double s = printer.resolution() / 1440.0;
    painter.scale(s, s);
    paint(painter);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return fail(QStringLiteral("打印失败。"));
    return true;
}

} // namespace portdesk
