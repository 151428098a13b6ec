#pragma once
// The completeness checks of the print command, as one ordered table over
// the declaration value. The first failing check names its message and the
// field that takes the cursor.
#include "model/Declaration.h"
#include "model/FieldRef.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace portdesk {

struct PrintCheck {
    QString message;
    FieldRef focus;
    // True when the declaration fails this check; `consignees` are the
    // names the consignee register lists.
    std::function<bool(const Declaration &, const QStringList &consignees)> fails;
};

// Every check in the order it runs, the goods rows expanded row by row.
const std::vector<PrintCheck> &printChecks();

struct PrintCheckFailure {
    QString message;
    FieldRef focus;
};

std::optional<PrintCheckFailure> firstFailedCheck(const Declaration &d,
                                                  const QStringList &consignees);

// The container fields count only while the means of transport is sea
// container.
bool containersInUse(const Declaration &d);

} // namespace portdesk
