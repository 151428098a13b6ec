#include "model/DeclarationDocument.h"

namespace portdesk {

DeclarationDocument::DeclarationDocument(QObject *parent) : QObject(parent) {}

void DeclarationDocument::take(const FieldRef &field, const QString &text)
{
    const QString *current = fieldOf(value_, field);
    if (!current || *current == text)
        return;
    runRules(field, &text);
}

void DeclarationDocument::rerun(const FieldRef &field)
{
    if (fieldOf(value_, field))
        runRules(field, nullptr);
}

void DeclarationDocument::runRules(const FieldRef &field, const QString *text)
{
    const Declaration before = value_;
    if (text)
        *fieldOf(value_, field) = *text;
    state_ = editedState(state_, value_, field);
    emit edited(before);
}

void DeclarationDocument::load(const Declaration &content, KeptFields kept)
{
    value_ = content;
    kept_ = std::move(kept);
    // A field holds what the form lets the clerk type: a longer stored value
    // is cut to the field's limit, as the field would cut it on screen.
    for (const FormField &f : formFields()) {
        if (f.spec->maxLength > 0 && value_.at(f).size() > f.spec->maxLength)
            value_.at(f).truncate(f.spec->maxLength);
        // Left as shown, a field keeps its bytes even when the form cut it.
        if (auto it = kept_.find(f.slot); it != kept_.end())
            it->second.shown = value_.at(f);
    }
    state_ = loadedState(value_);
    emit loaded();
}

} // namespace portdesk
