#pragma once
// A main window with the document commands on a throw-away work directory,
// the browser already closed once as the clerk would after start-up.
#include "documents/DocumentCommands.h"
#include "documents/ViewFiles.h"
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "form/PickList.h"
#include "model/DeclarationFile.h"
#include "support/MainWindowHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace portdesk::test {

class DocumentsTest : public ::testing::Test, protected MainWindowHarness {
protected:
    DocumentCommands *docs = nullptr;
    ViewFiles *browser = nullptr;

    void SetUp() override
    {
        build([this](MainPage &p) { docs = new DocumentCommands(p); });
        browser = &docs->browser();
        page->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(page.get()));
        ASSERT_TRUE(waitFor([&] { return browser->isVisible(); }));
        click(browser->Cmd[1]);
        ASSERT_TRUE(page->isEnabled());
        // Saving is enabled by the consignee register once a consignee is
        // typed; these tests own the document commands only.
        page->LingCun->setEnabled(true);
    }
    void TearDown() override
    {
        destroy();
        EXPECT_TRUE(env.prompts.allAnswersUsed());
    }

    void typeConsignee(const QString &name)
    {
        page->ShouHuoRen->setFocus();
        commitText(page->ShouHuoRen->lineEdit(), name);
    }

    QString saved(const QString &name) const { return env.ctx.savedDir() + '/' + name; }

    // A declaration file written as the program writes it.
    void makeFile(const QString &path, const QString &consignee, const QString &extra = {})
    {
        QDir().mkpath(QFileInfo(path).path());
        Declaration d;
        d[DeclField::ShouHuoRen] = consignee;
        d.at(DeclField::MingCheng, 0) = consignee + "的货物";
        ASSERT_TRUE(writeDeclaration(path, d, nullptr));
        if (!extra.isEmpty()) {
            QByteArray bytes = readBytes(path) + gbk(extra);
            ASSERT_TRUE(writeBytes(path, bytes));
        }
    }

    void clickListItem(int row, bool twice = false)
    {
        const QModelIndex item = browser->File1->model()->index(row, 0);
        ASSERT_TRUE(item.isValid());
        browser->File1->scrollTo(item);
        const QPoint at = browser->File1->visualRect(item).center();
        QTest::mouseClick(browser->File1->viewport(), Qt::LeftButton, {}, at);
        if (twice) // the second press of a double click arrives as a double click
            QTest::mouseDClick(browser->File1->viewport(), Qt::LeftButton, {}, at);
    }

    // DaKai, the given folder option, the named file, 打开(&O).
    void openThroughBrowser(int option, const QString &name)
    {
        click(page->DaKai);
        ASSERT_TRUE(browser->isVisible());
        click(browser->Option1[option]);
        const int row = browser->indexOf(name);
        ASSERT_GE(row, 0) << name.toStdString();
        clickListItem(row);
        click(browser->Cmd[0]);
    }

    bool consigneeLocked() const
    {
        const PickList *list = PickList::of(page->ShouHuoRen);
        return list && list->isLocked() && page->ShouHuoRen->lineEdit()->isReadOnly();
    }
};

} // namespace portdesk::test
