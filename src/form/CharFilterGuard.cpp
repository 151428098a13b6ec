#include "form/CharFilterGuard.h"

#include "model/CharFilters.h"
#include "model/CodeLists.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QValidator>

namespace portdesk {

namespace {

// Refuses any text with a character the declaration file cannot hold. A
// line edit runs it on every edit except setText, so pastes, drops and
// context-menu inserts are covered as well as typing.
class StorableValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return acceptsAll(CharClass::Any, input) ? Acceptable : Invalid;
    }
};

// Keys that are no characters for the filter: they edit or move, or belong
// to the navigation and focus chain.
bool passesUnfiltered(const QKeyEvent *e)
{
    // Shift+Delete cuts and Shift+Insert pastes: shortcuts before keys.
    for (auto shortcut : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Copy,
                          QKeySequence::Undo, QKeySequence::Redo}) {
        if (e->matches(shortcut))
            return false;
    }
    switch (e->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return e->text().isEmpty();
    }
}

bool isControlText(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

// Qt names the standard actions only from 6.5 on; before that the paste
// entry is known by the shortcut shown beside it.
bool isPasteAction(const QAction *a)
{
    if (a->objectName() == QLatin1String("edit-paste"))
        return true;
    const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    return !shortcut.isEmpty() && a->text().section(QLatin1Char('\t'), 1) == shortcut;
}

} // namespace

CharFilterGuard::CharFilterGuard(FormFields &fields,
                                 std::function<void(const FieldRef &, int)> pick, QObject *parent)
    : QObject(parent), fields_(fields), pick_(std::move(pick))
{
}

void CharFilterGuard::install()
{
    for (const FormField &f : fields_.fields()) {
        const FieldRef &ref = f.ref;
        QWidget *w = fields_.widget(ref);
        if (!w)
            continue;
        fields_.remember(ref);
        w->installEventFilter(this);
        if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->setValidator(new StorableValidator(combo));
            if (combo->lineEdit())
                combo->lineEdit()->installEventFilter(this);
        } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            edit->setValidator(new StorableValidator(edit));
        }
    }
}

bool CharFilterGuard::quickPick(const FieldRef &field, const QString &typed)
{
    const FieldSpec *rule = fields_.spec(field);
    if (!rule || !rule->quickPick() || typed.size() != 1)
        return false;
    const int item = quickPickIndex(rule->items, typed.at(0).unicode());
    if (item < 0)
        return false;
    pick_(field, item);
    return true;
}

bool CharFilterGuard::pasteLine(const FieldRef &field)
{
    QLineEdit *edit = fields_.lineEdit(field);
    if (!edit || edit->isReadOnly())
        return false;
    const QString clip = QGuiApplication::clipboard()->text();
    const QString line = pastedLine(clip);
    if (line == clip)
        return false; // the field's own paste, with its undo step
    edit->insert(line);
    return true;
}

bool CharFilterGuard::onKey(const FieldRef &field, QKeyEvent *e)
{
    const FieldSpec *rule = fields_.spec(field);
    if (rule->filter == CharClass::Any && e->matches(QKeySequence::Paste))
        return pasteLine(field);
    if (passesUnfiltered(e))
        return false;
    const QString text = e->text();
    if (rule->filter == CharClass::Any) {
        // Free text keeps its shortcuts; only unstorable characters stop here.
        return !isControlText(text) && !acceptsAll(CharClass::Any, text);
    }
    if (rule->quickPick())
        quickPick(field, text);
    // Shortcuts (cut, copy, paste, undo) and every other control character
    // are refused in a filtered field, as is any refused character.
    if (text.isEmpty() || isControlText(text))
        return true;
    return !acceptsAll(rule->filter, text);
}

void CharFilterGuard::onInputMethod(const FieldRef &field, QInputMethodEvent *e)
{
    const FieldSpec *rule = fields_.spec(field);
    const QString commit = e->commitString();
    if (commit.isEmpty())
        return;
    if (rule->quickPick())
        quickPick(field, commit);
    const QString kept = filtered(rule->filter, commit);
    if (kept != commit)
        e->setCommitString(kept, e->replacementStart(), e->replacementLength());
}

bool CharFilterGuard::eventFilter(QObject *watched, QEvent *event)
{
    const FieldRef field = fields_.fieldOf(watched);
    const FieldSpec *rule = field.isNull() ? nullptr : fields_.spec(field);
    if (!rule)
        return false;
    const bool filteredField = rule->filter != CharClass::Any;
    switch (event->type()) {
    case QEvent::KeyPress:
        return onKey(field, static_cast<QKeyEvent *>(event));
    case QEvent::InputMethod:
        onInputMethod(field, static_cast<QInputMethodEvent *>(event));
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Free text takes drops through its validator; filtered fields none.
        if (filteredField) {
            event->ignore();
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        // The middle button pastes the selection on X11.
        return filteredField && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    case QEvent::ContextMenu: {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (!edit)
            return false;
        QMenu *menu = edit->createStandardContextMenu();
        for (QAction *a : menu->actions()) {
            if (!isPasteAction(a))
                continue;
            if (filteredField) {
                a->setEnabled(false);
            } else {
                // Free text pastes one line, as with the keys.
                a->disconnect(edit);
                connect(a, &QAction::triggered, edit, [this, field, edit] {
                    if (!pasteLine(field))
                        edit->paste();
                });
            }
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

} // namespace portdesk
