#include "store/Gbk.h"

#include <QList>

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>
#include <vector>

namespace portdesk {

namespace {

// windows-936-2000 is code page 936 as Windows maps it (0x80 is the euro
// sign, the user-defined areas included); glibc's GBK is not.
constexpr const char *kConverter = "windows-936-2000";

struct ConverterDeleter {
    void operator()(UConverter *c) const { ucnv_close(c); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterDeleter>;

ConverterPtr openStrict()
{
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open(kConverter, &status));
    if (U_FAILURE(status))
        return nullptr;
    ucnv_setFromUCallBack(c.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(c.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status))
        return nullptr;
    return c;
}

// A converter that stops at the first bad byte or unmappable character
// instead of substituting '?'. Opened once per thread: settings files
// convert every name and value.
UConverter *strictConverter()
{
    thread_local ConverterPtr c = openStrict();
    if (c)
        ucnv_reset(c.get());
    return c.get();
}

// Code page 936 keeps ASCII as it is; most names and values are ASCII.
bool isAscii(const QString &text)
{
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isAscii(const QByteArray &bytes)
{
    for (char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

std::optional<QByteArray> toGbk(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    if (isAscii(text))
        return text.toLatin1();
    UConverter *c = strictConverter();
    if (!c)
        return std::nullopt;
    QByteArray out(text.size() * 2 + 8, Qt::Uninitialized);
    // Which source unit each byte came from: ICU skips some characters it
    // cannot map (soft hyphen, zero-width and direction marks, variation
    // selectors, the byte-order mark) without a word, and a character that
    // produced no byte is one GBK cannot store.
    std::vector<int32_t> from(size_t(out.size()));
    const UChar *src = reinterpret_cast<const UChar *>(text.utf16());
    const UChar *srcEnd = src + text.size();
    char *dst = out.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(c, &dst, out.data() + out.size(), &src, srcEnd, from.data(), true, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    const qsizetype n = dst - out.data();
    std::vector<bool> produced(size_t(text.size()), false);
    for (qsizetype i = 0; i < n; ++i) {
        if (from[size_t(i)] >= 0 && from[size_t(i)] < text.size())
            produced[size_t(from[size_t(i)])] = true;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())
            continue;
        if (!produced[size_t(i)])
            return std::nullopt;
    }
    out.truncate(n);
    return out;
}

std::optional<QString> fromGbk(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    UConverter *c = strictConverter();
    if (!c)
        return std::nullopt;
    QString out(bytes.size(), Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_toUChars(c, reinterpret_cast<UChar *>(out.data()), int32_t(out.size()),
                                    bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    out.truncate(n);
    return out;
}

QString fromGbkLossy(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    UErrorCode status = U_ZERO_ERROR;
    ConverterPtr c(ucnv_open(kConverter, &status));
    if (U_FAILURE(status))
        return QString::fromLatin1(bytes);
    QString out(bytes.size(), Qt::Uninitialized);
    const int32_t n =
        ucnv_toUChars(c.get(), reinterpret_cast<UChar *>(out.data()), int32_t(out.size()),
                      bytes.constData(), int32_t(bytes.size()), &status);
    if (U_FAILURE(status))
        return QString::fromLatin1(bytes);
    out.truncate(n);
    return out;
}

bool isGbkEncodable(const QString &text)
{
    return toGbk(text).has_value();
}

QString firstNonGbkChar(const QString &text)
{
    if (isGbkEncodable(text))
        return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString one = text.mid(i, len);
        if (!isGbkEncodable(one))
            return one;
        i += len - 1;
    }
    return text.left(1);
}

QString shownCharacter(const QString &ch)
{
    const char32_t u = ch.isEmpty() ? 0 : QStringView(ch).toUcs4().value(0);
    bool invisible = false;
    switch (QChar::category(u)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        invisible = true;
        break;
    default:
        // Hangul fillers draw nothing though they count as letters.
        invisible = u == 0x115F || u == 0x1160 || u == 0x3164 || u == 0xFFA0;
    }
    if (!invisible)
        return QStringLiteral("“%1”").arg(ch);
    return QStringLiteral("U+") +
           QString::number(uint(u), 16).rightJustified(4, QLatin1Char('0')).toUpper();
}

} // namespace portdesk
