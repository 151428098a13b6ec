#pragma once
// The file browser's position as a value: which folder option is chosen, the
// archive's year and month, the folder listed, its declaration files in the
// order shown and the selected one. The browser window holds it and draws
// it; its commands and the main window's save and step read it, never the
// widgets.
//
// What the position reads of the disk comes through a FolderReader, so that
// its rules run on a table as well as on the work directory.
#include "model/DocumentState.h"

#include <QDate>
#include <QStringList>
#include <optional>

namespace portdesk {

// The three document folders ('/' separators, no trailing separator).
struct BrowserDirs {
    QString saved, printed, archived;
};

class FolderReader {
public:
    virtual ~FolderReader() = default;
    // The folder's *.dcl names in the order they are shown; empty when missing.
    virtual QStringList files(const QString &folder) const = 0;
    // The folder's subfolders (years, months) in the order they are offered.
    virtual QStringList subfolders(const QString &folder) const = 0;
    virtual bool exists(const QString &folder) const = 0;
    // When the folder's entries last changed; invalid when unknown.
    virtual QDateTime modified(const QString &folder) const = 0;
};

// What a listing knows of its folder's change time: the time read just
// before the listing, since when (on this desk's own monotonic clock, in
// ms) that same time has been seen, and whether the listing was taken after
// it had stood long enough that a later change must show as a newer time.
struct FolderStamp {
    QDateTime modified;
    qint64 seenSince = -1; // -1: not yet checked
    bool trusted = false;

    bool operator==(const FolderStamp &) const = default;
};

// The coarsest tick of a file system's change times (FAT keeps two
// seconds): a change within the tick of the time read shows no new time.
constexpr qint64 kFolderTickMs = 2000;

// The folder an option lists. In the archive a year without a month lists
// the year's folder, and no year the archive itself.
QString browserFolder(const BrowserDirs &dirs, DocFolder option, const QString &year = {},
                      const QString &month = {});

// The row a step to the previous (-1) or next (+1) file leads to: past
// either end it wraps around, and from no selection previous is the last
// file and next the first. -1 when there is no file.
int stepTarget(int selected, int count, int direction);

struct BrowserPosition {
    std::optional<DocFolder> option; // none until the browser is first prepared
    QStringList years;               // the archive's year folders, read once
    QString year, month;             // as the archive shows them; no month until one is picked
    QStringList months;              // the month folders of the shown year
    QString folder;                  // the folder listed
    QStringList files;               // its declaration files, in the order shown
    int selected = -1;               // index into files; -1: none
    FolderStamp stamp;               // of the folder when files was read

    int count() const { return int(files.size()); }
    // Empty for an index out of range.
    QString fileName(int index) const;
    QString pathOf(int index) const;
    int indexOf(const QString &name) const;

    bool archive() const { return option == DocFolder::Archived; }
    bool hasSelection() const { return selected >= 0; }
    // Only a manually saved file may be renamed.
    bool canRename() const { return hasSelection() && option == DocFolder::Saved; }
    // The count line under the list: the selected file's place, or the total.
    QString countLine() const;
    int stepTarget(int direction) const
    {
        return portdesk::stepTarget(selected, count(), direction);
    }

    // The first showing: the archive's years, then the printed files.
    void prepare(const BrowserDirs &dirs, const FolderReader &disk, const QDate &today);
    // Chooses an option and lists its folder afresh, even when already chosen.
    // The archive shows this year and month and lists the month's folder, or
    // the archive itself while the month has no folder.
    void chooseOption(DocFolder chosen, const BrowserDirs &dirs, const FolderReader &disk,
                      const QDate &today);
    // A year picked from the list offers its months and lists its folder;
    // no month is chosen until one is picked. Out of range: nothing changes.
    void pickYear(int index, const BrowserDirs &dirs, const FolderReader &disk);
    void pickMonth(int index, const BrowserDirs &dirs, const FolderReader &disk);

    // Reads the folder again with nothing selected.
    void refresh(const FolderReader &disk);
    // Reads the folder again and selects the selected file again when it is
    // still there.
    void reread(const FolderReader &disk);
    // Before a step: reads the folder again, keeping the selected file,
    // unless its change time shows that the listing is still whole. `nowMs`
    // is this desk's monotonic clock. True when it read the folder.
    bool rereadIfChanged(const FolderReader &disk, qint64 nowMs);
    // Out of range selects nothing.
    void select(int index);

    bool operator==(const BrowserPosition &) const = default;
};

} // namespace portdesk
