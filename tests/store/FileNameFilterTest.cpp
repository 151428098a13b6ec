#include "store/FileNameFilter.h"

#include <gtest/gtest.h>

using portdesk::GuoLv;

struct FilterCase {
    const char *name, *input, *expected;
};

class FileNameFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileNameFilter, RemovesOnlyTheNineForbiddenCharacters)
{
    const FilterCase &c = GetParam();
    EXPECT_EQ(GuoLv(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameFilter,
    ::testing::Values(
        FilterCase{"AmongLetters", "a:b*c?.dcl", "abc.dcl"}, FilterCase{"NothingElse", "<>|", ""},
        FilterCase{"AllNine", "\\/:*?\"<>|", ""},
        FilterCase{"ChineseSpacesBrackets", "上海 公司 (2026).dcl", "上海 公司 (2026).dcl"},
        FilterCase{"OuterSpacesKept", "  lead and trail  ", "  lead and trail  "},
        FilterCase{"SlashesAndQuote", "a\\b/c\"d", "abcd"}, FilterCase{"Empty", "", ""},
        // full-width forms are allowed in names
        FilterCase{"FullWidthForms", "：？＊", "：？＊"}, FilterCase{"Repeated", "x||y<<z", "xyz"}),
    [](const auto &info) { return std::string(info.param.name); });
