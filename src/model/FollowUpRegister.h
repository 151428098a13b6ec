#pragma once
// Follow-up work on archived declarations: the five items' statuses in each
// declaration's own file (section 后期事项), and the register of declarations
// with unfinished items (Config/Tobedone.ini), shared by every desk. Every
// change of the register is made under its lock on the file as it is then,
// so two desks registering at once lose no entry.
#include <QString>
#include <array>

namespace portdesk {

class ProfileBatch;

inline constexpr int kFollowUpItems = 5;

struct FollowUpItem {
    const char *control; // GaiDan: index 0 the item box, index 1 its done box
    const char *key;     // in 后期事项
    const char *caption;
};
// In the order they are written, checked and cleared.
const std::array<FollowUpItem, kFollowUpItems> &followUpItems();

enum class ItemStatus { None, Open, Done }; // key absent or empty, "0", "1"
using ItemStatuses = std::array<ItemStatus, kFollowUpItems>;

QString followUpItemSection(); // 后期事项

// The five statuses; missing keys are added empty to the batch.
ItemStatuses readItemStatuses(ProfileBatch &declaration);
// Writes "0" or "1" for each applying item and deletes the others' keys.
bool writeItemStatuses(ProfileBatch &declaration, const ItemStatuses &statuses, QString *error);

// No item applies, or every applying item is done.
bool followUpFinished(const ItemStatuses &statuses);

// consignee(number,date) from the declaration's file.
QString followUpDisplayText(ProfileBatch &declaration);
QString followUpDisplayText(const QString &consignee, const QString &number, const QString &date);

// The declaration's path as the register keeps it: below the work directory,
// Windows separators, starting with "\" ("\Saved\Archived\2014\03\x.dcl").
QString registerRelativePath(const QString &workDir, const QString &path);
QString pathFromRegister(const QString &workDir, const QString &relative);
// The relative path the register holds for a display text; empty if none.
QString registeredPath(const QString &tobedoneIni, const QString &displayText);

// Puts an open declaration into the register: its index entry and the
// lowest free slot (a hole first, else one past X). Nothing changes when it
// is already there. False, with `error` set, when the file could not be
// locked, read or written, or when all slots are taken.
bool enterFollowUp(const QString &tobedoneIni, const QString &displayText,
                   const QString &relativePath, QString *error);
// Takes a finished declaration out: its index entry and every slot holding
// its text (X stays; the slots become holes).
bool leaveFollowUp(const QString &tobedoneIni, const QString &displayText, QString *error);
// After archiving again moved a declaration (a new number, date or folder):
// its entry follows it, under its new display text and path, in the same
// slot. Nothing changes when `oldText` is not registered.
bool moveFollowUp(const QString &tobedoneIni, const QString &oldText, const QString &newText,
                  const QString &newRelativePath, QString *error);
// An empty list gets X = 0 again.
bool resetEmptyFollowUps(const QString &tobedoneIni, QString *error);

} // namespace portdesk
