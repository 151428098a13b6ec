#include "support/Fakes.h"

#include <QPainter>

namespace portdesk {

MsgAnswer FakePrompts::message(const QString &text, const QString &title, MsgIcon icon,
                               MsgButtons buttons, MsgAnswer defaultButton)
{
    MsgAnswer a = MsgAnswer::Ok;
    if (buttons != MsgButtons::Ok) {
        if (answers.empty()) {
            ++unscripted;
            a = defaultButton;
        } else {
            a = answers.front();
            answers.pop_front();
        }
    }
    messages.push_back({text, title, icon, buttons, defaultButton, a});
    if (onMessage)
        onMessage(messages.back());
    return a;
}

std::optional<QString> FakePrompts::input(const QString &title, const QString &prompt,
                                          const QString &proposal)
{
    inputs.push_back({title, prompt, proposal});
    if (inputAnswers.empty()) {
        ++unscripted;
        return std::nullopt;
    }
    // Copied out as a plain text: gcc 12 misreads a moved std::optional<QString>.
    const bool cancelled = !inputAnswers.front().has_value();
    const QString text = cancelled ? QString() : *inputAnswers.front();
    inputAnswers.pop_front();
    if (cancelled)
        return std::nullopt;
    return text;
}

QStringList FakePrompts::texts() const
{
    QStringList out;
    for (const auto &m : messages)
        out << m.text;
    return out;
}

bool FakePrinter::printPage(const QString &jobName, const PaintPage &paint, QString *error)
{
    jobs << jobName;
    if (!succeed) {
        if (error)
            *error = QStringLiteral("printer offline");
        return false;
    }
    // A4 at 96 DPI; one twip is 1/15 pixel.
    QImage page(794, 1123, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.scale(96.0 / 1440.0, 96.0 / 1440.0);
    paint(painter);
    painter.end();
    pages.push_back(page);
    return true;
}

} // namespace portdesk
