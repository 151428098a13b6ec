#pragma once
// Names one field of the main window: a control name, plus the index for
// control arrays (goods rows 0 to 9, packing slots 0 and 1).
#include <QString>

namespace portdesk {

struct FieldRef {
    QString name;
    int index = -1; // -1: the control is not an array

    // The widget's objectName: "JianShu", "MingCheng(3)".
    QString objectName() const
    {
        return index < 0 ? name
                         : name + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
    }
    bool isNull() const { return name.isEmpty(); }
    friend bool operator==(const FieldRef &, const FieldRef &) = default;
};

// Reverse of objectName(); a name without "(n)" gives index -1.
FieldRef parseFieldRef(const QString &objectName);

} // namespace portdesk
