#pragma once
// What a field accepts, character by character. Every check works on code
// points, so a character outside the Basic Multilingual Plane (an emoji) is
// one character and is judged whole.
#include "model/FormSchema.h"

#include <QString>

namespace portdesk {

// The two-byte GB2312 code of a character (lead byte high), 0 when it has
// none: single-byte characters, GBK's extension areas, characters outside GBK.
int gb2312Code(char32_t ch);

// True when the declaration file can hold the character: it has a GBK code
// and is no control character (a line break would split a key line).
bool isStorable(char32_t ch);

// The character filter of a class; every class also requires isStorable.
bool accepts(CharClass cls, char32_t ch);

// The characters of `text` that the filter lets through, in order.
QString filtered(CharClass cls, const QString &text);

// True when every character of `text` passes.
bool acceptsAll(CharClass cls, const QString &text);

// What a paste into a one-line field takes: the text up to the first line
// break, without control characters (a spreadsheet cell arrives as "ABC\r\n",
// two cells as "A\tB").
QString pastedLine(const QString &clipboard);

} // namespace portdesk
