#include "model/FeeRecord.h"

#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

namespace portdesk {

const FieldSpec &feeSpec()
{
    static const FieldSpec s{.name = "Text1",
                             .count = kFeeCount,
                             .maxLength = 12,
                             .filter = CharClass::Decimal,
                             .onFocus = FocusRule::SelectAll,
                             .noInputMethod = Which::All};
    return s;
}

const std::vector<FormField> &feeFields()
{
    static const std::vector<FormField> fields = [] {
        const char *const keys[kFeeCount] = {"输单费", "法检费", "卫生费", "除害费"};
        std::vector<FormField> f;
        for (int row = 0; row < kFeeCount; ++row)
            f.push_back({FieldRef{QLatin1String(feeSpec().name), row}, &feeSpec(),
                         QString::fromUtf8(keys[row]), row});
        return f;
    }();
    return fields;
}

QString feeLabel(int row)
{
    static const char *const labels[kFeeCount] = {"检通输单费", "商检法检费", "卫生处理费",
                                                  "木质包装除害费"};
    return QString::fromUtf8(labels[row]);
}

FeeAmounts readFees(ProfileBatch &file)
{
    FeeAmounts fees;
    for (const FormField &f : feeFields())
        fees[std::size_t(f.slot)] = file.ReadKey(feeSection(), f.key, QString());
    return fees;
}

bool writeFees(const QString &declarationPath, const FeeAmounts &fees, QString *error)
{
    ProfileBatch file(declarationPath);
    if (file.failed()) {
        if (error)
            *error = file.failure();
        return false;
    }
    for (const FormField &f : feeFields()) {
        if (!file.WriteKey(feeSection(), f.key, quotedForWriting(fees[std::size_t(f.slot)]), error))
            return false;
    }
    return file.save(error);
}

} // namespace portdesk
