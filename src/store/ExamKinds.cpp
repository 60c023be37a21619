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
        kinds.push_back({QStringLiteral("practice-") + letter.toLower(), QStringLiteral("Practice Exam ") + letter,
                         QStringLiteral("Begin Practice Exam ") + letter, ExamDraw::PracticeExam, exam});
    }
    kinds.push_back({examkind::AllQuestions, QStringLiteral("All Questions"), QStringLiteral("Take All Questions"),
                     ExamDraw::AllAsked});
    kinds.push_back({examkind::Random, QStringLiteral("Random Exam"), QStringLiteral("Random Exam"), ExamDraw::Random});
    kinds.push_back({examkind::User, QStringLiteral("User Exam"), QStringLiteral("User Exam"), ExamDraw::UserSet});
    kinds.push_back({examkind::Missed, QStringLiteral("Missed Questions"), QStringLiteral("Missed Questions"),
                     ExamDraw::HistoryList});
    kinds.push_back({examkind::Marked, QStringLiteral("Marked Questions"), QStringLiteral("Marked Questions"),
                     ExamDraw::HistoryList});
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

}  // namespace store
