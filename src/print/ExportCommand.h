#pragma once
// DaoChu, the clipboard export: the report line of the archived declaration
// open in the main window, put on the clipboard for the office's report.
// Without a declaration number it archives instead (`archive`, handed in by
// the wiring).
#include <QObject>
#include <functional>

namespace portdesk {

class MainPage;

class ExportCommand : public QObject {
    Q_OBJECT
public:
    ExportCommand(MainPage &page, std::function<void()> archive);
    void run();

private:
    MainPage &page_;
    std::function<void()> archive_;
};

} // namespace portdesk
