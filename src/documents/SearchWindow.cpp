#include "documents/SearchWindow.h"

#include "documents/DocumentCommands.h"
#include "documents/SearchWorker.h"
#include "documents/ViewFiles.h"
#include "form/MainPage.h"
#include "form/WindowPlacement.h"
#include "model/SearchText.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace portdesk {

namespace {

// Long enough not to search after every letter of a name being typed.
constexpr int kTypingPauseMs = 150;
constexpr qint64 kLookAgainMs = 3000;

enum Column { Number, Date, Consignee, Bill, Folder, Columns };

} // namespace

SearchWindow::SearchWindow(Context &ctx) : QWidget(nullptr, Qt::Window), ctx_(ctx)
{
    setObjectName(QStringLiteral("ChaZhao"));
    setWindowTitle(QStringLiteral("查找"));
    resize(780, 440);

    GuanJianZi = new QLineEdit(this);
    GuanJianZi->setObjectName(QStringLiteral("GuanJianZi"));
    GuanJianZi->setPlaceholderText(
        QStringLiteral("报检号、收货人、提运单号、合同号、集装箱号、货物名称或 H.S. 编码"));
    GuanJianZi->setClearButtonEnabled(true);
    GuanJianZi->installEventFilter(this);

    JieGuo = new QTreeWidget(this);
    JieGuo->setObjectName(QStringLiteral("JieGuo"));
    JieGuo->setColumnCount(Columns);
    JieGuo->setHeaderLabels({QStringLiteral("报检号"), QStringLiteral("日期"),
                             QStringLiteral("收货人"), QStringLiteral("提运单号"),
                             QStringLiteral("文件夹")});
    JieGuo->setRootIsDecorated(false);
    JieGuo->setUniformRowHeights(true);
    JieGuo->setAllColumnsShowFocus(true);
    JieGuo->header()->setStretchLastSection(true);
    for (const auto &[column, width] :
         {std::pair{Number, 80}, {Date, 120}, {Consignee, 220}, {Bill, 150}})
        JieGuo->setColumnWidth(column, width);
    JieGuo->installEventFilter(this);
    // A row double-clicked is the one chosen, whatever search may be coming.
    connect(JieGuo, &QTreeWidget::itemDoubleClicked, this, &SearchWindow::openItem);

    JinDu = new QProgressBar(this);
    JinDu->setObjectName(QStringLiteral("JinDu"));
    JinDu->setFormat(QStringLiteral("正在建立查找索引：%v / %m"));
    JinDu->hide();
    ZhuangTai = new QLabel(this);
    ZhuangTai->setObjectName(QStringLiteral("ZhuangTai"));
    ZhuangTai->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(GuanJianZi);
    layout->addWidget(JieGuo, 1);
    layout->addWidget(JinDu);
    layout->addWidget(ZhuangTai);

    pause_.setSingleShot(true);
    pause_.setInterval(kTypingPauseMs);
    connect(&pause_, &QTimer::timeout, this, &SearchWindow::search);
    connect(GuanJianZi, &QLineEdit::textChanged, &pause_, qOverload<>(&QTimer::start));
}

SearchWindow::~SearchWindow()
{
    thread_.quit();
    thread_.wait();
    // Its thread has stopped: deleted here, closing the cache, since a
    // deleteLater would never run.
    delete worker_;
}

void SearchWindow::open(const QWidget &over)
{
    if (!worker_) {
        worker_ = new SearchWorker(ctx_.workDir, searchCacheFile(ctx_.cacheDir, ctx_.workDir));
        worker_->moveToThread(&thread_);
        connect(worker_, &SearchWorker::progress, this, &SearchWindow::showProgress);
        connect(worker_, &SearchWorker::refreshed, this, &SearchWindow::refreshed);
        connect(worker_, &SearchWorker::found, this, &SearchWindow::showFound);
        thread_.start();
    }
    lookAgain();
    if (!placed_) {
        show();
        centreOver(*this, over);
        placed_ = true;
    }
    bringToFront(*this);
    GuanJianZi->setFocus();
    GuanJianZi->selectAll();
}

void SearchWindow::search()
{
    pause_.stop();
    const QString query = GuanJianZi->text();
    ++ticket_;
    if (query.trimmed().isEmpty()) {
        showFound(ticket_, {}, QString());
        return;
    }
    const int ticket = ticket_;
    QMetaObject::invokeMethod(
        worker_, [w = worker_, query, ticket] { w->find(query, ticket); }, Qt::QueuedConnection);
    // Another desk may have changed a file into a match since the last look;
    // not after every letter, the look costs a walk over every file.
    if (sinceLook_.hasExpired(kLookAgainMs))
        lookAgain();
}

