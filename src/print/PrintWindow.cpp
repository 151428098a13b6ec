#include "print/PrintWindow.h"

#include "form/Twips.h"
#include "form/WindowPlacement.h"
#include "model/PrintedFileName.h"
#include "model/SheetFiles.h"
#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/FileSystem.h"
#include "platform/Printer.h"
#include "platform/Prompts.h"
#include "print/SheetPainter.h"
#include "store/WorkDirCheck.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace portdesk {

namespace {

int px(int twips)
{
    return twipsToPixels(twips);
}

QString printoutTitle()
{
    return QStringLiteral("打印预览");
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, int left)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(px(left), px(9000), px(1455), px(495));
    QFont font;
    font.setFamilies(sheetFontFamilies(SheetFont::SimHei));
    font.setPointSizeF(10.5);
    font.setBold(true);
    b->setFont(font);
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: rgb(255, 165, 0); }"));
    return b;
}

} // namespace

PrintWindow::PrintWindow(Context &ctx, const Declaration &declaration, QWidget &mainWindow,
                         RecordPrinted recordPrinted)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), ctx_(ctx), mainWindow_(mainWindow),
      recordPrinted_(std::move(recordPrinted))
{
    setObjectName(QStringLiteral("Print_BJD"));
    setWindowTitle(printoutTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(kSheetWidth), px(kSheetHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    cmdPrint = makeButton(this, "cmdPrint", QStringLiteral("打 印 (&P)"), 3120);
    cmdExit = makeButton(this, "cmdExit", QStringLiteral("退 出 (&Q)"), 6240);
    connect(cmdPrint, &QPushButton::clicked, this, &PrintWindow::printDeclaration);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);

    load(declaration);
    centreOnScreen(*this, &mainWindow);
}

void PrintWindow::load(const Declaration &declaration)
{
    mainWindow_.hide();
    // Created here so that the file stored after printing has its folder;
    // a failure shows when printing is asked for.
    if (ensureDir(ctx_.savedDir()))
        ensureDir(ctx_.printedDir());
    SheetSources s;
    s.declaration = declaration;
    const SheetParticulars p = readSheetParticulars(
        ctx_.consigneeIni(), ctx_.configIni(), declaration[DeclField::ShouHuoRen], WriteBack::Yes);
    s.consignee = p.consignee;
    s.office = p.office;
    s.date = ctx_.clock.now().date();
    // The note and the free goods line start hidden on every load.
    setSources(s);
}

void PrintWindow::setSources(const SheetSources &sources)
{
    sources_ = sources;
    sheet_ = sheetFor(sources_);
    update();
}

bool PrintWindow::askExtras()
{
    // Every try asks afresh: an answer given before a failed print counts no more.
    SheetSources s = sources_;
    s.certificateNote = false;
    s.freeLine.clear();
    if (!s.declaration.at(DeclField::ZongZhi, 0).isEmpty()) {
        const MsgAnswer answer = ctx_.prompts.message(
            QStringLiteral("是否需要入境货物检验检疫证明？（一般设备需要）"), appTitle(),
            MsgIcon::Question, MsgButtons::YesNoCancel, MsgAnswer::Cancel);
        if (answer == MsgAnswer::Cancel)
            return false;
        if (answer == MsgAnswer::Yes)
            s.certificateNote = true;
    } else {
        const std::optional<QString> line = ctx_.prompts.input(
            QStringLiteral("输入辅助信息"),
            QStringLiteral("请输入货物以及H.S.编码：\n\n  如：汽车传感器专用接插件 87089999.90"),
            QString());
        if (!line || line->isEmpty())
            return false;
        s.freeLine = *line;
    }
    setSources(s);
    return true;
}

bool PrintWindow::printDeclaration()
{
    if (!workDirReachable(ctx_))
        return false;
    const QString name =
        printedFileName(sources_.declaration[DeclField::ShouHuoRen], ctx_.clock.now());
    // The print command refused a declaration the file cannot hold; its
    // folder is what the save could still fail on before the paper is used.
    for (const QString &dir : {ctx_.savedDir(), ctx_.printedDir()}) {
        if (!ensureDir(dir)) {
            failed(QStringLiteral("无法创建文件夹“") + QDir::toNativeSeparators(dir) +
                   QStringLiteral("”！"));
            return false;
        }
    }
    if (!askExtras())
        return false;
    cmdPrint->hide();
    cmdExit->hide();
    QString error;
    const Sheet sheet = sheet_;
    if (!ctx_.printer.printPage(
            name, [&sheet](QPainter &painter) { paintSheet(painter, sheet); }, &error)) {
        failed(error);
        return false;
    }
    error.clear();
    if (!recordPrinted_ || !recordPrinted_(ctx_.printedDir() + '/' + name, &error)) {
        failed(error);
        return false;
    }
    close();
    return true;
}

void PrintWindow::failed(const QString &reason)
{
    QString text = QStringLiteral("打印错误！");
    if (!reason.isEmpty())
        text += QLatin1Char('\n') + reason;
    ctx_.prompts.inform(text);
    cmdPrint->show();
    cmdExit->show();
}

void PrintWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.scale(1.0 / kTwipsPerPixel, 1.0 / kTwipsPerPixel);
    paintSheet(painter, sheet_);
}

void PrintWindow::mousePressEvent(QMouseEvent *event)
{
    dragging_ = true;
    dragStart_ = event->position().toPoint();
}

void PrintWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(pos() - dragStart_ + event->position().toPoint());
}

void PrintWindow::mouseReleaseEvent(QMouseEvent *)
{
    dragging_ = false;
}

void PrintWindow::closeEvent(QCloseEvent *event)
{
    mainWindow_.show();
    mainWindow_.raise();
    mainWindow_.activateWindow();
    QWidget::closeEvent(event);
}

} // namespace portdesk
