#pragma once
// Creating a file that must not replace another: two desks storing a
// printed declaration for one consignee in the same second each get a file
// of their own.
#include <QByteArray>
#include <QString>
#include <optional>

namespace portdesk {

// "a(2).dcl" for ("a.dcl", 2): the number in brackets before the extension,
// so the copies sort beside the first file. n = 1 is the name itself.
QString numberedFileName(const QString &fileName, int n);

// The highest number tried before createNewFile gives up.
inline constexpr int maxFileNumber = 999;

// Creates `path` with `bytes`, whole or not at all; when the name is taken
// the next numbered name is tried. The path created, or nullopt with `error`
// set, when nothing was created.
std::optional<QString> createNewFile(const QString &path, const QByteArray &bytes, QString *error);

// Creates exactly `path`, whole or not at all; Taken (with nothing written)
// when the name is used already, Failed with `error` set otherwise.
enum class Created { Made, Taken, Failed };
Created createExactly(const QString &path, const QByteArray &bytes, QString *error);

} // namespace portdesk
