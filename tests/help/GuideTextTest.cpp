// The guide's plain-text layout, read back the way a reader scans it:
// title between hyphen lines, chapters split by hyphen lines, each heading
// underlined, items numbered 1、2、… with button names in 【】.
#include "help/GuideText.h"
#include "platform/Version.h"

#include <QDate>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

using portdesk::guideText;

namespace {

struct Item {
    int number;
    QString name; // the 【】 name opening the item, empty when there is none
};

struct Chapter {
    QString heading;
    QString underline;
    QStringList body; // lines after the underline
    std::vector<Item> items;
};

bool isRule(const QString &line, QChar c)
{
    static const int minLength = 10;
    return line.size() >= minLength && line.count(c) == line.size();
}

QStringList lines()
{
    return guideText().split('\n');
}

// Chapters between hyphen rules, skipping the title block (the first two rules).
std::vector<Chapter> chapters()
{
    std::vector<QStringList> blocks(1);
    for (const QString &line : lines()) {
        if (isRule(line, '-'))
            blocks.emplace_back();
        else
            blocks.back() << line;
    }
    static const QRegularExpression itemRe(QStringLiteral("^(\\d+)、(?:【([^】]+)】)?"));
    std::vector<Chapter> out;
    for (std::size_t b = 2; b < blocks.size(); ++b) {
        QStringList body;
        for (const QString &l : blocks[b])
            if (!l.trimmed().isEmpty())
                body << l;
        Chapter c;
        c.heading = body.value(0);
        c.underline = body.value(1);
        c.body = body.mid(2);
        for (const QString &l : c.body) {
            const auto m = itemRe.match(l);
            if (m.hasMatch())
                c.items.push_back({m.captured(1).toInt(), m.captured(2)});
        }
        out.push_back(c);
    }
    return out;
}

QStringList names(const Chapter &c)
{
    QStringList out;
    for (const Item &i : c.items)
        out << i.name;
    return out;
}

const QStringList kHeadings = {
    QStringLiteral("一、流程概述"),
    QStringLiteral("二、顶端菜单介绍"),
    QStringLiteral("三、底部功能介绍"),
    QStringLiteral("四、输机注意事项和技巧介绍"),
    QStringLiteral("五、其它未提及的说明内容，请见软件内的提示、说明"),
};

} // namespace

TEST(GuideLayout, TitleStandsBetweenTwoHyphenLines)
{
    const QStringList l = lines();
    ASSERT_GE(l.size(), 3);
    EXPECT_TRUE(isRule(l[0], '-'));
    EXPECT_EQ(l[1], QStringLiteral("Portdesk  帮助文档"));
    EXPECT_TRUE(isRule(l[2], '-'));
}

TEST(GuideLayout, ChaptersComeInOrderThenTheReleaseNotes)
{
    const auto c = chapters();
    ASSERT_EQ(c.size(), kHeadings.size() + 1);
    for (int i = 0; i < kHeadings.size(); ++i)
        EXPECT_EQ(c[i].heading, kHeadings[i]) << "chapter " << i;
}

TEST(GuideLayout, EveryHeadingIsUnderlinedAndOnlyOnce)
{
    for (const Chapter &c : chapters()) {
        EXPECT_TRUE(isRule(c.underline, '_')) << c.heading.toStdString();
        for (const QString &l : c.body)
            EXPECT_FALSE(isRule(l, '_')) << c.heading.toStdString();
    }
}

TEST(GuideLayout, ItemsInEveryChapterAreNumberedFromOneWithoutGaps)
{
    for (const Chapter &c : chapters()) {
        ASSERT_FALSE(c.items.empty()) << c.heading.toStdString();
        for (std::size_t i = 0; i < c.items.size(); ++i)
            EXPECT_EQ(c.items[i].number, int(i) + 1) << c.heading.toStdString();
    }
}

TEST(GuideLayout, TopButtonsInMenuOrder)
{
    const auto c = chapters();
    ASSERT_GT(c.size(), 1u);
    EXPECT_EQ(names(c[1]), (QStringList{"清单报检", "新建报检单", "浏览文件", "保存文件",
                                        "打印文件", "收货人管理", "系统设置", "关于软件"}));
}

TEST(GuideLayout, BottomButtonsInRowOrder)
{
    const auto c = chapters();
    ASSERT_GT(c.size(), 2u);
    EXPECT_EQ(names(c[2]),
              (QStringList{"归档处理", "后期事项", "费用登记", "复制导出", "退出系统"}));
}

TEST(GuideLayout, SixEntryTipsThatAreNotButtons)
{
    const auto c = chapters();
    ASSERT_GT(c.size(), 3u);
    ASSERT_EQ(c[3].items.size(), 6u);
    for (const Item &i : c[3].items)
        EXPECT_TRUE(i.name.isEmpty()) << i.number;
}

TEST(GuideLayout, ReleaseNotesNameThisBuildsVersionAndADate)
{
    const auto c = chapters();
    ASSERT_FALSE(c.empty());
    const QString heading = c.back().heading;
    EXPECT_TRUE(heading.startsWith(portdesk::versionText() + ' ')) << heading.toStdString();
    static const QRegularExpression dateRe(QStringLiteral("\\d{4}-\\d{2}-\\d{2}"));
    const auto m = dateRe.match(heading);
    ASSERT_TRUE(m.hasMatch()) << heading.toStdString();
    EXPECT_TRUE(QDate::fromString(m.captured(), Qt::ISODate).isValid());
}

TEST(GuideLayout, HeadingsAreNotRulesAndTheTextHasNoTabs)
{
    // A stray rule or tab would break the layout in the read-only view.
    EXPECT_FALSE(guideText().contains('\t'));
    EXPECT_FALSE(guideText().contains('\r'));
    for (const Chapter &c : chapters())
        EXPECT_FALSE(c.heading.isEmpty());
}
