#pragma once
// The register of open follow-up items (Config/Tobedone.ini), read only.
//
// Section "待处理列表": key "X" is the number of slots in use; keys "1".."X"
// hold one display text per open declaration, an empty or missing slot being
// a hole. Reading never creates or changes the file.
#include <QString>
#include <QStringList>

namespace portdesk {

// The register holds at most this many slots.
inline constexpr int kFollowUpSlots = 255;

// The non-empty slot texts 1..X in slot order. X is read as the leading
// whole number of its value (0 when there is none), at most kFollowUpSlots.
// A register that exists but cannot be read lists nothing, with `error` set.
QStringList openFollowUps(const QString &tobedoneIni, QString *error = nullptr);

class ProfileBatch;
// X as read from the register, 0 to kFollowUpSlots.
int followUpSlotsInUse(ProfileBatch &tobedone);
QString followUpListSection(); // 待处理列表

int followUpCount(const QString &tobedoneIni);

// The badge tooltip for `count` open declarations.
QString followUpBadgeTip(int count);

} // namespace portdesk
