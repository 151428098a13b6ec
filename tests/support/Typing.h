#pragma once
// How a clerk's input reaches a window in tests: real key and mouse events,
// and Chinese as an input method commits it.
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMetaProperty>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << s.toStdString();
}

namespace portdesk::test {

// Waits for the event loop to make `condition` true; false on timeout.
inline bool waitFor(const std::function<bool()> &condition, int ms = 3000)
{
    return QTest::qWaitFor(condition, ms);
}

// ASCII keys to the focused widget, one real key event each (keyClicks
// aborts on non-ASCII: use commit() for Chinese).
inline void keys(const char *ascii)
{
    QTest::keyClicks(QApplication::focusWidget(), QString::fromLatin1(ascii));
}
inline void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), k, mods);
}
inline void enter()
{
    key(Qt::Key_Return);
}

// Text as an input method commits it (how Chinese arrives), to `target` or
// to whatever holds the focus.
inline void commitText(QObject *target, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(target, &e);
}
inline void commit(const QString &text)
{
    commitText(QApplication::focusObject(), text);
}

// One character as a key event carrying text, as some input methods send it.
inline void keyText(const QString &text)
{
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, text,
                        Qt::NoModifier);
}

inline void click(QWidget *w)
{
    ASSERT_TRUE(w->isEnabled()) << w->objectName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton);
}

// The control holding the focus; a list's line edit counts as its list.
inline QString focusedName()
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return QStringLiteral("<none>");
    if (auto *combo = qobject_cast<QComboBox *>(w->parentWidget()); combo && combo->lineEdit() == w)
        return combo->objectName();
    return w->objectName();
}

// What a field shows: its user property (a line edit's text, a list's current text).
inline QString shownText(const QWidget *w)
{
    if (!w)
        return {};
    const QMetaProperty p = w->metaObject()->userProperty();
    return p.isValid() ? p.read(w).toString() : QString();
}

} // namespace portdesk::test
