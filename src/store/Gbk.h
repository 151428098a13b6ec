#pragma once
// GBK (Windows code page 936) at the edge of every file.
#include <QByteArray>
#include <QString>
#include <optional>

namespace portdesk {

// nullopt when some character has no GBK code.
std::optional<QByteArray> toGbk(const QString &text);
// nullopt when the bytes are not valid GBK.
std::optional<QString> fromGbk(const QByteArray &bytes);
// Lossy decode for display: invalid bytes become U+FFFD.
QString fromGbkLossy(const QByteArray &bytes);
bool isGbkEncodable(const QString &text);

} // namespace portdesk
