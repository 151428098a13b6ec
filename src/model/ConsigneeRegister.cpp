#include "model/ConsigneeRegister.h"

#include "store/Gbk.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

namespace portdesk {

namespace {

struct FieldText {
    const char16_t *caption;
    const char16_t *name;
};

constexpr std::array<FieldText, kConsigneeFields> kFields{{
    {u"全  称", u"全称"},
    {u"注册号", u"注册号"},
    {u"地  址", u"地址"},
    {u"联系人", u"联系人"},
    {u"电  话", u"电话"},
    {u"单位性质", u"单位性质"},
    {u"经营范围", u"经营范围"},
}};

constexpr int kRequiredFields = 5;

QString countKey()
{
    return QStringLiteral("S");
}

// The blanks the settings store trims from names and values.
bool isStoreBlank(QChar c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' ||
           c == QChar(0x1A);
}

QStringList readNames(ProfileBatch &batch)
{
    const QString section = consigneeListSection();
    const int n =
        std::min(leadingCount(batch.ReadKey(section, countKey(), QString())), kMaxConsignees);
    QStringList names;
    for (int i = 1; i <= n; ++i)
        names << batch.ReadKey(section, QString::number(i), QString());
    return names;
}

ConsigneeSaveResult refused(const QString &message)
{
    ConsigneeSaveResult r;
    r.message = message;
    return r;
}

} // namespace

QString consigneeListSection()
{
    return QStringLiteral("列表");
}

QString consigneeFieldCaption(int k)
{
    return QString::fromUtf16(kFields.at(k).caption);
}

QString consigneeFieldName(int k)
{
    return QString::fromUtf16(kFields.at(k).name);
}

int leadingCount(const QString &text)
{
    int i = 0;
    while (i < text.size() && isStoreBlank(text.at(i)))
        ++i;
    qint64 n = 0;
    for (; i < text.size() && text.at(i) >= '0' && text.at(i) <= '9'; ++i) {
        n = n * 10 + (text.at(i).unicode() - '0');
        if (n > 1000000)
            return 1000000;
    }
    return int(n);
}

QStringList readConsigneeNames(const QString &registerFile)
{
    ProfileBatch batch(registerFile);
    const QStringList names = readNames(batch);
    batch.save(); // write-back of missing keys only; a read never fails the clerk
    return names;
}

QStringList peekConsigneeNames(const QString &registerFile)
{
    ProfileBatch batch(registerFile);
    return readNames(batch);
}

bool consigneeListed(const QStringList &names, const QString &name)
{
    return !name.isEmpty() && names.contains(name, Qt::CaseSensitive);
}

ConsigneeParticulars readConsigneeParticulars(const QString &registerFile, const QString &name)
{
    ProfileBatch batch(registerFile);
    ConsigneeParticulars p;
    for (int k = 0; k < kConsigneeFields; ++k)
        p[k] = batch.ReadKey(name, QString::number(k), QString());
    batch.save();
    return p;
}

QString missingConsigneeEntry(const QString &name, const ConsigneeParticulars &p)
{
    if (name.isEmpty())
        return QStringLiteral("收货人不能为空！");
    for (int k = 0; k < kRequiredFields; ++k) {
        if (p[k].isEmpty())
            return consigneeFieldName(k) + QStringLiteral("不能为空！");
    }
    return {};
}

QString consigneeNameProblem(const QString &name)
{
    if (name.compare(consigneeListSection(), Qt::CaseInsensitive) == 0)
        return QStringLiteral("“列表”是收货人清单自身的名称，不能用作收货人名称！");
    if (!name.isEmpty() && (isStoreBlank(name.front()) || isStoreBlank(name.back())))
        return QStringLiteral("收货人名称的开头和结尾不能是空格！");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return QStringLiteral("收货人名称不能含有控制字符！");
    }
    // [ ] = would break the register's section line; the rest cannot stand in
    // the file names the consignee's name becomes part of.
    static const QString forbidden = QStringLiteral("[]=\\/:*?\"<>|");
    for (const QChar c : name) {
        if (forbidden.contains(c))
            return QStringLiteral("收货人名称不能含有字符“%1”！").arg(c);
    }
    // The register's reader takes one pair of outer quotes off a value, so the
    // listed name would no longer match its section.
    if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'')
        return QStringLiteral("收货人名称不能以单引号开头并以单引号结尾！");
    const QString bad = firstNonGbkChar(name);
    if (!bad.isEmpty())
        return QStringLiteral("收货人名称含有无法保存的字符%1！").arg(shownCharacter(bad));
    return {};
}

