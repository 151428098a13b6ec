#pragma once
// Browsing the stored lists: the year folders of Saved/QingDan, the month
// folders of a year, the files of a month, and the list window's place in
// a month's files as a value. What is read of the disk comes through a
// ListShelfReader, so that the rules run on a table as well.
#include <QString>
#include <QStringList>

namespace portdesk {

class ListShelfReader {
public:
    virtual ~ListShelfReader() = default;
    // Names of the folder's subfolders; empty when it is missing.
    virtual QStringList subfolders(const QString &folder) const = 0;
    // Names of all the folder's files, any extension; empty when missing.
    virtual QStringList files(const QString &folder) const = 0;
};

// The reader of the real folders.
class DiskListShelf final : public ListShelfReader {
public:
    QStringList subfolders(const QString &folder) const override;
    QStringList files(const QString &folder) const override;
};

// In name order; `root` is listsRoot() of the work directory.
QStringList listYears(const ListShelfReader &disk, const QString &root);
QStringList listMonths(const ListShelfReader &disk, const QString &root, const QString &year);
QString listMonthPath(const QString &root, const QString &year, const QString &month);

// The month's files and the selected one.
struct ListPosition {
    QString folder;    // empty until a month is chosen
    QStringList files; // in name order
    int selected = -1; // -1: none

    int count() const { return int(files.size()); }
    bool hasSelection() const { return selected >= 0 && selected < count(); }
    // Previous and next need two lists to step between.
    bool canStep() const { return count() >= 2; }
    QString selectedName() const;
    QString selectedPath() const;
    // "2/5"; "无清单" for a chosen month without files; empty otherwise.
    QString line() const;

    // Lists the month's files and selects the first, if any.
    void choose(const ListShelfReader &disk, const QString &monthFolder);
    // Reads the folder again, e.g. after a delete or an archive: the
    // selected file stays selected when it is still there, else the file
    // now at its place (or the last), so the selection stays in the list.
    void reread(const ListShelfReader &disk);
    // The index a step leads to: wraps around at both ends; from no
    // selection previous gives the last and next the first. -1 without files.
    int previous() const;
    int next() const;
    void select(int index);
    // Forgets the selection (a new list), keeping the folder.
    void clearSelection() { selected = -1; }

    bool operator==(const ListPosition &) const = default;
};

} // namespace portdesk
