#pragma once
// MainPage: the main window, laid out like the paper declaration.
//
// Pieces, top to bottom: the picture-button row (CmdQD … GuanYu) with the
// origin-folder label WenJianJia, the position label LiuLan and the step
// buttons FanYe(0)/FanYe(1); the consignee line (ShouHuoRen, BaoJianXinXi,
// Tgdzt); the goods frame with ten rows of nine fields, More, GengDuo,
// ChaXun, the totals HeJi and LBclear; packing; transport; trade; the hint
// TeShuCaiLiao; containers; the bottom buttons; the status line Tip and Ver.
//
// Widgets are public and carry their control names as objectName (arrays as
// "MingCheng(3)"). Other subsystems attach their behaviour by connecting to
// them (see MainWiring); this class owns only the frame's own rules: layout,
// hover captions, arrow-key navigation, the goods block toggle, clearing rows
// 2 to 10, the badge and the exit question.
#include "model/DeclarationDocument.h"
#include "model/FieldRef.h"
#include "platform/Context.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace portdesk {

class ClickLabel;
class FieldBinding;

class MainPage : public QWidget {
    Q_OBJECT
public:
    explicit MainPage(Context &ctx, QWidget *parent = nullptr);
    ~MainPage() override;

    Context &context() const { return ctx_; }

    // The declaration the window shows: each edit of a field goes into it,
    // and the window shows what a load or the rules change in it.
    DeclarationDocument &document() { return document_; }
    const DeclarationDocument &document() const { return document_; }

    // Path of the declaration file the record belongs to; empty when new.
    // Written by the document commands from their session, never read back.
    QString DangQianWenJian;

    // Top row.
    QToolButton *CmdQD = nullptr, *XinJian = nullptr, *DaKai = nullptr, *LingCun = nullptr,
                *DaYin = nullptr, *SHRgl = nullptr, *SheZhi = nullptr, *GuanYu = nullptr;
    ClickLabel *WenJianJia = nullptr;
    QLabel *LiuLan = nullptr;
    std::array<QPushButton *, 2> FanYe{};

    // Consignee line.
    QComboBox *ShouHuoRen = nullptr;
    ClickLabel *BaoJianXinXi = nullptr;
    ClickLabel *Tgdzt = nullptr;

    // Goods block: ten rows, 0 always shown.
    QGroupBox *HuoWuMingXi = nullptr;
    std::array<QLineEdit *, 10> MingCheng{}, BianMa{}, YuanChanGuo{}, ShuLiang{}, ZhongLiang{},
        ZongZhi{};
    std::array<QComboBox *, 10> SLdanwei{}, ZLdanwei{}, BiZhi{};
    QCheckBox *More = nullptr;
    ClickLabel *GengDuo = nullptr;
    ClickLabel *ChaXun = nullptr;
    ClickLabel *LBclear = nullptr;
    std::array<QLabel *, 3> HeJi{};

    // Packing.
    std::array<QComboBox *, 2> BZzhonglei{};
    std::array<QLineEdit *, 2> BZshuliang{};
    QLineEdit *JianShu = nullptr, *GongJin = nullptr;

    // Transport.
    QComboBox *YunShuGongJu = nullptr;
    QLineEdit *TiYunDanHao = nullptr, *QiYunGuoJia = nullptr;
    QComboBox *RuJingKouAn = nullptr;

    // Trade.
    QLineEdit *HeTongHao = nullptr;
    QComboBox *MaoYiFangShi = nullptr;
    QLineEdit *MaoYiGuoBie = nullptr, *XuKeZheng = nullptr;
    QLabel *TeShuCaiLiao = nullptr;

    // Containers.
    QGroupBox *JiZhuangXiang = nullptr;
    QLineEdit *JZXsl1 = nullptr, *JZXhm1 = nullptr, *JZXsl2 = nullptr, *JZXhm2 = nullptr;

    // Bottom.
    QPushButton *GuiDang = nullptr, *HouQi = nullptr, *FeiYong = nullptr, *DaoChu = nullptr,
                *TuiChu = nullptr;
    QLabel *Tip = nullptr;
    ClickLabel *Ver = nullptr;
    ClickLabel *Picture1 = nullptr;

    // A field of the form schema by its control name and index; nullptr for others.
    QWidget *field(const FieldRef &ref) const;

    // Rows 2 to 10 are shown (More is checked).
    bool goodsExpanded() const { return goodsExpanded_; }
    // Shows the follow-up badge with this tooltip; hides it for an empty one.
    void showBadge(const QString &tip);

    // The fields, then the command buttons, in tab order (also the arrow-key order).
    const QList<QWidget *> &tabChain() const { return tabChain_; }
    // The picture buttons of the top row, left to right, with their hover captions.
    QList<QToolButton *> pictureButtons() const;
    static QString hoverCaption(int index);

signals:
    // The about window is asked for (GuanYu or Ver).
    void aboutRequested();

public:
    // Goods frame heights in twips.
    static constexpr int kGoodsStartHeight = 1325;
    static constexpr int kGoodsCollapsedHeight = 1320;
    static constexpr int kGoodsExpandedHeight = 5900;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    // Layout (MainPageLayout.cpp): builds every widget at its place.
    void buildTopRow();
    void buildConsigneeLine();
    void buildGoods();
    void buildSections();
    void buildFields(); // every field of the form schema
    void showLoaded();
    void showEdited(const Declaration &before);
    void bindMembers();
    void buildBottom();
    void buildTabChain();
    void placeGoodsBlock(bool expanded);

    // Frame rules (MainPage.cpp).
    void routeCommandsThroughConsignee();
    void toggleGoods(bool expanded);
    void clearRows2To10();
    bool handleArrowKey(QWidget *target, QKeyEvent *event);
    void closeOtherWindows();

    Context &ctx_;
    bool closingConfirmed_ = false;
    int goodsHeightTwips_ = 0;
    bool goodsExpanded_ = false;
    QList<QWidget *> tabChain_;
    DeclarationDocument document_;
    FieldBinding *binding_ = nullptr;
    std::array<QWidget *, 6> boxes_{}; // by FormBox
    // Other top-level windows in the order they were last shown.
    QList<QPointer<QWidget>> shownWindows_;
};

} // namespace portdesk
