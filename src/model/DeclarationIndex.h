#pragma once
// The search's index: a cache on this desk of what every declaration below
// the work directory gives the search (SQLite, full-text with trigrams, so
// that any substring of three characters or more is looked up, not scanned).
// The files stay the truth: a missing, damaged or outdated cache is started
// afresh and filled again from them, and a file whose name, size or time
// differs from what the cache saw is read again before it is shown.
#include "model/DocumentState.h"
#include "store/DeclarationScan.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace portdesk {

struct FoundDeclaration {
    QString relative; // to the work directory, '/' separators
    DocFolder folder = DocFolder::Saved;
    QString number, date, consignee, billOfLading; // the date as searchShownDate gives it
};

// Where the index of `workDir` lives in this desk's cache folder: one file a
// work directory.
QString searchCacheFile(const QString &cacheDir, const QString &workDir);

class DeclarationIndex {
public:
    DeclarationIndex(const QString &workDir, const QString &cacheFile);
    ~DeclarationIndex();
    DeclarationIndex(const DeclarationIndex &) = delete;
    DeclarationIndex &operator=(const DeclarationIndex &) = delete;

    // Opens the cache, starting it afresh when it is missing, damaged, of
    // another version or made with another number prefix. False, with
    // `error` set, when no cache can be had at all.
    bool open(QString *error);

    // Looks at every declaration file: new and changed ones wait to be read,
    // gone ones are forgotten.
    bool scan(QString *error);
    std::size_t waiting() const { return waiting_.size(); }
    // Reads up to `count` of the waiting files into the cache.
    bool readSome(std::size_t count, QString *error);
    // scan(), then readSome() until nothing waits, telling progress(done, total).
    bool refresh(const std::function<void(std::size_t, std::size_t)> &progress, QString *error);

    // The declarations whose searched fields hold `query`, newest first, at
    // most `limit` of them. Each is looked at before it is given: a changed
    // one is read again (and left out if it no longer matches), a gone one
    // forgotten.
    std::vector<FoundDeclaration> find(const QString &query, std::size_t limit, QString *error);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    std::vector<ScannedFile> waiting_;
};

} // namespace portdesk
