#pragma once
// Rules of the list editor's fields that need no window.
#include <QString>
#include <QStringList>
#include <optional>

namespace portdesk {

// The packing kinds in pick-list order: 托盘, 纸箱, 其它 (quick picks 1 to 3).
const QStringList &listPackings();
// Empty or one of the kinds; any other text is cleared on leaving.
bool isListPacking(const QString &text);

inline constexpr int kSlipNumberLength = 18;

// The message that keeps the focus in a station-slip number shorter than
// 18 characters: "场站单编号位数为18位，少了3位！". nullopt when it may be
// left: empty, or 18 characters. A longer one (only a stored file can hold
// it, and stored rows are read-only) is let go too, so it cannot trap the
// focus in a field nobody can edit.
std::optional<QString> slipNumberProblem(const QString &text);

// The transport mode the station-slip code in characters 1-2 or 3-4 names
// (KJ 空运, LJ 陆运, PJ and HF 海运), tested in that order with the last
// match winning; nullopt when none matches and the mode stays as typed.
std::optional<QString> transportFromSlip(const QString &slipNumber);

} // namespace portdesk
