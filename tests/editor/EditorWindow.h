#pragma once
// A real MainPage with the editor rules attached, shown and active, and the
// few ways a clerk's input reaches it.
#include "form/MainPage.h"
#include "editor/EditorRules.h"
#include "support/TestEnv.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace portdesk::test {

class EditorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        page = std::make_unique<MainPage>(env.ctx);
        new EditorRules(*page);
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }
    void TearDown() override
    {
        page->hide();
        page.reset();
    }

    QWidget *field(const QString &objectName) const
    {
        QWidget *w = page->findChild<QWidget *>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }
    QComboBox *list(const QString &objectName) const
    {
        return qobject_cast<QComboBox *>(field(objectName));
    }
    QLineEdit *edit(const QString &objectName) const
    {
        return qobject_cast<QLineEdit *>(field(objectName));
    }
    QString text(const QString &objectName) const
    {
        QWidget *w = field(objectName);
        if (auto *e = qobject_cast<QLineEdit *>(w))
            return e->text();
        if (auto *c = qobject_cast<QComboBox *>(w))
            return c->currentText();
        return {};
    }

    // Clicks into a field as the clerk would reach it, and checks it took the focus.
    void focus(const QString &objectName)
    {
        QWidget *w = field(objectName);
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(focused().toStdString(), objectName.toStdString());
    }
    // The field holding the focus; a list's line edit counts as its list.
    static QString focused()
    {
        QWidget *w = QApplication::focusWidget();
        if (!w)
            return QStringLiteral("<none>");
        if (auto *combo = qobject_cast<QComboBox *>(w->parentWidget());
            combo && combo->lineEdit() == w)
            return combo->objectName();
        return w->objectName();
    }

    // ASCII keys, one real key event each.
    static void keys(const char *ascii)
    {
        QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(ascii));
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
    }
    static void enter() { key(Qt::Key_Return); }
    // Text as an input method commits it (how Chinese arrives).
    static void commit(const QString &text)
    {
        QInputMethodEvent e;
        e.setCommitString(text);
        QApplication::sendEvent(QApplication::focusObject(), &e);
    }
    // One character as a key event carrying text, as some input methods send it.
    static void keyText(const QString &text)
    {
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, text,
                            Qt::NoModifier);
    }

    void expand()
    {
        if (!page->More->isChecked())
            page->More->setChecked(true);
        ASSERT_TRUE(page->goodsExpanded());
    }

    TestEnv env;
    std::unique_ptr<MainPage> page;
};

} // namespace portdesk::test
