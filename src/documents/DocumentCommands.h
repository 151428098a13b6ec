#pragma once
// DocumentCommands: the main window's document commands and state.
//
// New (XinJian), open (DaKai), save and save-as (LingCun), previous/next
// (FanYe(0)/FanYe(1)) and the origin-folder label WenJianJia; the writer
// DoBaoCun and reader DoDaKai on DangQianWenJian; the document state shown
// beside the record (caption, Tip, WenJianJia, BaoJianXinXi, LiuLan, GuiDang,
// FeiYong, DaoChu, the consignee lock). Owns the file browser ViewFiles,
// shows it beside the main window when the main window first appears, and
// keeps the main window disabled while the browser is shown.

#include "model/DocumentSession.h"
#include "model/KeptBytes.h"

#include <QObject>
#include <memory>

namespace portdesk {

class MainPage;
class ViewFiles;
struct Context;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    explicit DocumentCommands(MainPage &page);
    ~DocumentCommands() override;

    ViewFiles &browser() { return *browser_; }
    const DocumentSession &session() const { return session_; }

    // Writes the record into the session's file. On success: caption, consignee
    // lock and the success message. On failure nothing changes, and the
    // reason is set in `error` when given, else shown.
    bool DoBaoCun(QString *error = nullptr);
    // Loads the session's file into the main window, or says why it cannot.
    bool DoDaKai();

    // The caption, status line, origin folder, archive/fees/export buttons
    // and consignee lock that `event` leaves behind.
    void applyState(DocEvent event);
    // Position label and step buttons from the browser's position.
    void updatePosition();
    // Shows the browser and disables the main window until it closes.
    void showBrowser();

    void newDeclaration();
    void open();
    void save();
    void step(int direction); // -1 previous, +1 next
    void browseOriginFolder();
    // After printing: stores the record as a new file at `path` (in
    // Saved/Printed; numbered when the name is taken) and shows the printed state, the browser on
    // the printed files. False, with the main window unchanged and `error` set to the reason (not
    // shown), when the file was not written.
    bool printed(const QString &path, QString *error);
    // Opens an archived declaration picked outside the browser: the archived
    // state, with no place in the browser's folder to step from. False, with
    // the main window unchanged, when it could not be opened (the reason shown).
    bool openArchived(const QString &path);
    // Opens a declaration the search found, in the state the browser's open
    // of its folder gives it; the browser closes when it was shown.
    bool openFound(const QString &path, portdesk::DocFolder folder);

    // After archiving moved the file to `path`: the particulars, "归档成功！",
    // and either the archived declaration (the browser's folder is empty now)
    // or the last file still waiting there.
    void archived(const QString &path, const QString &number, const QString &date);

    // Puts a declaration kept through a crash back on the form, as part of
    // the file it came from when that file is still there, else as a new one.
    void restore(const Declaration &content, const KeptFields &kept, const QString &file);

signals:
    // The record on screen was written into a file (saved or printed).
    void stored();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Shows the session: caption, Tip, WenJianJia, BaoJianXinXi, LiuLan, FanYe,
    // GuiDang, FeiYong, DaoChu, the consignee lock; DangQianWenJian follows it.
    void render();
    void openFromBrowser(const QString &path, int option);
    void browserClosing();
    void fileRenamed(const QString &from, const QString &to);
    void placeBrowserBeside();

    MainPage &page_;
    Context &ctx_;
    std::unique_ptr<ViewFiles> browser_;
    DocumentSession session_ = startSession();
    bool shownAtStart_ = false;
};

} // namespace portdesk
