#include "store/FileNameFilter.h"

#include <gtest/gtest.h>

using portdesk::GuoLv;

struct FilterCase {
    const char *input, *expected;
};

class FileNameFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileNameFilter, RemovesOnlyTheNineForbiddenCharacters)
{
    const FilterCase &c = GetParam();
    EXPECT_EQ(GuoLv(QString::fromUtf8(c.input)), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameFilter,
    ::testing::Values(FilterCase{"a:b*c?.dcl", "abc.dcl"}, FilterCase{"<>|", ""},
                      FilterCase{"\\/:*?\"<>|", ""},
                      FilterCase{"上海 公司 (2026).dcl", "上海 公司 (2026).dcl"},
                      FilterCase{"  lead and trail  ", "  lead and trail  "},
                      FilterCase{"a\\b/c\"d", "abcd"}, FilterCase{"", ""},
                      FilterCase{"：？＊", "：？＊"}, // full-width forms are allowed in names
                      FilterCase{"x||y<<z", "xyz"}));
