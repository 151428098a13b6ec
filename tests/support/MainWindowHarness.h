#pragma once
// A real main window on a throw-away work directory, with as much of the
// program attached as a test needs: nothing, one feature, or the full wiring.
#include "app/MainWiring.h"
#include "form/MainPage.h"
#include "support/TestEnv.h"
#include "support/Typing.h"

#include <functional>
#include <memory>

namespace portdesk::test {

class MainWindowHarness {
public:
    using Attach = std::function<void(MainPage &)>;
    static void fullWiring(MainPage &page) { wireMainPage(page); }

    TestEnv env;
    std::unique_ptr<MainPage> page;

    void build(const Attach &attach = {})
    {
        page = std::make_unique<MainPage>(env.ctx);
        if (attach)
            attach(*page);
    }
    // Shown and active, so that focus assertions mean something.
    void showActive()
    {
        page->show();
        page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    }
    void destroy()
    {
        if (page)
            page->hide();
        page.reset();
    }

    template <typename T = QWidget> T *control(const QString &name) const
    {
        T *w = page->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QString text(const QString &name) const { return shownText(control(name)); }
};

// What the window's fields show, read field by field: what the clerk sees,
// to compare with the document's value.
inline Declaration declarationOnScreen(const MainPage &page)
{
    Declaration d;
    for (const FormField &f : formFields())
        d.at(f) = shownText(page.findChild<QWidget *>(f.ref.objectName()));
    return d;
}

inline QString rowName(const char *name, int i)
{
    return QString::fromLatin1(name) + '(' + QString::number(i) + ')';
}

} // namespace portdesk::test
