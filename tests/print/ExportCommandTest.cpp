// DaoChu: the report line of the open declaration on the clipboard, or
// archiving first when it has no number.
#include "print/ExportCommand.h"
#include "model/DeclarationFile.h"
#include "model/FeeRecord.h"
#include "support/MainWindowHarness.h"

#include <QDir>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

TEST(ExportCommand, CopiesTheLineOrArchivesFirst)
{
    MainWindowHarness h;
    int archiving = 0;
    h.build([&](MainPage &p) { new ExportCommand(p, [&] { ++archiving; }); });
    h.showActive();
    const QString dcl =
        h.env.path(QStringLiteral("Saved/Archived/2014/03/123456甲(2014-03-05).dcl"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(dcl).path()));
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("甲");
    ASSERT_TRUE(writeDeclaration(dcl, d, nullptr));
    h.page->document().load(d);
    h.page->DangQianWenJian = dcl;
    h.page->DaoChu->setEnabled(true);

    click(h.page->DaoChu);
    EXPECT_EQ(archiving, 1);
    EXPECT_EQ(h.env.clipboard.clears, 0);
    EXPECT_TRUE(h.env.prompts.texts().isEmpty());

    ASSERT_TRUE(writeBytes(dcl, readBytes(dcl) + gbk(QStringLiteral("[报检信息]\n报检号=123456\n"
                                                                    "报检日期=2014-03-05\n"))));
    click(h.page->DaoChu);
    EXPECT_EQ(archiving, 1);
    EXPECT_EQ(h.env.clipboard.content,
              QStringLiteral("123456\t2014-03-05\t甲\t\t\t\t\t\t\t\t\t\t\t\t\t\t一般报检"));
    EXPECT_EQ(h.env.prompts.texts(),
              QStringList{QStringLiteral("复制成功！现在可以粘贴到报表中啦！")});
    // A declaration without fees gets their keys, empty, as every read adds them.
    EXPECT_TRUE(readBytes(dcl).contains(gbk(QStringLiteral("[费用登记]\n输单费=\n"))));
}

} // namespace
