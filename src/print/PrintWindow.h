#pragma once
// Print_BJD ("打印预览"): the printout window, preview and print medium of
// the declaration sheet.
//
// Borderless and white, it draws the sheet through paintSheet at 15 twips a
// pixel, and is dragged by the mouse anywhere on its surface. While it is
// open the main window is hidden. cmdPrint names the file the printed
// declaration will be stored under and makes its folder, before asking
// anything; then asks for the certificate note or the free goods line afresh, prints one page
// through the platform's Printer as a job named after that file, hands the file's path to
// `recordPrinted` (which saves the declaration there and sets the printed
// state) and closes. Any failure says "打印错误！" with its reason on a
// second line and leaves the window open. cmdExit closes without printing.
// The two buttons are children of the window, never part of the sheet.
#include "model/Sheet.h"

#include <QPoint>
#include <QWidget>
#include <functional>

class QPushButton;

namespace portdesk {

struct Context;

class PrintWindow : public QWidget {
    Q_OBJECT
public:
    // Saves the declaration into the given path and shows the printed
    // state; false, with `error` set to the reason and nothing shown, when
    // the file could not be written.
    using RecordPrinted = std::function<bool(const QString &path, QString *error)>;

    // `mainWindow` is hidden while this window is open.
    PrintWindow(Context &ctx, const Declaration &declaration, QWidget &mainWindow,
                RecordPrinted recordPrinted);

    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdExit = nullptr;

    const Sheet &sheet() const { return sheet_; }
    const SheetSources &sources() const { return sources_; }

    // cmdPrint: the print sequence. True when printed and stored.
    bool printDeclaration();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void load(const Declaration &declaration);
    bool askExtras();
    void setSources(const SheetSources &sources);
    void failed(const QString &reason);

    Context &ctx_;
    QWidget &mainWindow_;
    RecordPrinted recordPrinted_;
    SheetSources sources_;
    Sheet sheet_;
    bool dragging_ = false;
    QPoint dragStart_;
};

} // namespace portdesk
