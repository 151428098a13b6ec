#pragma once
// Consignee: the register window "收货人管理".
//
// Pieces: the name list ShouHuoRen (editable), the seven particulars SHR(0)
// to SHR(6), the count ZongJi, the state ZhuangTai ("新增" / "修改"), the
// enterprise-code link ChaXun and the buttons cmdSave / cmdExit. Typing a
// listed name loads it; any other name means a new consignee. Which names
// are listed and whether a save adds or updates are values of this window;
// the name list, ZongJi and ZhuangTai only show them. The register file's
// rules live in ConsigneeRegister; this class only wires them up.
#include "form/PickList.h"
#include "model/ConsigneeRegister.h"
#include "platform/Context.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace portdesk {

class ClickLabel;

// Appends items to a combo box without changing its text: a combo box that
// gains its first item would otherwise show it as picked.
void appendKeepingText(QComboBox *combo, const QStringList &items);

class ConsigneeWindow : public QWidget {
    Q_OBJECT
public:
    // `mainConsignee`: the main window's consignee text, loaded at once when
    // it names a listed consignee.
    ConsigneeWindow(Context &ctx, const QString &mainConsignee, QWidget *parent = nullptr);
    ~ConsigneeWindow() override;

    PickList *ShouHuoRen = nullptr;
    std::array<QLineEdit *, kConsigneeFields> SHR{};
    QLabel *ZongJi = nullptr;
    QLabel *ZhuangTai = nullptr;
    ClickLabel *ChaXun = nullptr;
    QPushButton *cmdSave = nullptr;
    QPushButton *cmdExit = nullptr;

    bool adding() const;

signals:
    // A new consignee is in the register, under this name.
    void consigneeAdded(const QString &name);
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void nameChanged();
    void load();
    void save();
    void setAdding(bool adding);
    void showCount();

    Context &ctx_;
    // The register's names as this window read them and added to them.
    QStringList names_;
    // A save adds the name to the register rather than updating it.
    bool adding_ = true;
};

} // namespace portdesk
