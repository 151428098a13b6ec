#pragma once
// The stash of an unfinished list (section 清单报检 of Config.ini): the ten
// rows' 90 keys, empty values included, and nothing else. Kept small and
// private to the list window until the list file's own stash functions take
// over.
#include "model/ListRecord.h"

namespace portdesk {

// Fills the rows of `list` from the stash; missing keys are added empty.
// False, with `error` set, when the file could not be read or the added keys
// not written (the rows read are kept).
bool readListStash(const QString &configIni, ListRecord &list, QString *error);
// Writes all 90 keys from the rows of `list`.
bool writeListStash(const QString &configIni, const ListRecord &list, QString *error);
// Deletes all 90 keys.
bool deleteListStash(const QString &configIni, QString *error);

} // namespace portdesk
