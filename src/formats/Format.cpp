#include "formats/Format.h"

#include "formats/AikenFormat.h"
#include "formats/GiftFormat.h"
#include "formats/JsonFormat.h"
#include "formats/MoodleXmlFormat.h"
#include "formats/QtiFormat.h"

#include <QFileInfo>

namespace formats {

QString Problem::toString(const QString& sourceName) const
{
    QString where = part.isEmpty() ? sourceName : sourceName + QLatin1Char('/') + part;
    if (line > 0)
        where += QStringLiteral(" line %1").arg(line);
    if (line > 0 && column > 0)
        where += QStringLiteral(", column %1").arg(column);
    return where + QStringLiteral(": ") + text;
}

QList<const Format*> allFormats()
{
    static const JsonFormat json;
    static const AikenFormat aiken;
    static const GiftFormat gift;
    static const MoodleXmlFormat moodle;
    static const QtiFormat qti;
    return {&json, &aiken, &gift, &moodle, &qti};
}

const Format* formatNamed(const QString& name)
{
    for (const Format* f : allFormats())
        if (f->name().compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

const Format* formatForFile(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix();
    for (const Format* f : allFormats())
        if (f->extensions().contains(suffix, Qt::CaseInsensitive))
            return f;
    return nullptr;
}

}  // namespace formats
