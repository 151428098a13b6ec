#pragma once
// ToBeDone: "后期异常事项记录", the follow-up items of one archived
// declaration and the register of declarations with unfinished items.
//
// Frame2 holds List1, the open declarations of the register; a click shows
// an entry's statuses, a double-click opens it in the main window. Frame1
// holds the five items' boxes (GaiDan … XiaChang, index 0 the item, index 1
// its done box); Cmd1 writes them into the declaration's file and enters the
// declaration into the register or takes it out; Cmd2 closes the window.
#include "model/FollowUpRegister.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace portdesk {

class MainPage;
struct Context;

class FollowUpWindow : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        // The register now lists `count` declarations.
        std::function<void(int count)> listed;
        // Opens an archived declaration in the main window; false when it
        // could not be opened (the reason already shown).
        std::function<bool(const QString &path)> open;
    };

    // `file` is the main window's declaration; only an archived one can take
    // follow-up items.
    FollowUpWindow(Context &ctx, const QString &file, Hooks hooks);

    QGroupBox *Frame1 = nullptr; // 事项状态登记
    QGroupBox *Frame2 = nullptr;
    QListWidget *List1 = nullptr;
    // [item][0] the item box, [item][1] its done box.
    std::array<std::array<QCheckBox *, 2>, kFollowUpItems> box{};
    QPushButton *Cmd1 = nullptr; //  登  记 (&C)
    QPushButton *Cmd2 = nullptr; //  退  出 (&Q)

private:
    void buildLayout();
    void refreshList();
    void loadStatuses();
    void clearBoxes();
    void showStatuses(const ItemStatuses &statuses);
    ItemStatuses boxStatuses() const;
    void entryClicked(QListWidgetItem *item);
    void entryDoubleClicked(QListWidgetItem *item);
    void registerItems();
    bool writeStatuses(const ItemStatuses &statuses, QString *displayText);
    QString entryPath(const QString &displayText) const;

    Context &ctx_;
    QString file_; // the target: the main window's file, or the clicked entry's
    Hooks hooks_;
};

// Connects HouQi and the badge Picture1: the follow-up window without
// modality, the main window disabled while it is open and its badge kept in
// step with the register. `open` opens an archived declaration in the main
// window.
void attachFollowUpWindow(MainPage &page, std::function<bool(const QString &path)> open);

} // namespace portdesk
