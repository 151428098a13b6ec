#pragma once
// The four fees recorded for an archived declaration, kept in its own file
// (section 费用登记) as text exactly as typed.
#include "model/FormSchema.h"

#include <QString>
#include <array>
#include <vector>

namespace portdesk {

class ProfileBatch;

inline constexpr int kFeeCount = 4;
using FeeAmounts = std::array<QString, kFeeCount>;

inline const QString &feeSection()
{
    static const QString s = QStringLiteral("费用登记");
    return s;
}

// The fee window's schema: the four boxes Text1(0..3), digits and the point,
// at most 12 characters each, with their labels and keys in row order.
const FieldSpec &feeSpec();
const std::vector<FormField> &feeFields();
// The label beside row `row`'s box ("检通输单费").
QString feeLabel(int row);

// The four amounts as the file holds them; missing keys read empty (and are
// added empty to the batch, written only if the caller saves it).
FeeAmounts readFees(ProfileBatch &file);

// Writes the four keys in row order. False, with `error` set, when the file
// could not be read or replaced; nothing is written then.
bool writeFees(const QString &declarationPath, const FeeAmounts &fees, QString *error);

} // namespace portdesk
