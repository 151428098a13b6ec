#include "model/StorableDeclaration.h"

#include "store/DocumentNames.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

namespace portdesk {

std::optional<StoreProblem> storeProblem(const Declaration &d, const QString &fileName)
{
    for (const FormField &f : formFields()) {
        // The text the writer stores, quotes added.
        const QString why = unwritableValue(quotedForWriting(d.at(f)),
                                            QStringLiteral("“") + f.key + QStringLiteral("”"));
        if (!why.isEmpty())
            return StoreProblem{why, f.ref};
    }
    if (const QString why = fileNameProblem(fileName); !why.isEmpty())
        return StoreProblem{why, fieldRef(DeclField::ShouHuoRen)};
    return std::nullopt;
}

} // namespace portdesk
