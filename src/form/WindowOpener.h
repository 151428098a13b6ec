#pragma once
// What a main-window button that opens a window of its own does: the work
// directory checked first, one window of the kind (made the first time,
// deleted when closed, centred over the main window), and the main window
// kept out of the way while it is open, given back once it closes.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace portdesk {

class MainPage;
struct Context;

enum class WhileOpen {
    Disabled, // the main window takes no input meanwhile
    Minimised // the window replaces the main window on the screen
};

class WindowOpener : public QObject {
public:
    using Make = std::function<QWidget *(Context &)>;
    // Parented to the page; the window it made goes with it.
    WindowOpener(MainPage &page, WhileOpen whileOpen, Make make);
    ~WindowOpener() override;

    void open();
    // The window while it is open.
    QWidget *window() const { return window_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void giveBack();

    MainPage &page_;
    WhileOpen whileOpen_;
    Make make_;
    QPointer<QWidget> window_;
};

} // namespace portdesk
