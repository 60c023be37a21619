// The start of a question as the history keeps it (its first 120 characters), as the Study
// History window and its report show it.

#include "history/Attempt.h"
#include "historywindow/QuestionStart.h"

#include <QTest>

using historywindow::shownQuestionStart;

namespace {

// `text` made exactly as long as the history keeps, with filler words in front.
QString keptLength(const QString& ending)
{
    QString text = ending;
    while (text.size() < history::QuestionStartLength)
        text.prepend(QStringLiteral("word "));
    return text.right(history::QuestionStartLength);
}

}  // namespace

class TestQuestionStart : public QObject {
    Q_OBJECT

private slots:
    void endsAtAWord_data()
    {
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("shown");
        const QString question = QStringLiteral("A branch office reports slow web access each morning, and the help desk "
                                                "technician finds that the edge router that performs NAT also runs DHCP.")
                                     .left(history::QuestionStartLength);
        QTest::newRow("cut in a word") << question
                                       << QStringLiteral("A branch office reports slow web access each morning, and the "
                                                         "help desk technician finds that the edge router that\u2026");
        QTest::newRow("short: whole") << QStringLiteral("Which port does HTTPS use?")
                                      << QStringLiteral("Which port does HTTPS use?");
        const QString oneShort = keptLength(QStringLiteral("end.")).mid(1);
        QTest::newRow("one short of the length: whole") << oneShort << oneShort;
        // Whether the word after it was cut cannot be told: it goes too.
        QTest::newRow("ends at a word's end") << keptLength(QStringLiteral("last whole"))
                                              << keptLength(QStringLiteral("last whole")).chopped(6) + u'\u2026';
        QTest::newRow("no stray comma") << keptLength(QStringLiteral("cabling, switch"))
                                        << keptLength(QStringLiteral("cabling, switch")).chopped(8) + u'\u2026';
        const QString address = QStringLiteral("See ") + QString(116, u'x');
        QTest::newRow("one long word: cut where it stops") << address << address + u'\u2026';
    }
    void endsAtAWord()
    {
        QFETCH(QString, kept);
        QFETCH(QString, shown);
        QCOMPARE(shownQuestionStart(kept), shown);
    }
};

QTEST_MAIN(TestQuestionStart)
#include "test_question_start.moc"
