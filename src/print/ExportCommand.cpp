#include "print/ExportCommand.h"

#include "form/MainPage.h"
#include "model/ReportLine.h"
#include "platform/Clipboard.h"
#include "platform/Context.h"
#include "platform/Prompts.h"
#include "store/SettingsStore.h"
#include "store/WorkDirCheck.h"
#include "store/WriteBack.h"

#include <QComboBox>
#include <QPushButton>

namespace portdesk {

ExportCommand::ExportCommand(MainPage &page, std::function<void()> archive)
    : QObject(&page), page_(page), archive_(std::move(archive))
{
    connect(page_.DaoChu, &QPushButton::clicked, this, &ExportCommand::run);
}

void ExportCommand::run()
{
    page_.ShouHuoRen->setFocus();
    Context &ctx = page_.context();
    if (!workDirReachable(ctx))
        return;
    ProfileBatch file(page_.DangQianWenJian);
    if (file.failed()) {
        ctx.prompts.warn(file.failure());
        return;
    }
    ReportSources s;
    s.declaration = page_.document().value();
    readReportParticulars(file, s);
    if (s.number.isEmpty()) {
        archive_();
        return;
    }
    if (const QString why = saveWriteBacks(file); !why.isEmpty())
        ctx.prompts.warn(why);
    ctx.clipboard.clear();
    ctx.clipboard.setText(reportLine(s));
    ctx.prompts.inform(QStringLiteral("复制成功！现在可以粘贴到报表中啦！"));
}

} // namespace portdesk
