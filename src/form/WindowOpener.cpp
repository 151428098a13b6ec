#include "form/WindowOpener.h"

#include "form/MainPage.h"
#include "form/WindowPlacement.h"
#include "store/WorkDirCheck.h"

#include <QComboBox>
#include <QEvent>

namespace portdesk {

WindowOpener::WindowOpener(MainPage &page, WhileOpen whileOpen, Make make)
    : QObject(&page), page_(page), whileOpen_(whileOpen), make_(std::move(make))
{
}

WindowOpener::~WindowOpener()
{
    if (window_) {
        window_->removeEventFilter(this);
        window_->disconnect(this);
        delete window_;
    }
}

void WindowOpener::open()
{
    page_.ShouHuoRen->setFocus();
    Context &ctx = page_.context();
    if (!workDirReachable(ctx))
        return;
    openOnce(window_, page_, [&] {
        // Not a child of the main window: disabling that would disable it too.
        if (whileOpen_ == WhileOpen::Disabled)
            page_.setEnabled(false);
        else
            page_.showMinimized();
        QWidget *window = make_(ctx);
        window->installEventFilter(this);
        connect(window, &QObject::destroyed, this, &WindowOpener::giveBack);
        return window;
    });
}

bool WindowOpener::eventFilter(QObject *watched, QEvent *event)
{
    // Closed (the close accepted): hidden by the program, not minimised by
    // the window system.
    if (watched == window_ && event->type() == QEvent::Hide && !event->spontaneous())
        giveBack();
    return QObject::eventFilter(watched, event);
}

void WindowOpener::giveBack()
{
    if (whileOpen_ == WhileOpen::Disabled)
        page_.setEnabled(true);
    else
        page_.showNormal();
}

} // namespace portdesk
