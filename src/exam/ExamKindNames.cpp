#include "exam/ExamKindNames.h"

#include "exam/TestUnit.h"
#include "store/ExamKinds.h"

#include <map>

namespace {

using Form = TTestForm;

const std::map<QString, ExamKindNames>& releasedNames()
{
    static const std::map<QString, ExamKindNames> names = {
        {"practice-a", {"Action1", &Form::Action1, "PracticeExamA1", &Form::PracticeExamA1, "fcShapeBtn1", &Form::fcShapeBtn1}},
        {"practice-b", {"Action2", &Form::Action2, "PracticeExamB1", &Form::PracticeExamB1, "fcShapeBtn2", &Form::fcShapeBtn2}},
        {"practice-c", {"Action3", &Form::Action3, "PracticeExamC1", &Form::PracticeExamC1, "fcShapeBtn3", &Form::fcShapeBtn3}},
        {"practice-d", {"Action4", &Form::Action4, "PracticeExamD1", &Form::PracticeExamD1, "fcShapeBtn4", &Form::fcShapeBtn4}},
        {"practice-e", {"Action5", &Form::Action5, "PracticeExamE1", &Form::PracticeExamE1, "fcShapeBtn5", &Form::fcShapeBtn5}},
        {"practice-f", {"Action6", &Form::Action6, "PracticeExamF1", &Form::PracticeExamF1, "fcShapeBtn6", &Form::fcShapeBtn6}},
        {"practice-g", {"Action7", &Form::Action7, "G1", &Form::G1, "fcShapeBtn7", &Form::fcShapeBtn7, 1}},
        {store::examkind::AllQuestions,
         {"AllQAct", &Form::AllQAct, "TakeAllQuestions1", &Form::TakeAllQuestions1, "AllQBtn", &Form::AllQBtn}},
        {store::examkind::Random,
         {"RandAct", &Form::RandAct, "CreateRandomExam1", &Form::CreateRandomExam1, "RandomBtn", &Form::RandomBtn}},
        {store::examkind::User, {"UserAct", &Form::UserAct, "UserExam1", &Form::UserExam1, "UserBtn", &Form::UserBtn}},
        {store::examkind::Missed, {"MissedAct", &Form::MissedAct, "MissedQuestions1", &Form::MissedQuestions1}},
        {store::examkind::Marked, {"MarkedAct", &Form::MarkedAct, "MarkedQuestions1", &Form::MarkedQuestions1}},
    };
    return names;
}

}  // namespace

ExamKindNames examKindNames(const store::ExamKind& kind)
{
    const auto found = releasedNames().find(kind.id);
    if (found != releasedNames().end())
        return found->second;
    ExamKindNames made{.action = kind.id + QStringLiteral("Act"), .menuEntry = kind.id + QStringLiteral("Entry")};
    if (kind.offer != store::ExamOffer::HistoryMenu)
        made.button = kind.id + QStringLiteral("Btn");
    return made;
}
