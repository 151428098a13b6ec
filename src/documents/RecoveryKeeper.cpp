#include "documents/RecoveryKeeper.h"

#include "documents/DocumentCommands.h"
#include "form/MainPage.h"
#include "platform/Clock.h"
#include "platform/Context.h"
#include "platform/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>

namespace portdesk {

namespace {

QString randomTag()
{
    return QString::number(QRandomGenerator::global()->generate64() & 0xffffffffffffULL, 36);
}

} // namespace

RecoveryKeeper::RecoveryKeeper(MainPage &page, DocumentCommands &documents)
    : QObject(&page), page_(page), documents_(documents), ctx_(page.context()),
      slot_(page.context().recoveryDir(), QCoreApplication::applicationPid(), randomTag())
{
    setObjectName(QStringLiteral("RecoveryKeeper"));
    timer_.setSingleShot(true);
    timer_.setInterval(delay);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::flush);
    connect(&page.document(), &DeclarationDocument::edited, this, &RecoveryKeeper::changed);
    connect(&page.document(), &DeclarationDocument::loaded, this, [this] {
        if (!restoring_)
            discard();
    });
    connect(&documents, &DocumentCommands::stored, this, &RecoveryKeeper::discard);
}

// Destroyed without a normal exit (the program is being torn down), the
// copy stays: only discard() says the typing is safe elsewhere.
RecoveryKeeper::~RecoveryKeeper() = default;

void RecoveryKeeper::changed()
{
    pending_ = true;
    if (!timer_.isActive())
        timer_.start();
}

void RecoveryKeeper::flush()
{
    timer_.stop();
    if (!pending_)
        return;
    const DeclarationDocument &document = page_.document();
    const Recovery recovery{document.value(), document.kept(), ctx_.clock.now(),
                            documents_.session().file};
    QString error;
    if (!slot_.write(recovery, &error)) {
        warnOnce(QStringLiteral("无法保存恢复文件，程序意外退出时输入的内容将丢失。"), error);
        return; // pending still: the next change tries again
    }
    pending_ = false;
    warned_ = false;
}

void RecoveryKeeper::discard()
{
    timer_.stop();
    pending_ = false;
    QString error;
    if (!slot_.remove(&error))
        warnOnce(QStringLiteral("无法删除恢复文件。"), error);
}

void RecoveryKeeper::warnOnce(const QString &what, const QString &why)
{
    // Once until it works again: a box on every timer tick would stop the
    // clerk typing.
    if (warned_)
        return;
    warned_ = true;
    ctx_.prompts.warn(what + '\n' + why);
}

void RecoveryKeeper::offerLeftovers()
{
    QStringList problems;
    std::vector<Leftover> found = slot_.leftovers(&problems);
    if (!problems.isEmpty())
        ctx_.prompts.warn(QStringLiteral("无法读取恢复文件：\n") + problems.join('\n'));
    for (Leftover &leftover : found) {
        const bool restore = ctx_.prompts.askYesNo(recoveryQuestion(leftover.recovery));
        if (restore) {
            restoring_ = true;
            documents_.restore(leftover.recovery.content, leftover.recovery.kept,
                               leftover.recovery.file);
            restoring_ = false;
            // Ours first, then theirs: a crash in between loses nothing.
            pending_ = true;
            flush();
            if (pending_)
                return; // not kept by us: their copy stays for the next start
        }
        QString error;
        if (!RecoverySlot::discard(leftover, &error))
            ctx_.prompts.warn(error);
        if (restore)
            return; // the others wait for the next start
    }
}

} // namespace portdesk
