#pragma once
// The month's report from the main window (Ctrl+M): asks the year and month,
// puts every archived declaration's report line of that month on the
// clipboard in one step, then offers to save the same report as a workbook.
#include <QObject>

namespace portdesk {

class MainPage;

class MonthReportAction : public QObject {
    Q_OBJECT
public:
    explicit MonthReportAction(MainPage &page);
    void run();

private:
    MainPage &page_;
};

} // namespace portdesk
