#pragma once
// RecoveryKeeper: keeps the declaration being typed in this program's
// recovery copy while the form holds changes no file has, and offers a
// crashed program's copy at start.
//
// A change starts a short timer (never restarted, so a clerk typing on
// never postpones the copy); the copy is written when it fires, not on the
// keystroke. Storing the record, a load (new, open, stepping) and a normal
// exit remove the copy.
#include "model/RecoveryFile.h"

#include <QObject>
#include <QTimer>
#include <chrono>

namespace portdesk {

class DocumentCommands;
class MainPage;
struct Context;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds delay{2000};

    RecoveryKeeper(MainPage &page, DocumentCommands &documents);
    ~RecoveryKeeper() override;

    const QString &path() const { return slot_.path(); }
    // Writes the copy now when changes wait for it.
    void flush();
    // The form holds nothing unsaved any more: the copy goes.
    void discard();
    // Offers the copies of programs that are gone, newest first, until one
    // is restored; declined ones are removed.
    void offerLeftovers();

private:
    void changed();
    void warnOnce(const QString &what, const QString &why);

    MainPage &page_;
    DocumentCommands &documents_;
    Context &ctx_;
    RecoverySlot slot_;
    QTimer timer_;
    bool pending_ = false;
    bool restoring_ = false;
    bool warned_ = false;
};

} // namespace portdesk
