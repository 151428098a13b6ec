#include "model/FollowUpRegister.h"

#include "model/DeclarationFile.h"
#include "model/FollowUpCount.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

#include <QDir>
#include <optional>

namespace portdesk {

namespace {

const QString kIndex = QStringLiteral("待处理");
const QString kCount = QStringLiteral("X");

// The register opened for a change that depends on what it holds: locked
// until saved.
bool changeRegister(const QString &tobedoneIni, QString *error,
                    const std::function<bool(ProfileBatch &)> &change)
{
    ProfileBatch reg(tobedoneIni, ProfileBatch::Hold::UntilSaved);
    if (reg.failed()) {
        if (error)
            *error = reg.failure();
        return false;
    }
    return change(reg) && reg.save(error);
}

} // namespace

const std::array<FollowUpItem, kFollowUpItems> &followUpItems()
{
    static const std::array<FollowUpItem, kFollowUpItems> items{{
        {"GaiDan", "改单", "撤/改单"},
        {"XunZheng", "熏蒸", "熏蒸"},
        {"CaiYang", "采样", "采样"},
        {"FaKuan", "罚款", "罚款"},
        {"XiaChang", "下厂", "下厂"},
    }};
    return items;
}

QString followUpItemSection()
{
    return QStringLiteral("后期事项");
}

ItemStatuses readItemStatuses(ProfileBatch &declaration)
{
    ItemStatuses statuses{};
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        const QString value = declaration.ReadKey(
            followUpItemSection(), QString::fromUtf8(followUpItems()[i].key), QString());
        statuses[i] = value == QStringLiteral("1") ? ItemStatus::Done
                      : value.isEmpty()            ? ItemStatus::None
                                                   : ItemStatus::Open;
    }
    return statuses;
}

bool writeItemStatuses(ProfileBatch &declaration, const ItemStatuses &statuses, QString *error)
{
    for (std::size_t i = 0; i < statuses.size(); ++i) {
        const QString key = QString::fromUtf8(followUpItems()[i].key);
        const bool ok =
            statuses[i] == ItemStatus::None
                ? declaration.DeleteKey(followUpItemSection(), key, error)
                : declaration.WriteKey(followUpItemSection(), key,
                                       statuses[i] == ItemStatus::Done ? QStringLiteral("1")
                                                                       : QStringLiteral("0"),
                                       error);
        if (!ok)
            return false;
    }
    return true;
}

bool followUpFinished(const ItemStatuses &statuses)
{
    return std::none_of(statuses.begin(), statuses.end(),
                        [](ItemStatus s) { return s == ItemStatus::Open; });
}

QString followUpDisplayText(ProfileBatch &declaration)
{
    return followUpDisplayText(
        declaration.ReadKey(contentSection(), QStringLiteral("收货人"), QString()),
        declaration.ReadKey(infoSection(), QStringLiteral("报检号"), QString()),
        declaration.ReadKey(infoSection(), QStringLiteral("报检日期"), QString()));
}

QString followUpDisplayText(const QString &consignee, const QString &number, const QString &date)
{
    return consignee + u'(' + number + u',' + date + u')';
}

QString registerRelativePath(const QString &workDir, const QString &path)
{
    const QString relative = path.startsWith(workDir) ? path.mid(workDir.size()) : path;
    return QString(relative).replace(u'/', u'\\');
}

QString pathFromRegister(const QString &workDir, const QString &relative)
{
    return workDir + QDir::fromNativeSeparators(QString(relative).replace(u'\\', u'/'));
}

QString registeredPath(const QString &tobedoneIni, const QString &displayText)
{
    ProfileBatch reg(tobedoneIni); // never saved: a read adds nothing
    return reg.ReadKey(kIndex, displayText, QString());
}

bool enterFollowUp(const QString &tobedoneIni, const QString &displayText,
                   const QString &relativePath, QString *error)
{
    return changeRegister(tobedoneIni, error, [&](ProfileBatch &reg) {
        const QString list = followUpListSection();
        if (reg.ReadKey(list, kCount, QString()).isEmpty() &&
            !reg.WriteKey(list, kCount, QStringLiteral("0"), error))
            return false;
        if (reg.ReadKey(kIndex, displayText, QString()) == relativePath)
            return true;
        const int x = followUpSlotsInUse(reg);
        int slot = 1;
        while (slot <= x && !reg.ReadKey(list, QString::number(slot), QString()).isEmpty())
            ++slot;
        if (slot > kFollowUpSlots) {
            if (error)
                *error = QStringLiteral("后期事项列表已满（最多%1条），"
                                        "请先登记完成一些事项后再试。")
                             .arg(kFollowUpSlots);
            return false;
        }
        return reg.WriteKey(kIndex, displayText, quotedForWriting(relativePath), error) &&
               reg.WriteKey(list, QString::number(slot), quotedForWriting(displayText), error) &&
               (slot <= x || reg.WriteKey(list, kCount, QString::number(slot), error));
    });
}

bool leaveFollowUp(const QString &tobedoneIni, const QString &displayText, QString *error)
{
    return changeRegister(tobedoneIni, error, [&](ProfileBatch &reg) {
        if (!reg.DeleteKey(kIndex, displayText, error))
            return false;
        const int x = followUpSlotsInUse(reg);
        for (int slot = 1; slot <= x; ++slot) {
            const QString key = QString::number(slot);
            if (reg.ReadKey(followUpListSection(), key, QString()) == displayText &&
                !reg.DeleteKey(followUpListSection(), key, error))
                return false;
        }
        return true;
    });
}

bool moveFollowUp(const QString &tobedoneIni, const QString &oldText, const QString &newText,
                  const QString &newRelativePath, QString *error)
{
    return changeRegister(tobedoneIni, error, [&](ProfileBatch &reg) {
        // Looked at without ReadKey, whose read of a missing key writes it.
        const std::optional<QByteArray> registered = reg.storedBytes(kIndex, oldText);
        if (!registered || registered->isEmpty())
            return true;
        if (!reg.DeleteKey(kIndex, oldText, error) ||
            !reg.WriteKey(kIndex, newText, quotedForWriting(newRelativePath), error))
            return false;
        const int x = followUpSlotsInUse(reg);
        for (int slot = 1; slot <= x; ++slot) {
            const QString key = QString::number(slot);
            if (reg.ReadKey(followUpListSection(), key, QString()) == oldText &&
                !reg.WriteKey(followUpListSection(), key, quotedForWriting(newText), error))
                return false;
        }
        return true;
    });
}

bool resetEmptyFollowUps(const QString &tobedoneIni, QString *error)
{
    return changeRegister(tobedoneIni, error, [&](ProfileBatch &reg) {
        const int x = followUpSlotsInUse(reg);
        for (int slot = 1; slot <= x; ++slot) {
            if (!reg.ReadKey(followUpListSection(), QString::number(slot), QString()).isEmpty())
                return true; // another desk entered one meanwhile
        }
        return reg.WriteKey(followUpListSection(), kCount, QStringLiteral("0"), error);
    });
}

} // namespace portdesk
