#pragma once
// EditorRules: the declaration editor's behaviour on MainPage.
//
// Three event filters carry the input rules (CharFilterGuard: characters,
// quick picks, pastes and drops; EnterGuard: the Enter path; FocusGuard:
// select-all, carry-down, capitals on leaving). This controller adds what
// reacts to text changes from any source, typing or code alike, by running
// the rules on the declaration value (FormState: the column totals, the
// dependent fields' enabled states, the rows-in-use mark, the papers hint)
// and drawing the result; the pick behaviour of the lists; the two look-up
// links.
#include "editor/FormFields.h"
#include "editor/FormState.h"

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
    void quickPick(const FieldRef &field, int item);
    void apply(const NavOutcome &outcome);
    // A field's text changed from any source: its rules run on the value.
    void edited(const FieldRef &field);
    // A whole declaration was put into the fields.
    void declarationShown();
    // Writes the texts the rules emptied and the state into the window.
    void render(const Declaration &before, const Declaration &after);

    MainPage &page_;
    FormFields fields_;
    CharFilterGuard *chars_ = nullptr;
    EnterGuard *enter_ = nullptr;
    FocusGuard *focus_ = nullptr;
    FormState state_;
    bool rendering_ = false;
};

} // namespace portdesk
