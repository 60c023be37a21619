#pragma once
// What the study history keeps of one graded exam, and what it gives back.

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace history {

// The file beside the table files in the working folder.
inline const QString HistoryFileName = QStringLiteral("history.DAT");

// How much of a question's text the history keeps, to show it in the most-missed list.
inline constexpr int QuestionStartLength = 120;

using AttemptId = std::int64_t;
// A stable hash of an item's question and answers (see Fingerprint.h).
using Fingerprint = std::int64_t;

// Where an exam item came from: its Q_ID in the question bank, or in the user question set
// for the user exam.
enum class ItemSource { Bank = 0, UserSet = 1 };

// An item as it was asked: where it came from and what it said.
struct AskedItem {
    ItemSource source = ItemSource::Bank;
    std::int64_t sourceId = 0;  // the exam set's Q_OR_NUMBER
    Fingerprint fingerprint = 0;
    int section = 0;
    // The question text; the history keeps its first QuestionStartLength characters, with its
    // runs of blanks and line breaks made single blanks, and gives back only those.
    QString question;
};

struct ItemResult : AskedItem {
    bool answered = false;
    bool correct = false;
    bool marked = false;

    bool missed() const { return !correct; }  // wrong or not answered
};

struct Count {
    int correct = 0;
    int total = 0;
};

struct SectionResult {
    int section = 0;  // 1..4
    Count count;
};

struct Attempt {
    // One per exam start (newAttemptKey()); recording an attempt with the key of a recorded one
    // replaces that one, as grading the same exam again does.
    QString key;
    QDateTime gradedAt;
    // The exam kind's stable id (store/ExamKinds.h), by which the history groups attempts; when
    // empty, the kind whose title `examTitle` is (see examKindIdOfTitle).
    QString examKindId;
    QString examTitle;  // as shown: "Practice Exam C", "All Questions", "Random Exam", ...
    QString candidateName;
    int timeLimitSeconds = 0;  // 0 when the exam ran without a time limit
    int timeUsedSeconds = 0;
    int score = 0;  // the shown score, 0..1000
    int passingScore = 0;
    bool passed = false;
    std::vector<SectionResult> sections;
    std::vector<ItemResult> items;
};

// A key for a new exam start.
QString newAttemptKey();

// The kind id of an attempt known only by its shown title: the id of the exam kind with that
// title, or for a title no kind has (a kind renamed or retired since), "title:" and the title,
// so that its attempts stay one group of their own.
QString examKindIdOfTitle(const QString& title);

// A time as the history shows it: "1:05:09", "0:42:10".
QString durationText(int seconds);

// One line of the attempts list and one point of the score chart.
struct AttemptSummary {
    AttemptId id = 0;
    QDateTime gradedAt;  // in UTC, as every time the history gives back: show its toLocalTime()
    QString examKindId;
    QString examTitle;
    QString candidateName;
    int timeLimitSeconds = 0;
    int timeUsedSeconds = 0;
    int score = 0;
    int passingScore = 0;
    bool passed = false;
    Count items;  // correct and total over the whole exam
};

// The attempts of one exam kind: its id, and the title its newest attempt was shown under.
struct ExamGroup {
    QString kindId;
    QString title;
};

// One section over the latest attempts: `recent` sums the last five, `before` the five before
// them (a total of 0 when there are none). With five attempts or fewer, `recent` is the latest
// attempt and `before` the ones before it.
struct SectionTrend {
    int section = 0;
    Count recent;
    Count before;
    int recentAttempts = 0;  // the attempts each sum covers
    int beforeAttempts = 0;
};

// An item of the most-missed list.
struct MissedItem : AskedItem {
    int timesMissed = 0;
    int timesSeen = 0;
    QDateTime lastAnsweredRight;  // invalid when never
    bool former = false;  // the item it was is no longer in its bank or set (or has changed)
};

// The fingerprint an item has now in its bank or set; nullopt when no such item exists.
using CurrentFingerprint = std::function<std::optional<Fingerprint>(ItemSource source, std::int64_t sourceId)>;

}  // namespace history
