#include "editor/CodeLists.h"

#include <vector>

namespace portdesk {

const std::vector<CodeList> &codeLists()
{
    static const std::vector<CodeList> lists = {
        {"SLdanwei", {QStringLiteral("个"), QStringLiteral("台")}, false},
        {"ZLdanwei", {QStringLiteral("千克")}, false},
        {"BiZhi",
         {QStringLiteral("美元"), QStringLiteral("欧元"), QStringLiteral("英镑"),
          QStringLiteral("日本元"), QStringLiteral("人民币")},
         false},
        {"BZzhonglei",
         {QStringLiteral("木托"), QStringLiteral("木箱"), QStringLiteral("垫木"),
          QStringLiteral("纸箱"), QStringLiteral("其它")},
         true},
        {"YunShuGongJu",
         {QStringLiteral("飞机"), QStringLiteral("船舶"), QStringLiteral("海运集装箱"),
          QStringLiteral("汽车")},
         true},
        {"RuJingKouAn", {QStringLiteral("上海"), QStringLiteral("深圳")}, true},
        {"MaoYiFangShi",
         {QStringLiteral("一般贸易"), QStringLiteral("进料加工"), QStringLiteral("来料加工"),
          QStringLiteral("外商投资"), QStringLiteral("退运货物"), QStringLiteral("货样广告品"),
          QStringLiteral("其它")},
         true},
    };
    return lists;
}

const CodeList *codeList(const QString &field)
{
    for (const CodeList &l : codeLists()) {
        if (field == QLatin1String(l.field))
            return &l;
    }
    return nullptr;
}

int quickPickIndex(const QStringList &items, char32_t typed)
{
    if (typed < '1' || typed > '9')
        return -1;
    const int index = int(typed - '1');
    return index < items.size() ? index : -1;
}

QString quickPickTooltip()
{
    return QStringLiteral("可直接使用数字键输入。");
}

bool showsQuickPickTooltip(const QString &field, int index)
{
    const CodeList *l = codeList(field);
    if (!l)
        return false;
    return l->tooltipOnAll || index <= 0;
}

QString containerTransport()
{
    return QStringLiteral("海运集装箱");
}

} // namespace portdesk
