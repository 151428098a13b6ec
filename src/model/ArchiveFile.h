#pragma once
// Moving a declaration into the archive under its number and date. The
// archived copy is made whole, with its number and date already in it, under
// a name no other file has, and only then is the old file removed: a crash
// leaves the declaration whole where it was, or whole in both places, which
// the next archiving with the same number and date completes.
#include <QString>

namespace portdesk {

enum class ArchiveOutcome { Archived, Duplicate, Failed };

// Moves `from` to `to` (whose folder must exist), writing 报检信息/报检号 and
// 报检日期 into it. Duplicate: another declaration has `to` already; nothing
// changed. Failed, with `error` set: nothing changed either.
ArchiveOutcome archiveDeclarationFile(const QString &from, const QString &to, const QString &number,
                                      const QString &date, QString *error);

} // namespace portdesk
