#include "store/ItemCheck.h"

#include "store/ExamKinds.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace store {

namespace {

using namespace field;

QVariant valueOf(const ItemRecord& item, const char* name)
{
    const auto it = item.find(QLatin1String(name));
    return it == item.end() ? QVariant() : it->second;
}

// A whole number as stored; false when the field holds something else (text, a fraction).
bool wholeNumber(const QVariant& v, qint64& n)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType: n = 0; return true;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool: n = v.toLongLong(); return true;
    case QMetaType::Double: {
        const double d = v.toDouble();
        if (std::floor(d) != d || std::fabs(d) > 9.0e18)
            return false;
        n = qint64(d);
        return true;
    }
    default: return false;
    }
}

const FieldRange ranges[] = {
    {Q_ID, 1, MaxItemId, true},
    {Q_EXAM_N, 0, PracticeExamCount, true},
    {Q_SECT, 1, SectionCount, false},
    {Q_OR_NUMBER, 1, MaxItemId, true},
};

const QStringList pictureKinds = {QStringLiteral("bmp"), QStringLiteral("ico"), QStringLiteral("wmf"),
                                  QStringLiteral("emf")};

void checkRanges(const ItemRecord& item, const QStringList& fields, std::vector<ItemFault>& faults)
{
    for (const FieldRange& r : ranges) {
        if (!fields.contains(QLatin1String(r.field)))
            continue;
        const QVariant v = valueOf(item, r.field);
        qint64 n = 0;
        if (!wholeNumber(v, n))
            faults.push_back({r.field, QStringLiteral("holds \"%1\", not a whole number").arg(v.toString()),
                              ItemRule::Range});
        else if (v.isNull() && r.optional)
            continue;
        else if (n < r.low || n > r.high)
            faults.push_back({r.field, QStringLiteral("%1 is outside %2..%3").arg(n).arg(r.low).arg(r.high),
                              ItemRule::Range});
    }
}

void checkAnswers(const ItemRecord& item, std::vector<ItemFault>& faults)
{
    int answers = 0, keys = 0;
    std::vector<ItemFault> keysWithoutText;
    for (int k = 1; k <= AnswerCount; ++k) {
        const bool text = !valueOf(item, answerText[k - 1]).toString().isEmpty();
        const bool key = valueOf(item, answerKey[k - 1]).toLongLong() != 0;
        answers += text;
        keys += key;
        if (key && !text)
            keysWithoutText.push_back({{},
                                       QStringLiteral("answer %1 is a key but has no text").arg(QChar('a' + k - 1)),
                                       ItemRule::KeyWithoutText, k});
    }
    if (answers == 0)
        faults.push_back({{}, QStringLiteral("no answer text"), ItemRule::NoAnswer});
    else if (answers == 1)
        faults.push_back({{}, QStringLiteral("one answer text, an item needs at least two"), ItemRule::OneAnswer});
    faults.insert(faults.end(), keysWithoutText.begin(), keysWithoutText.end());
    const bool multiple = valueOf(item, Q_TYPE).toLongLong() != 0;
    if (!multiple && keys != 1)
        faults.push_back({{},
                          QStringLiteral("a single-response item needs exactly one key, it has %1").arg(keys),
                          ItemRule::SingleKeyCount, 0, keys});
    else if (multiple && keys == 0)
        faults.push_back({{}, QStringLiteral("a multiple-response item needs at least one key"),
                          ItemRule::MultipleWithoutKey});
}

void checkPictures(const ItemRecord& item, const QString& folder, std::vector<ItemFault>& faults)
{
    for (const char* name : {PICT1, PICT2}) {
        const QString picture = valueOf(item, name).toString();
        if (picture.isEmpty())
            continue;
        if (picture.contains(QLatin1Char('/')) || picture.contains(QLatin1Char('\\')))
            faults.push_back({name, QStringLiteral("%1 must be a plain file name").arg(picture), ItemRule::Picture});
        else if (!pictureKinds.contains(QFileInfo(picture).suffix().toLower()))
            faults.push_back({name, QStringLiteral("%1 is not a bmp, ico, wmf or emf file").arg(picture),
                              ItemRule::Picture});
        else if (!folder.isEmpty() && !QFileInfo::exists(QDir(folder).filePath(picture)))
            faults.push_back({name, QStringLiteral("%1 does not exist").arg(picture), ItemRule::Picture});
    }
}

}  // namespace

const FieldRange* rangeOf(const char* field)
{
    for (const FieldRange& r : ranges)
        if (qstrcmp(r.field, field) == 0)
            return &r;
    return nullptr;
}

QString faultText(const ItemFault& fault, const std::function<QString(const QString&)>& shownName)
{
    if (fault.field.isEmpty())
        return fault.text;
    return (shownName ? shownName(fault.field) : fault.field) + QLatin1Char(' ') + fault.text;
}

std::vector<ItemFault> checkItem(const ItemRecord& item, TableKind kind, const QString& pictureFolder)
{
    const QStringList fields = fieldNamesOf(kind);
    std::vector<ItemFault> faults;
    checkRanges(item, fields, faults);
    checkAnswers(item, faults);
    if (fields.contains(QLatin1String(PICT1)))
        checkPictures(item, pictureFolder, faults);
    return faults;
}

}  // namespace store
