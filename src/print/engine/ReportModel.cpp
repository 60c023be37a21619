#include "print/engine/ReportModel.h"

#include <stdexcept>

namespace report {

namespace {

template <typename Object>
Object* findIn(QList<ReportObject>& objects, const QString& name)
{
    for (ReportObject& object : objects) {
        if (object.name == name)
            return &object;
        if (ReportObject* inner = findIn<Object>(object.children, name))
            return inner;
    }
    return nullptr;
}

}  // namespace

ReportObject* Report::find(const QString& name)
{
    for (Band* band : {&title, &groupHeader, &header, &detail, &footer}) {
        if (ReportObject* object = findIn<ReportObject>(band->objects, name))
            return object;
    }
    return nullptr;
}

const ReportObject* Report::find(const QString& name) const
{
    return const_cast<Report*>(this)->find(name);
}

ReportObject& Report::object(const QString& name)
{
    if (ReportObject* found = find(name))
        return *found;
    throw std::logic_error(QStringLiteral("The report \"%1\" has no object %2")
                               .arg(page.documentName, name)
                               .toStdString());
}

QString shownText(const ReportObject& object, const RecordSource* record)
{
    switch (object.kind) {
    case ObjectKind::DataText:
    case ObjectKind::DataMemo: {
        const QString value =
            record && !record->atEnd() ? record->value(object.field).toString() : QString();
        if (object.kind == ObjectKind::DataText)
            return object.prefix + value + object.suffix;
        return value;
    }
    case ObjectKind::Label:
        return object.text;
    case ObjectKind::Memo:
        return object.lines.join(QLatin1Char('\n'));
    default:
        return QString();
    }
}

bool isTicked(const ReportObject& checkBox, const RecordSource* record)
{
    return record && !record->atEnd() && record->value(checkBox.field).toLongLong() != 0;
}

QString PrintContext::shows(const QString& objectName) const
{
    const ReportObject* object = m_report.find(objectName);
    return object ? shownText(*object, m_record) : QString();
}

}  // namespace report
