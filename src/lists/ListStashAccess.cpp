#include "lists/ListStashAccess.h"

#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

namespace portdesk {

namespace {

const QString &stashSection()
{
    static const QString s = QStringLiteral("清单报检");
    return s;
}

template <typename Each> bool eachKey(ProfileBatch &file, QString *error, Each each)
{
    if (file.failed()) {
        if (error)
            *error = file.failure();
        return false;
    }
    for (int row = 0; row < kListRows; ++row) {
        for (int i = 0; i < kListFields; ++i) {
            if (!each(row, ListField(i)))
                return false;
        }
    }
    return !file.changed() || file.save(error);
}

} // namespace

bool readListStash(const QString &configIni, ListRecord &list, QString *error)
{
    ProfileBatch file(configIni);
    return eachKey(file, error, [&](int row, ListField field) {
        list.at(row, field) = file.ReadKey(stashSection(), listKey(field, row), QString(), error);
        return true;
    });
}

bool writeListStash(const QString &configIni, const ListRecord &list, QString *error)
{
    ProfileBatch file(configIni);
    return eachKey(file, error, [&](int row, ListField field) {
        return file.WriteKey(stashSection(), listKey(field, row),
                             quotedForWriting(list.at(row, field)), error);
    });
}

bool deleteListStash(const QString &configIni, QString *error)
{
    ProfileBatch file(configIni);
    return eachKey(file, error, [&](int row, ListField field) {
        return file.DeleteKey(stashSection(), listKey(field, row), error);
    });
}

} // namespace portdesk
