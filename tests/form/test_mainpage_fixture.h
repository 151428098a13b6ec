#pragma once
// A MainPage on a throw-away work directory, with helpers to find its controls.
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace portdesk::test {

class MainPageTest : public ::testing::Test {
protected:
    TestEnv env;
    std::unique_ptr<MainPage> page;

    void SetUp() override { page = std::make_unique<MainPage>(env.ctx); }
    void TearDown() override { page.reset(); }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *w = page->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }

    void showActive()
    {
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }

    QString focusName() const
    {
        QWidget *f = QApplication::focusWidget();
        return f ? f->objectName() : QStringLiteral("<none>");
    }
};

inline QString rowName(const char *name, int i)
{
    return QString::fromLatin1(name) + '(' + QString::number(i) + ')';
}

} // namespace portdesk::test
