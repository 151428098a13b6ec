#pragma once
// EditorRules: the declaration editor's behaviour on MainPage.
//
// Three event filters carry the input rules (CharFilterGuard: characters,
// quick picks, pastes and drops; EnterGuard: the Enter path; FocusGuard:
// select-all, carry-down, capitals on leaving). This controller adds what
// reacts to text changes from any source, typing or code alike: the column
// totals, the dependent fields' enabled states, the rows-in-use mark, the
// papers hint; the pick behaviour of the lists; the two look-up links.
#include "editor/FormFields.h"

#include <QObject>

namespace portdesk {

class CharFilterGuard;
class EnterGuard;
class FocusGuard;

class EditorRules : public QObject {
    Q_OBJECT
public:
    explicit EditorRules(MainPage &page);

    // What choosing an item of a list does (mouse or digit), after its text is set.
    void picked(const FieldRef &field);

private:
    void connectTextRules();
    void connectPicks();
    void connectLinks();
    void applyStartStates();
    void quickPick(const FieldRef &field, int item);
    void apply(const NavOutcome &outcome);

    void quantityChanged(int row);
    void weightChanged(int row);
    void valueChanged();
    void unitChanged(QWidget *unit);
    void packingKindChanged(int slot);
    void packingCountChanged();
    void containerCountChanged(int which);
    void transportChanged();
    void goodsNameChanged(int row);
    void tradeModeChanged();
    void permitChanged();
    void updateTotal(int column);

    MainPage &page_;
    FormFields fields_;
    CharFilterGuard *chars_ = nullptr;
    EnterGuard *enter_ = nullptr;
    FocusGuard *focus_ = nullptr;
};

} // namespace portdesk
