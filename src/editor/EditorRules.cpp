#include "editor/EditorRules.h"
#include "platform/WebPages.h"

#include "editor/CharFilterGuard.h"
#include "editor/CodeLists.h"
#include "editor/EnterGuard.h"
#include "editor/FieldRules.h"
#include "editor/FocusGuard.h"
#include "editor/Hints.h"
#include "editor/NumberFormat.h"
#include "form/ClickLabel.h"
#include "form/MainPage.h"
#include "platform/Shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace portdesk {

namespace {

template <std::size_t N> double columnSum(const std::array<QLineEdit *, N> &column)
{
    double sum = 0; // in row order, as the clerk reads the column
    for (QLineEdit *e : column)
        sum += readNumber(e->text());
    return sum;
}

void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, colour);
    pal.setColor(QPalette::WindowText, colour);
    w->setPalette(pal);
}

} // namespace

EditorRules::EditorRules(MainPage &page) : QObject(&page), page_(page), fields_(page)
{
    chars_ = new CharFilterGuard(
        fields_, [this](const FieldRef &f, int item) { quickPick(f, item); }, this);
    enter_ = new EnterGuard(
        fields_, [this](const NavOutcome &o) { apply(o); }, this);
    focus_ = new FocusGuard(fields_, this);
    chars_->install();
    enter_->install();
    focus_->install();

    for (const FormField &f : formFields()) {
        if (showsQuickPickTooltip(f.ref.name, f.ref.index))
            fields_.widget(f.ref)->setToolTip(quickPickTooltip());
    }

    connectTextRules();
    connectPicks();
    connectLinks();
    applyStartStates();
}

void EditorRules::connectTextRules()
{
    for (int row = 0; row < 10; ++row) {
        connect(page_.ShuLiang[row], &QLineEdit::textChanged, this,
                [this, row] { quantityChanged(row); });
        connect(page_.ZhongLiang[row], &QLineEdit::textChanged, this,
                [this, row] { weightChanged(row); });
        connect(page_.ZongZhi[row], &QLineEdit::textChanged, this, [this] { valueChanged(); });
        QComboBox *sl = page_.SLdanwei[row];
        QComboBox *zl = page_.ZLdanwei[row];
        connect(sl, &QComboBox::editTextChanged, this, [this, sl] { unitChanged(sl); });
        connect(zl, &QComboBox::editTextChanged, this, [this, zl] { unitChanged(zl); });
        if (row > 0)
            connect(page_.MingCheng[row], &QLineEdit::textChanged, this,
                    [this, row] { goodsNameChanged(row); });
    }
    for (int slot = 0; slot < 2; ++slot) {
        connect(page_.BZzhonglei[slot], &QComboBox::editTextChanged, this,
                [this, slot] { packingKindChanged(slot); });
        connect(page_.BZshuliang[slot], &QLineEdit::textChanged, this,
                [this] { packingCountChanged(); });
    }
    connect(page_.JZXsl1, &QLineEdit::textChanged, this, [this] { containerCountChanged(1); });
    connect(page_.JZXsl2, &QLineEdit::textChanged, this, [this] { containerCountChanged(2); });
    connect(page_.YunShuGongJu, &QComboBox::editTextChanged, this, [this] { transportChanged(); });
    connect(page_.MaoYiFangShi, &QComboBox::editTextChanged, this, [this] { tradeModeChanged(); });
    connect(page_.XuKeZheng, &QLineEdit::textChanged, this, [this] { permitChanged(); });

    // Pointing at a field shows its whole value, however narrow the box.
    for (const FieldRef &ref : ruledFields()) {
        if (!fieldSpec(ref.name)->tooltipOwnText)
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(fields_.widget(ref))) {
            edit->setToolTip(edit->text());
            connect(edit, &QLineEdit::textChanged, edit, &QWidget::setToolTip);
        }
    }
}

void EditorRules::connectPicks()
{
    for (const FieldRef &ref : ruledFields()) {
        if (!codeList(ref.name) && ref.name != QLatin1String("ShouHuoRen"))
            continue;
        auto *combo = qobject_cast<QComboBox *>(fields_.widget(ref));
        if (!combo)
            continue;
        // Qt also reports `activated` when the clerk leaves a list whose typed
        // text equals an item; by then the focus is elsewhere, and that is no pick.
        connect(combo, &QComboBox::activated, this, [this, ref, combo] {
            if (combo->hasFocus())
                picked(ref);
        });
    }
}

void EditorRules::connectLinks()
{
    Shell &shell = page_.context().shell;
    // The shell hands the page to the browser and returns at once; whether a
    // page can be shown is the browser's business, so nothing is reported.
    connect(page_.ChaXun, &ClickLabel::clicked, this,
            [&shell] { shell.openUrl(hsCodeQueryUrl()); });
    connect(page_.Tgdzt, &ClickLabel::clicked, this,
            [&shell] { shell.openUrl(declarationPortalUrl()); });
}

// Every state follows from the texts, so running the rules once on the
// texts as they stand sets the start states.
void EditorRules::applyStartStates()
{
    for (int row = 0; row < 10; ++row) {
        quantityChanged(row);
        weightChanged(row);
        unitChanged(page_.SLdanwei[row]);
        unitChanged(page_.ZLdanwei[row]);
        if (row > 0)
            goodsNameChanged(row);
    }
    valueChanged();
    packingKindChanged(0);
    packingKindChanged(1);
    packingCountChanged();
    containerCountChanged(1);
    containerCountChanged(2);
    transportChanged();
    tradeModeChanged();
    if (!page_.XuKeZheng->text().isEmpty())
        permitChanged();
}

