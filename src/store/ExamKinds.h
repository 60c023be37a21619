#pragma once
// The kinds of exam a learner can start, written once: each kind's stable id (what the study
// history keys attempts by), its shown title, the begin-exam dialog's title, its captions and
// what it draws from the question bank. The exam window builds its buttons, menu entries and
// start handlers from this list. Qt Core only.

#include <QString>
#include <QStringView>

#include <vector>

namespace store {

// How many practice exams the bank holds: Q_EXAM_N 1 to 7 are exams A to G.
inline constexpr int PracticeExamCount = 7;
// The items every exam of the bank may ask: exam 0 holds retired items.
inline const QString AskedItemsFilter = QStringLiteral("Q_EXAM_N<>0");
// The items of practice exam `exam` (1 to PracticeExamCount).
QString practiceExamFilter(int exam);

// What an exam kind draws.
enum class ExamDraw {
    PracticeExam,  // the items of one practice exam, in bank order
    AllAsked,      // every asked item of the bank
    Random,        // a random draw of the asked items, as many as the learner chooses
    UserSet,       // the learner's own question set
    HistoryList,   // asked items the study history lists (missed, marked, due for review)
};

// Where the exam window offers a kind.
enum class ExamOffer {
    LetterRow,    // a letter button of the exam choice; an entry of the "Exa&ms" menu's first group
    WideRow,      // a wide button below the letters; an entry of the "Exa&ms" menu's second group
    HistoryMenu,  // an entry of the "Hi&story" menu only
};

struct ExamKind {
    QString id;           // stable; never shown, never changed once released
    QString title;        // shown above the items and in the study history
    QString dialogTitle;  // the begin-exam dialog's caption
    ExamDraw draw = ExamDraw::AllAsked;
    int practiceExam = 0;  // 1..PracticeExamCount for ExamDraw::PracticeExam, else 0
    ExamOffer offer = ExamOffer::WideRow;
    QString menuCaption{};    // its menu entry, accelerator included
    QString buttonCaption{};  // its exam-choice button; empty for ExamOffer::HistoryMenu
};

// Every kind, practice exams A to G first, then All Questions, Random Exam, User Exam,
// Missed Questions, Marked Questions and Due for Review.
const std::vector<ExamKind>& examKinds();
// The kind with this id or, for the lookups by title, this shown title; null when none.
const ExamKind* examKindById(QStringView id);
const ExamKind* examKindByTitle(QStringView title);
// The kind with this id; throws std::out_of_range when there is none.
const ExamKind& examKind(QStringView id);
// Practice exam `exam` (1 to PracticeExamCount).
const ExamKind& practiceExamKind(int exam);
// The question bank's filter while `kind` draws from it: its practice exam's items, or every
// asked item.
QString bankFilter(const ExamKind& kind);

// The stable ids of the kinds that are not practice exams.
namespace examkind {
inline const QString AllQuestions = QStringLiteral("all-questions");
inline const QString Random = QStringLiteral("random");
inline const QString User = QStringLiteral("user");
inline const QString Missed = QStringLiteral("missed");
inline const QString Marked = QStringLiteral("marked");
inline const QString DueForReview = QStringLiteral("due-for-review");
}  // namespace examkind

}  // namespace store
