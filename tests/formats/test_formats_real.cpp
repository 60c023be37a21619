// Question files written by others (see data/real/README.md for their origins): each reads to
// the questions its authors meant, and every question left out is named with its reason.

#include "ItemCompare.h"

#include "formats/Format.h"
#include "formats/ItemTable.h"

#include <QTest>

using namespace formatstest;
using formats::Item;

namespace {

const QString realDir = QStringLiteral(SAMPLE_DATA_DIR "/real/");

Item trueFalse(const QString& question, bool isTrue, const QString& explanation = {})
{
    return makeItem(0, false, question, {"True", "False"}, isTrue ? "a" : "b", explanation);
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<formats::Item>)

class TestFormatsReal : public QObject {
    Q_OBJECT

private slots:
    void readsAsItsAuthorsMeant_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<std::vector<Item>>("expected");
        QTest::addColumn<QStringList>("problems");

        QTest::newRow("moodle aiken") << "moodle-questions.aiken.txt"
            << std::vector<Item>{makeItem(0, false, "The Moodle project was started by:", {"Petr Skoda", "Martin Dougiamas", "Eloy Lafuente", "Tim Hunt"}, "b"),
                                 makeItem(0, false, "Moodle's abilities include handling user input that includes <html class=\"cool\"> & images:", {"True", "False"}, "a")}
            << QStringList{};
        // Moodle's own test expects the two good questions and an error for each broken block.
        QTest::newRow("moodle aiken errors") << "moodle-aiken_errors.txt"
            << std::vector<Item>{makeItem(0, false, "A good question", {"Correct", "Incorrect"}, "a"),
                                 makeItem(0, false, "A second good question", {"Incorrect (No space)", "Correct (No space)"}, "b")}
            << QStringList{"f line 1: a question needs at least two answers; skipped",
                           "f line 5, column 1: an answer without a question before it; skipped",
                           "f line 14: the question has no \"ANSWER:\" line; skipped"};
        QTest::newRow("moodle gift") << "moodle-questions.gift"
            << std::vector<Item>{makeItem(0, false, "What's between orange and green in the spectrum?", {"yellow", "red", "blue"}, "a"),
                                 makeItem(0, true, "What's between orange and green in the spectrum?", {"yellow", "red", "off-beige", "blue"}, "ac"),
                                 trueFalse("42 is the Absolute Answer to everything.", false, "This is, of course, a Hitchiker's Guide to the Galaxy reference."),
                                 trueFalse("TSL is blablabla.", true), trueFalse("TSL is blablabla.", true)}
            << QStringList{"f line 2: essay questions are not supported; skipped", "f line 5: matching questions are not supported; skipped",
                           "f line 31: numerical questions are not supported; skipped", "f line 34: short answer questions are not supported; skipped"};
        QTest::newRow("moodle xml categories") << "moodle-nested_categories_with_questions.xml"
            << std::vector<Item>{trueFalse("Testing Iota Question", true), trueFalse("Testing Kappa Question", true),
                                 trueFalse("Testing Lambda Question", true), trueFalse("Testing Mu Question", true)}
            << QStringList{"f line 55: essay questions are not supported; skipped"};
        // Inline feedback tells right from wrong beside each choice: it must stay out of the answers.
        QTest::newRow("qtiworks feedback") << "qtiworks-ims-feedback.zip"
            << std::vector<Item>{makeItem(0, false, "Who is the President of Mexico?", {"George W Bush", "Tony Blair", "Vicente Fox", "Ariel Sharon"}, "c",
                                          "Yes, that is correct."),
                                 makeItem(0, false, "Look at the text in the picture.\nWhat does it say?",
                                          {"You must stay with your luggage at all times.", "Do not let someone else look after your luggage.",
                                           "Remember your luggage when you leave."}, "a")}
            << QStringList{};
        const std::vector<Item> webDeveloper{
            makeItem(0, false, "Question 1\nFrom what you have learned so far, what file extension is required in order to view your webpage in a web browser?",
                     {".xml", ".php", ".html"}, "c"),
            makeItem(0, false, "Question 2\nWhat is the notation required to create a link to another page?",
                     {"<a href = \"myimage.html\">Link to my page</a>", "<a = \"myimage.html\">Link to my page</a>", "<a href = \"myimage.html\">",
                      "<a href = Link to my page</a>"}, "a"),
            makeItem(0, false, "Question 3\nWhat code is required to display an image on your webpage?",
                     {"<img src = \"myimage.jpg\" /img src>", "<img import = \"myimage.jpg\" />", "<img src = \"myimage.jpg\" />", "<image source = \"myimage.jpg\" />"}, "c"),
            makeItem(0, false, "Question 4\nLook at the website directory below:\nHow would you display myimage.jpg in your webpage if it was stored in the 'images' subdirectory?",
                     {"<img src = \"myimage.jpg\" />", "<img src = \"images\" />", "<img src = \"myimage.jpg/images\" />", "<img src = \"images/myimage.jpg\" />"}, "d"),
            makeItem(0, true, "Question 5\nWhat are the two main methods for connecting to a web server?",
                     {"Using an ethernet cable to provide a physical connection", "Using a Virtual Private Network connection to the server",
                      "Using a Local Area Network connection to the server", "Using a Bluetooth connection to server", "Using the File Transfer Protocol (FTP)"}, "be"),
            makeItem(0, false, "Question 6\nYou are setting up a connection to a web server using the file transfer protocol (FTP). Having specified the server "
                               "you wish to connect to (e.g. ugc.ecs.soton.ac.uk for the ECS web server), what information is required to establish the connection?",
                     {"Your username for the server (e.g. your University username for the ECS web server)", "The email address you have registered on the server",
                      "Your password for the server", "The username and password for the server"}, "d"),
            makeItem(0, false, "Question 7\nWhat folder do you need to upload your homepage to in order to view it on a web browser through the web server?",
                     {"public_html", "public.html", "index_html", "index.html"}, "a"),
            makeItem(0, true, "Question 9\nEven though your homepage is in the correct folder, you still aren\u2019t able to view it in a web browser.\n"
                              "What permissions need to be set so that your webpage can be viewed?", {"Read", "Execute", "Write", "Edit"}, "ab")};
        QTest::newRow("qtiworks package") << "qtiworks-WebDeveloperTest1.zip" << webDeveloper
            << QStringList{"f/question8.xml: items with 2 interactions are not supported; skipped"};
        std::vector<Item> withoutThird = webDeveloper;
        withoutThird.erase(withoutThird.begin() + 2);
        QTest::newRow("qtiworks package lacking an item") << "qtiworks-WebDeveloperTest1-question3-missing.zip" << withoutThird
            << QStringList{"f/question3.xml: the package lacks question3.xml, which its manifest names; skipped",
                           "f/question8.xml: items with 2 interactions are not supported; skipped"};
    }
    void readsAsItsAuthorsMeant()
    {
        QFETCH(QString, file);
        QFETCH(std::vector<Item>, expected);
        QFETCH(QStringList, problems);
        const formats::ReadResult result = formats::formatForFile(file)->read(readBytes(realDir + file), store::TableKind::Bank);
        QStringList said;
        for (const formats::Problem& p : result.problems)
            said << p.toString("f");
        QVERIFY2(said == problems, qPrintable(said.join(QLatin1Char('\n')) + QStringLiteral(" (%1 items)").arg(result.items.size())));
        const QString d = difference(result.items, expected, Question | Answers | Explanation);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    // The pictures of real packages are kept only when the exhibit windows can show them.
    void picturesOfOtherKindsAreLeftOut()
    {
        formats::ReadResult result = formats::formatNamed("qti")->read(readBytes(realDir + "qtiworks-WebDeveloperTest1.zip"), store::TableKind::Bank);
        QCOMPARE(result.items[3].pictures[0].name, QStringLiteral("directory.jpg"));
        const QList<formats::Problem> notes = formats::fitItems(result.items, store::TableKind::Bank, 1);
        QCOMPARE(notes.size(), 1);
        QCOMPARE(notes.first().toString("f"), QStringLiteral("f: the picture directory.jpg is not a bmp, ico, wmf or emf file; left out"));
        QVERIFY(result.items[3].pictures[0].isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFormatsReal)
#include "test_formats_real.moc"