void EditorRules::quickPick(const FieldRef &field, int item)
{
    auto *combo = qobject_cast<QComboBox *>(fields_.widget(field));
    if (!combo || item < 0 || item >= combo->count())
        return;
    combo->setCurrentIndex(item);
    // The text may have been typed over since the index was last set.
    combo->setEditText(combo->itemText(item));
    picked(field);
}

void EditorRules::picked(const FieldRef &field)
{
    // A pick runs the text rule of its field even when the text did not change.
    if (field.name == QLatin1String("BZzhonglei"))
        packingKindChanged(field.index);
    else if (field.name == QLatin1String("SLdanwei") || field.name == QLatin1String("ZLdanwei"))
        unitChanged(fields_.widget(field));
    apply(pickOutcome(field, fields_.navView()));
    if (field.name == QLatin1String("YunShuGongJu"))
        transportChanged();
    else if (field.name == QLatin1String("MaoYiFangShi"))
        tradeModeChanged();
}

void EditorRules::apply(const NavOutcome &outcome)
{
    switch (outcome.kind) {
    case NavOutcome::Nothing:
        return;
    case NavOutcome::Focus:
        if (QWidget *w = fields_.widget(outcome.target))
            w->setFocus(Qt::OtherFocusReason);
        return;
    case NavOutcome::Collapse:
        // Collapsing the goods block moves the focus to the first packing kind.
        if (page_.More->isChecked())
            page_.More->setChecked(false);
        else
            page_.BZzhonglei[0]->setFocus(Qt::OtherFocusReason);
        return;
    case NavOutcome::Press:
        page_.DaYin->click();
        return;
    }
}

void EditorRules::quantityChanged(int row)
{
    QComboBox *unit = page_.SLdanwei[row];
    if (readNumber(page_.ShuLiang[row]->text()) != 0) {
        unit->setEnabled(true);
    } else {
        unit->setEnabled(false);
        unit->setEditText(QString());
    }
    updateTotal(0);
}

void EditorRules::weightChanged(int row)
{
    QComboBox *unit = page_.ZLdanwei[row];
    if (readNumber(page_.ZhongLiang[row]->text()) != 0) {
        unit->setEnabled(true);
    } else {
        unit->setEnabled(false);
        unit->setEditText(QString());
    }
    updateTotal(1);
}

void EditorRules::valueChanged()
{
    updateTotal(2);
}

void EditorRules::updateTotal(int column)
{
    const std::array<QLineEdit *, 10> *columns[] = {&page_.ShuLiang, &page_.ZhongLiang,
                                                    &page_.ZongZhi};
    page_.HeJi[column]->setText(formatTotal(columnSum(*columns[column])));
}

void EditorRules::unitChanged(QWidget *unit)
{
    // A unit read from a file enables its list even while the row reads 0.
    auto *combo = qobject_cast<QComboBox *>(unit);
    if (combo && !combo->currentText().isEmpty())
        combo->setEnabled(true);
}

void EditorRules::packingKindChanged(int slot)
{
    QLineEdit *count = page_.BZshuliang[slot];
    if (!page_.BZzhonglei[slot]->currentText().isEmpty()) {
        count->setEnabled(true);
    } else {
        count->setEnabled(false);
        count->clear();
    }
}

void EditorRules::packingCountChanged()
{
    // Disabling the second kind keeps its text and leaves its count alone.
    page_.BZzhonglei[1]->setEnabled(!page_.BZshuliang[0]->text().isEmpty());
}

void EditorRules::containerCountChanged(int which)
{
    QLineEdit *count = which == 1 ? page_.JZXsl1 : page_.JZXsl2;
    QLineEdit *numbers = which == 1 ? page_.JZXhm1 : page_.JZXhm2;
    if (!count->text().isEmpty()) {
        numbers->setEnabled(true);
    } else {
        numbers->setEnabled(false);
        numbers->clear();
    }
}

void EditorRules::transportChanged()
{
    if (page_.YunShuGongJu->currentText() == containerTransport()) {
        page_.JiZhuangXiang->setEnabled(true);
        return;
    }
    page_.JiZhuangXiang->setEnabled(false);
    for (QLineEdit *e : {page_.JZXsl1, page_.JZXhm1, page_.JZXsl2, page_.JZXhm2})
        e->clear();
}

void EditorRules::goodsNameChanged(int row)
{
    // Only the row that changed counts, as the mark has always behaved.
    page_.GengDuo->setVisible(!page_.MingCheng[row]->text().isEmpty());
}

void EditorRules::tradeModeChanged()
{
    const TradeModeHint hint = tradeModeHint(page_.MaoYiFangShi->currentText());
    const QColor colour = hint.needsPapers ? tradeModeAlertColour() : QColor(Qt::black);
    setTextColour(page_.MaoYiFangShi, colour);
    if (QLineEdit *edit = page_.MaoYiFangShi->lineEdit())
        setTextColour(edit, colour);
    page_.TeShuCaiLiao->setText(hint.hint);
}

void EditorRules::permitChanged()
{
    page_.TeShuCaiLiao->setText(permitHint(page_.XuKeZheng->text()));
}

} // namespace portdesk
