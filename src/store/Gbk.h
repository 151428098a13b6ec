#pragma once
// GBK (Windows code page 936) at the edge of every file.
#include <QByteArray>
#include <QString>
#include <optional>

namespace portdesk {

// nullopt when some character has no GBK code, including those ICU would
// silently drop.
std::optional<QByteArray> toGbk(const QString &text);
// nullopt when the bytes are not valid GBK.
std::optional<QString> fromGbk(const QByteArray &bytes);
// Lossy decode for display: invalid bytes become U+FFFD.
QString fromGbkLossy(const QByteArray &bytes);
bool isGbkEncodable(const QString &text);
// The first character (a surrogate pair whole) GBK cannot store; empty when
// there is none.
QString firstNonGbkChar(const QString &text);
// A character as a message names it: in quotes, or as U+XXXX when it would
// show nothing (zero-width, direction marks, controls, blanks).
QString shownCharacter(const QString &ch);

} // namespace portdesk
