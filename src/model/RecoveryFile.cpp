#include "model/RecoveryFile.h"

#include "store/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

namespace portdesk {

namespace {

const QString kSuffix = QStringLiteral(".recovery");

QString lockPath(const QString &path)
{
    return path + QStringLiteral(".lock");
}

// Only a dead holder's lock is broken: a live program may sit untouched
// for hours.
std::unique_ptr<QLockFile> makeLock(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(lockPath(path));
    lock->setStaleLockTime(0);
    return lock;
}

bool removeIfThere(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.exists() || file.remove())
        return true;
    if (error)
        *error = QStringLiteral("无法删除“%1”：%2")
                     .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

} // namespace

QByteArray recoveryBytes(const Recovery &recovery)
{
    QJsonObject content;
    QJsonObject kept;
    for (const FormField &f : formFields()) {
        content.insert(f.key, recovery.content.at(f));
        if (const auto k = recovery.kept.find(f.slot); k != recovery.kept.end())
            kept.insert(f.key, QJsonObject{{QStringLiteral("shown"), k->second.shown},
                                           {QStringLiteral("bytes"),
                                            QString::fromLatin1(k->second.bytes.toBase64())}});
    }
    QJsonObject root{{QStringLiteral("time"), recovery.time.toString(Qt::ISODateWithMs)},
                     {QStringLiteral("file"), recovery.file},
                     {QStringLiteral("content"), content},
                     {QStringLiteral("kept"), kept}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<Recovery> parseRecovery(const QByteArray &bytes, QString *error)
{
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &parse);
    const QJsonObject root = doc.object();
    const QDateTime time =
        QDateTime::fromString(root.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    if (parse.error != QJsonParseError::NoError ||
        !root.value(QStringLiteral("content")).isObject() || !time.isValid()) {
        if (error)
            *error = QStringLiteral("内容不完整");
        return std::nullopt;
    }
    Recovery r;
    r.time = time;
    r.file = root.value(QStringLiteral("file")).toString();
    const QJsonObject content = root.value(QStringLiteral("content")).toObject();
    const QJsonObject kept = root.value(QStringLiteral("kept")).toObject();
    for (const FormField &f : formFields()) {
        r.content.at(f) = content.value(f.key).toString();
        const QJsonObject k = kept.value(f.key).toObject();
        if (!k.isEmpty())
            r.kept[f.slot] = KeptBytes{
                k.value(QStringLiteral("shown")).toString(),
                QByteArray::fromBase64(k.value(QStringLiteral("bytes")).toString().toLatin1())};
    }
    return r;
}

QString recoveryFileName(qint64 pid, const QString &tag)
{
    return QStringLiteral("declaration-%1-%2").arg(pid).arg(tag) + kSuffix;
}

bool isRecoveryFileName(const QString &name)
{
    static const QRegularExpression pattern(
        QStringLiteral("^declaration-[0-9]+-[A-Za-z0-9]+\\.recovery$"));
    return pattern.match(name).hasMatch();
}

QString recoveryQuestion(const Recovery &recovery)
{
    const QString consignee = recovery.content[DeclField::ShouHuoRen].trimmed();
    QString text = QStringLiteral("上次未保存的报检单可以恢复：\n\n时间：") +
                   recovery.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                   QStringLiteral("\n收货人：") +
                   (consignee.isEmpty() ? QStringLiteral("（未填写）") : consignee);
    if (!recovery.file.isEmpty())
        text += QStringLiteral("\n文件：") + QFileInfo(recovery.file).fileName();
    return text + QStringLiteral("\n\n是否恢复？选“否”将丢弃它。");
}

RecoverySlot::RecoverySlot(const QString &folder, qint64 pid, const QString &tag)
    : folder_(folder), path_(folder + '/' + recoveryFileName(pid, tag))
{
}

RecoverySlot::~RecoverySlot() = default;

bool RecoverySlot::hold(QString *error)
{
    if (lock_)
        return true;
    if (!QDir().mkpath(folder_)) {
        if (error)
            *error = QStringLiteral("无法创建文件夹“%1”").arg(QDir::toNativeSeparators(folder_));
        return false;
    }
    auto lock = makeLock(path_);
    if (!lock->tryLock(0)) {
        if (error)
            *error = QStringLiteral("无法锁定“%1”").arg(QDir::toNativeSeparators(path_));
        return false;
    }
    lock_ = std::move(lock);
    return true;
}

bool RecoverySlot::write(const Recovery &recovery, QString *error)
{
    // The lock comes first: a copy without one would be taken for a crashed
    // program's by another program starting now.
    return hold(error) && replaceProfile(path_, recoveryBytes(recovery), error);
}

bool RecoverySlot::remove(QString *error)
{
    return removeIfThere(path_, error);
}

std::vector<Leftover> RecoverySlot::leftovers(QStringList *problems) const
{
    std::vector<Leftover> found;
    const QStringList names = QDir(folder_).entryList({QStringLiteral("*") + kSuffix}, QDir::Files);
    for (const QString &name : names) {
        const QString path = folder_ + '/' + name;
        if (!isRecoveryFileName(name) || path == path_)
            continue;
        auto lock = makeLock(path);
        if (!lock->tryLock(0))
            continue; // its program still runs, or another is offering it now
        QFile file(path);
        QString why;
        std::optional<Recovery> recovery;
        if (!file.open(QIODevice::ReadOnly))
            why = file.errorString();
        else
            recovery = parseRecovery(file.readAll(), &why);
        if (!recovery) {
            if (problems)
                *problems << QDir::toNativeSeparators(path) + QStringLiteral("：") + why;
            continue;
        }
        found.push_back(Leftover{path, std::move(*recovery), std::move(lock)});
    }
    std::sort(found.begin(), found.end(), [](const Leftover &a, const Leftover &b) {
        return a.recovery.time > b.recovery.time;
    });
    return found;
}

bool RecoverySlot::discard(Leftover &leftover, QString *error)
{
    if (!removeIfThere(leftover.path, error))
        return false;
    leftover.lock.reset();
    return true;
}

} // namespace portdesk
