#include "model/ListRules.h"

#include <array>

namespace portdesk {

const QStringList &listPackings()
{
    static const QStringList kinds{QStringLiteral("托盘"), QStringLiteral("纸箱"),
                                   QStringLiteral("其它")};
    return kinds;
}

bool isListPacking(const QString &text)
{
    return text.isEmpty() || listPackings().contains(text);
}

std::optional<QString> slipNumberProblem(const QString &text)
{
    const qsizetype missing = kSlipNumberLength - text.size();
    if (text.isEmpty() || missing <= 0)
        return std::nullopt;
    return QStringLiteral("场站单编号位数为18位，少了%1位！").arg(missing);
}

std::optional<QString> transportFromSlip(const QString &slipNumber)
{
    struct Code {
        const char *code;
        const char *mode;
    };
    static constexpr std::array<Code, 4> kCodes{{
        {"KJ", "空运"},
        {"LJ", "陆运"},
        {"PJ", "海运"},
        {"HF", "海运"},
    }};
    const QString upper = slipNumber.toUpper();
    std::optional<QString> mode;
    for (const Code &c : kCodes) {
        const QLatin1String code(c.code);
        if (upper.mid(0, 2) == code || upper.mid(2, 2) == code)
            mode = QString::fromUtf8(c.mode);
    }
    return mode;
}

} // namespace portdesk
