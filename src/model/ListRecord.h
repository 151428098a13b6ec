#pragma once
// A list declaration (清单报检) as a plain value: its date, its ticket count
// and ten rows of nine texts. The list window draws it; the list file and
// the stash are read into it and written from it.
#include <QString>
#include <array>

namespace portdesk {

// The nine fields of a row, in storage and on-screen order.
enum class ListField {
    BianHao,
    HuoZhu,
    PinMing,
    BaoZhuang,
    JianShu,
    ZhongLiang,
    TiDanHao,
    QiYunGuo,
    YunShuFangShi,
    Count
};
inline constexpr int kListFields = int(ListField::Count);
inline constexpr int kListRows = 10;

// The control family ("BianHao") and the key stem ("场站单编号") of a field.
const char *listFieldName(ListField field);
QString listKeyStem(ListField field);
// The key of a field in row `row` (0 to 9): "场站单编号0".
QString listKey(ListField field, int row);

using ListRow = std::array<QString, kListFields>;

struct ListRecord {
    QString date;  // 申报日期, YYYY-MM-DD
    QString count; // 票数 as stored; empty for a new list
    std::array<ListRow, kListRows> rows{};

    QString &at(int row, ListField field) { return rows[std::size_t(row)][std::size_t(field)]; }
    const QString &at(int row, ListField field) const
    {
        return rows[std::size_t(row)][std::size_t(field)];
    }
    // The tickets: the leading run of rows whose 运输方式 is not empty.
    int filledRows() const;

    bool operator==(const ListRecord &) const = default;
};

} // namespace portdesk
