#include "help/HelpWindow.h"

#include "help/GuideText.h"
#include "help/HelpLayout.h"

#include <QPlainTextEdit>
#include <QResizeEvent>

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
    Text1->move(0, 0);

    resize(640, 560);
    fitText();
}

void HelpWindow::fitText()
{
    Text1->resize(helpTextSize(frameGeometry().size(), size()));
}

void HelpWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitText();
}

// The border and title bar are known only once the window is on screen.
void HelpWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    fitText();
}

} // namespace portdesk
