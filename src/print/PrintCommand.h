#pragma once
// DaYin, the print command: moves the focus to the consignee, checks the
// work directory, runs the print checks over the main window's declaration
// and the consignee register as its file holds it, refuses a declaration its
// printed file could not hold (the cursor on the field to correct), and on
// success opens the
// printout window Print_BJD (one at a time). What happens after printing
// (saving into Saved/Printed, the printed state) is handed in by the wiring
// as `recordPrinted`.
#include "model/FieldRef.h"
#include "print/PrintWindow.h"

#include <QObject>
#include <QPointer>

namespace portdesk {

class MainPage;

class PrintCommand : public QObject {
    Q_OBJECT
public:
    PrintCommand(MainPage &page, PrintWindow::RecordPrinted recordPrinted);

    // The open printout window; null when none is open.
    PrintWindow *window() const { return window_; }

    void run();

private:
    void moveFocus(const FieldRef &field);

    MainPage &page_;
    PrintWindow::RecordPrinted recordPrinted_;
    QPointer<PrintWindow> window_;
};

} // namespace portdesk
