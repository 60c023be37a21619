#include "BankRules.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <set>

namespace qbank {

namespace {

using store::field::AnswerCount;
// A practice exam with fewer single-response (multiple-response) items than this is too small
// for its length shares to say anything; the retired items are such a group.
constexpr int ExamMinimumSingles = 20;
constexpr int ExamMinimumMultiples = 10;

// The filled answers of one item and which of them are keys.
struct Answers {
    std::array<QString, AnswerCount> text;
    std::array<bool, AnswerCount> filled{};
    std::array<bool, AnswerCount> key{};
    int filledCount = 0;
    int keyCount = 0;

    qsizetype length(int k) const { return text[k].size(); }
};

Answers answersOf(const Record& record)
{
    Answers a;
    for (int k = 0; k < AnswerCount; ++k) {
        const auto text = record.find(store::field::text(k + 1));
        const auto key = record.find(store::field::key(k + 1));
        a.text[k] = text == record.end() ? QString() : text->second.toString().trimmed();
        a.filled[k] = !a.text[k].isEmpty();
        a.key[k] = a.filled[k] && key != record.end() && key->second.toBool();
        a.filledCount += a.filled[k];
        a.keyCount += a.key[k];
    }
    return a;
}

bool isMultiple(const Record& record)
{
    const auto type = record.find(QLatin1String(store::field::Q_TYPE));
    return type != record.end() && type->second.toBool();
}

int examOf(const Record& record)
{
    const auto exam = record.find(QLatin1String(store::field::Q_EXAM_N));
    return exam == record.end() ? 0 : exam->second.toInt();
}

double choose(int n, int k)
{
    double result = 1;
    for (int i = 1; i <= k; ++i) result = result * (n - k + i) / i;
    return result;
}

// The chance that a guesser who picks the `keyCount` longest answers, drawing lots among
// answers of equal length, picks exactly the keys. For one key: the key's share of the
// longest answers.
double longestPickIsKeys(const Answers& a)
{
    std::vector<qsizetype> lengths;
    for (int k = 0; k < AnswerCount; ++k)
        if (a.filled[k]) lengths.push_back(a.length(k));
    std::sort(lengths.begin(), lengths.end(), std::greater<>());
    const qsizetype cut = lengths[a.keyCount - 1];  // the shortest length the guesser still picks
    int atCut = 0, keysAtCut = 0, longer = 0;
    for (int k = 0; k < AnswerCount; ++k) {
        if (!a.filled[k] || a.length(k) < cut) continue;
        if (a.length(k) > cut) {
            if (!a.key[k]) return 0;  // a longer distractor is always picked
            ++longer;
        } else {
            ++atCut;
            keysAtCut += a.key[k];
        }
    }
    const int drawn = a.keyCount - longer;
    return keysAtCut < drawn ? 0 : choose(keysAtCut, drawn) / choose(atCut, drawn);
}

// What a guesser who always picks the longest answers scores in one practice exam, against
// what blind guessing scores.
struct ExamFigures {
    int singles = 0;
    double longest = 0, longestByChance = 0;
    int multiples = 0;
    double topKeys = 0, topKeysByChance = 0;

