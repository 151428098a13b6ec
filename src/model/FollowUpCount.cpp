#include "model/FollowUpCount.h"

#include "store/SettingsStore.h"

#include <QFileInfo>

namespace portdesk {

namespace {

const QString kList = QStringLiteral("待处理列表");

// Leading whole number of a text; blanks before it and a sign are allowed,
// anything after the digits is ignored.
long long leadingWholeNumber(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long n = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i) {
        n = n * 10 + (text[i].unicode() - '0');
        if (n > 1'000'000'000)
            break; // far past any slot number
    }
    return negative ? -n : n;
}

} // namespace

QStringList openFollowUps(const QString &tobedoneIni, QString *error)
{
    QStringList entries;
    if (!QFileInfo(tobedoneIni).isFile())
        return entries;

    // A batch that is never saved: reads of missing keys stay in memory.
    ProfileBatch batch(tobedoneIni);
    if (batch.failed()) {
        if (error)
            *error = batch.failure();
        return entries;
    }
    const int last = followUpSlotsInUse(batch);
    for (int slot = 1; slot <= last; ++slot) {
        const QString text = batch.ReadKey(kList, QString::number(slot), QString());
        if (!text.isEmpty())
            entries << text;
    }
    return entries;
}

int followUpSlotsInUse(ProfileBatch &tobedone)
{
    const long long x = leadingWholeNumber(tobedone.ReadKey(kList, QStringLiteral("X"), QString()));
    return int(qBound(0LL, x, static_cast<long long>(kFollowUpSlots)));
}

QString followUpListSection()
{
    return kList;
}

int followUpCount(const QString &tobedoneIni)
{
    return int(openFollowUps(tobedoneIni).size());
}

QString followUpBadgeTip(int count)
{
    return QStringLiteral("有") + QString::number(count) + QStringLiteral("条事项尚未完成");
}

} // namespace portdesk
