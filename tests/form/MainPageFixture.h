#pragma once
// A bare MainPage (no feature attached) on a throw-away work directory.
#include "form/ClickLabel.h"
#include "support/MainWindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace portdesk::test {

class MainPageTest : public ::testing::Test, protected MainWindowHarness {
protected:
    void SetUp() override { build(); }
    void TearDown() override { destroy(); }

    QString focusName() const { return focusedName(); }
};

} // namespace portdesk::test
