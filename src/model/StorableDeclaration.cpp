#include "model/StorableDeclaration.h"

#include "store/DocumentNames.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

namespace portdesk {

std::optional<StoreProblem> contentProblem(const Declaration &d, const KeptFields &kept)
{
    for (const FormField &f : formFields()) {
        if (keptBytesFor(kept, d, f))
            continue;
        // The text the writer stores, quotes added.
        const QString why = unwritableValue(
            quotedForWriting(d.at(f)), QStringLiteral("“") + fieldCaption(f) + QStringLiteral("”"));
        if (!why.isEmpty())
            return StoreProblem{why, f.ref};
    }
    return std::nullopt;
}

std::optional<StoreProblem> storeProblem(const Declaration &d, const KeptFields &kept,
                                         const QString &fileName)
{
    if (std::optional<StoreProblem> problem = contentProblem(d, kept))
        return problem;
    if (const QString why = fileNameProblem(fileName); !why.isEmpty())
        return StoreProblem{why, fieldRef(DeclField::ShouHuoRen)};
    return std::nullopt;
}

std::optional<StoreProblem> storeProblem(const Declaration &d, const QString &fileName)
{
    return storeProblem(d, KeptFields{}, fileName);
}

} // namespace portdesk
