#include "model/CharFilters.h"

#include "store/Gbk.h"

#include <QList>
#include <QRegularExpression>

namespace portdesk {

namespace {

constexpr int kFirstChinese = 0xB0A1;
constexpr int kLastChinese = 0xF1BC;

template <typename F> void forEachCodePoint(const QString &text, F f)
{
    // Lone surrogates come out as U+FFFD, which no filter accepts.
    const QList<uint> codePoints = text.toUcs4();
    for (uint ch : codePoints)
        f(char32_t(ch));
}

QString fromCodePoint(char32_t ch)
{
    return QString::fromUcs4(&ch, 1);
}

} // namespace

int gb2312Code(char32_t ch)
{
    if (ch < 0x80)
        return 0;
    const auto bytes = toGbk(fromCodePoint(ch));
    if (!bytes || bytes->size() != 2)
        return 0;
    const int lead = static_cast<unsigned char>(bytes->at(0));
    const int trail = static_cast<unsigned char>(bytes->at(1));
    // GB2312 uses 0xA1..0xFE for both bytes; GBK's additions lie elsewhere.
    if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE)
        return 0;
    return lead << 8 | trail;
}

bool isStorable(char32_t ch)
{
    if (ch < 0x20 || ch == 0x7F)
        return false;
    if (ch < 0x80)
        return true;
    return isGbkEncodable(fromCodePoint(ch));
}

bool accepts(CharClass cls, char32_t ch)
{
    switch (cls) {
    case CharClass::Any:
        return isStorable(ch);
    case CharClass::Digit:
        return ch >= '0' && ch <= '9';
    case CharClass::Decimal:
        return (ch >= '0' && ch <= '9') || ch == '.';
    case CharClass::Chinese: {
        const int code = gb2312Code(ch);
        // 0xD7FA..0xD7FE are empty in GB2312; Windows maps them to private use.
        return code >= kFirstChinese && code <= kLastChinese && !(code >= 0xD7FA && code <= 0xD7FE);
    }
    }
    return false;
}

QString filtered(CharClass cls, const QString &text)
{
    QString out;
    forEachCodePoint(text, [&](char32_t ch) {
        if (accepts(cls, ch))
            out += fromCodePoint(ch);
    });
    return out;
}

bool acceptsAll(CharClass cls, const QString &text)
{
    bool ok = true;
    forEachCodePoint(text, [&](char32_t ch) { ok = ok && accepts(cls, ch); });
    return ok;
}

QString pastedLine(const QString &clipboard)
{
    static const QRegularExpression lineBreak(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
    QString line = clipboard.section(lineBreak, 0, 0);
    line.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return line;
}

} // namespace portdesk
