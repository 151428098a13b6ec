#pragma once
// Names for the cases of a parameterised test. ctest lists each case by the
// name GoogleTest gives it, and GoogleTest takes only [A-Za-z0-9_].
#include <string>
#include <string_view>

namespace portdesk::test {

// Runs of ASCII letters and digits stay, each character beyond ASCII becomes
// its code point ("U4E2D"), and they are joined by '_': "MingCheng(3)" gives
// "MingCheng_3", "" gives "empty".
std::string testName(std::string_view utf8);

} // namespace portdesk::test
