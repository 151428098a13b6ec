#include "editor/EditorRules.h"
#include "platform/WebPages.h"

#include "form/CharFilterGuard.h"
#include "form/ClickLabel.h"
#include "form/EnterGuard.h"
#include "form/FocusGuard.h"
#include "form/Look.h"
#include "form/MainPage.h"
#include "form/PickList.h"
#include "model/CodeLists.h"
#include "model/FieldRules.h"
#include "model/FormState.h"
#include "model/Hints.h"
#include "platform/Shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace portdesk {

namespace {

// The disabled look is left alone: a field of a disabled window greys out
// like its neighbours instead of looking ready for typing.
void setTextColour(QWidget *w, const QColor &colour)
{
    QPalette pal = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Text, colour);
        pal.setColor(group, QPalette::WindowText, colour);
    }
    w->setPalette(pal);
}

} // namespace

EditorRules::EditorRules(MainPage &page)
    : QObject(&page), page_(page),
      fields_(
          formFields(),
          [&page](const FieldRef &ref) -> QWidget * {
              // Enter on the last field leads to the print command; a rule
              // disables the container frame with its fields.
              if (ref.name == page.DaYin->objectName())
                  return page.DaYin;
              if (ref.name == page.JiZhuangXiang->objectName())
                  return page.JiZhuangXiang;
              return page.field(ref);
          },
          [&page](const FieldRef &ref) {
              const QString *text = fieldOf(page.document().value(), ref);
              return text ? *text : QString();
          })
{
    chars_ = new CharFilterGuard(
        fields_, [this](const FieldRef &f, int item) { quickPick(f, item); }, this);
    enter_ = new EnterGuard(
        fields_, [this](const FieldRef &f) { apply(enterOutcome(f, navView())); }, this);
    focus_ = new FocusGuard(fields_, this);
    chars_->install();
    enter_->install(enterFields());
    focus_->install();

    for (const FormField &f : formFields()) {
        if (showsQuickPickTooltip(f.ref.name, f.ref.index))
            fields_.widget(f.ref)->setToolTip(quickPickTooltip());
    }

    connectTextRules();
    connectPicks();
    connectLinks();
    render();
}

void EditorRules::connectTextRules()
{
    connect(&page_.document(), &DeclarationDocument::edited, this, &EditorRules::render);
    connect(&page_.document(), &DeclarationDocument::loaded, this, &EditorRules::render);

    // Pointing at a field shows its whole value, however narrow the box.
    for (const FormField &f : fields_.fields()) {
        const FieldRef &ref = f.ref;
        if (!f.spec->tooltipOwnText)
            continue;
        if (auto *edit = qobject_cast<QLineEdit *>(fields_.widget(ref))) {
            edit->setToolTip(edit->text());
            connect(edit, &QLineEdit::textChanged, edit, &QWidget::setToolTip);
        }
    }
}

void EditorRules::connectPicks()
{
    for (const FormField &f : fields_.fields()) {
        const FieldRef ref = f.ref;
        if (PickList *list = PickList::of(fields_.widget(ref)))
            connect(list, &PickList::picked, this, [this, ref] { picked(ref); });
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

void EditorRules::quickPick(const FieldRef &field, int item)
{
    if (PickList *list = PickList::of(fields_.widget(field)))
        list->pick(item); // runs picked() through the list's signal
}

void EditorRules::picked(const FieldRef &field)
{
    // A pick runs the rules of its field even when the text did not change.
    page_.document().rerun(field);
    apply(pickOutcome(field, navView()));
}

NavView EditorRules::navView() const
{
    NavView v;
    const DeclarationDocument &document = page_.document();
    v.enabled = [&document](const FieldRef &f) { return document.enabled(f); };
    v.text = [this](const FieldRef &f) { return fields_.value(f); };
    v.goodsExpanded = page_.goodsExpanded();
    return v;
}

void EditorRules::apply(const NavOutcome &outcome)
{
    switch (outcome.kind) {
    case NavOutcome::Nothing:
        return;
    case NavOutcome::Focus:
        if (QWidget *w = fields_.widget(outcome.target)) {
            // Enter is a move by keyboard: a button reached this way shows its
            // focus frame, as after Tab.
            page_.setAttribute(Qt::WA_KeyboardFocusChange);
            w->setFocus(Qt::OtherFocusReason);
        }
        return;
    case NavOutcome::Collapse:
        // Collapsing the goods block moves the focus to the first packing kind.
        if (page_.goodsExpanded())
            page_.More->setChecked(false);
        else
            page_.BZzhonglei[0]->setFocus(Qt::OtherFocusReason);
        return;
    case NavOutcome::Press:
        page_.DaYin->click();
        return;
    }
}

void EditorRules::render()
{
    const FormState &state = page_.document().state();
    for (const DependencyLink &link : dependencyLinks()) {
        QWidget *w = fields_.widget(link.dependent);
        w->setEnabled(!state.disabled.contains(link.dependent.objectName()));
    }
    for (int k = 0; k < 3; ++k) {
        page_.HeJi[k]->setText(state.totals[k]);
        // A long total is cut off by its narrow label; pointing at it shows it all.
        page_.HeJi[k]->setToolTip(state.totals[k]);
    }
    page_.GengDuo->setVisible(state.moreMark);
    page_.TeShuCaiLiao->setText(state.hint);
    const QColor colour = state.tradeAlert ? tradeModeAlertColour() : QColor(Qt::black);
    setTextColour(page_.MaoYiFangShi, colour);
    if (QLineEdit *edit = page_.MaoYiFangShi->lineEdit())
        setTextColour(edit, colour);
}

} // namespace portdesk
