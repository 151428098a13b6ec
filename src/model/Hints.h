#pragma once
// The papers hint under the trade section and the two web look-ups.

#include <QString>

namespace portdesk {

struct TradeModeHint {
    QString hint;     // empty: no papers needed
    bool needsPapers; // the trade mode is drawn red
};

// Compared exactly: "外商投资" and "退运货物" need papers.
TradeModeHint tradeModeHint(const QString &tradeMode);

// Any permit number needs the CCC papers; the empty text clears the hint.
QString permitHint(const QString &permit);

} // namespace portdesk
