#pragma once
// The main window's consignee field: its list filled from the register at
// start-up, the save command enabled only while a consignee is entered, and
// the register window opened from SHRgl with the main window disabled while
// it is shown.
#include <QObject>
#include <QStringList>

namespace portdesk {

class ConsigneeWindow;
class MainPage;
class WindowOpener;

class ConsigneeField : public QObject {
    Q_OBJECT
public:
    explicit ConsigneeField(MainPage &page);

    // The register window while it is open.
    ConsigneeWindow *registerWindow() const;

    // SHRgl: opens the register window, or says why it cannot.
    void openRegister();

private:
    void picked();
    void textChanged(const QString &text);
    void added(const QString &name);

    MainPage &page_;
    // The register's names as the main window's list shows them.
    QStringList names_;
    WindowOpener *opener_; // owned by the page
};

} // namespace portdesk
