#pragma once
// Copies a crashed save leaves beside a file. QSaveFile writes the new
// content to "<name>.XXXXXX" (six random letters) and renames it over the
// file; a crash between the two leaves that copy behind for good.
#include <QString>
#include <chrono>

namespace portdesk {

// A younger copy may be another desk's save in progress.
inline constexpr std::chrono::hours saveLeftoverAge{1};

// Removes this file's leftover copies older than `age`. Removal is
// housekeeping: a copy that cannot be removed is left for the next save.
void removeSaveLeftovers(const QString &file, std::chrono::seconds age = saveLeftoverAge);

// Whether `name` is a copy QSaveFile makes while saving `file`'s name.
bool isSaveLeftoverName(const QString &fileName, const QString &name);

} // namespace portdesk
