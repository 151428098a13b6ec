#include "editor/FieldRules.h"

namespace portdesk {

namespace {

using C = CharClass;
using F = FocusRule;

} // namespace

const std::vector<FieldRule> &fieldRules()
{
    // name, count, filter, quick pick, limit, on focus, upper on leave, own-text tooltip
    static const std::vector<FieldRule> rules = {
        {"ShouHuoRen", 1, C::Any, false, 0, F::None, false, false},
        {"MingCheng", 10, C::Any, false, 0, F::SelectAll, false, true},
        {"BianMa", 10, C::Digit, false, 10, F::SelectAll, false, true},
        {"YuanChanGuo", 10, C::Chinese, false, 5, F::SelectAllCarryDown, false, false},
        {"ShuLiang", 10, C::Decimal, false, 0, F::SelectAll, false, true},
        {"SLdanwei", 10, C::Chinese, true, 0, F::SelectAllCarryDown, false, false},
        {"ZhongLiang", 10, C::Decimal, false, 0, F::SelectAll, false, true},
        {"ZLdanwei", 10, C::Chinese, true, 0, F::SelectAllCarryDown, false, false},
        {"ZongZhi", 10, C::Decimal, false, 20, F::SelectAll, false, true},
        {"BiZhi", 10, C::Chinese, true, 0, F::SelectAllCarryDown, false, false},
        {"BZzhonglei", 2, C::Chinese, true, 0, F::SelectAll, false, false},
        {"BZshuliang", 2, C::Digit, false, 4, F::SelectAll, false, false},
        {"JianShu", 1, C::Digit, false, 5, F::SelectAll, false, true},
        {"GongJin", 1, C::Decimal, false, 10, F::SelectAll, false, true},
        {"YunShuGongJu", 1, C::Chinese, true, 0, F::None, false, false},
        {"TiYunDanHao", 1, C::Any, false, 20, F::SelectAll, true, true},
        {"QiYunGuoJia", 1, C::Chinese, false, 5, F::SelectAll, false, false},
        {"RuJingKouAn", 1, C::Chinese, true, 0, F::SelectAll, false, false},
        {"HeTongHao", 1, C::Any, false, 20, F::SelectAll, true, true},
        {"MaoYiFangShi", 1, C::Chinese, true, 0, F::None, false, false},
        {"MaoYiGuoBie", 1, C::Chinese, false, 5, F::SelectAll, false, false},
        {"XuKeZheng", 1, C::Any, false, 12, F::SelectAll, true, true},
        {"JZXsl1", 1, C::Digit, false, 2, F::SelectAll, false, false},
        {"JZXhm1", 1, C::Any, false, 11, F::SelectAll, true, false},
        {"JZXsl2", 1, C::Digit, false, 2, F::SelectAll, false, false},
        {"JZXhm2", 1, C::Any, false, 11, F::SelectAll, true, false},
    };
    return rules;
}

const FieldRule *fieldRule(const QString &name)
{
    for (const FieldRule &r : fieldRules()) {
        if (name == QLatin1String(r.name))
            return &r;
    }
    return nullptr;
}

std::vector<FieldRef> ruledFields()
{
    std::vector<FieldRef> out;
    for (const FieldRule &r : fieldRules()) {
        if (r.count == 1) {
            out.push_back({QString::fromLatin1(r.name), -1});
        } else {
            for (int i = 0; i < r.count; ++i)
                out.push_back({QString::fromLatin1(r.name), i});
        }
    }
    return out;
}

QString upperAscii(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

QString carriedDown(int row, const QString &ownText, const QString &aboveText)
{
    if (row < 1 || !ownText.isEmpty())
        return QString();
    return aboveText;
}

FieldRef parseFieldRef(const QString &objectName)
{
    const int open = objectName.indexOf(QLatin1Char('('));
    if (open < 0 || !objectName.endsWith(QLatin1Char(')')))
        return {objectName, -1};
    bool ok = false;
    const int index = objectName.mid(open + 1, objectName.size() - open - 2).toInt(&ok);
    if (!ok)
        return {objectName, -1};
    return {objectName.left(open), index};
}

} // namespace portdesk
