#pragma once
// The per-field input rules that the form schema names: capitals on
// leaving, carrying a value down into the next row.
#include "model/FormSchema.h"

#include <QString>
#include <vector>

namespace portdesk {

// Every field of the form schema (rows and slots expanded), in tab order.
std::vector<FieldRef> ruledFields();

// Capitals for a to z; everything else, Chinese and full-width letters
// included, stays as it is. Nothing is trimmed.
QString upperAscii(const QString &text);

// The value carried down into an empty field of a row after the first.
// Returns the empty text when nothing is to be filled.
QString carriedDown(int row, const QString &ownText, const QString &aboveText);

} // namespace portdesk
