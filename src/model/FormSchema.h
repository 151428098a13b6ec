#pragma once
// The form schema: every field family of the declaration form, declared
// once. The layout builds the widgets from it, the input guards, the
// navigation and the lists read their rules from it, and the declaration
// value and its file take their keys from it. Adding a field is adding a row.
#include "model/FieldRef.h"

#include <QStringList>
#include <vector>

namespace portdesk {

// What a field accepts, character by character (the filters are the editor's).
enum class CharClass {
    Any,     // every character that the declaration file can store
    Digit,   // 0 to 9
    Decimal, // 0 to 9 and the decimal point
    Chinese, // GB2312 Chinese characters from code 0xB0A1 to 0xF1BC
};

enum class FieldKind { Text, List };

// The declaration form's field families, in schema order: code names a field
// through these handles, never through a control-name string.
// clang-format off
#define PORTDESK_DECLARATION_FAMILIES(X) \
    X(ShouHuoRen) \
    X(MingCheng) X(BianMa) X(YuanChanGuo) X(ShuLiang) X(SLdanwei) X(ZhongLiang) X(ZLdanwei) \
    X(ZongZhi) X(BiZhi) \
    X(BZzhonglei) X(BZshuliang) X(JianShu) X(GongJin) \
    X(YunShuGongJu) X(TiYunDanHao) X(QiYunGuoJia) X(RuJingKouAn) \
    X(HeTongHao) X(MaoYiFangShi) X(MaoYiGuoBie) X(XuKeZheng) \
    X(JZXsl1) X(JZXhm1) X(JZXsl2) X(JZXhm2)
// clang-format on

enum class DeclField {
#define PORTDESK_ENUM_ENTRY(name) name,
    PORTDESK_DECLARATION_FAMILIES(PORTDESK_ENUM_ENTRY)
#undef PORTDESK_ENUM_ENTRY
        Count
};

// The control name of a family ("MingCheng").
const char *familyName(DeclField family);

// The frame a field stands in.
enum class FormBox { Page, Goods, Packing, Transport, Trade, Containers };

enum class FocusRule {
    None,
    SelectAll,
    SelectAllCarryDown, // then, in rows 1 to 9, copy the row above when empty
};

// Which controls of a family a flag marks.
enum class Which { None, All, First, Rest };

// How the sheet prints a field's text.
enum class PrintAs {
    Text,
    OrStars, // "***" when empty
    HsCode,  // the first eight characters, ".", the last two
};

// Where the sheet prints a field: its element's control name (a goods row's
// element appends its row, "MingCheng(3)"), the text's top-left corner in
// twips (kGoodsRow: the row's own line), how, and a text after the value.
struct PrintedElement {
    const char *name = nullptr; // nullptr: the field is not printed on its own
    int left = 0, top = 0;
    PrintAs as = PrintAs::Text;
    const char *suffix = nullptr; // "口岸"
    bool opaque = false;          // a white box behind the text hides the lines
};

struct FieldSpec {
    const char *name; // control name; families as "MingCheng(3)"
    int count = 1;    // 10 goods rows, 2 packing slots, 1 for a single control
    FieldKind kind = FieldKind::Text;
    FormBox box = FormBox::Page;
    // Place in twips inside its box; kGoodsRow: the goods row's own line.
    int x = 0, y = 0, width = 0;
    int slotStepX = 0; // how far right the next slot stands
    int maxLength = 0; // 0: no limit
    CharClass filter = CharClass::Any;
    QStringList items = {}; // the pick list; digit d picks items[d - 1]
    FocusRule onFocus = FocusRule::SelectAll;
    bool upperOnLeave = false;
    bool tooltipOwnText = false; // pointing at it shows its whole text
    Which lightGreen = Which::None;
    Which redText = Which::None;
    Which noInputMethod = Which::None; // codes and numbers typed in Latin letters
    Which pickTooltip = Which::None;   // "可直接使用数字键输入。"
    const char *key = nullptr;         // in 报检内容; families append their number
    int firstKeyNumber = 0;            // the number of the first row or slot
    int total = -1;                    // the column total HeJi(total) sums its rows
    // The caption the form shows beside the field; slots after the first
    // append their number ("包装种类2").
    const char *caption = nullptr;
    PrintedElement printed = {};

    bool quickPick() const { return !items.isEmpty(); }
    bool marks(Which which, int index) const;
};

constexpr int kGoodsRow = -1;

// The control name of the frame a box is drawn as, where a rule can disable
// the frame with its fields ("JiZhuangXiang"); empty for the others.
QString frameName(FormBox box);

// The two field columns and the two lines of a section, in twips inside it.
inline constexpr int kSectionFieldA = 960, kSectionFieldB = 5280;
inline constexpr int kSectionLine1 = 390, kSectionLine2 = 870;

// The families in the order of the form.
const std::vector<FieldSpec> &formSchema();
// The family of a control name; nullptr for other controls.
const FieldSpec *fieldSpec(const QString &name);

// One control of the form.
struct FormField {
    FieldRef ref;
    const FieldSpec *spec;
    QString key;  // its key in 报检内容
    int slot = 0; // its place in formFields(), which is its place in the value
};

// Every control, in tab order, which is also the order of the file's keys:
// neighbouring families of one count go row by row (slot by slot).
const std::vector<FormField> &formFields();

// The place in formFields() of a family's control (row or slot `index`; -1
// for a single control); -1 when the family has no such control.
int fieldSlot(DeclField family, int index = -1);
int fieldSlot(const FieldRef &ref);
// The handle of a family, by its row in the schema.
const FieldSpec &spec(DeclField family);
// A control as a reference ("MingCheng", 3).
FieldRef fieldRef(DeclField family, int index = -1);

// Top of a goods row inside the goods frame, in twips.
int goodsRowTop(int row);

// "A dependent field follows its source": the dependent is enabled while its
// source's text meets the condition; once the condition fails it is disabled
// and the texts it governs are emptied.
struct Dependency {
    enum When { NonZero, NotEmpty, IsContainerTransport };
    static constexpr int EachIndex = -2; // row (slot) i follows row (slot) i
    const char *dependent;               // a field, or the container frame JiZhuangXiang
    int dependentIndex;
    const char *source;
    int sourceIndex;
    When when;
    bool emptiesDependent;
    bool ownTextEnables;                   // a non-empty text enables the dependent itself
    std::vector<const char *> alsoEmptied; // single fields emptied with it
};
const std::vector<Dependency> &dependencies();
// The transport that opens the container particulars.
QString containerTransport();

} // namespace portdesk
