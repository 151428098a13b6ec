#include "documents/SearchWorker.h"

#include <QMetaObject>

namespace portdesk {

namespace {

constexpr std::size_t kBatch = 256;

} // namespace

SearchWorker::SearchWorker(const QString &workDir, const QString &cacheFile)
    : workDir_(workDir), cacheFile_(cacheFile)
{
    qRegisterMetaType<std::vector<FoundDeclaration>>();
}

SearchWorker::~SearchWorker() = default;

bool SearchWorker::ensureOpen(QString *error)
{
    if (index_)
        return true;
    auto index = std::make_unique<DeclarationIndex>(workDir_, cacheFile_);
    if (!index->open(error))
        return false;
    index_ = std::move(index);
    return true;
}

void SearchWorker::refresh()
{
    // Asked again while reading: once this one ends, a new look.
    if (refreshing_) {
        refreshAgain_ = true;
        return;
    }
    QString error;
    if (!ensureOpen(&error) || !index_->scan(&error)) {
        emit refreshed(error);
        return;
    }
    refreshing_ = true;
    total_ = index_->waiting();
    readBatch();
}

void SearchWorker::readBatch()
{
    QString error;
    if (index_->waiting() > 0 && !index_->readSome(kBatch, &error)) {
        refreshing_ = false;
        emit refreshed(error);
        return;
    }
    if (index_->waiting() > 0) {
        emit progress(int(total_ - std::min(total_, index_->waiting())), int(total_));
        // Queued, so that searches asked meanwhile are answered in between.
        QMetaObject::invokeMethod(this, &SearchWorker::readBatch, Qt::QueuedConnection);
        return;
    }
    refreshing_ = false;
    emit refreshed(QString());
    if (refreshAgain_) {
        refreshAgain_ = false;
        refresh();
    }
}

void SearchWorker::find(const QString &query, int ticket)
{
    QString error;
    std::vector<FoundDeclaration> results;
    if (ensureOpen(&error))
        results = index_->find(query, kShownResults, &error);
    emit found(ticket, results, error);
    // A damaged cache was started afresh: filled again from the files.
    if (!error.isEmpty() && index_)
        refresh();
}

} // namespace portdesk
