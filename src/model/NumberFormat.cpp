#include "model/NumberFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace portdesk {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

} // namespace

double readNumber(const QString &text)
{
    QByteArray digits;
    bool point = false;
    for (QChar c : text) {
        if (isBlank(c))
            continue;
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits += char(c.unicode());
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
            digits += '.';
        } else {
            break;
        }
    }
    if (digits.isEmpty() || digits == ".")
        return 0.0;
    return std::strtod(digits.constData(), nullptr);
}

QString formatTotal(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return QString();
    // Round to 15 significant digits first, then lay the digits out without
    // an exponent so large and tiny sums read like the others.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf: d.dddddddddddddde[+-]xx
    QString mantissa;
    mantissa += QLatin1Char(buf[0]);
    for (int i = 2; i < 16; ++i)
        mantissa += QLatin1Char(buf[i]);
    const int exponent = std::atoi(buf + 17);
    while (mantissa.size() > 1 && mantissa.endsWith(QLatin1Char('0')))
        mantissa.chop(1);

    QString out;
    const int intDigits = exponent + 1;
    if (intDigits <= 0) {
        out = QStringLiteral("0.") + QString(-intDigits, QLatin1Char('0')) + mantissa;
    } else if (intDigits >= mantissa.size()) {
        out = mantissa + QString(intDigits - mantissa.size(), QLatin1Char('0'));
    } else {
        out = mantissa.left(intDigits) + QLatin1Char('.') + mantissa.mid(intDigits);
    }
    if (value < 0)
        out.prepend(QLatin1Char('-'));
    return out;
}

} // namespace portdesk
