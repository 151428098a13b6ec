#pragma once
// The list file (.dcq) in Saved/QingDan/YYYY/MM and the stash of an
// unfinished list in Config.ini. Every operation reads its file once and
// writes it at most once, whole; a failure is returned with its reason.
#include "model/ListRecord.h"

#include <QDate>
#include <QString>
#include <optional>

namespace portdesk {

inline const QString &listInfoSection()
{
    static const QString s = QStringLiteral("申报信息");
    return s;
}

inline const QString &listRowsSection()
{
    static const QString s = QStringLiteral("清单报检");
    return s;
}

// Lists of one day are numbered (1), (2), ...; past (9) the series goes on
// with (10), (11), ... so that no stored list is ever replaced, up to this.
inline constexpr int kMaxListsPerDay = 999;

// "2014.03.07(2).dcq"
QString listFileName(const QDate &day, int n);

// The work directory's Saved/QingDan, matched without regard to case as the
// Windows desks see it: an existing "qingdan" is the same folder.
QString listsRoot(const QString &workDir);
// listsRoot/YYYY/MM of `day`.
QString listMonthFolder(const QString &workDir, const QDate &day);

struct SavedList {
    QString path;
    int count = 0; // the tickets stored
};

// Stores the list's tickets (its leading filled rows) under the first free
// name of `today` in today's month folder, creating the folders. The name is
// taken by creating the file exclusively, so two desks archiving at the same
// moment get two names. nullopt, with `error` set, when nothing was stored:
// an empty list, a value the file cannot hold, a folder or file that cannot
// be made, all names of the day taken.
std::optional<SavedList> saveListFile(const QString &workDir, const ListRecord &list,
                                      const QDate &today, QString *error);

// Loaded: all read. Incomplete: all read, but the keys the file lacked could
// not be added (`error` tells why). Failed: nothing read (`error`).
enum class ListLoad { Loaded, Incomplete, Failed };

// Reads date, count and the ten rows; the keys the file lacks are added
// empty, as the Windows desks' reads add them.
ListLoad loadListFile(const QString &path, ListRecord &out, QString *error);

// The stash in `configIni`: all ten rows' 90 keys, empty values included.
bool stashRows(const QString &configIni, const ListRecord &list, QString *error);
bool clearStash(const QString &configIni, QString *error);
// Fills the rows of `out` (date and count untouched); missing keys are
// added empty.
ListLoad restoreStash(const QString &configIni, ListRecord &out, QString *error);

} // namespace portdesk
