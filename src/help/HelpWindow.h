#pragma once
// Help: the user guide as one scrollable, read-only text (`Text1`) that
// follows the window's size.
#include <QWidget>

class QPlainTextEdit;

namespace portdesk {

struct Context;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(Context &ctx, QWidget *parent = nullptr);

    QPlainTextEdit *Text1 = nullptr;

private:
    Context &ctx_;
};

} // namespace portdesk
