// The prompt seam: the full-stop rule of the error box, the line breaks of program texts,
// and the kind, caption and buttons of each shorthand box.

#include "platform/ChoiceDialog.h"
#include "platform/Prompts.h"
#include "support/ScriptedPrompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

using platform::PromptButton;
using platform::PromptKind;
using testsupport::ScriptedPrompts;

Q_DECLARE_METATYPE(PromptKind)
Q_DECLARE_METATYPE(PromptButton)
Q_DECLARE_METATYPE(QList<PromptButton>)

class TestPrompts : public QObject {
    Q_OBJECT
private slots:
    void fullStop_data();
    void fullStop();
    void displayText_data();
    void displayText();
    void shorthands_data();
    void shorthands();
    void errorBoxAddsFullStopAndKeepsLineBreaks();
    void installRestoresThePrevious();
    void unexpectedQuestionFailsTheTest();
    void enterPressesTheDefaultButton_data();
    void enterPressesTheDefaultButton();
    void theBoxBelongsToItsOwnerOrTheModalWindow_data();
    void theBoxBelongsToItsOwnerOrTheModalWindow();
    void theChoiceReportAnswersTheOptionChosen_data();
    void theChoiceReportAnswersTheOptionChosen();
    void aSavedNameGetsTheExtensionOfTheFilterChosen_data();
    void aSavedNameGetsTheExtensionOfTheFilterChosen();
    void theReportShowsItsDetailsWhole_data();
    void theReportShowsItsDetailsWhole();
};

void TestPrompts::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    // Characters that sort after "." get one; those at or before it do not.
    QTest::newRow("letter") << "Table not found" << "Table not found.";
    QTest::newRow("digit") << "Error 26" << "Error 26.";
    QTest::newRow("question mark") << "Are you sure?" << "Are you sure?.";
    QTest::newRow("closing quote") << "cannot open \"ces.DAT\"" << "cannot open \"ces.DAT\"";
    QTest::newRow("full stop") << "Done." << "Done.";
    QTest::newRow("exclamation") << "Stop!" << "Stop!";
    QTest::newRow("closing parenthesis") << "bad value (3)" << "bad value (3)";
    QTest::newRow("comma") << "a," << "a,";
    QTest::newRow("hyphen") << "a-" << "a-";
    QTest::newRow("slash") << "a/" << "a/.";
    QTest::newRow("colon") << "file:" << "file:.";
    QTest::newRow("blank") << "trailing " << "trailing ";
    QTest::newRow("non-ASCII letter")
        << QString::fromUtf8("Fehler: Größe") << QString::fromUtf8("Fehler: Größe.");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only a full stop") << "." << ".";
}

void TestPrompts::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(platform::withFullStop(message), shown);
}

void TestPrompts::displayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("carriage return") << "This exam is not completed.\rAre you shure ?"
                                     << "This exam is not completed.\nAre you shure ?";
    QTest::newRow("CR LF is one break") << "a\r\nb" << "a\nb";
    QTest::newRow("two breaks") << "a\r\rb" << "a\n\nb";
    QTest::newRow("plain") << "no breaks" << "no breaks";
}

void TestPrompts::displayText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(platform::displayText(text), shown);
}

void TestPrompts::shorthands_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<PromptKind>("kind");
    QTest::addColumn<QList<PromptButton>>("buttons");
    QTest::addColumn<PromptButton>("answer");

    QTest::newRow("confirm")
        << 0 << PromptKind::Confirmation << QList<PromptButton>{PromptButton::Yes, PromptButton::No}
        << PromptButton::No;
    QTest::newRow("warnOkCancel")
        << 1 << PromptKind::Warning << QList<PromptButton>{PromptButton::Ok, PromptButton::Cancel}
        << PromptButton::Cancel;
    QTest::newRow("confirmOkCancel") << 2 << PromptKind::Confirmation
                                     << QList<PromptButton>{PromptButton::Ok, PromptButton::Cancel}
                                     << PromptButton::Ok;
    QTest::newRow("inform") << 3 << PromptKind::Information << QList<PromptButton>{PromptButton::Ok}
                            << PromptButton::Ok;
}

void TestPrompts::shorthands()
{
    QFETCH(int, which);
    QFETCH(PromptKind, kind);
    QFETCH(QList<PromptButton>, buttons);
    QFETCH(PromptButton, answer);

    ScriptedPrompts prompts;
    prompts.answer(answer);
    const QString caption = QStringLiteral("Warning");
    // The text goes to the box as the program wrote it, "\r" included.
    const QString text = QStringLiteral("This exam is not completed.\rAre you shure ?");
    PromptButton result = PromptButton::None;
    switch (which) {
    case 0:
        result = platform::confirm(caption, text);
        break;
    case 1:
        result = platform::warnOkCancel(caption, text);
        break;
    case 2:
        result = platform::confirmOkCancel(caption, text);
        break;
    case 3:
        platform::inform(caption, text);
        result = answer;
        break;
    }
    QCOMPARE(result, answer);
    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& asked = prompts.requests().first();
    QCOMPARE(asked.kind, kind);
    QCOMPARE(asked.caption, caption);
    QCOMPARE(asked.text, text);
    QCOMPARE(asked.buttons, buttons);
}

