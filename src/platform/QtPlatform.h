#pragma once
// The real platform: Qt's message boxes, clipboard, desktop services and printer.
#include "platform/Clipboard.h"
#include "platform/Printer.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

namespace portdesk {

class QtPrompts : public Prompts {
public:
    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                      MsgAnswer defaultButton) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &proposal) override;
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
