#include "formats/Item.h"

namespace formats {

int Item::answerCount() const
{
    int n = 0;
    for (const QString& a : answers)
        n += !a.isEmpty();
    return n;
}

int Item::keyCount() const
{
    int n = 0;
    for (bool k : keys)
        n += k;
    return n;
}

QString Item::keyLetters() const
{
    QString letters;
    for (int i = 0; i < MaxAnswers; ++i)
        if (keys[i])
            letters += QChar('a' + i);
    return letters;
}

Item Item::compacted() const
{
    Item result = *this;
    result.answers = {};
    result.keys = {};
    int to = 0;
    for (int i = 0; i < MaxAnswers; ++i)
        if (!answers[i].isEmpty()) {
            result.answers[to] = answers[i];
            result.keys[to] = keys[i];
            ++to;
        }
    return result;
}

std::optional<QString> setChoices(Item& item, const QList<Choice>& choices)
{
    if (choices.size() > MaxAnswers)
        return QStringLiteral("%1 answers; at most %2 are supported").arg(choices.size()).arg(MaxAnswers);
    int keys = 0;
    for (const Choice& c : choices)
        keys += c.key;
    if (choices.isEmpty())
        return QStringLiteral("no answers");
    if (choices.size() < 2)
        return QStringLiteral("a question needs at least two answers");
    if (keys == 0)
        return QStringLiteral("no correct answer");
    if (!item.multiple && keys > 1)
        return QStringLiteral("a single-response question with %1 correct answers").arg(keys);
    for (int i = 0; i < choices.size(); ++i) {
        if (choices[i].text.isEmpty())
            return QStringLiteral("answer %1 has no text").arg(QChar('a' + i));
        item.answers[i] = choices[i].text;
        item.keys[i] = choices[i].key;
    }
    return std::nullopt;
}

QString itemName(const Item& item, int index)
{
    return item.id != 0 ? QStringLiteral("item Q_ID %1").arg(item.id) : QStringLiteral("item %1").arg(index + 1);
}

const QStringList& sectionNames()
{
    static const QStringList names = {"Standards and Terminology", "Planning", "Implementation", "Troubleshooting"};
    return names;
}

int sectionOfCategory(const QString& category)
{
    const QString last = category.section(QLatin1Char('/'), -1).trimmed();
    for (int i = 0; i < sectionNames().size(); ++i)
        if (last.compare(sectionNames()[i], Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

}  // namespace formats
