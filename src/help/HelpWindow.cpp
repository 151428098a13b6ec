#include "help/HelpWindow.h"

#include "help/GuideText.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace portdesk {

HelpWindow::HelpWindow(Context &ctx, QWidget *parent) : QWidget(parent, Qt::Window), ctx_(ctx)
{
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("帮助文档"));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true); // nothing typed here would ever be kept
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setPlainText(guideText());

    // The text fills the window's inner area from the first showing on,
    // whatever the border and title bar take on this desktop.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Text1);

    resize(640, 560);
}

} // namespace portdesk
