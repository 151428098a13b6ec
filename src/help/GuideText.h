#pragma once
#include <QString>

namespace portdesk {

// The user guide shown in the help window, as plain text: chapter headings
// underlined with underscores, chapters separated by hyphen lines, items
// numbered "1、", "2、", ... with button names in 【】.
QString guideText();

} // namespace portdesk
