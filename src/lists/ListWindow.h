#pragma once
// QingDan: the list editor, one list declaration of ten rows.
//
// Pieces: the heading with the date RiQi; the ten rows of nine fields, built
// from the list schema (listFields()) and guarded by the form machinery
// (CharFilterGuard: lengths, filters, the packing quick picks; EnterGuard:
// the Enter path; FocusGuard: capitals on leaving); the count ZongJi; the
// command group 操作 (CmdC(0..1), CmdD, CmdQ, CmdS) and the browse group 浏览
// (Combo1, Combo2, CmdP, CmdN, LiuLan). The list is a ListRecord value: every
// edit updates it and the window draws it; nothing is read back from widgets.
// This window adds the rules that are its own: the station-slip check with
// the transport mode it names, packing text cleared on leaving, the stash
// kept or cleared on closing.
#include "form/FormFields.h"
#include "model/ListSchema.h"
#include "model/ListShelf.h"

#include <QWidget>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace portdesk {

class CharFilterGuard;
class EnterGuard;
class FocusGuard;
class MainPage;
class PickList;
struct Context;

class ListWindow : public QWidget {
    Q_OBJECT
public:
    explicit ListWindow(Context &ctx);
    ~ListWindow() override;

    using Column = std::array<QLineEdit *, kListRows>;
    Column BianHao{}, HuoZhu{}, PinMing{}, JianShu{}, ZhongLiang{}, TiDanHao{}, QiYunGuo{},
        YunShuFangShi{};
    std::array<PickList *, kListRows> BaoZhuang{};
    QLabel *RiQi = nullptr, *ZongJi = nullptr, *LiuLan = nullptr;
    std::array<QPushButton *, 2> CmdC{}; // copy all, copy part
    QPushButton *CmdD = nullptr, *CmdQ = nullptr, *CmdS = nullptr, *CmdP = nullptr, *CmdN = nullptr;
    PickList *Combo1 = nullptr, *Combo2 = nullptr;

    // The list being edited, as the window shows it.
    const ListRecord &list() const { return list_; }
    // True until the list is stored: the title reads "新建清单".
    bool isNewList() const { return storedName_.isEmpty(); }
    QWidget *field(ListField field, int row) const;
    // Shows a stored list under its file name, its first `readOnlyRows` rows
    // read-only (the rows archived, or all ten of a loaded file).
    void showStored(const ListRecord &list, const QString &fileName, int readOnlyRows);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void installGuards();
    void connectEdits();
    void open();
    void render();
    void setCell(ListCell cell, const QString &text);
    void enter(const FieldRef &from);
    void packingPicked(int row);
    // False when the field must keep the focus.
    bool leaveSlipNumber(int row);
    bool leavePacking(int row);
    void fillYears();
    void fillMonths(const QString &year);
    void newList();
    void copy(bool all);
    // CmdS, the month list Combo2, CmdP/CmdN and CmdD.
    void archive();
    void chooseMonth();
    void step(int direction);
    void deleteSelected();
    // Shows the selected file of the month; false when it could not be read.
    bool loadSelected();
    void drawPosition();
    void refreshShelf();

    Context &ctx_;
    ListRecord list_;
    QString storedName_;    // the stored list's file name; empty for a new list
    ListPosition position_; // the month's stored lists and the one shown
    std::array<bool, kListRows> transportDerived_{};
    int readOnlyRows_ = 0;
    bool rendering_ = false;
    FormFields fields_;
    CharFilterGuard *chars_ = nullptr;
    EnterGuard *enter_ = nullptr;
    FocusGuard *focus_ = nullptr;
};

// Connects the main window's CmdQD: the list window without modality, the
// main window minimised while it is open.
void attachListWindow(MainPage &page);

} // namespace portdesk
