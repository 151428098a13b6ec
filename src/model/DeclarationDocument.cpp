#include "model/DeclarationDocument.h"

namespace portdesk {

DeclarationDocument::DeclarationDocument(QObject *parent) : QObject(parent) {}

void DeclarationDocument::take(const FieldRef &field, const QString &text)
{
    QString *current = fieldOf(value_, field);
    if (!current || *current == text)
        return;
    const Declaration before = value_;
    *current = text;
    state_ = editedState(state_, value_, field);
    emit edited(before);
}

void DeclarationDocument::rerun(const FieldRef &field)
{
    if (!fieldOf(value_, field))
        return;
    const Declaration before = value_;
    state_ = editedState(state_, value_, field);
    emit edited(before);
}

void DeclarationDocument::load(const Declaration &content)
{
    value_ = content;
    state_ = loadedState(value_);
    emit loaded();
}

} // namespace portdesk
