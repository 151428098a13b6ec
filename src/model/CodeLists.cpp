#include "model/CodeLists.h"

#include <vector>

namespace portdesk {

const std::vector<CodeList> &codeLists()
{
    static const std::vector<CodeList> lists = [] {
        std::vector<CodeList> out;
        for (const FieldSpec &s : formSchema()) {
            if (s.quickPick())
                out.push_back({s.name, s.items, s.pickTooltip == Which::All});
        }
        return out;
    }();
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

} // namespace portdesk
