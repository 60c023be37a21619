#include "store/ExamKinds.h"

#include <stdexcept>
#include <string>

namespace store {

QString practiceExamFilter(int exam)
{
    return QStringLiteral("Q_EXAM_N=%1").arg(exam);
}

namespace {

std::vector<ExamKind> buildKinds()
{
    std::vector<ExamKind> kinds;
    for (int exam = 1; exam <= PracticeExamCount; ++exam) {
        const QChar letter(QLatin1Char(char('A' + exam - 1)));
        // Practice exam G's menu entry has always had no blank before its letter.
        const QString menuGap = letter == u'G' ? QString() : QStringLiteral(" ");
        kinds.push_back({.id = QStringLiteral("practice-") + letter.toLower(),
                         .title = QStringLiteral("Practice Exam ") + letter,
                         .dialogTitle = QStringLiteral("Begin Practice Exam ") + letter,
                         .draw = ExamDraw::PracticeExam,
                         .practiceExam = exam,
                         .offer = ExamOffer::LetterRow,
                         .menuCaption = QStringLiteral("Practice Exam") + menuGap + QLatin1Char('&') + letter,
                         .buttonCaption = QStringLiteral("&") + letter});
    }
    kinds.push_back({.id = examkind::AllQuestions,
                     .title = QStringLiteral("All Questions"),
                     .dialogTitle = QStringLiteral("Take All Questions"),
                     .draw = ExamDraw::AllAsked,
                     .offer = ExamOffer::WideRow,
                     .menuCaption = QStringLiteral("&Take All &Questions"),
                     .buttonCaption = QStringLiteral("All &Questions")});
    kinds.push_back({.id = examkind::Random,
                     .title = QStringLiteral("Random Exam"),
                     .dialogTitle = QStringLiteral("Random Exam"),
                     .draw = ExamDraw::Random,
                     .offer = ExamOffer::WideRow,
                     .menuCaption = QStringLiteral("&Random Exam"),
                     .buttonCaption = QStringLiteral("&Random Exam")});
    kinds.push_back({.id = examkind::User,
                     .title = QStringLiteral("User Exam"),
                     .dialogTitle = QStringLiteral("User Exam"),
                     .draw = ExamDraw::UserSet,
                     .offer = ExamOffer::WideRow,
                     .menuCaption = QStringLiteral("&User Exam"),
                     .buttonCaption = QStringLiteral("&User Exam")});
    kinds.push_back({.id = examkind::Missed,
                     .title = QStringLiteral("Missed Questions"),
                     .dialogTitle = QStringLiteral("Missed Questions"),
                     .draw = ExamDraw::HistoryList,
                     .offer = ExamOffer::HistoryMenu,
                     .menuCaption = QStringLiteral("&Missed Questions")});
    kinds.push_back({.id = examkind::Marked,
                     .title = QStringLiteral("Marked Questions"),
                     .dialogTitle = QStringLiteral("Marked Questions"),
                     .draw = ExamDraw::HistoryList,
                     .offer = ExamOffer::HistoryMenu,
                     .menuCaption = QStringLiteral("Mar&ked Questions")});
    kinds.push_back({.id = examkind::DueForReview,
                     .title = QStringLiteral("Due for Review"),
                     .dialogTitle = QStringLiteral("Due for Review"),
                     .draw = ExamDraw::HistoryList,
                     .offer = ExamOffer::HistoryMenu,
                     .menuCaption = QStringLiteral("&Due for Review")});
    return kinds;
}

}  // namespace

const std::vector<ExamKind>& examKinds()
{
    static const std::vector<ExamKind> kinds = buildKinds();
    return kinds;
}

const ExamKind* examKindById(QStringView id)
{
    for (const ExamKind& kind : examKinds())
        if (kind.id == id)
            return &kind;
    return nullptr;
}

const ExamKind& examKind(QStringView id)
{
    if (const ExamKind* kind = examKindById(id))
        return *kind;
    throw std::out_of_range("no exam kind " + id.toString().toStdString());
}

const ExamKind* examKindByTitle(QStringView title)
{
    for (const ExamKind& kind : examKinds())
        if (kind.title == title)
            return &kind;
    return nullptr;
}

const ExamKind& practiceExamKind(int exam)
{
    if (exam < 1 || exam > PracticeExamCount)
        throw std::out_of_range("no practice exam " + std::to_string(exam));
    return examKinds()[exam - 1];
}

QString bankFilter(const ExamKind& kind)
{
    return kind.draw == ExamDraw::PracticeExam ? practiceExamFilter(kind.practiceExam) : AskedItemsFilter;
}

}  // namespace store
