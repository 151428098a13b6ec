#include "model/DeclarationFile.h"

#include "model/StorableDeclaration.h"
#include "store/Gbk.h"
#include "store/NewFile.h"
#include "store/ProfileDocument.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace portdesk {

bool writeDeclaration(const QString &path, const Declaration &content, const KeptFields &kept,
                      QString *error)
{
    // Checked before the file is touched, so that the message names the
    // field the clerk must correct.
    if (const std::optional<StoreProblem> problem = contentProblem(content, kept)) {
        if (error)
            *error = problem->message;
        return false;
    }
    ProfileBatch file(path);
    if (file.failed()) {
        if (error)
            *error = file.failure();
        return false;
    }
    for (const FormField &f : formFields()) {
        const bool written = [&] {
            if (const QByteArray *bytes = keptBytesFor(kept, content, f))
                return file.writeStoredBytes(contentSection(), f.key, *bytes, error);
            return file.WriteKey(contentSection(), f.key, quotedForWriting(content.at(f)), error);
        }();
        if (!written)
            return false;
    }
    return file.save(error);
}

bool writeDeclaration(const QString &path, const Declaration &content, QString *error)
{
    return writeDeclaration(path, content, KeptFields{}, error);
}

std::optional<QString> createDeclaration(const QString &path, const Declaration &content,
                                         const KeptFields &kept, QString *error)
{
    if (const std::optional<StoreProblem> problem = contentProblem(content, kept)) {
        if (error)
            *error = problem->message;
        return std::nullopt;
    }
    ProfileDocument doc;
    const QByteArray section = *toGbk(contentSection());
    for (const FormField &f : formFields()) {
        const QByteArray *bytes = keptBytesFor(kept, content, f);
        doc.setValue(section, *toGbk(f.key),
                     bytes ? *bytes : *toGbk(quotedForWriting(content.at(f))));
    }
    return createNewFile(path, doc.serialize(), error);
}

Declaration declarationContent(ProfileBatch &file)
{
    Declaration d;
    for (const FormField &f : formFields())
        d.at(f) = file.ReadKey(contentSection(), f.key, QString());
    return d;
}

bool readDeclaration(const QString &path, LoadedDeclaration &out, QString *error)
{
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("文件不存在！");
        return false;
    }
    ProfileBatch file(path);
    if (file.failed()) {
        if (error)
            *error = file.failure();
        return false;
    }
    // Anything else (another program's settings, a file in another encoding)
    // would open as an empty form and get a second 报检内容 on saving.
    if (!file.hasSection(contentSection())) {
        if (error)
            *error = QStringLiteral("文件“%1”不是报检单：其中没有“%2”")
                         .arg(QDir::toNativeSeparators(path), contentSection());
        return false;
    }
    LoadedDeclaration loaded;
    loaded.number = file.ReadKey(infoSection(), QStringLiteral("报检号"), QString());
    if (!loaded.number.isEmpty())
        loaded.date = file.ReadKey(infoSection(), QStringLiteral("报检日期"), QString());
    loaded.content = declarationContent(file);
    for (const FormField &f : formFields()) {
        const std::optional<QByteArray> bytes = file.storedBytes(contentSection(), f.key);
        if (bytes && !fromGbk(*bytes))
            loaded.kept[f.slot] = KeptBytes{loaded.content.at(f), *bytes};
    }
    if (file.changed())
        file.save(&loaded.completeError);
    out = std::move(loaded);
    return true;
}

QString archiveParticulars(const QString &date, const QString &number)
{
    return QStringLiteral("报检日期：") + date + QStringLiteral("  报检号：") + number;
}

} // namespace portdesk
