#pragma once
// Whether a declaration can be stored in a .dcl file under a given name.
// Printing asks before the paper is used, so that a printed sheet is never
// followed by a save that fails on the declaration itself.
#include "model/Declaration.h"
#include "model/FieldRef.h"
#include "model/KeptBytes.h"

#include <QString>
#include <optional>

namespace portdesk {

struct StoreProblem {
    QString message;
    FieldRef focus; // the field to correct
};

// The first field, in file order, whose value the file cannot hold (a
// character GBK lacks, a NUL, a line break); else what makes `fileName`
// unusable, with the consignee (whose name the file carries) to correct;
// nullopt when the declaration can be stored.
std::optional<StoreProblem> storeProblem(const Declaration &d, const KeptFields &kept,
                                         const QString &fileName);
std::optional<StoreProblem> storeProblem(const Declaration &d, const QString &fileName);

// The first field the file cannot hold, named by its caption; a field kept
// as its original bytes and left as it was is always fine.
std::optional<StoreProblem> contentProblem(const Declaration &d, const KeptFields &kept);

} // namespace portdesk
