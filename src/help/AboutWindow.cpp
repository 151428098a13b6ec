#include "help/AboutWindow.h"

#include "form/ClickLabel.h"
#include "form/WindowPlacement.h"
#include "help/HelpWindow.h"
#include "platform/Context.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "platform/Shell.h"
#include "platform/Version.h"
#include "platform/WebPages.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace portdesk {

namespace {

ClickLabel *linkLabel(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *label = new ClickLabel(caption, parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(palette);
    return label;
}

} // namespace

AboutWindow::AboutWindow(Context &ctx, bool DKabout, QWidget *parent)
    : QDialog(parent), DKabout(DKabout), ctx_(ctx)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("关于本软件"));

    auto *name = new QLabel(QStringLiteral("Portdesk"), this);
    name->setObjectName(QStringLiteral("Label1"));
    QFont nameFont = name->font();
    nameFont.setPointSize(nameFont.pointSize() + 8);
    nameFont.setBold(true);
    name->setFont(nameFont);

    auto *purpose = new QLabel(QStringLiteral("入境货物报检单录入、打印与归档"), this);
    purpose->setObjectName(QStringLiteral("Label2"));
    purpose->setMinimumWidth(300);

    Ver = new QLabel(versionText(), this);
    Ver->setObjectName(QStringLiteral("Ver"));

    ReadMe = linkLabel(QStringLiteral("ReadMe"), QStringLiteral("帮助文档"), this);
    JianChaGengXin = linkLabel(QStringLiteral("JianChaGengXin"), QStringLiteral("检查更新"), this);

    GuanBi = new QPushButton(QStringLiteral("关 闭 (&Q)"), this);
    GuanBi->setObjectName(QStringLiteral("GuanBi"));
    GuanBi->setDefault(true);

    auto *links = new QHBoxLayout;
    links->addWidget(ReadMe);
    links->addSpacing(24);
    links->addWidget(JianChaGengXin);
    links->addStretch();
    links->addWidget(GuanBi);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(8);
    layout->addWidget(name);
    layout->addWidget(purpose);
    layout->addWidget(Ver);
    layout->addSpacing(16);
    layout->addLayout(links);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ReadMe, &ClickLabel::clicked, this, &AboutWindow::openHelp);
    connect(JianChaGengXin, &ClickLabel::clicked, this, &AboutWindow::checkForUpdate);
    connect(GuanBi, &QPushButton::clicked, this, &QWidget::close);
}

// The help window is a window of its own that may outlive the about box on
// screen, but not the about window itself.
AboutWindow::~AboutWindow()
{
    delete help_.data();
}

HelpWindow *AboutWindow::helpWindow() const
{
    return help_.data();
}

void AboutWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Ver->setText(versionText());
    ensureConfigFolder();
}

void AboutWindow::ensureConfigFolder()
{
    if (!ensureDir(ctx_.configDir()))
        ctx_.prompts.warn(QStringLiteral("无法创建配置文件夹：\n") +
                          QDir::toNativeSeparators(ctx_.configDir()));
}

void AboutWindow::openHelp()
{
    if (!help_)
        help_ = new HelpWindow(ctx_);
    bringToFront(*help_);
}

void AboutWindow::checkForUpdate()
{
    ctx_.prompts.inform(QStringLiteral("宝贝介绍中有版本信息和下载地址！"),
                        QStringLiteral("检查更新"));
    const QString address = updatePageUrl();
    if (!ctx_.shell.openUrl(address))
        ctx_.prompts.warn(QStringLiteral("请在浏览器中手动输入地址：\r\n\r\n") + address,
                          QStringLiteral("调用浏览器错误！"));
}

AboutWindowHolder::AboutWindowHolder(Context &ctx, QWidget &owner)
    : QObject(&owner), ctx_(ctx), owner_(owner)
{
}

AboutWindowHolder::~AboutWindowHolder()
{
    delete window_;
}

AboutWindow *AboutWindowHolder::show()
{
    AboutWindow *about = window_;
    const bool first = !about;
    if (first) {
        about = new AboutWindow(ctx_, true);
        window_ = about;
    }
    about->DKabout = true;
    if (first) {
        about->show();
        centreOver(*about, owner_);
    }
    bringToFront(*about);
    return about;
}

} // namespace portdesk
