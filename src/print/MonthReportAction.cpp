#include "print/MonthReportAction.h"

#include "form/MainPage.h"
#include "model/MonthReport.h"
#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/Prompts.h"
#include "store/WorkDirCheck.h"
#include "store/XlsxWorkbook.h"

#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>

namespace portdesk {

namespace {

QString title()
{
    return QStringLiteral("月报表");
}

} // namespace

MonthReportAction::MonthReportAction(MainPage &page) : QObject(&page), page_(page)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), &page_);
    shortcut->setObjectName(QStringLiteral("YueBaoBiao"));
    connect(shortcut, &QShortcut::activated, this, &MonthReportAction::run);
}

void MonthReportAction::run()
{
    Context &ctx = page_.context();
    if (!workDirReachable(ctx))
        return;
    const std::optional<QString> answer =
        ctx.prompts.input(title(), QStringLiteral("请输入年月（如 2014-03）："),
                          ctx.clock.now().date().toString(QStringLiteral("yyyy-MM")));
    if (!answer || answer->trimmed().isEmpty())
        return;
    const std::optional<QDate> month = readReportMonth(*answer);
    if (!month) {
        ctx.prompts.warn(QStringLiteral("年月格式不对：") + *answer, title());
        return;
    }
    const QString monthText = month->toString(QStringLiteral("yyyy-MM"));
    MonthReport report;
    QString error;
    if (!readMonthReport(ctx.workDir, *month, report, &error)) {
        ctx.prompts.warn(error, title());
        return;
    }
    if (report.rows.empty()) {
        ctx.prompts.inform(monthText + QStringLiteral(" 没有已归档的报检。"), title());
        return;
    }
    ctx.clipboard.clear();
    ctx.clipboard.setText(monthReportText(report));
    const QString copied = QStringLiteral("已复制 %1 条报检到剪贴板，现在可以粘贴到报表中啦！\n")
                               .arg(report.rows.size());
    const std::optional<QString> where =
        ctx.prompts.input(title(), copied + QStringLiteral("另存为 Excel 工作簿（取消则不保存）："),
                          QDir::toNativeSeparators(ctx.workDir + QStringLiteral("/月报表") +
                                                   monthText + QStringLiteral(".xlsx")));
    if (!where || where->trimmed().isEmpty())
        return;
    const QString path = QDir::fromNativeSeparators(where->trimmed());
    if (QFileInfo::exists(path) &&
        !ctx.prompts.askYesNo(
            QDir::toNativeSeparators(path) + QStringLiteral("\n已存在，替换它吗？"), title()))
        return;
    if (!writeWorkbook(path, monthReportSheetName(), monthReportSheet(report), &error)) {
        ctx.prompts.warn(error, title());
        return;
    }
    ctx.prompts.inform(QStringLiteral("月报表已保存：\n") + QDir::toNativeSeparators(path),
                       title());
}

} // namespace portdesk
