#pragma once
// The declaration being edited, as the one value every command reads: its
// texts and the state that follows from them (FormState). Each edit changes
// the one field it names and runs that field's rules; a load replaces the
// whole. Windows draw what the signals tell them and never read it back.
#include "model/Declaration.h"
#include "model/FormState.h"
#include "model/KeptBytes.h"

#include <QObject>

namespace portdesk {

class DeclarationDocument : public QObject {
    Q_OBJECT
public:
    explicit DeclarationDocument(QObject *parent = nullptr);

    const Declaration &value() const { return value_; }
    const FormState &state() const { return state_; }
    bool enabled(const FieldRef &field) const { return state_.enabled(field); }

    // The clerk changed a field (typed, pasted, carried down): a text equal
    // to the value's is no change (the window showing the value echoes it).
    void take(const FieldRef &field, const QString &text);
    // A field's rules run again on its unchanged text (a pick of the item shown).
    void rerun(const FieldRef &field);
    // A whole declaration replaces the value, each text within its field's
    // length limit; its state follows from it.
    // `kept`: fields whose file bytes are not GBK, written back as read while
    // their text stays as loaded.
    void load(const Declaration &content, KeptFields kept = {});
    const KeptFields &kept() const { return kept_; }

signals:
    // After an edit: the texts that differ from `before` are the window's to show.
    void edited(const Declaration &before);
    void loaded();

private:
    // Sets the field's text when one is given, then runs its rules.
    void runRules(const FieldRef &field, const QString *text);

    Declaration value_;
    KeptFields kept_;
    FormState state_ = loadedState(Declaration{});
};

} // namespace portdesk
