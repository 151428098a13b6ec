#pragma once
// Reading a field as a number, and writing the column totals.
#include <QString>

namespace portdesk {

// The number at the start of the text: blanks anywhere are skipped, digits
// are read with at most one decimal point, reading stops at the next point
// or at any other character. No leading number reads as 0 ("1.2.3" -> 1.2,
// ".5" -> 0.5, "abc" -> 0).
double readNumber(const QString &text);

// A total as shown under its column: up to 15 significant digits, plain
// decimal notation (never an exponent), no thousands separator, no trailing
// zeros, "0." before fractions. Zero gives the empty text.
QString formatTotal(double value);

} // namespace portdesk