void TestPrompts::errorBoxAddsFullStopAndKeepsLineBreaks()
{
    ScriptedPrompts prompts;
    prompts.answer(PromptButton::Ok);
    platform::showError(QStringLiteral("cannot open table qbank2.DAT\rfile not found"));
    QCOMPARE(prompts.requests().size(), 1);
    const platform::PromptRequest& asked = prompts.requests().first();
    QCOMPARE(asked.kind, PromptKind::Error);
    QCOMPARE(asked.caption, QStringLiteral("Quizlore Prep 2.0"));
    QCOMPARE(asked.text, QStringLiteral("cannot open table qbank2.DAT\rfile not found."));
    QCOMPARE(asked.buttons, QList<PromptButton>{PromptButton::Ok});
}

void TestPrompts::installRestoresThePrevious()
{
    platform::Prompts* real = &platform::Prompts::current();
    {
        ScriptedPrompts outer;
        QCOMPARE(&platform::Prompts::current(), static_cast<platform::Prompts*>(&outer));
        {
            ScriptedPrompts inner;
            QCOMPARE(&platform::Prompts::current(), static_cast<platform::Prompts*>(&inner));
        }
        QCOMPARE(&platform::Prompts::current(), static_cast<platform::Prompts*>(&outer));
    }
    QCOMPARE(&platform::Prompts::current(), real);
}

void TestPrompts::unexpectedQuestionFailsTheTest()
{
    ScriptedPrompts prompts;
    prompts.answer(PromptButton::Yes);
    QCOMPARE(platform::confirm(QStringLiteral("Quizlore"), QStringLiteral("Go on?")),
             PromptButton::Yes);
    // A second question nobody scripted: the test fails, and the box counts as closed.
    QEXPECT_FAIL("", "the script answers one question only", Continue);
    const PromptButton unscripted =
        platform::confirm(QStringLiteral("Quizlore"), QStringLiteral("Really?"));
    QCOMPARE(unscripted, PromptButton::None);
    QCOMPARE(prompts.unexpected(), 1);
    QCOMPARE(prompts.requests().size(), 2);
    QCOMPARE(prompts.unusedAnswers(), 0);
}

void TestPrompts::enterPressesTheDefaultButton_data()
{
    QTest::addColumn<QList<PromptButton>>("buttons");
    QTest::addColumn<PromptButton>("defaultButton");
    QTest::addColumn<PromptButton>("pressed");
    QTest::newRow("named second") << QList<PromptButton>{PromptButton::No, PromptButton::Ok}
                                  << PromptButton::Ok << PromptButton::Ok;
    QTest::newRow("unnamed: the first") << QList<PromptButton>{PromptButton::Yes, PromptButton::No}
                                        << PromptButton::None << PromptButton::Yes;
}

void TestPrompts::enterPressesTheDefaultButton()
{
    QFETCH(QList<PromptButton>, buttons);
    QFETCH(PromptButton, defaultButton);
    QFETCH(PromptButton, pressed);
    platform::PromptRequest request;
    request.caption = QStringLiteral("Information");
    request.text = QStringLiteral("Go on?");
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    // The real message box: Enter goes to its default button once it runs.
    bool answered = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        QTest::keyClick(box, Qt::Key_Return);
        answered = true;
    });
    QCOMPARE(platform::Prompts::current().ask(request), pressed);
    QVERIFY(answered);
}

void TestPrompts::theBoxBelongsToItsOwnerOrTheModalWindow_data()
{
    QTest::addColumn<bool>("owned");
    QTest::newRow("owner given") << true;
    QTest::newRow("no owner: the modal window") << false;
}

// A window of its own beside a modal one (as a child of it, so not blocked): a box that names
// it as owner belongs to it, not to the modal window in front.
void TestPrompts::theBoxBelongsToItsOwnerOrTheModalWindow()
{
    QFETCH(bool, owned);
    QWidget modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    QWidget window(&modal, Qt::Window);
    auto* control = new QLabel(QStringLiteral("a control of the window"), &window);
    window.show();
    platform::PromptRequest request;
    request.caption = QStringLiteral("Study");
    request.text = QStringLiteral("Done.");
    request.buttons = {PromptButton::Ok};
    request.owner = owned ? control : nullptr;
    QWidget* boxParent = nullptr;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            boxParent = box->parentWidget();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    QCOMPARE(platform::Prompts::current().ask(request), PromptButton::Ok);
    QCOMPARE(boxParent, owned ? &window : &modal);
}

