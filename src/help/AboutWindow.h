#pragma once
// About: the version line `Ver`, the link `ReadMe` to the help window, the
// link `JianChaGengXin` to the update page and the close button `GuanBi`.
//
// `DKabout` tells the two uses apart: false while start-up passes through,
// true when the main window shows it as an about box. Each opening makes sure
// the work directory's Config folder exists.
#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace portdesk {

struct Context;
class ClickLabel;
class HelpWindow;

class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Context &ctx, bool DKabout = true, QWidget *parent = nullptr);
    ~AboutWindow() override;

    bool DKabout;

    QLabel *Ver = nullptr;
    ClickLabel *ReadMe = nullptr;
    ClickLabel *JianChaGengXin = nullptr;
    QPushButton *GuanBi = nullptr;

    // The help window once `ReadMe` has opened it; null before.
    HelpWindow *helpWindow() const;

    void openHelp();
    void checkForUpdate();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ensureConfigFolder();

    Context &ctx_;
    QPointer<HelpWindow> help_;
};

// The one about window belonging to an owner (made on first use, closed with
// it). The window is a window of its own, not the owner's child: the browser
// and the register windows disable the main window, and a child would be
// disabled with it.
class AboutWindowHolder : public QObject {
    Q_OBJECT
public:
    AboutWindowHolder(Context &ctx, QWidget &owner);
    ~AboutWindowHolder() override;
    // Shows it, not modally, marked as opened from the menu; it stays usable
    // while the owner is disabled.
    AboutWindow *show();
    // Null before the first showing.
    AboutWindow *window() const { return window_; }

private:
    Context &ctx_;
    QWidget &owner_;
    QPointer<AboutWindow> window_;
};

} // namespace portdesk
