#include "model/DeclarationFile.h"

#include "store/Gbk.h"
#include "store/NewFile.h"
#include "store/ProfileDocument.h"
#include "store/QuotedValue.h"
#include "store/SettingsStore.h"

#include <QDir>
#include <QFileInfo>

namespace portdesk {

bool writeDeclaration(const QString &path, const Declaration &content, QString *error)
{
    ProfileBatch file(path);
    if (file.failed()) {
        if (error)
            *error = file.failure();
        return false;
    }
    for (const FormField &f : formFields()) {
        if (!file.WriteKey(contentSection(), f.key, quotedForWriting(content.at(f)), error))
            return false;
    }
    return file.save(error);
}

std::optional<QString> createDeclaration(const QString &path, const Declaration &content,
                                         QString *error)
{
    ProfileDocument doc;
    const QByteArray section = *toGbk(contentSection());
    for (const FormField &f : formFields()) {
        const QString value = quotedForWriting(content.at(f));
        if (const QString why = unwritableValue(value, QStringLiteral("值")); !why.isEmpty()) {
            if (error)
                *error = why;
            return std::nullopt;
        }
        doc.setValue(section, *toGbk(f.key), *toGbk(value));
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
