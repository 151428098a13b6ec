#pragma once
// GuiDang, archiving: asks the declaration number and date, moves the file
// into the archive folder of its year and month under its number, and hands
// the result to the document commands; and a click on the particulars label
// BaoJianXinXi, which copies the full declaration number.
#include <QObject>
#include <QString>

namespace portdesk {

class DocumentCommands;
class MainPage;
struct Context;

class ArchiveCommand : public QObject {
    Q_OBJECT
public:
    ArchiveCommand(MainPage &page, DocumentCommands &documents);

    void run();
    void copyNumber();

private:
    // The prompts, again until acceptable; false when the clerk stops.
    bool askNumber(const QString &proposal, QString *number);
    bool askDate(const QString &proposal, QDate *date);
    // A follow-up entry of the declaration follows it to its new place.
    void followRegister(const QString &oldText, const QString &newText, const QString &to);

    MainPage &page_;
    DocumentCommands &documents_;
    Context &ctx_;
};

} // namespace portdesk
