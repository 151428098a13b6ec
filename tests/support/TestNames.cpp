#include "support/TestNames.h"

#include <QList>
#include <QString>

#include <cctype>
#include <vector>

namespace portdesk::test {

std::string testName(std::string_view utf8)
{
    std::vector<std::string> parts;
    bool inRun = false;
    for (char32_t ch : QString::fromUtf8(utf8.data(), qsizetype(utf8.size())).toUcs4()) {
        const bool alnum = ch < 0x80 && std::isalnum(int(ch));
        if (alnum && inRun) {
            parts.back() += char(ch);
        } else if (alnum) {
            parts.emplace_back(1, char(ch));
        } else if (ch >= 0x80) {
            parts.push_back(QStringLiteral("U%1")
                                .arg(uint(ch), 4, 16, QLatin1Char('0'))
                                .toUpper()
                                .toStdString());
        }
        inRun = alnum;
    }
    std::string name;
    for (const std::string &part : parts)
        name += (name.empty() ? "" : "_") + part;
    if (name.empty())
        return "empty";
    return name;
}

} // namespace portdesk::test
