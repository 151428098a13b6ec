#pragma once
// EditorRules: the declaration editor's behaviour on MainPage.
//
// Three event filters carry the input rules (CharFilterGuard: characters,
// quick picks, pastes and drops; EnterGuard: the Enter path; FocusGuard:
// select-all, carry-down, capitals on leaving). This controller adds what
// draws the state the document's rules derive from its value (FormState: the
// column totals, the dependent fields' enabled states, the rows-in-use mark,
// the papers hint) after every edit and load; the pick behaviour of the lists; the two look-up
// links.
#include "form/FormFields.h"
#include "model/DeclarationDocument.h"
#include "model/Navigation.h"

#include <QObject>

namespace portdesk {

class CharFilterGuard;
class MainPage;
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
    // What the navigation sees of the form: the document's state and texts.
    NavView navView() const;
    // Draws the document's state: enabled fields, totals, mark, hint, colour.
    void render();

    MainPage &page_;
    FormFields fields_;
    CharFilterGuard *chars_ = nullptr;
    EnterGuard *enter_ = nullptr;
    FocusGuard *focus_ = nullptr;
};

} // namespace portdesk
