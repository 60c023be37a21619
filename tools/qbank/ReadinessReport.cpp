#include "ReadinessReport.h"

#include "CommandLine.h"
#include "OpenTable.h"

#include "history/StudyPlan.h"

#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace qbank {

namespace {

const QString Synopsis = QStringLiteral("readiness needs: HISTORY BANK [--at YYYY-MM-DD] [--items N]");

QString whole(double value)
{
    return QString::number(std::lround(value));
}

// The last millisecond of `day` in local time, so that every attempt graded that day counts.
std::int64_t endOf(const QDate& day)
{
    return QDateTime(day.addDays(1), QTime(0, 0)).toMSecsSinceEpoch() - 1;
}

// "2026-12-14" as a day; an invalid one for any other text.
QDate dayOf(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    return form.match(text).hasMatch() ? QDate::fromString(text, Qt::ISODate) : QDate();
}

}  // namespace

QStringList readinessLines(const history::StudyPlan& plan)
{
    const history::Readiness& r = plan.readiness;
    QStringList lines;
    if (r.enough)
        lines << QStringLiteral("readiness: pass_chance=%1 expected_score=%2 low=%3 high=%4 first_answers=%5 exams=%6")
                     .arg(QString::number(r.passChance, 'f', 2), whole(r.score.expected), whole(r.score.low),
                          whole(r.score.high))
                     .arg(r.firstAnswers)
                     .arg(r.exams);
    else
        lines << QStringLiteral("readiness: not_enough_data first_answers=%1 needed=%2").arg(r.firstAnswers).arg(r.needed);
    for (const history::SectionReadiness& s : r.sections)
        lines << QStringLiteral("section %1: expected_pct=%2 low=%3 high=%4 first_answers=%5")
                     .arg(QString::number(s.section), whole(s.percent.expected), whole(s.percent.low),
                          whole(s.percent.high))
                     .arg(s.firstAnswers);
    const QString next = plan.review.nextDueAt == 0
        ? QStringLiteral("none")
        : QDateTime::fromMSecsSinceEpoch(plan.review.nextDueAt).toLocalTime().date().toString(Qt::ISODate);
    lines << QStringLiteral("due: today=%1 next=%2").arg(plan.review.dueToday).arg(next);
    lines << QStringLiteral("words: %1").arg(history::readinessWords(r));
    return lines;
}

int readinessCommand(QStringList args)
{
    QMap<QString, QString> values;
    if (const QString fault = takeValues(args, {"--at", "--items"}, values); !fault.isEmpty())
        return usage(fault);
    if (args.size() != 2)
        return usage(Synopsis);
    std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    if (values.contains("--at")) {
        const QDate day = dayOf(values["--at"]);
        if (!day.isValid())
            return usage(QStringLiteral("--at must be a day as YYYY-MM-DD, not \"%1\"").arg(values["--at"]));
        now = endOf(day);
    }
    const QString historyFile = args[0], bankFile = args[1];

    OpenTable bank(bankFile);
    if (bank.kind != store::TableKind::Bank) {
        say(stderr, QStringLiteral("%1: a %2 table, not a question bank").arg(bankFile, store::kindName(bank.kind)));
        return Faults;
    }
    history::BankFacts facts = history::bankFactsOf(bank.table);
    if (values.contains("--items")) {
        const int most = facts.exam.bankItems();
        const std::optional<int> items = numberIn(values["--items"], 1, most);
        if (!items)
            return usage(QStringLiteral("--items must be a number from 1 to %1 (the bank's items outside exam 0), not \"%2\"")
                             .arg(most)
                             .arg(values["--items"]));
        facts.exam.items = *items;
    }
    const history::HistoryStore history(historyFile);
    for (const QString& line : readinessLines(history::studyPlanOf(history, facts, now)))
        say(stdout, line);
    return Ok;
}

}  // namespace qbank
