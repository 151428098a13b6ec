#pragma once
// The real platform: Qt's message boxes, clipboard, desktop services and printer.
#include "platform/Clipboard.h"
#include "platform/Printer.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

#include <QPointer>

class QWidget;

namespace portdesk {

// Boxes open over the window the clerk works in. A box that follows another
// (a question, then an input box, then a success message) opens over the
// same window, although for a moment after a box closes no window is active.
class QtPrompts : public Prompts {
public:
    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                      MsgAnswer defaultButton) override;
    // The input box is wide enough to show the whole proposal.
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &proposal) override;

private:
    QWidget *boxParent();

    QPointer<QWidget> lastParent_;
};

class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setText(const QString &text) override;
    QString text() const override;
};

class QtShell : public Shell {
public:
    bool openUrl(const QString &url) override;
};

class QtPrinter : public Printer {
public:
    bool printPage(const QString &jobName, const PaintPage &paint, QString *error) override;
};

} // namespace portdesk
