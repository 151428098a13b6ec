#include "model/FormState.h"

#include "model/FormSchema.h"
#include "model/Hints.h"
#include "model/NumberFormat.h"

namespace portdesk {

namespace {

QString textOf(const Declaration &d, const FieldRef &ref)
{
    const QString *text = fieldOf(d, ref);
    return text ? *text : QString();
}

bool holds(const Dependency &rule, const QString &source)
{
    switch (rule.when) {
    case Dependency::NonZero:
        return readNumber(source) != 0;
    case Dependency::NotEmpty:
        return !source.isEmpty();
    case Dependency::IsContainerTransport:
        return source == containerTransport();
    }
    return false;
}

void setEnabled(FormState &s, const FieldRef &ref, bool enabled)
{
    if (enabled)
        s.disabled.remove(ref.objectName());
    else
        s.disabled.insert(ref.objectName());
}

void updateTotals(FormState &s, const Declaration &d)
{
    for (const FieldSpec &column : formSchema()) {
        if (column.total < 0)
            continue;
        double sum = 0; // in row order, as the clerk reads the column
        for (int row = 0; row < column.count; ++row)
            sum += readNumber(textOf(d, {QLatin1String(column.name), row}));
        s.totals[std::size_t(column.total)] = formatTotal(sum);
    }
}

void edit(FormState &s, Declaration &d, const FieldRef &changed);

// Empties a text; an emptied text runs its own rules, as typing would.
void empty(FormState &s, Declaration &d, const FieldRef &ref)
{
    QString *text = fieldOf(d, ref);
    if (!text || text->isEmpty())
        return;
    text->clear();
    edit(s, d, ref);
}

void edit(FormState &s, Declaration &d, const FieldRef &changed)
{
    for (const DependencyLink &link : dependencyLinks()) {
        if (link.source == changed) {
            const bool on = holds(*link.rule, textOf(d, changed));
            setEnabled(s, link.dependent, on);
            if (!on) {
                if (link.rule->emptiesDependent)
                    empty(s, d, link.dependent);
                for (const char *other : link.rule->alsoEmptied)
                    empty(s, d, {QLatin1String(other), -1});
            }
        }
        if (link.dependent == changed && link.rule->ownTextEnables && !textOf(d, changed).isEmpty())
            setEnabled(s, changed, true);
    }
    if (changed.name == QLatin1String("MingCheng") && changed.index > 0)
        s.moreMark = !textOf(d, changed).isEmpty(); // only the row that changed counts
    if (changed.name == QLatin1String("MaoYiFangShi")) {
        const TradeModeHint hint = tradeModeHint(d[DeclField::MaoYiFangShi]);
        s.hint = hint.hint;
        s.tradeAlert = hint.needsPapers;
    }
    if (changed.name == QLatin1String("XuKeZheng"))
        s.hint = permitHint(d[DeclField::XuKeZheng]);
}

} // namespace

const std::vector<DependencyLink> &dependencyLinks()
{
    static const std::vector<DependencyLink> links = [] {
        std::vector<DependencyLink> out;
        for (const Dependency &rule : dependencies()) {
            const QString dependent = QLatin1String(rule.dependent);
            const QString source = QLatin1String(rule.source);
            if (rule.dependentIndex == Dependency::EachIndex) {
                for (int i = 0; i < fieldSpec(source)->count; ++i)
                    out.push_back({{dependent, i}, {source, i}, &rule});
            } else {
                out.push_back(
                    {{dependent, rule.dependentIndex}, {source, rule.sourceIndex}, &rule});
            }
        }
        return out;
    }();
    return links;
}

bool FormState::enabled(const FieldRef &field) const
{
    if (disabled.contains(field.objectName()))
        return false;
    const FieldSpec *s = fieldSpec(field.name);
    return !s || !disabled.contains(frameName(s->box));
}

FormState loadedState(const Declaration &d)
{
    FormState s;
    for (const DependencyLink &link : dependencyLinks()) {
        const bool ownText = link.rule->ownTextEnables && !textOf(d, link.dependent).isEmpty();
        setEnabled(s, link.dependent, ownText || holds(*link.rule, textOf(d, link.source)));
    }
    updateTotals(s, d);
    for (int row = 1; row < goodsRowCount(); ++row)
        s.moreMark = s.moreMark || !d.at(DeclField::MingCheng, row).isEmpty();
    const TradeModeHint mode = tradeModeHint(d[DeclField::MaoYiFangShi]);
    s.hint = d[DeclField::XuKeZheng].isEmpty() ? mode.hint : permitHint(d[DeclField::XuKeZheng]);
    s.tradeAlert = mode.needsPapers;
    return s;
}

FormState editedState(const FormState &before, Declaration &d, const FieldRef &changed)
{
    FormState s = before;
    edit(s, d, changed);
    updateTotals(s, d);
    return s;
}

} // namespace portdesk
