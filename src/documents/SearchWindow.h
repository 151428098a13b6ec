#pragma once
// ChaZhao ("查找"): one box and the declarations whose number, consignee,
// bill of lading, contract, container numbers, goods names or H.S. codes hold
// what it says, newest first, over the drafts, the printed and every
// archived month. Enter or a double-click opens one in the main window.
//
// GuanJianZi is the box, JieGuo the results (报检号, 日期, 收货人, 提运单号,
// 文件夹), JinDu the progress of reading files into the index, ZhuangTai
// what was found. The index lives on this desk (SearchWorker, on its own
// thread); each showing, and a search a while after the last look, looks
// again at the files, and a search typed while it reads is answered with
// the index as it stands, then again once it is up to date.
#include "model/DeclarationIndex.h"
#include "platform/Context.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace portdesk {

class DocumentCommands;
class MainPage;
class SearchWorker;

class SearchWindow : public QWidget {
    Q_OBJECT
public:
    explicit SearchWindow(Context &ctx);
    ~SearchWindow() override;

    QLineEdit *GuanJianZi = nullptr;
    QTreeWidget *JieGuo = nullptr;
    QProgressBar *JinDu = nullptr;
    QLabel *ZhuangTai = nullptr;

    // Shows the window with the box ready for typing (centred over `over`
    // the first time), and looks again at the files.
    void open(const QWidget &over);

signals:
    // A result was chosen: its file, and the folder it lies in.
    void openRequested(const QString &path, portdesk::DocFolder folder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void search();
    void showFound(int ticket, const std::vector<FoundDeclaration> &results, const QString &error);
    void showProgress(int done, int total);
    void refreshed(const QString &error);
    void openCurrent();
    void openItem(QTreeWidgetItem *item);
    void lookAgain();

    Context &ctx_;
    QThread thread_;
    SearchWorker *worker_ = nullptr;
    QTimer pause_;
    std::vector<FoundDeclaration> results_;
    int ticket_ = 0, shownTicket_ = 0;
    bool openWhenShown_ = false; // Enter came before the results
    bool placed_ = false;
    QElapsedTimer sinceLook_; // since the files were last looked at
};

// Ctrl+F in the main window and in the file browser.
void attachSearchWindow(MainPage &page, DocumentCommands &documents);

} // namespace portdesk
