#pragma once
// A real MainPage with the editor rules attached, shown and active.
#include "editor/EditorRules.h"
#include "support/MainWindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace portdesk::test {

class EditorWindow : public ::testing::Test, protected MainWindowHarness {
protected:
    void SetUp() override
    {
        build([](MainPage &p) { new EditorRules(p); });
        showActive();
    }
    void TearDown() override { destroy(); }

    QWidget *field(const QString &objectName) const { return control(objectName); }
    QComboBox *list(const QString &objectName) const { return control<QComboBox>(objectName); }
    QLineEdit *edit(const QString &objectName) const { return control<QLineEdit>(objectName); }

    // Puts the focus into a field as the clerk would reach it, and checks it took it.
    void focus(const QString &objectName)
    {
        field(objectName)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        ASSERT_EQ(focused().toStdString(), objectName.toStdString());
    }
    static QString focused() { return focusedName(); }

    void expand()
    {
        if (!page->More->isChecked())
            page->More->setChecked(true);
        ASSERT_TRUE(page->goodsExpanded());
    }
};

} // namespace portdesk::test
