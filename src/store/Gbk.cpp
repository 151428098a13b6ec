#include "store/Gbk.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <memory>

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
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(c, out.data(), int32_t(out.size()),
                                      reinterpret_cast<const UChar *>(text.utf16()),
                                      int32_t(text.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
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

} // namespace portdesk
