#pragma once
// ViewFiles ("浏览文件"): the file browser over the three document folders.
//
// Option1(0..2) choose Saved, Saved/Printed or the archive; for the archive
// Combo1/Combo2 (captions Label1(0)/Label1(1)) pick year and month, for the
// other two Tip describes the folder. File1 lists the folder's *.dcl files in
// name order, ZongJi counts them. Cmd(0..3): open, close, delete, rename.
//
// Its state is a BrowserPosition: every click, pick or key that changes the
// folder or the selection updates the value first, then the window draws it.
// The commands and the count line read the value, never the widgets.
//
// The browser knows nothing of the main window: opening a file and closing
// are signals that DocumentCommands acts on. It is made once, then only
// hidden and shown; the main window's save and step commands use its
// position while it is hidden.
#include "form/PickList.h"
#include "model/BrowserPosition.h"
#include "platform/Context.h"

#include <QElapsedTimer>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QListView;
class QStringListModel;
class QPushButton;
class QRadioButton;

namespace portdesk {

class ViewFiles : public QWidget {
    Q_OBJECT
public:
    explicit ViewFiles(Context &ctx, QWidget *parent = nullptr);

    std::array<QRadioButton *, 3> Option1{};
    std::array<QLabel *, 2> Label1{};
    PickList *Combo1 = nullptr; // year
    PickList *Combo2 = nullptr; // month
    QLabel *Tip = nullptr;
    QListView *File1 = nullptr;
    QLabel *ZongJi = nullptr;
    std::array<QPushButton *, 4> Cmd{};

    // The first showing's preparation (Saved folder, year list, the printed
    // files); runs once, before anything else uses the list.
    void prepare();

    const BrowserPosition &position() const { return position_; }

    // -1 until the first preparation.
    int option() const { return position_.option ? int(*position_.option) : -1; }
    // Chooses an option and re-reads its folder, even when already chosen.
    void chooseOption(int index);
    // SyncBrowserFolder: the option the main window's origin-folder label
    // names, chosen only when it is not chosen already.
    void syncToFolderLabel(const QString &label);

    QString folder() const { return position_.folder; }
    int count() const { return position_.count(); }
    int selected() const { return position_.selected; }
    QString fileName(int index) const { return position_.fileName(index); }
    QString pathOf(int index) const { return position_.pathOf(index); }
    int indexOf(const QString &name) const { return position_.indexOf(name); }
    void select(int index);
    // Re-reads the current folder and selects the selected file again when
    // it is still there.
    void reread();
    // Before a step: re-reads only when the folder may have changed since
    // it was listed. True when it read the folder.
    bool rereadIfChanged();

    // "取消(&Q)": hands the folder back to the main window and hides.
    void closeBrowser();

signals:
    // A file was chosen for opening from the folder of `option`.
    void openRequested(const QString &path, int option);
    // The browser is about to hide; the main window takes over again.
    void closing();
    void renamed(const QString &fromPath, const QString &toPath);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void build();
    BrowserDirs dirs() const;
    void yearPicked(int index);
    void monthPicked(int index);
    void highlightChanged();
    int highlightedRow() const;
    void openSelected();
    void deleteSelected();
    void renameSelected();

    // Drawing the position: the folder choice (options, Tip, year and month),
    // the list as read, the selection with the count line and the commands.
    void drawFolder();
    void drawChoice();
    void drawList();
    void drawSelection();

    Context &ctx_;
    BrowserPosition position_;
    QStringListModel *names_ = nullptr;
    QElapsedTimer clock_;  // the listing's age, by this desk's own clock
    bool drawing_ = false; // the list's own signals while it is drawn are no clicks
    bool prepared_ = false;
    bool stale_ = false; // the folder may have changed while hidden
};

} // namespace portdesk