void SearchWindow::lookAgain()
{
    sinceLook_.start();
    QMetaObject::invokeMethod(worker_, &SearchWorker::refresh, Qt::QueuedConnection);
}

void SearchWindow::showFound(int ticket, const std::vector<FoundDeclaration> &results,
                             const QString &error)
{
    if (ticket != ticket_)
        return; // an older search, overtaken by typing
    shownTicket_ = ticket;
    results_ = results;
    JieGuo->clear();
    QList<QTreeWidgetItem *> items;
    for (const FoundDeclaration &f : results_) {
        items << new QTreeWidgetItem(QStringList{f.number, f.date, f.consignee, f.billOfLading,
                                                 searchFolderText(f.relative)});
        items.back()->setToolTip(Folder, f.relative);
    }
    JieGuo->addTopLevelItems(items);
    if (!items.isEmpty())
        JieGuo->setCurrentItem(items.first());
    const QString query = GuanJianZi->text().trimmed();
    if (!error.isEmpty())
        ZhuangTai->setText(QStringLiteral("查找失败：") + error);
    else if (query.isEmpty())
        ZhuangTai->clear();
    else if (results_.empty())
        ZhuangTai->setText(QStringLiteral("没有找到含有“") + query + QStringLiteral("”的报检单。"));
    else if (results_.size() >= kShownResults)
        ZhuangTai->setText(QStringLiteral("找到的报检单超过 %1 份，只列出最新的 %1 份；"
                                          "再多输入几个字可以找得更准。")
                               .arg(kShownResults));
    else
        ZhuangTai->setText(
            QStringLiteral("找到 %1 份报检单。按回车键或双击打开。").arg(results_.size()));
    if (openWhenShown_) {
        openWhenShown_ = false;
        openCurrent();
    }
}

void SearchWindow::showProgress(int done, int total)
{
    JinDu->setRange(0, total);
    JinDu->setValue(done);
    JinDu->show();
}

void SearchWindow::refreshed(const QString &error)
{
    sinceLook_.start();
    JinDu->hide();
    if (!error.isEmpty()) {
        ZhuangTai->setText(QStringLiteral("查找索引未能更新：") + error);
        return;
    }
    // What changed while the window was away may change the results.
    if (!GuanJianZi->text().trimmed().isEmpty())
        search();
}

void SearchWindow::openCurrent()
{
    // The results on screen are those of an older text while a search is
    // still to run or to come back: the choice waits for the new ones.
    if (pause_.isActive())
        search();
    if (shownTicket_ != ticket_) {
        openWhenShown_ = true;
        return;
    }
    openItem(JieGuo->currentItem());
}

void SearchWindow::openItem(QTreeWidgetItem *item)
{
    const int row = item ? JieGuo->indexOfTopLevelItem(item) : -1;
    if (row < 0 || std::size_t(row) >= results_.size())
        return;
    const FoundDeclaration chosen = results_[std::size_t(row)];
    openWhenShown_ = false;
    hide();
    emit openRequested(ctx_.workDir + u'/' + chosen.relative, chosen.folder);
}

bool SearchWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        openCurrent();
        return true;
    }
    // The results are stepped through from the box, so the hands stay on
    // the keys that typed the search.
    if (watched == GuanJianZi && (key->key() == Qt::Key_Down || key->key() == Qt::Key_Up ||
                                  key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp)) {
        QKeyEvent copy(key->type(), key->key(), key->modifiers());
        QCoreApplication::sendEvent(JieGuo, &copy);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SearchWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        openWhenShown_ = false;
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void attachSearchWindow(MainPage &page, DocumentCommands &documents)
{
    auto *window = new SearchWindow(page.context());
    QObject::connect(&page, &QObject::destroyed, window, [window] { delete window; });
    QObject::connect(window, &SearchWindow::openRequested, &documents,
                     &DocumentCommands::openFound);
    for (QWidget *host :
         {static_cast<QWidget *>(&page), static_cast<QWidget *>(&documents.browser())}) {
        auto *shortcut = new QShortcut(QKeySequence::Find, host);
        shortcut->setObjectName(QStringLiteral("ChaZhaoJian"));
        QObject::connect(shortcut, &QShortcut::activated, window,
                         [window, &page] { window->open(page); });
    }
}

} // namespace portdesk
