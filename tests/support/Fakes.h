#pragma once
// Test doubles for the platform seam: scripted answers, recorded boxes,
// a fixed clock, an in-memory clipboard, a recording shell and printer.
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Printer.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"

#include <QImage>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace portdesk {

struct ShownMessage {
    QString text;
    QString title;
    MsgIcon icon;
    MsgButtons buttons;
    MsgAnswer defaultButton;
    MsgAnswer answer;
};

struct ShownInput {
    QString title;
    QString prompt;
    QString proposal;
};

class FakePrompts : public Prompts {
public:
    // Answers for boxes that offer a choice, used in order. An OK-only box
    // never takes one. A choice box without a queued answer takes its
    // default button and is counted in `unscripted`.
    std::deque<MsgAnswer> answers;
    // Answers for input boxes, in order; nullopt is Cancel. Without one the
    // box is cancelled and counted in `unscripted`.
    std::deque<std::optional<QString>> inputAnswers;

    std::vector<ShownMessage> messages;
    std::vector<ShownInput> inputs;
    int unscripted = 0;

    // Called while a box is "shown", before it returns: lets a test look at
    // the windows at that moment.
    std::function<void(const ShownMessage &)> onMessage;

    MsgAnswer message(const QString &text, const QString &title, MsgIcon icon, MsgButtons buttons,
                      MsgAnswer defaultButton) override;
    std::optional<QString> input(const QString &title, const QString &prompt,
                                 const QString &proposal) override;

    void answer(MsgAnswer a) { answers.push_back(a); }
    void answerInput(std::optional<QString> text) { inputAnswers.push_back(std::move(text)); }
    bool allAnswersUsed() const { return answers.empty() && inputAnswers.empty(); }
    QStringList texts() const;
    const ShownMessage *last() const { return messages.empty() ? nullptr : &messages.back(); }
    void clearRecord()
    {
        messages.clear();
        inputs.clear();
        unscripted = 0;
    }
};

class FakeClipboard : public Clipboard {
public:
    QString content;
    int clears = 0;
    void clear() override
    {
        content.clear();
        ++clears;
    }
    void setText(const QString &text) override { content = text; }
    QString text() const override { return content; }
};

class FakeShell : public Shell {
public:
    QStringList opened;
    bool succeed = true;
    bool openUrl(const QString &url) override
    {
        opened << url;
        return succeed;
    }
};

// Paints each page onto an image at 96 DPI instead of a printer.
class FakePrinter : public Printer {
public:
    std::vector<QImage> pages;
    QStringList jobs;
    bool succeed = true;
    bool printPage(const QString &jobName, const PaintPage &paint, QString *error) override;
};

class FixedClock : public Clock {
public:
    QDateTime time = QDateTime(QDate(2026, 3, 5), QTime(10, 20, 30));
    QDateTime now() const override { return time; }
};

} // namespace portdesk
