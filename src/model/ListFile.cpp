#include "model/ListFile.h"

#include "store/Gbk.h"
#include "store/NewFile.h"
#include "store/ProfileDocument.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace portdesk {

namespace {

const QString kDate = QStringLiteral("日期");
const QString kCount = QStringLiteral("票数");

QString rowFieldName(int row, ListField field)
{
    return QStringLiteral("第%1行的“%2”").arg(row + 1).arg(listKeyStem(field));
}

// The first value the file cannot hold, as a reason naming its field.
QString unwritableRow(const ListRecord &list, int rows)
{
    for (int r = 0; r < rows; ++r) {
        for (int f = 0; f < kListFields; ++f) {
            const QString why =
                unwritableValue(list.at(r, ListField(f)), rowFieldName(r, ListField(f)));
            if (!why.isEmpty())
                return why;
        }
    }
    return {};
}

QByteArray listBytes(const ListRecord &list, int count)
{
    ProfileDocument doc;
    const QByteArray info = *toGbk(listInfoSection());
    const QByteArray rows = *toGbk(listRowsSection());
    // 日期 first, then the rows, then 票数: 票数 lands after 日期 in 申报信息.
    doc.setValue(info, *toGbk(kDate), *toGbk(quotedForWriting(list.date)));
    for (int r = 0; r < count; ++r) {
        for (int f = 0; f < kListFields; ++f) {
            doc.setValue(rows, *toGbk(listKey(ListField(f), r)),
                         *toGbk(quotedForWriting(list.at(r, ListField(f)))));
        }
    }
    doc.setValue(info, *toGbk(kCount), QByteArray::number(count));
    return doc.serialize();
}

void fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
}

} // namespace

QString listFileName(const QDate &day, int n)
{
    return day.toString(QStringLiteral("yyyy.MM.dd")) + QStringLiteral("(%1).dcq").arg(n);
}

QString listsRoot(const QString &workDir)
{
    const QString saved = workDir + QStringLiteral("/Saved");
    const QString name = QStringLiteral("QingDan");
    if (!QFileInfo(saved + u'/' + name).isDir()) {
        const QStringList dirs = QDir(saved).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString &dir : dirs) {
            if (dir.compare(name, Qt::CaseInsensitive) == 0)
                return saved + u'/' + dir;
        }
    }
    return saved + u'/' + name;
}

QString listMonthFolder(const QString &workDir, const QDate &day)
{
    return listsRoot(workDir) + day.toString(QStringLiteral("/yyyy/MM"));
}

std::optional<SavedList> saveListFile(const QString &workDir, const ListRecord &list,
                                      const QDate &today, QString *error)
{
    const int count = list.filledRows();
    if (count == 0) {
        fail(error, QStringLiteral("无内容！"));
        return std::nullopt;
    }
    const QString date = unwritableValue(list.date, QStringLiteral("申报日期"));
    const QString why = date.isEmpty() ? unwritableRow(list, count) : date;
    if (!why.isEmpty()) {
        fail(error, why);
        return std::nullopt;
    }
    const QString folder = listMonthFolder(workDir, today);
    if (!QDir().mkpath(folder)) {
        fail(error, QStringLiteral("无法创建文件夹“%1”！").arg(QDir::toNativeSeparators(folder)));
        return std::nullopt;
    }
    const QByteArray bytes = listBytes(list, count);
    for (int n = 1; n <= kMaxListsPerDay; ++n) {
        const QString path = folder + u'/' + listFileName(today, n);
        switch (createExactly(path, bytes, error)) {
        case Created::Made:
            return SavedList{path, count};
        case Created::Taken:
            continue;
        case Created::Failed:
            return std::nullopt;
        }
    }
    fail(error, QStringLiteral("今天已存档%1份清单，无法再存档！").arg(kMaxListsPerDay));
    return std::nullopt;
}

namespace {

// Reads the ten rows of the batch into `out`, adding missing keys.
void readRows(ProfileBatch &file, ListRecord &out)
{
    for (int r = 0; r < kListRows; ++r) {
        for (int f = 0; f < kListFields; ++f)
            out.at(r, ListField(f)) = file.ReadKey(listRowsSection(), listKey(ListField(f), r), {});
    }
}

ListLoad finish(ProfileBatch &file, QString *error)
{
    if (file.changed() && !file.save(error))
        return ListLoad::Incomplete;
    return ListLoad::Loaded;
}

} // namespace

ListLoad loadListFile(const QString &path, ListRecord &out, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        fail(error, QStringLiteral("文件不存在！"));
        return ListLoad::Failed;
    }
    ProfileBatch file(path);
    if (file.failed()) {
        fail(error, file.failure());
        return ListLoad::Failed;
    }
    ListRecord loaded;
    loaded.date = file.ReadKey(listInfoSection(), kDate, {});
    loaded.count = file.ReadKey(listInfoSection(), kCount, {});
    readRows(file, loaded);
    out = std::move(loaded);
    return finish(file, error);
}

bool stashRows(const QString &configIni, const ListRecord &list, QString *error)
{
    const QString why = unwritableRow(list, kListRows);
    if (!why.isEmpty()) {
        fail(error, why);
        return false;
    }
    ProfileBatch file(configIni);
    if (file.failed()) {
        fail(error, file.failure());
        return false;
    }
    for (int r = 0; r < kListRows; ++r) {
        for (int f = 0; f < kListFields; ++f) {
            if (!file.WriteKey(listRowsSection(), listKey(ListField(f), r),
                               quotedForWriting(list.at(r, ListField(f))), error))
                return false;
        }
    }
    return file.save(error);
}

bool clearStash(const QString &configIni, QString *error)
{
    ProfileBatch file(configIni);
    if (file.failed()) {
        fail(error, file.failure());
        return false;
    }
    for (int r = 0; r < kListRows; ++r) {
        for (int f = 0; f < kListFields; ++f) {
            if (!file.DeleteKey(listRowsSection(), listKey(ListField(f), r), error))
                return false;
        }
    }
    return file.save(error);
}

ListLoad restoreStash(const QString &configIni, ListRecord &out, QString *error)
{
    ProfileBatch file(configIni);
    if (file.failed()) {
        fail(error, file.failure());
        return ListLoad::Failed;
    }
    ListRecord read;
    readRows(file, read);
    out.rows = read.rows;
    return finish(file, error);
}

} // namespace portdesk
