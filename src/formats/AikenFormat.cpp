#include "formats/AikenFormat.h"

#include "formats/ReaderSupport.h"
#include "formats/TextSource.h"

#include <QRegularExpression>

namespace formats {

namespace {

// "A. text" or "A) text"; after ")" the space may be missing ("A)text"), after "." it may not,
// so that a question line like "A.B. testing" stays text.
const QRegularExpression& answerLine()
{
    static const QRegularExpression re(QStringLiteral("^([A-Z])(?:\\)\\s*|\\.(?:\\s+|$))(.*)$"));
    return re;
}

const QRegularExpression& keyLine()
{
    static const QRegularExpression re(QStringLiteral("^ANSWER\\s*:\\s*"), QRegularExpression::CaseInsensitiveOption);
    return re;
}

// One non-blank line of the source, trimmed, with its number.
struct Line {
    int number;
    QString text;
};

// The source cut into questions: each runs from its first line to its "ANSWER:" line, or
// up to a question line after answers, where the next begins.
QList<QList<Line>> questionsOf(const QStringList& lines)
{
    QList<QList<Line>> questions;
    bool open = false, answered = false;
    for (int i = 0; i < lines.size(); ++i) {
        const Line line{i + 1, lines[i].trimmed()};
        if (line.text.isEmpty())
            continue;
        const bool isKey = keyLine().match(line.text).hasMatch();
        const bool isAnswer = !isKey && answerLine().match(line.text).hasMatch();
        if (!open || (answered && !isAnswer && !isKey)) {
            questions.append(QList<Line>());
            answered = false;
        }
        questions.last().append(line);
        answered = answered || isAnswer;
        open = !isKey;
    }
    return questions;
}

// One question: its text lines, then its answers in letter order, then "ANSWER: B".
Item parseQuestion(const QList<Line>& lines)
{
    Item item;
    item.line = lines.first().number;
    QStringList question;
    QList<Choice> choices;
    for (const Line& line : lines) {
        const QRegularExpressionMatch key = keyLine().match(line.text);
        const QRegularExpressionMatch answer = answerLine().match(line.text);
        if (key.hasMatch()) {
            if (question.isEmpty() || choices.isEmpty())
                throw QuestionFault{QStringLiteral("\"ANSWER:\" without a question and its answers before it"), line.number, 1};
            const QString letters = line.text.mid(key.capturedEnd()).trimmed().toUpper();
            static const QRegularExpression keyLetters(QStringLiteral("^[A-Z](\\s*,?\\s*[A-Z])*$"));
            if (!keyLetters.match(letters).hasMatch())
                throw QuestionFault{QStringLiteral("\"%1\" is not an answer letter").arg(letters), line.number, int(key.capturedEnd()) + 1};
            for (QChar c : letters) {
                const int k = c.unicode() - 'A';
                if (!c.isLetter())
                    continue;
                if (k >= choices.size())
                    throw QuestionFault{QStringLiteral("the key %1 names no answer").arg(c), line.number, 1};
                choices[k].key = true;
            }
            item.question = question.join(QLatin1Char('\n'));
            if (const auto why = setChoices(item, choices))
                throw QuestionFault{*why};
            return item;
        }
        if (answer.hasMatch()) {
            if (question.isEmpty())
                throw QuestionFault{QStringLiteral("an answer without a question before it"), line.number, 1};
            const QChar letter = answer.captured(1)[0];
            const QChar expected = QChar(char16_t('A' + choices.size()));
            if (letter != expected)
                throw QuestionFault{QStringLiteral("answer %1 expected, not %2").arg(expected, letter), line.number, 1};
            choices.append({answer.captured(2).trimmed(), false});
        } else {
            question.append(line.text);
        }
    }
    throw QuestionFault{choices.isEmpty() ? QStringLiteral("the question has no answers and no \"ANSWER:\" line")
                                          : QStringLiteral("the question has no \"ANSWER:\" line")};
}

class AikenReader : public QuestionReader {
public:
    explicit AikenReader(const QString& text) : m_questions(questionsOf(splitLines(text))) {}
    bool next() override { return ++m_at < m_questions.size(); }
    Problem place() const override { return {m_questions[m_at].first().number, 0, {}, {}}; }
    Item readQuestion(QList<Problem>&) override { return parseQuestion(m_questions[m_at]); }

private:
    QList<QList<Line>> m_questions;
    qsizetype m_at = -1;
};

// A question's lines as Aiken writes them: trimmed, blank ones left out.
QStringList questionLines(const QString& question)
{
    QStringList lines;
    for (const QString& line : splitLines(question))
        if (!line.trimmed().isEmpty())
            lines.append(line.trimmed());
    return lines;
}

class AikenWriter : public ItemWriter {
public:
    QString refusal(const Item& item) const override
    {
        if (item.multiple)
            return QStringLiteral("multiple-response questions cannot be written as Aiken");
        if (item.keyCount() != 1 || item.answerCount() == 0)
            return QStringLiteral("a single-response question needs exactly one correct answer");
        const QStringList question = questionLines(item.question);
        if (question.isEmpty())
            return QStringLiteral("the question has no text");
        for (const QString& line : question)
            if (answerLine().match(line).hasMatch() || keyLine().match(line).hasMatch())
                return QStringLiteral("the question line \"%1\" would read as an answer").arg(line);
        return {};
    }
    QStringList losses(const Item& item) const override
    {
        QStringList lost;
        if (!item.explanation.isEmpty())
            lost.append(QStringLiteral("the explanation"));
        if (hasLayout(item.question))
            lost.append(QStringLiteral("blank lines and indentation"));
        for (int k = 0; k < item.answerCount(); ++k)
            if (item.answers[k].contains(QLatin1Char('\n'))) {
                lost.append(QStringLiteral("line breaks in answers"));
                break;
            }
        return lost;
    }
    void add(const Item& item, int) override
    {
        m_out += questionLines(item.question).join(QLatin1Char('\n')) + QLatin1Char('\n');
        for (int k = 0; k < item.answerCount(); ++k)
            m_out += QStringLiteral("%1. %2\n").arg(QChar(char16_t('A' + k)), QString(item.answers[k]).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified());
        m_out += QStringLiteral("ANSWER: %1\n\n").arg(item.keyLetters().toUpper());
    }
    QByteArray finish() override { return m_out.toUtf8(); }

private:
    QString m_out;
};

}  // namespace

std::unique_ptr<ItemWriter> AikenFormat::startWriting() const
{
    return std::make_unique<AikenWriter>();
}

std::unique_ptr<QuestionReader> AikenFormat::openSource(const QByteArray& source) const
{
    return std::make_unique<AikenReader>(decodeText(source));
}

}  // namespace formats
