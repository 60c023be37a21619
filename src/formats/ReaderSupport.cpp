#include "formats/ReaderSupport.h"

#include "formats/TextSource.h"

namespace formats {

ReadResult malformedResult(const Problem& fault)
{
    ReadResult result;
    result.problems = {fault};
    result.malformed = true;
    return result;
}

void skipQuestion(ReadResult& result, Problem where, const QString& why)
{
    where.text = why + QStringLiteral("; skipped");
    result.problems.append(where);
    ++result.skipped;
}

QString decodeText(const QByteArray& source)
{
    Problem fault;
    std::optional<QString> text = decodeUtf8(source, fault);
    if (!text)
        throw Malformed{fault};
    return *text;
}

int exhibitOfAltText(const QString& alt)
{
    const QString text = alt.trimmed();
    if (text.compare(QLatin1String("Exhibit 1"), Qt::CaseInsensitive) == 0)
        return 0;
    if (text.compare(QLatin1String("Exhibit 2"), Qt::CaseInsensitive) == 0)
        return 1;
    return -1;
}

QString exhibitAltText(int exhibit)
{
    return QStringLiteral("Exhibit %1").arg(exhibit + 1);
}

bool placePicture(Item& item, const Picture& picture, int wanted)
{
    if (wanted >= 0 && wanted < 2 && item.pictures[wanted].isEmpty()) {
        item.pictures[wanted] = picture;
        return true;
    }
    for (Picture& slot : item.pictures)
        if (slot.isEmpty()) {
            slot = picture;
            return true;
        }
    return false;
}

QString ItemWriter::refusal(const Item& item) const
{
    if (item.answerCount() > 0 && item.keyCount() > 0)
        return {};
    return QStringLiteral("a question without answers or without a correct answer cannot be written");
}

bool hasLayout(const QString& text)
{
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t')))
            return !text.isEmpty();
    return false;
}

bool entersSection(int& current, const Item& item)
{
    if (item.section == current || item.section < 1 || item.section > store::SectionCount)
        return false;
    current = item.section;
    return true;
}

QString keyShare(int keys)
{
    static const char* shares[] = {"100", "50", "33.33333", "25", "20", "16.66667"};
    return QLatin1String(shares[qBound(1, keys, MaxAnswers) - 1]);
}

}  // namespace formats
