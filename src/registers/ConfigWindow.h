#pragma once
// Config: the settings window "设置".
//
// Three groups: the office's particulars QY(0)..QY(4) and the declaration-
// number prefix BJH, both kept in Config/Config.ini of the work directory in
// use; and the work directory ML, kept in Portdesk.ini beside the program and
// used from the next start. Closing with a changed ML asks whether to record
// it and end the program.
#include "platform/Context.h"
#include "store/OfficeSettings.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace portdesk {

class MainPage;

class ConfigWindow : public QWidget {
    Q_OBJECT
public:
    // `mainWindow` is closed (asking its own exit question) once a new work
    // directory has been recorded.
    ConfigWindow(Context &ctx, QWidget *mainWindow, QWidget *parent = nullptr);

    std::array<QLineEdit *, kOfficeFields> QY{};
    QLineEdit *BJH = nullptr;
    QLineEdit *ML = nullptr;
    QLabel *MLinfo = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdExit = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void save();
    // The typed work directory when it is a usable folder; otherwise says why,
    // puts the one in use back and returns it.
    QString checkedWorkDir();

    Context &ctx_;
    QPointer<QWidget> main_;
    bool recorded_ = false;
};

// Connects SheZhi: opens the settings window without modality, or brings the
// open one to the front.
void attachConfigWindow(MainPage &page);

} // namespace portdesk
