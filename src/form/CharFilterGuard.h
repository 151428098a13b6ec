#pragma once
// The character-filter family: one event filter on every ruled field. It
// judges what would enter the field, whichever way it comes (a key press, an
// input-method commit, a paste, a drop), and drops what the field's filter
// refuses. Lists first turn a typed digit into a pick of their item.
#include "form/FormFields.h"

#include <QObject>
#include <functional>

class QKeyEvent;
class QInputMethodEvent;

namespace portdesk {

class CharFilterGuard : public QObject {
    Q_OBJECT
public:
    // `pick(field, item)` is called for a quick pick.
    CharFilterGuard(FormFields &fields, std::function<void(const FieldRef &, int)> pick,
                    QObject *parent = nullptr);

    // Installs the filter, and a validator that keeps unstorable text out of
    // every field, on each field of the table.
    void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool onKey(const FieldRef &field, QKeyEvent *event);
    void onInputMethod(const FieldRef &field, QInputMethodEvent *event);
    bool quickPick(const FieldRef &field, const QString &typed);
    // Pastes the clipboard's first line, without control characters, when
    // the clipboard holds more; false leaves the paste to the field.
    bool pasteLine(const FieldRef &field);

    FormFields &fields_;
    std::function<void(const FieldRef &, int)> pick_;
};

} // namespace portdesk
