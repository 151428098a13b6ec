#include "store/WriteBack.h"

#include "store/SettingsStore.h"

namespace portdesk {

QString saveWriteBacks(ProfileBatch &file)
{
    QString error;
    if (file.changed() && !file.save(&error))
        return error;
    return {};
}

} // namespace portdesk