void TestPrompts::theChoiceReportAnswersTheOptionChosen_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("pick");  // -1: keep the one offered
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("answer");
    const QStringList sections{"One", "Two", "Three", "Four"};
    QTest::newRow("offered one kept") << sections << -1 << int(Qt::Key_Return) << 1;
    QTest::newRow("another picked") << sections << 3 << int(Qt::Key_Return) << 3;
    QTest::newRow("cancelled") << sections << 2 << int(Qt::Key_Escape) << -1;
    QTest::newRow("no choice offered") << QStringList() << -1 << int(Qt::Key_Return) << 0;
}

void TestPrompts::theChoiceReportAnswersTheOptionChosen()
{
    QFETCH(QStringList, choices);
    QFETCH(int, pick);
    QFETCH(int, key);
    QFETCH(int, answer);
    platform::ChoiceRequest request;
    request.caption = QStringLiteral("Import questions");
    request.text = QStringLiteral("3 items will be added.\r1 skipped:");
    request.details = QStringList{"f line 4: not ours; skipped"};
    request.choiceLabel = QStringLiteral("Section:");
    request.choices = choices;
    request.chosen = 1;
    // The real dialog: what it shows, then the user's pick and key.
    QString caption, text, details, offered;
    bool hasList = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        caption = dialog->windowTitle();
        text = dialog->findChild<QLabel*>("text")->text();
        details = dialog->findChild<QPlainTextEdit*>("details")->toPlainText();
        auto* list = dialog->findChild<QComboBox*>("choices");
        hasList = list != nullptr;
        if (list) {
            offered = list->currentText();
            if (pick >= 0)
                list->setCurrentIndex(pick);
        }
        QTest::keyClick(dialog, Qt::Key(key));
    });
    QCOMPARE(platform::Prompts::current().askChoice(request, nullptr), answer);
    QCOMPARE(caption, request.caption);
    QCOMPARE(text, QStringLiteral("3 items will be added.\n1 skipped:"));
    QCOMPARE(details, request.details[0]);
    QCOMPARE(hasList, !choices.isEmpty());
    QCOMPARE(offered, choices.value(1));
}

void TestPrompts::aSavedNameGetsTheExtensionOfTheFilterChosen_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("filterSteps");  // steps down the list of filters
    QTest::addColumn<QString>("saved");
    QTest::newRow("first filter") << "questions" << 0 << "questions.gift";
    QTest::newRow("another filter") << "questions" << 2 << "questions.json";
    QTest::newRow("extension typed") << "questions.xml" << 0 << "questions.xml";
}

void TestPrompts::aSavedNameGetsTheExtensionOfTheFilterChosen()
{
    QFETCH(QString, typed);
    QFETCH(int, filterSteps);
    QFETCH(QString, saved);
    QTemporaryDir folder;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QVERIFY(dialog);
        auto* filters = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(filters);
        for (int i = 0; i < filterSteps; ++i)
            QTest::keyClick(filters, Qt::Key_Down);
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(name);
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const QString chosen = platform::Prompts::current().saveFileName(
        nullptr, QStringLiteral("Export questions"), folder.path(),
        QStringLiteral("GIFT (*.gift);;Aiken (*.txt);;JSON (*.json)"));
    QCOMPARE(chosen, folder.filePath(saved));
}

QTEST_MAIN(TestPrompts)
#include "test_prompts.moc"

void TestPrompts::theReportShowsItsDetailsWhole_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("one reason") << 1;
    QTest::newRow("three reasons") << 3;
    QTest::newRow("forty reasons") << 40;
}

// Each reason is read whole without scrolling sideways; a few show at once, many scroll down.
void TestPrompts::theReportShowsItsDetailsWhole()
{
    QFETCH(int, count);
    platform::ChoiceRequest request;
    request.caption = QStringLiteral("Import questions");
    request.text = QStringLiteral("2 items will be added.\r%1 skipped:").arg(count);
    for (int i = 0; i < count; ++i)
        request.details.append(
            QStringLiteral("/home/learner/Documents/questions/networking-week-%1.gift line %2: a question of "
                           "the kind \"matching\" is not one the exam can ask; skipped")
                .arg(i + 1)
                .arg(4 * i + 1));
    platform::ChoiceDialog dialog(request);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto* box = dialog.findChild<QPlainTextEdit*>("details");
    QVERIFY(box);
    QVERIFY(!box->horizontalScrollBar()->isVisible());
    QCOMPARE(box->horizontalScrollBar()->maximum(), 0);
    const int lineSpacing = box->fontMetrics().lineSpacing();
    if (count <= 3) {
        QCOMPARE(box->verticalScrollBar()->maximum(), 0);  // every wrapped line in view
    } else {
        QVERIFY(box->verticalScrollBar()->isVisible());
        QVERIFY(box->height() >= 8 * lineSpacing);
        QVERIFY(box->height() <= 14 * lineSpacing);
    }
    QVERIFY(dialog.width() <= dialog.screen()->availableGeometry().width());
    const QString shots = qEnvironmentVariable("QUIZLORE_SCREENSHOTS");
    if (!shots.isEmpty())
        dialog.grab().save(QStringLiteral("%1/import-report-%2.png").arg(shots).arg(count));
}
