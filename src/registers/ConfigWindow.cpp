#include "registers/ConfigWindow.h"

#include "form/MainPage.h"
#include "form/WindowPlacement.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "store/WorkDirCheck.h"
#include "store/WorkDirectory.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace portdesk {

namespace {

constexpr std::array<const char16_t *, kOfficeFields> kCaptions{
    u"报关公司（本单位）", u"代理报检企业名称", u"代理报检企业登记号", u"代理报检企业联系人",
    u"代理报检企业联系电话"};

QString missingDirText()
{
    return QStringLiteral("您设置的目录不存在！未保存新的工作目录。");
}
QString emptyDirText()
{
    return QStringLiteral("您设置的目录为空！系统将自动还原成目前的工作目录。");
}

QString changeQuestion()
{
    return QStringLiteral("您更改了工作目录，现在需要关闭软件，\n"
                          "然后请您手动转移原来工作目录下的文件夹及其文件。确认吗？\n"
                          "（选择“取消”则不更改工作目录，选择“确认”则关闭程序。）");
}

} // namespace

ConfigWindow::ConfigWindow(Context &ctx, QWidget *mainWindow, QWidget *parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), main_(mainWindow)
{
    setObjectName(QStringLiteral("Config"));
    setWindowTitle(QStringLiteral("设置"));
    buildLayout();

    ensureDir(ctx_.configDir());
    const OfficeSettings s = readOfficeSettings(ctx_.configIni());
    for (int k = 0; k < kOfficeFields; ++k)
        QY[k]->setText(s.QY[k]);
    BJH->setText(s.prefix);
    ML->setText(dirForDisplay(ctx_.workDir));
    MLinfo->setText(ctx_.workDir != ctx_.programDir
                        ? QStringLiteral("当前已设置的工作目录")
                        : QStringLiteral("当前为默认的工作目录（即程序所在目录）"));

    connect(cmdSave, &QPushButton::clicked, this, &ConfigWindow::save);
    connect(cmdExit, &QPushButton::clicked, this, &QWidget::close);
}

void ConfigWindow::buildLayout()
{
    auto *office = new QGroupBox(QStringLiteral("企业信息（显示于报检单底部）"), this);
    auto *officeForm = new QFormLayout(office);
    for (int k = 0; k < kOfficeFields; ++k) {
        QY[k] = new QLineEdit(office);
        QY[k]->setObjectName(QStringLiteral("QY(%1)").arg(k));
        officeForm->addRow(QString::fromUtf16(kCaptions[k]), QY[k]);
    }

    auto *prefix = new QGroupBox(QStringLiteral("报检设置（显示于报检单右上）"), this);
    auto *prefixForm = new QFormLayout(prefix);
    BJH = new QLineEdit(prefix);
    BJH->setObjectName(QStringLiteral("BJH"));
    BJH->setMaxLength(kPrefixLength);
    // Typed and pasted text alike: digits only.
    BJH->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kPrefixLength)), BJH));
    BJH->setMaximumWidth(120);
    prefixForm->addRow(QStringLiteral("报检号前缀"), BJH);

    auto *dir = new QGroupBox(QStringLiteral("工作目录（存放配置文件以及报检存档）"), this);
    auto *dirBox = new QVBoxLayout(dir);
    ML = new QLineEdit(dir);
    ML->setObjectName(QStringLiteral("ML"));
    MLinfo = new QLabel(dir);
    MLinfo->setObjectName(QStringLiteral("MLinfo"));
    auto *note =
        new QLabel(QStringLiteral("注意：更改后需要关闭软件，并手动把原工作目录下的文件夹及其文件"
                                  "（Saved,Config）转移到新设置的目录，否则设置和文档将无法读取。"),
                   dir);
    note->setObjectName(QStringLiteral("ZhuYi"));
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color: #c00000;"));
    dirBox->addWidget(ML);
    dirBox->addWidget(MLinfo);
    dirBox->addWidget(note);

    cmdSave = new QPushButton(QStringLiteral("保 存 (&S)"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdExit = new QPushButton(QStringLiteral("退 出 (&Q)"), this);
    cmdExit->setObjectName(QStringLiteral("cmdExit"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdExit);

    auto *outer = new QVBoxLayout(this);
    for (QGroupBox *group : {office, prefix, dir}) {
        group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
        outer->addWidget(group);
    }
    outer->addStretch();
    outer->addLayout(buttons);
    setMinimumWidth(480);
}

QString ConfigWindow::checkedWorkDir()
{
    const QString typed = withoutTrailingSeparator(ML->text());
    const QString dir = dirFromTyped(typed);
    QString problem;
    if (dir.isEmpty())
        problem = emptyDirText();
    else if (!dirExists(dir))
        problem = missingDirText();
    if (problem.isEmpty()) {
        ML->setText(typed);
        return dir;
    }
    ctx_.prompts.warn(problem);
    ML->setText(dirForDisplay(ctx_.workDir));
    return ctx_.workDir;
}

void ConfigWindow::save()
{
    if (!workDirReachable(ctx_))
        return;
    checkedWorkDir();
    OfficeSettings s;
    for (int k = 0; k < kOfficeFields; ++k)
        s.QY[k] = QY[k]->text();
    s.prefix = BJH->text();
    QString error;
    if (!writeOfficeSettings(ctx_.configIni(), s, &error)) {
        ctx_.prompts.warn(QStringLiteral("企业信息、报检设置保存失败！\n") + error);
        return;
    }
    ctx_.prompts.inform(QStringLiteral("企业信息、报检设置保存成功！"));
    close();
}

void ConfigWindow::closeEvent(QCloseEvent *event)
{
    if (recorded_ || dirFromTyped(ML->text()) == ctx_.workDir) {
        event->accept();
        return;
    }
    // A folder that is not there would silently give way to the program's
    // folder at the next start: never record one.
    const QString dir = checkedWorkDir();
    if (dir == ctx_.workDir) {
        event->accept();
        return;
    }
    if (!ctx_.prompts.askOkCancel(changeQuestion())) {
        ML->setText(dirForDisplay(ctx_.workDir));
        event->ignore();
        return;
    }
    QString error;
    if (!writeWorkDirSetting(ctx_.programDir, dir, &error)) {
        ctx_.prompts.warn(QStringLiteral("新的工作目录保存失败！\n") + error);
        event->ignore();
        return;
    }
    recorded_ = true;
    event->accept();
    // After this window is gone; when the program is already ending the main
    // window is closed by then and asks nothing more.
    QTimer::singleShot(0, main_, [main = main_] {
        if (main && main->isVisible())
            main->close();
    });
}

namespace {

class ConfigOpener : public QObject {
public:
    explicit ConfigOpener(MainPage &page) : QObject(&page), page_(page)
    {
        connect(page_.SheZhi, &QToolButton::clicked, this, &ConfigOpener::open);
    }
    ~ConfigOpener() override { delete window_; }

private:
    void open()
    {
        page_.ShouHuoRen->setFocus();
        // Not a child of the main window: the register windows disable that.
        openOnce(window_, page_, [this] { return new ConfigWindow(page_.context(), &page_); });
    }

    MainPage &page_;
    QPointer<ConfigWindow> window_;
};

} // namespace

void attachConfigWindow(MainPage &page)
{
    new ConfigOpener(page);
}

} // namespace portdesk
