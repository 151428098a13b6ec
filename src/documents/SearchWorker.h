#pragma once
// The search's index at work on a thread of its own, so that a hundred
// thousand files read the first time never hold up the window. Requests are
// queued calls; between batches of files read it answers searches with the
// index as it stands.
#include "model/DeclarationIndex.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace portdesk {

class SearchWorker : public QObject {
    Q_OBJECT
public:
    SearchWorker(const QString &workDir, const QString &cacheFile);
    ~SearchWorker() override;

    // Brings the index up to date with the files, a batch at a time.
    void refresh();
    // The newest matches of `query`; `ticket` comes back with them.
    void find(const QString &query, int ticket);

signals:
    // While files are read: how many of how many.
    void progress(int done, int total);
    // The index holds every file as it was at the start of the refresh.
    void refreshed(const QString &error);
    void found(int ticket, const std::vector<portdesk::FoundDeclaration> &results,
               const QString &error);

private:
    void readBatch();
    bool ensureOpen(QString *error);

    QString workDir_, cacheFile_;
    std::unique_ptr<DeclarationIndex> index_;
    bool refreshing_ = false, refreshAgain_ = false;
    std::size_t total_ = 0;
};

// What a search window shows at most: more than anyone reads, and looking
// at each result's file before it is shown stays quick.
inline constexpr std::size_t kShownResults = 500;

} // namespace portdesk

Q_DECLARE_METATYPE(std::vector<portdesk::FoundDeclaration>)