    double gain() const { return longestByChance > 0 ? longest / longestByChance : 0; }
    double topKeysRatio() const { return topKeysByChance > 0 ? topKeys / topKeysByChance : 0; }
};

struct Figures {
    std::map<int, ExamFigures> exams;
    double keyLength = 0, distractorLength = 0;
    int keysCounted = 0, distractorsCounted = 0;
    std::array<double, AnswerCount> observed{}, expected{};
    std::map<QString, std::set<size_t>> itemsOfDistractor;  // by comparable text
};

Figures measure(const std::vector<Record>& records)
{
    Figures f;
    for (size_t i = 0; i < records.size(); ++i) {
        const Record& record = records[i];
        const Answers a = answersOf(record);
        if (a.filledCount < 2 || a.keyCount == 0) continue;  // layout faults are reported elsewhere
        ExamFigures& exam = f.exams[examOf(record)];
        const bool multiple = isMultiple(record);
        for (int k = 0; k < AnswerCount; ++k) {
            if (!a.filled[k]) continue;
            f.expected[k] += double(a.keyCount) / a.filledCount;
            f.observed[k] += a.key[k];
            if (!a.key[k]) {
                const QString text = comparableText(a.text[k]);
                if (!text.isEmpty()) f.itemsOfDistractor[text].insert(i);
            }
            if (multiple) {
                (a.key[k] ? f.keyLength : f.distractorLength) += double(a.length(k));
                ++(a.key[k] ? f.keysCounted : f.distractorsCounted);
            }
        }
        if (a.keyCount >= a.filledCount) continue;  // every answer a key: nothing to guess
        if (multiple) {
            ++exam.multiples;
            exam.topKeys += longestPickIsKeys(a);
            exam.topKeysByChance += 1.0 / choose(a.filledCount, a.keyCount);
        } else if (a.keyCount == 1) {
            ++exam.singles;
            exam.longest += longestPickIsKeys(a);
            exam.longestByChance += 1.0 / a.filledCount;
        }
    }
    return f;
}

QString number(double value, int decimals = 1) { return QString::number(value, 'f', decimals); }

QString examName(int exam) { return QStringLiteral("practice exam %1").arg(exam); }

}  // namespace

QString comparableText(const QString& answer)
{
    static const QRegularExpression dropped(QStringLiteral("[\\d\\p{P}\\p{S}]"));
    QString text = answer.toLower();
    text.replace(dropped, QStringLiteral(" "));
    return text.simplified();
}

QStringList checkBankRules(const std::vector<Record>& records)
{
    if (records.size() < size_t(BankRulesMinimumItems)) return {};
    const Figures f = measure(records);

    QStringList faults;
    for (const auto& [exam, e] : f.exams) {
        if (e.singles >= ExamMinimumSingles && e.longest > LongestGainLimit * e.longestByChance)
            faults << QStringLiteral("%1: picking the longest answer scores %2 of %3 single-response items "
                                     "against %4 by chance (gain %5; at most %6 allowed)")
                          .arg(examName(exam), number(e.longest)).arg(e.singles)
                          .arg(number(e.longestByChance), number(e.gain(), 2), number(LongestGainLimit, 2));
        if (e.multiples >= ExamMinimumMultiples && e.topKeys > TopKeysLimit * e.topKeysByChance)
            faults << QStringLiteral("%1: the keys are the longest answers in %2 of %3 multiple-response items "
                                     "against %4 by chance (ratio %5; at most %6 allowed)")
                          .arg(examName(exam), number(e.topKeys)).arg(e.multiples)
                          .arg(number(e.topKeysByChance), number(e.topKeysRatio(), 2), number(TopKeysLimit, 2));
    }
    for (const auto& [text, items] : f.itemsOfDistractor) {
        if (items.size() > size_t(DistractorRepeatLimit))
            faults << QStringLiteral("the distractor \"%1\" appears in %2 items; at most %3 are allowed")
                          .arg(text).arg(items.size()).arg(DistractorRepeatLimit);
    }
    if (f.keysCounted > 0 && f.distractorsCounted > 0) {
        const double keyMean = f.keyLength / f.keysCounted;
        const double distractorMean = f.distractorLength / f.distractorsCounted;
        if (keyMean > KeyLengthLimit * distractorMean)
            faults << QStringLiteral("in multiple-response items the keys average %1 characters against %2 "
                                     "for the distractors; at most %3 are allowed")
                          .arg(number(keyMean), number(distractorMean), number(KeyLengthLimit * distractorMean));
    }
    for (int k = 0; k < AnswerCount; ++k) {
        if (f.expected[k] < LetterMinimumExpected) continue;
        if (std::abs(f.observed[k] - f.expected[k]) > LetterBalanceLimit * f.expected[k])
            faults << QStringLiteral("the letter %1 is a key %2 times where %3 are expected; it must be within "
                                     "%4 %")
                          .arg(QChar('a' + k)).arg(int(f.observed[k])).arg(number(f.expected[k]))
                          .arg(int(LetterBalanceLimit * 100));
    }
    return faults;
}

QStringList bankFigures(const std::vector<Record>& records)
{
    if (records.size() < size_t(BankRulesMinimumItems)) return {};
    const Figures f = measure(records);

    QStringList lines;
    ExamFigures all;
    for (const auto& [exam, e] : f.exams) {
        lines << QStringLiteral("%1: longest answer is the key in %2 of %3 single-response items, chance %4, "
                                "gain %5; keys are the longest in %6 of %7 multiple-response items, chance %8, "
                                "ratio %9")
                     .arg(examName(exam), number(e.longest)).arg(e.singles)
                     .arg(number(e.longestByChance), number(e.gain(), 2), number(e.topKeys)).arg(e.multiples)
                     .arg(number(e.topKeysByChance), number(e.topKeysRatio(), 2));
        all.singles += e.singles;
        all.longest += e.longest;
        all.longestByChance += e.longestByChance;
        all.multiples += e.multiples;
        all.topKeys += e.topKeys;
        all.topKeysByChance += e.topKeysByChance;
    }
    size_t mostRepeated = 0;
    for (const auto& entry : f.itemsOfDistractor) mostRepeated = std::max(mostRepeated, entry.second.size());
    lines << QStringLiteral("whole bank: gain %1, multiple-response ratio %2; keys average %3 characters against "
                            "%4 for the distractors in multiple-response items; no distractor text in more than "
                            "%5 items")
                 .arg(number(all.gain(), 2), number(all.topKeysRatio(), 2),
                      number(f.keysCounted ? f.keyLength / f.keysCounted : 0),
                      number(f.distractorsCounted ? f.distractorLength / f.distractorsCounted : 0))
                 .arg(mostRepeated);
    return lines;
}

}  // namespace qbank
