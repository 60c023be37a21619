#include "store/ChoiceOrder.h"

#include <QRegularExpression>

#include <algorithm>

namespace store {

bool ChoiceOrder::isStored() const
{
    return *this == ChoiceOrder{};
}

int ChoiceOrder::placeOf(int stored) const
{
    const auto at = std::find(shown.begin(), shown.end(), stored);
    return at == shown.end() ? -1 : int(at - shown.begin());
}

namespace {

// A choice text as the rule compares it: blanks folded, lower case, without a final period.
QString comparable(const QString& text)
{
    QString s = text.simplified().toLower();
    if (s.endsWith(QLatin1Char('.')))
        s.chop(1);
    return s.trimmed();
}

bool namesOtherChoices(const QString& s)
{
    // A letter a to f, alone or as "a.", "(a)" or "a)".
    static const QString letter = QStringLiteral("(?:\\([a-f]\\)|[a-f][.)]?)");
    // "a and b", "both a and b", "a and c only", "only a and c", "a, b and c".
    static const QRegularExpression pattern(QStringLiteral("^(?:both |only )?%1(?:, ?%1)* and %1(?: only)?$")
                                                .arg(letter));
    return pattern.match(s).hasMatch();
}

}  // namespace

bool refersToOtherChoices(const QString& choiceText)
{
    // Every form the rule knows is short: a longer choice is answered without comparing.
    constexpr qsizetype LongestForm = 48;
    if (choiceText.size() > LongestForm)
        return false;
    static const QStringList phrases = {
        QStringLiteral("all of the above"),   QStringLiteral("none of the above"),
        QStringLiteral("both of the above"),  QStringLiteral("neither of the above"),
        QStringLiteral("all of these"),       QStringLiteral("none of these"),
        QStringLiteral("all of them"),        QStringLiteral("none of them"),
        QStringLiteral("all of the choices"), QStringLiteral("none of the choices"),
    };
    const QString s = comparable(choiceText);
    return phrases.contains(s) || (s.contains(QLatin1String(" and ")) && namesOtherChoices(s));
}

bool keepsStoredOrder(const QStringList& choiceTexts)
{
    return std::any_of(choiceTexts.begin(), choiceTexts.end(), refersToOtherChoices);
}

ChoiceShuffle::ChoiceShuffle()
{
    std::random_device source;
    m_engine.seed((std::uint64_t(source()) << 32) ^ source());
}

ChoiceOrder ChoiceShuffle::orderFor(const QStringList& choiceTexts)
{
    ChoiceOrder order;
    if (keepsStoredOrder(choiceTexts))
        return order;
    auto filled = order.shown.begin();
    std::array<int, field::AnswerCount> emptyOnes{};
    int emptyCount = 0;
    for (int k = 0; k < field::AnswerCount; ++k) {
        if (k < choiceTexts.size() && !choiceTexts[k].isEmpty())
            *filled++ = k;
        else
            emptyOnes[emptyCount++] = k;
    }
    // Fisher-Yates over the filled places, drawing from this generator alone.
    const int filledCount = int(filled - order.shown.begin());
    for (int i = filledCount - 1; i > 0; --i) {
        std::uniform_int_distribution<int> pick(0, i);
        std::swap(order.shown[i], order.shown[pick(m_engine)]);
    }
    std::copy(emptyOnes.begin(), emptyOnes.begin() + emptyCount, filled);
    return order;
}

}  // namespace store
