#include "documents/ArchiveCommand.h"

#include "documents/DocumentCommands.h"
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "model/ArchiveFile.h"
#include "model/ArchivePlan.h"
#include "model/DeclarationFile.h"
#include "model/FollowUpRegister.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "store/OfficeSettings.h"
#include "store/SettingsStore.h"
#include "store/WorkDirCheck.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>

namespace portdesk {

namespace {

QString formatError()
{
    return QStringLiteral("格式错误！请重试！");
}

bool makeFolder(Context &ctx, const QString &dir)
{
    if (ensureDir(dir))
        return true;
    ctx.prompts.warn(
        QStringLiteral("归档失败！\n无法建立文件夹“%1”").arg(QDir::toNativeSeparators(dir)));
    return false;
}

} // namespace

ArchiveCommand::ArchiveCommand(MainPage &page, DocumentCommands &documents)
    : QObject(&page), page_(page), documents_(documents), ctx_(page.context())
{
    connect(page_.GuiDang, &QPushButton::clicked, this, &ArchiveCommand::run);
    connect(page_.BaoJianXinXi, &ClickLabel::clicked, this, &ArchiveCommand::copyNumber);
}

bool ArchiveCommand::askNumber(const QString &proposal, QString *number)
{
    for (;;) {
        const std::optional<QString> answer =
            ctx_.prompts.input(QStringLiteral("报检号录入"), numberPrompt(), proposal);
        if (!answer || answer->isEmpty())
            return false;
        if (isDeclarationNumber(*answer)) {
            *number = *answer;
            return true;
        }
        ctx_.prompts.warn(formatError());
    }
}

bool ArchiveCommand::askDate(const QString &proposal, QDate *date)
{
    for (;;) {
        const std::optional<QString> answer =
            ctx_.prompts.input(QStringLiteral("报检日期录入"), datePrompt(), proposal);
        if (!answer || answer->isEmpty())
            return false;
        if (const std::optional<QDate> read = readDeclarationDate(*answer)) {
            *date = *read;
            return true;
        }
        ctx_.prompts.warn(formatError());
    }
}

void ArchiveCommand::run()
{
    page_.ShouHuoRen->setFocus();
    if (!workDirReachable(ctx_))
        return;
    const DocumentSession &session = documents_.session();
    if (!session.hasFile())
        return;
    if (!makeFolder(ctx_, ctx_.archivedDir()))
        return;
    const QString from = session.file;
    if (!QFileInfo(from).isFile())
        return;
    if (!session.number.isEmpty() &&
        !ctx_.prompts.askYesNo(QStringLiteral("本单已归档，您需要修改报检信息吗？")))
        return;

    QString storedNumber, storedDate, consignee;
    {
        ProfileBatch file(from); // read only: nothing of it is saved
        storedNumber = file.ReadKey(infoSection(), QStringLiteral("报检号"), QString());
        storedDate = file.ReadKey(infoSection(), QStringLiteral("报检日期"), QString());
        consignee = file.ReadKey(contentSection(), QStringLiteral("收货人"), QString());
    }
    const QString dateProposal =
        storedDate.isEmpty() ? declarationDateText(ctx_.clock.now().date()) : storedDate;
    for (;;) {
        QString number;
        QDate date;
        if (!askNumber(storedNumber, &number) || !askDate(dateProposal, &date))
            return;
        const QString folder = archiveFolder(ctx_.workDir, date);
        if (!makeFolder(ctx_, QFileInfo(folder).path()) || !makeFolder(ctx_, folder))
            return;
        const QString to = folder + u'/' + archiveFileName(number, consignee, date);
        const QString dateText = declarationDateText(date);
        QString error;
        switch (archiveDeclarationFile(from, to, number, dateText, &error)) {
        case ArchiveOutcome::Duplicate:
            ctx_.prompts.warn(QStringLiteral("报检号重复！无法归档！请重新录入报检信息。"));
            continue;
        case ArchiveOutcome::Failed:
            ctx_.prompts.warn(QStringLiteral("归档失败！\n") + error);
            return;
        case ArchiveOutcome::Archived:
            documents_.archived(to, number, dateText);
            followRegister(followUpDisplayText(consignee, storedNumber, storedDate),
                           followUpDisplayText(consignee, number, dateText), to);
            return;
        }
    }
}

void ArchiveCommand::followRegister(const QString &oldText, const QString &newText,
                                    const QString &to)
{
    QString error;
    if (oldText != newText && !moveFollowUp(ctx_.tobedoneIni(), oldText, newText,
                                            registerRelativePath(ctx_.workDir, to), &error))
        ctx_.prompts.warn(QStringLiteral("归档成功，但后期事项列表没能改到新的报检信息：\n") +
                          error);
}

void ArchiveCommand::copyNumber()
{
    const DocumentSession &session = documents_.session();
    if (session.number.isEmpty())
        return;
    QString error;
    const QString prefix =
        ReadKey(ctx_.configIni(), prefixSection(), prefixKey(), QString(), &error);
    if (!error.isEmpty())
        ctx_.prompts.warn(error);
    QString number, date;
    {
        ProfileBatch file(session.file); // read only
        date = file.ReadKey(infoSection(), QStringLiteral("报检日期"), QString());
        number = file.ReadKey(infoSection(), QStringLiteral("报检号"), QString());
    }
    ctx_.clipboard.clear();
    ctx_.clipboard.setText(fullDeclarationNumber(prefix, date, number));
    ctx_.prompts.inform(QStringLiteral("报检号（") + ctx_.clipboard.text() +
                        QStringLiteral("）已复制到剪切板！"));
}

} // namespace portdesk
