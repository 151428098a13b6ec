// New on the fully wired main window: whatever file was loaded before,
// every field goes back to the state it had at start.
#include "app/MainWiring.h"
#include "documents/DocumentCommands.h"
#include "documents/ViewFiles.h"
#include "form/MainPage.h"
#include "model/DeclarationFile.h"
#include "support/TestEnv.h"

#include <QComboBox>
#include <QDir>
#include <QMap>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace portdesk;
using namespace portdesk::test;

namespace {

QMap<QString, bool> enabledStates(const MainPage &page)
{
    QMap<QString, bool> states;
    for (const QWidget *w : page.findChildren<QWidget *>()) {
        if (!w->objectName().isEmpty())
            states.insert(w->objectName(), w->isEnabled());
    }
    return states;
}

TEST(NewDeclaration, ReturnsEveryFieldToItsStartState)
{
    TestEnv env;
    MainPage page(env.ctx);
    wireMainPage(page);
    const QMap<QString, bool> atStart = enabledStates(page);

    // Units without quantities, a packing kind, containers: a file as a
    // clerk may have left it.
    Declaration d;
    d[DeclField::ShouHuoRen] = QStringLiteral("甲");
    d.at(DeclField::SLdanwei, 0) = QStringLiteral("个");
    d.at(DeclField::ZLdanwei, 3) = QStringLiteral("千克");
    d.at(DeclField::BZzhonglei, 0) = QStringLiteral("木箱");
    d.at(DeclField::BZshuliang, 0) = QStringLiteral("3");
    d[DeclField::YunShuGongJu] = QStringLiteral("海运集装箱");
    d[DeclField::JZXsl1] = QStringLiteral("2");
    const QString path = env.ctx.savedDir() + QStringLiteral("/a.dcl");
    ASSERT_TRUE(QDir().mkpath(env.ctx.savedDir()));
    ASSERT_TRUE(writeDeclaration(path, d, nullptr));
    DocumentCommands *docs = page.findChild<DocumentCommands *>();
    ViewFiles &browser = docs->browser();
    browser.prepare();
    browser.chooseOption(0);
    browser.select(browser.indexOf(QStringLiteral("a.dcl")));
    browser.Cmd[0]->click(); // open
    ASSERT_EQ(page.ShouHuoRen->currentText(), d[DeclField::ShouHuoRen]);
    ASSERT_NE(enabledStates(page), atStart);

    env.prompts.answer(MsgAnswer::Yes);
    docs->newDeclaration();
    const QMap<QString, bool> afterNew = enabledStates(page);
    for (auto it = atStart.cbegin(); it != atStart.cend(); ++it)
        EXPECT_EQ(afterNew.value(it.key()), it.value()) << it.key().toStdString();
}

} // namespace
