#include "formats/AikenFormat.h"

#include "formats/ReaderSupport.h"
#include "formats/TextSource.h"

#include <QRegularExpression>

namespace formats {

namespace {

const QRegularExpression& answerLine()
{
    static const QRegularExpression re(QStringLiteral("^([A-Z])[.)](?:\\s+(.*))?$"));
    return re;
}

const QRegularExpression& keyLine()
{
    static const QRegularExpression re(QStringLiteral("^ANSWER\\s*:\\s*"), QRegularExpression::CaseInsensitiveOption);
    return re;
}

// One question being read: its lines so far and where it began.
struct Pending {
    int line = 0;
    QStringList question;
    QList<Choice> choices;
};

}  // namespace

ReadResult AikenFormat::read(const QByteArray& source, store::TableKind) const
{
    ReadResult result;
    const std::optional<QString> text = decodeSource(source, result);
    if (!text)
        return result;
    const QStringList lines = splitLines(*text);
    try {
        Pending q;
        for (int i = 0; i < lines.size(); ++i) {
            const int lineNo = i + 1;
            const QString line = lines[i].trimmed();
            if (line.isEmpty())
                continue;
            const QRegularExpressionMatch key = keyLine().match(line);
            const QRegularExpressionMatch answer = answerLine().match(line);
            if (key.hasMatch()) {
                if (q.choices.isEmpty())
                    throw Malformed{{lineNo, 1, QStringLiteral("\"ANSWER:\" comes before any answer \"A.\""), {}}};
                const QString letters = line.mid(key.capturedEnd()).trimmed();
                const int column = int(key.capturedEnd()) + 1 + int(lines[i].indexOf(line));
                static const QRegularExpression keyLetters(QStringLiteral("^[A-Z](\\s*,?\\s*[A-Z])*$"));
                if (!keyLetters.match(letters).hasMatch())
                    throw Malformed{{lineNo, column, QStringLiteral("\"%1\" is not an answer letter A to F").arg(letters), {}}};
                Item item;
                item.line = q.line;
                item.question = q.question.join(QLatin1Char('\n'));
                QString reason;
                for (QChar c : letters) {
                    if (!c.isLetter())
                        continue;
                    const int k = c.unicode() - 'A';
                    if (k >= q.choices.size())
                        reason = QStringLiteral("the key %1 names no answer").arg(c);
                    else
                        q.choices[k].key = true;
                }
                if (reason.isEmpty())
                    reason = setChoices(item, q.choices).value_or(QString());
                if (reason.isEmpty())
                    result.items.push_back(item);
                else
                    skipQuestion(result, {q.line, 0, {}, {}}, reason);
                q = Pending{};
            } else if (answer.hasMatch() && !q.question.isEmpty()) {
                const QChar letter = answer.captured(1)[0];
                const QChar expected = QChar(char16_t('A' + q.choices.size()));
                if (letter != expected)
                    throw Malformed{{lineNo, 1 + int(lines[i].indexOf(line)),
                                     QStringLiteral("answer %1 expected, not %2").arg(expected, letter), {}}};
                q.choices.append({answer.captured(2).trimmed(), false});
            } else if (!q.choices.isEmpty()) {
                throw Malformed{{lineNo, 1, QStringLiteral("an answer \"%1.\" or \"ANSWER:\" expected")
                                                .arg(QChar(char16_t('A' + q.choices.size()))), {}}};
            } else {
                if (q.question.isEmpty())
                    q.line = lineNo;
                q.question.append(line);
            }
        }
        if (!q.question.isEmpty())
            throw Malformed{{q.line, 1, QStringLiteral("the question that begins here has no \"ANSWER:\" line"), {}}};
    } catch (const Malformed& m) {
        return malformedResult(m.problem);
    }
    return result;
}

WriteResult AikenFormat::write(const std::vector<Item>& items, store::TableKind) const
{
    WriteResult result;
    QString out;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item item = items[i].compacted();
        QStringList question;
        for (const QString& line : splitLines(item.question))
            if (!line.trimmed().isEmpty())
                question.append(line.trimmed());
        QString why;
        if (item.multiple)
            why = QStringLiteral("multiple-response questions cannot be written as Aiken");
        else if (item.keyCount() != 1)
            why = QStringLiteral("a single-response question needs exactly one correct answer");
        else if (question.isEmpty())
            why = QStringLiteral("the question has no text");
        for (const QString& line : question)
            if (why.isEmpty() && (answerLine().match(line).hasMatch() || keyLine().match(line).hasMatch()))
                why = QStringLiteral("the question line \"%1\" would read as an answer").arg(line);
        if (!why.isEmpty()) {
            result.problems.append({0, 0, QStringLiteral("%1: %2; skipped").arg(itemName(item, int(i)), why), {}});
            ++result.skipped;
            continue;
        }
        out += question.join(QLatin1Char('\n')) + QLatin1Char('\n');
        for (int k = 0; k < item.answerCount(); ++k)
            out += QStringLiteral("%1. %2\n").arg(QChar(char16_t('A' + k)), QString(item.answers[k]).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified());
        out += QStringLiteral("ANSWER: %1\n\n").arg(item.keyLetters().toUpper());
        ++result.written;
    }
    result.data = out.toUtf8();
    return result;
}

}  // namespace formats