QString consigneeParticularsProblem(const ConsigneeParticulars &p)
{
    for (int k = 0; k < kConsigneeFields; ++k) {
        if (p[k].contains('\n') || p[k].contains('\r'))
            return consigneeFieldName(k) + QStringLiteral("不能含有换行！");
        const QString bad = firstNonGbkChar(p[k]);
        if (!bad.isEmpty())
            return consigneeFieldName(k) +
                   QStringLiteral("含有无法保存的字符%1！").arg(shownCharacter(bad));
    }
    return {};
}

ConsigneeSaveResult saveConsignee(const QString &registerFile, const QString &name,
                                  const ConsigneeParticulars &p, bool adding)
{
    if (const QString m = missingConsigneeEntry(name, p); !m.isEmpty())
        return refused(m);

    // Looked at without writing anything back: the save below makes the
    // same calls, in the same order, as a register kept by hand would get.
    ProfileBatch probe(registerFile);
    const QStringList names = readNames(probe);
    const bool listed = names.contains(name);
    if (!listed) {
        // Names listed before these rules existed stay usable for updates.
        if (const QString m = consigneeNameProblem(name); !m.isEmpty())
            return refused(m);
        // Sections match without regard to case: a name differing only in
        // case would overwrite the other consignee's particulars.
        for (const QString &other : names) {
            if (other.compare(name, Qt::CaseInsensitive) == 0)
                return refused(QStringLiteral("收货人“%1”与已有的收货人“%2”只有大小写不同，"
                                              "请直接使用“%2”！")
                                   .arg(name, other));
        }
    }
    if (const QString m = consigneeParticularsProblem(p); !m.isEmpty())
        return refused(m);
    const QString section = consigneeListSection();
    const int stored = leadingCount(probe.ReadKey(section, countKey(), QString()));
    if (adding && !listed && stored >= kMaxConsignees)
        return refused(QStringLiteral("收货人已达%1家，不能再新增！").arg(kMaxConsignees));

    // Held from its read to its save: the count read below decides the slot
    // written, and another desk must not take the same slot meanwhile.
    ProfileBatch batch(registerFile, ProfileBatch::Hold::UntilSaved);
    auto failed = [&](const QString &error) {
        ConsigneeSaveResult r = refused(QStringLiteral("保存“%1”失败！\n%2").arg(name, error));
        r.writeFailed = true;
        return r;
    };
    QString error;
    for (int k = 0; k < kConsigneeFields; ++k) {
        if (!batch.WriteKey(name, QString::number(k), quotedForWriting(p[k]), &error))
            return failed(error);
    }
    ConsigneeSaveResult r;
    r.count = stored;
    r.listedName = name;
    if (adding) {
        r.added = true;
        // Another desk may have listed the same name meanwhile: list it once.
        if (!readNames(batch).contains(name)) {
            r.count = leadingCount(batch.ReadKey(section, countKey(), QString())) + 1;
            const QString key = QString::number(r.count);
            if (!batch.WriteKey(section, countKey(), key, &error) ||
                !batch.WriteKey(section, key, name, &error))
                return failed(error);
            r.listedName = batch.ReadKey(section, key, QString());
        }
    }
    if (!batch.save(&error))
        return failed(error);
    r.ok = true;
    return r;
}

} // namespace portdesk
