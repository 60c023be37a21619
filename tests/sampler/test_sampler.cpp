// The test sampler on real user sets: what it shows for the current item, adding, editing,
// deleting and emptying, the refusals of Save, moving away from an edit, closing, the keys,
// and what lands in the file.

#include "SamplerFixture.h"
#include "support/ScriptedPrompts.h"
#include "widgets/DBItemTree.h"
#include "widgets/DBNavigator.h"
#include "widgets/OutlinedLabel.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include <functional>

using platform::PromptButton;
using platform::PromptKind;
using samplerfixture::Sampler;
using samplerfixture::chooseType;
using samplerfixture::clickSection;
using samplerfixture::currentNode;
using samplerfixture::showPage;
using samplerfixture::typeAnswers;
using samplerfixture::typeQuestion;
using samplerfixture::treeLabels;
using samplerfixture::userItem;
using Act = std::function<void(TSamplerForm&)>;
Q_DECLARE_METATYPE(Act)
Q_DECLARE_METATYPE(PromptButton)

namespace {

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

QStringList panels(const TSamplerForm& f)
{
    QStringList texts;
    for (auto p : {TSamplerForm::ItemPanel, TSamplerForm::CountPanel, TSamplerForm::StatePanel,
                   TSamplerForm::ModificationPanel})
        texts.append(f.StatusPanel(p)->text());
    return texts;
}

// Add, Edit, Delete, the tree and the navigator, as "AEDTN" with "-" for a disabled one.
QString commands(const TSamplerForm& f)
{
    QString s;
    s += f.AddAct->isEnabled() ? 'A' : '-';
    s += f.EditAct->isEnabled() ? 'E' : '-';
    s += f.DelAct->isEnabled() ? 'D' : '-';
    s += f.fcDBTreeView1->isEnabled() ? 'T' : '-';
    s += f.DBNavigator1->isEnabled() ? 'N' : '-';
    return s;
}

// Save and Cancel as "SC", "-" for a disabled one.
QString saveCancel(const TSamplerForm& f)
{
    return QString(f.BitBtn1->isEnabled() ? "S" : "-") + (f.BitBtn2->isEnabled() ? "C" : "-");
}

QString chosenSection(const TSamplerForm& f)
{
    const QListWidgetItem* item = f.ListBox1->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void clickNavigator(TSamplerForm& f, widgets::DBNavigator::Button which)
{
    QTest::mouseClick(f.DBNavigator1->button(which), Qt::LeftButton);
}

void checkPrompt(const platform::PromptRequest& r, PromptKind kind, const QString& caption,
                 const QString& text, const QList<PromptButton>& buttons)
{
    QCOMPARE(int(r.kind), int(kind));
    QCOMPARE(r.caption, caption);
    QCOMPARE(r.text, text);
    QCOMPARE(r.buttons, buttons);
}

const QStringList ThreeItems = {"1", "2", "3"};

std::vector<testsupport::Item> threeItems()
{
    return {userItem("First question", 3), userItem("Second question", 1, true),
            userItem("Third question", 4)};
}

}  // namespace

class TestSampler : public QObject {
    Q_OBJECT
private slots:
    void windowLayout();
    void choiceBoxesWidenWithThePage();
    void openingAnEmptySetThenAddAndCancel();
    void openingShowsTheFirstItemAndKeepsItsSection();
    void statusPanelsWidenForLongNumbers();
    void addingStoresEveryField();
    void saveRefusesAnIncompleteItem_data();
    void saveRefusesAnIncompleteItem();
    void saveRefusesAnItemThatCannotBeAnswered_data();
    void saveRefusesAnItemThatCannotBeAnswered();
    void aStoredItemThatBreaksARuleIsShownAndMendedBeforeSaving();
    void everyKeyIsStoredAsTrueOrFalse();
    void choicesMadeThroughTheAccessibilityLayerAreSaved();
    void altLetterAndF10ReachTheCommands();
    void addKeepsTheTypeAndSectionOfTheCurrentItem_data();
    void addKeepsTheTypeAndSectionOfTheCurrentItem();
    void editThenCancelOrSave_data();
    void editThenCancelOrSave();
    void closingDiscardsPendingChanges_data();
    void closingDiscardsPendingChanges();
    void deleting_data();
    void deleting();
    void movingAwayFromAnEdit_data();
    void movingAwayFromAnEdit();
    void treeAndNavigatorMoveTheCurrentItem();
    void emptyingTheSet_data();
    void emptyingTheSet();
    void emptyingWhileAnotherProgramHoldsTheSetKeepsItAndTheEdit();
    void comingBackShowsItemsAnotherProgramAdded();
    void enterSavesAndEscCancels();
};

void TestSampler::windowLayout()
{
    Sampler s({userItem("Q", 1)});
    TSamplerForm& f = s.form();
    QCOMPARE(f.windowTitle(), QStringLiteral("Quizlore Test Sampler"));
    QCOMPARE(f.minimumSize(), QSize(646, 462));

    auto texts = [](const QList<QAction*>& actions) {
        QStringList list;
        for (QAction* a : actions)
            list.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    };
    QCOMPARE(f.File1->title(), QStringLiteral("&File"));
    QCOMPARE(texts(f.File1->actions()), QStringList{"E&xit"});
    QCOMPARE(f.Items1->title(), QStringLiteral("&Items"));
    QCOMPARE(texts(f.Items1->actions()),
             (QStringList{"&Add new item", "&Edit item", "&Delete Item", "-", "E&mpty question set",
                          "-", "&Import questions...", "Ex&port questions..."}));
    QCOMPARE(f.Help1->title(), QStringLiteral("&Help"));
    QCOMPARE(texts(f.Help1->actions()), QStringList{"A&bout"});
    // The menu, the tool bar and the context menu share the three commands.
    const QList<QAction*> shared{f.AddAct, f.EditAct, f.DelAct};
    QCOMPARE(f.ToolBar1->actions(), shared);
    QCOMPARE(f.PopupMenu1->actions(), shared);
    QCOMPARE(f.Items1->actions().mid(0, 3), shared);
    QCOMPARE(f.ToolBar1->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    for (QAction* a : shared)
        QVERIFY(!a->icon().isNull());

    const QStringList pages{"Test question", "Type, Section", "Responce choices", "Explanation"};
    QCOMPARE(f.PageControl1->count(), 4);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(f.PageControl1->tabText(i), pages[i]);
    auto pageTexts = [](QWidget* page) {
        QStringList list;
        for (QLabel* l : page->findChildren<QLabel*>())
            list.append(l->text());
        return list;
    };
    QCOMPARE(pageTexts(f.TabSheet1), QStringList{"Enter the question text in the box bellow."});
    QCOMPARE(pageTexts(f.TabSheet2), (QStringList{"Select item type:", "Select item section:"}));
    QCOMPARE(pageTexts(f.TabSheet3),
             QStringList{"Enter the responce choices and mark the correct choice(s)."});
    QCOMPARE(pageTexts(f.TabSheet4), QStringList{"Enter the explanation text."});
    QCOMPARE(f.ComboBox1->count(), 2);
    QCOMPARE(f.ComboBox1->itemText(0), QStringLiteral("Single responce"));
    QCOMPARE(f.ComboBox1->itemText(1), QStringLiteral("Multiple responces"));
    QStringList sections;
    for (int i = 0; i < f.ListBox1->count(); ++i)
        sections.append(f.ListBox1->item(i)->text());
    QCOMPARE(sections, (QStringList{"Standards and Terminology", "Planning", "Implementation",
                                    "Troubleshooting"}));
    for (int k = 0; k < 6; ++k)
        QCOMPARE(f.DBCheckBoxes[size_t(k)]->text(), QStringLiteral("%1.").arg(QChar(u'a' + k)));
    QCOMPARE(f.DBMemo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(f.DBMemo2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    const QStringList hints{"First item", "Prior item", "Next item", "Last item"};
    for (int b = 0; b < 4; ++b)
        QCOMPARE(f.DBNavigator1->button(widgets::DBNavigator::Button(b))->toolTip(), hints[b]);
    QCOMPARE(f.BitBtn1->text(), QStringLiteral("Save"));
    QVERIFY(f.BitBtn1->isDefault());
    QCOMPARE(f.BitBtn2->text(), QStringLiteral("Cancel"));
    QCOMPARE(f.StatusPanel(TSamplerForm::ItemPanel)->width(), 70);
    QCOMPARE(f.StatusPanel(TSamplerForm::CountPanel)->width(), 80);
    QCOMPARE(f.StatusPanel(TSamplerForm::StatePanel)->width(), 100);
    QCOMPARE(f.StatusPanel(TSamplerForm::ModificationPanel)->width(), 100);
    // The focus that enters the type page goes to the section list.
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    showPage(f, f.TabSheet2);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(f.ListBox1));
}

void TestSampler::choiceBoxesWidenWithThePage()
{
    Sampler s({userItem("Q", 1)});
    TSamplerForm& f = s.form();
    showPage(f, f.TabSheet3);
    auto checkWidths = [&f] {
        const int area = f.ScrollBox1->viewport()->width();
        for (QLineEdit* edit : f.DBEdits)
            QCOMPARE(edit->width(), area - edit->x() - 10);
    };
    checkWidths();
    const int before = f.DBEdits[0]->width();
    f.resize(900, 600);
    settle();
    checkWidths();
    QVERIFY(f.DBEdits[0]->width() > before + 200);
}

void TestSampler::openingAnEmptySetThenAddAndCancel()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({});
    TSamplerForm& f = s.form();
    auto checkEmptyState = [&f] {
        QCOMPARE(f.fcLabel4->text(), QStringLiteral("The question set is empty"));
        QCOMPARE(panels(f).mid(0, 3), (QStringList{" Empty", " Items: 0", "  Browsing"}));
        QCOMPARE(commands(f), QStringLiteral("A--TN"));
        QCOMPARE(saveCancel(f), QStringLiteral("--"));
        QVERIFY(treeLabels(f).isEmpty());
        QCOMPARE(chosenSection(f), QString());
        // Nothing to type into while there is no item.
        QVERIFY(f.DBMemo1->isReadOnly());
        QVERIFY(!f.DBCheckBoxes[0]->isEnabled());
    };
    checkEmptyState();
    QCOMPARE(panels(f)[3], QString());

    f.AddAct->trigger();
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Add new item"));
    QCOMPARE(panels(f).mid(2), (QStringList{" Add new item", " Modified"}));
    QCOMPARE(commands(f), QStringLiteral("-----"));
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));
    QCOMPARE(f.PageControl1->currentWidget(), f.TabSheet1);
    QVERIFY(!f.DBMemo1->isReadOnly());
    typeQuestion(f, "Never kept");

    QTest::mouseClick(f.BitBtn2, Qt::LeftButton);
    checkEmptyState();
    QCOMPARE(panels(f)[3], QString());
    QCOMPARE(f.DBMemo1->toPlainText(), QString());
    QCOMPARE(prompts.requests().size(), 0);
    QVERIFY(samplerfixture::readUserSet().empty());
}

void TestSampler::openingShowsTheFirstItemAndKeepsItsSection()
{
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 1"));
    QCOMPARE(panels(f), (QStringList{" Item ID: 1", " Items: 3", "  Browsing", ""}));
    QCOMPARE(chosenSection(f), QStringLiteral("Implementation"));
    QCOMPARE(f.ComboBox1->currentText(), QStringLiteral("Single responce"));
    QCOMPARE(f.DBMemo1->toPlainText(), QStringLiteral("First question"));
    QCOMPARE(f.DBEdits[0]->text(), QStringLiteral("Yes"));
    QVERIFY(f.DBCheckBoxes[0]->isChecked());
    QVERIFY(!f.DBCheckBoxes[1]->isChecked());
    QCOMPARE(treeLabels(f), ThreeItems);
    QCOMPARE(currentNode(f), QStringLiteral("1"));
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));
    QCOMPARE(f.PageControl1->currentWidget(), f.TabSheet1);

    // Typing begins editing and leaves the commands on.
    QTest::keyClick(f.DBMemo1, Qt::Key_End, Qt::ControlModifier);
    typeQuestion(f, " again");
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Edit Item"));
    QCOMPARE(panels(f).mid(2), (QStringList{" Edit Item", " Modified"}));
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));

    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(panels(f), (QStringList{" Item ID: 1", " Items: 3", "  Browsing", " Saved"}));
    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(stored[0].question, QStringLiteral("First question again"));
    QCOMPARE(stored[0].section, 3);
    QCOMPARE(stored[0].multiple, false);
}

void TestSampler::statusPanelsWidenForLongNumbers()
{
    Sampler s({userItem(QStringLiteral("Far down the set"), 1, false, {QStringLiteral("Yes"), QStringLiteral("No")},
                        QStringLiteral("a"), 123456)});
    TSamplerForm& f = s.form();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.statusBar()->layout()->activate();
    QLabel* item = f.StatusPanel(TSamplerForm::ItemPanel);
    QCOMPARE(item->text(), QStringLiteral(" Item ID: 123456"));
    QVERIFY2(item->width() >= item->fontMetrics().horizontalAdvance(item->text()) + 2 * item->frameWidth(),
             qPrintable(QStringLiteral("%1 pixels for the text").arg(item->width())));
    // The other panels keep the widths they are designed with.
    QCOMPARE(f.StatusPanel(TSamplerForm::CountPanel)->width(), 80);
}

void TestSampler::addingStoresEveryField()
{
    testsupport::ScriptedPrompts prompts;
    // Q_ID 3 and 4 were deleted once: the table gives the new item the next free number.
    Sampler s({userItem("One", 1, false, {"Yes", "No"}, "a", 1),
               userItem("Two", 2, false, {"Yes", "No"}, "b", 2),
               userItem("Five", 1, false, {"Yes", "No"}, "a", 5)});
    TSamplerForm& f = s.form();
    QCOMPARE(treeLabels(f), (QStringList{"1", "2", "5"}));

    f.AddAct->trigger();
    QCOMPARE(f.DBMemo1->toPlainText(), QString());
    QCOMPARE(f.DBEdits[0]->text(), QString());
    QVERIFY(!f.DBCheckBoxes[0]->isChecked());
    typeQuestion(f, "Which of these are routing protocols?");
    QTest::keyClick(f.DBMemo1, Qt::Key_Return);
    typeQuestion(f, "Choose three.");
    chooseType(f, true);
    clickSection(f, 3);
    typeAnswers(f, {"OSPF", "HTTP", "BGP", "SMTP", "RIP"}, "ace");
    showPage(f, f.TabSheet4);
    QTest::keyClicks(f.DBMemo2, "OSPF, BGP and RIP exchange routes.");
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Add new item"));

    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 0);
    QCOMPARE(treeLabels(f), (QStringList{"1", "2", "5", "6"}));
    QCOMPARE(currentNode(f), QStringLiteral("6"));
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 6"));
    QCOMPARE(panels(f), (QStringList{" Item ID: 6", " Items: 4", "  Browsing", " Saved"}));
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));
    QCOMPARE(saveCancel(f), QStringLiteral("--"));

    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(int(stored.size()), 4);
    const samplerfixture::Stored& added = stored[3];
    QCOMPARE(added.id, 6);
    QCOMPARE(added.question, QStringLiteral("Which of these are routing protocols?\nChoose three."));
    QCOMPARE(added.section, 3);
    QCOMPARE(added.multiple, true);
    QCOMPARE(added.answers, (QStringList{"OSPF", "HTTP", "BGP", "SMTP", "RIP", ""}));
    QCOMPARE(added.key, QStringLiteral("ace"));
    QCOMPARE(added.explanation, QStringLiteral("OSPF, BGP and RIP exchange routes."));
}

void TestSampler::saveRefusesAnIncompleteItem_data()
{
    QTest::addColumn<int>("section");  // 0: none chosen
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("page");  // the page shown after the refusal
    QTest::newRow("no section") << 0 << "A question" << "Choose the section of this item." << 1;
    QTest::newRow("no question") << 2 << "" << "Enter the question text of this item." << 0;
    QTest::newRow("blank question") << 2 << " \t" << "Enter the question text of this item." << 0;
}

void TestSampler::saveRefusesAnIncompleteItem()
{
    QFETCH(int, section);
    QFETCH(QString, question);
    QFETCH(QString, message);
    QFETCH(int, page);
    testsupport::ScriptedPrompts prompts;
    Sampler s({});  // an empty set: no section is chosen for a new item
    TSamplerForm& f = s.form();
    f.AddAct->trigger();
    typeQuestion(f, question);
    if (section)
        clickSection(f, section);

    prompts.answer(PromptButton::Ok);
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    checkPrompt(prompts.requests()[0], PromptKind::Information, "Information", message,
                {PromptButton::Ok});
    // Still adding, with nothing stored.
    QCOMPARE(s.table().state(), store::DataSetState::Insert);
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Add new item"));
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));
    QCOMPARE(commands(f), QStringLiteral("-----"));
    QCOMPARE(f.PageControl1->currentIndex(), page);
    QVERIFY(samplerfixture::readUserSet().empty());

    // Completed, the item is stored.
    if (!section)
        clickSection(f, 1);
    if (question.trimmed().isEmpty())
        typeQuestion(f, "Now with a question");
    typeAnswers(f, {"Yes", "No"}, "a");
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(int(samplerfixture::readUserSet().size()), 1);
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 1"));
}

void TestSampler::saveRefusesAnItemThatCannotBeAnswered_data()
{
    QTest::addColumn<bool>("multiple");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");  // the control that takes the focus
    const QString page = QStringLiteral("the page \"Responce choices\"");
    QTest::newRow("no choices") << false << QStringList{} << ""
                                << "This item has no response choices. Enter at least two on " + page + "."
                                << "DBEdit2";
    QTest::newRow("one choice") << false << QStringList{"Yes"} << "a"
                                << "This item has only one response choice. Enter at least two on " + page + "."
                                << "DBEdit3";
    QTest::newRow("a key without text")
        << false << QStringList{"Yes", "", "No"} << "b"
        << "Choice b. is marked correct but has no text. Enter its text or clear its mark on " + page + "."
        << "DBEdit3";
    QTest::newRow("single without a key") << false << QStringList{"Yes", "No"} << ""
                                          << "Mark the correct choice of this single-response item on " + page + "."
                                          << "DBCheckBox1";
    QTest::newRow("single with two keys")
        << false << QStringList{"Yes", "No", "Maybe"} << "ac"
        << "A single-response item has exactly one correct choice, and 2 are marked. Clear all marks but one on " +
               page + ", or choose \"Multiple responces\" on the page \"Type, Section\"."
        << "DBCheckBox1";
    QTest::newRow("multiple without a key")
        << true << QStringList{"Yes", "No"} << ""
        << "Mark at least one correct choice of this multiple-response item on " + page + "." << "DBCheckBox1";
}

// An item that the user exam could never mark right is refused, with what to mend and where;
// the file is not touched and the item stays open for the mending.
void TestSampler::saveRefusesAnItemThatCannotBeAnswered()
{
    QFETCH(bool, multiple);
    QFETCH(QStringList, answers);
    QFETCH(QString, key);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Kept", 2)});
    TSamplerForm& f = s.form();
    f.AddAct->trigger();
    typeQuestion(f, "Which one?");
    chooseType(f, multiple);
    clickSection(f, 3);
    typeAnswers(f, answers, key);
    const QByteArray before = testsupport::fileBytes(store::UserSetFileName);

    prompts.answer(PromptButton::Ok);
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    checkPrompt(prompts.requests()[0], PromptKind::Information, "Information", message, {PromptButton::Ok});
    QCOMPARE(s.table().state(), store::DataSetState::Insert);
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));
    QCOMPARE(f.PageControl1->currentWidget(), f.TabSheet3);
    QVERIFY(f.focusWidget());
    QCOMPARE(f.focusWidget()->objectName(), focus);
    QCOMPARE(testsupport::fileBytes(store::UserSetFileName), before);
}

void TestSampler::aStoredItemThatBreaksARuleIsShownAndMendedBeforeSaving()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("Only one choice", 1, false, {"Yes"}, "a")});
    TSamplerForm& f = s.form();
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 1"));
    QCOMPARE(f.DBEdits[0]->text(), QStringLiteral("Yes"));
    QVERIFY(f.DBCheckBoxes[0]->isChecked());

    f.EditAct->trigger();
    typeQuestion(f, "?");
    prompts.answer(PromptButton::Ok);
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    QVERIFY(prompts.requests()[0].text.startsWith("This item has only one response choice."));
    QCOMPARE(s.table().state(), store::DataSetState::Edit);
    QCOMPARE(samplerfixture::readUserSet()[0].question, QStringLiteral("Only one choice"));

    QTest::keyClicks(f.DBEdits[1], "No");
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 1);
    const samplerfixture::Stored stored = samplerfixture::readUserSet()[0];
    QCOMPARE(stored.question, QStringLiteral("?Only one choice"));  // typed where the cursor stood
    QCOMPARE(stored.answers.mid(0, 2), (QStringList{"Yes", "No"}));
    QCOMPARE(stored.key, QStringLiteral("a"));
}

// A new record's keys start empty (NULL); Save stores each as what its box shows.
void TestSampler::everyKeyIsStoredAsTrueOrFalse()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({});
    TSamplerForm& f = s.form();
    f.AddAct->trigger();
    typeQuestion(f, "Which port does DNS use?");
    clickSection(f, 1);
    typeAnswers(f, {"53", "80"}, "a");
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 0);

    store::StandaloneTable file(store::UserSetFileName);
    file.table.open();
    QCOMPARE(file.table.recordCount(), 1);
    for (int k = 1; k <= store::field::AnswerCount; ++k) {
        const QVariant key = file.table.value(store::field::key(k));
        QVERIFY2(!key.isNull(), qPrintable(store::field::key(k)));
        QCOMPARE(key.toInt(), k == 1 ? 1 : 0);
    }
}

// A screen reader or voice control selects the section and ticks a key without making them
// current or clicking them: Save reads what the controls show.
void TestSampler::choicesMadeThroughTheAccessibilityLayerAreSaved()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s({userItem("First question", 1)});
    TSamplerForm& f = s.form();
    f.AddAct->trigger();
    typeQuestion(f, "Which two protocols route between autonomous systems and inside one?");
    typeAnswers(f, {"BGP", "OSPF", "SMTP"}, "");
    showPage(f, f.TabSheet2);

    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.ListBox1);
    QVERIFY(list);
    QAccessibleInterface* implementation = nullptr;
    for (int i = 0; i < list->childCount(); ++i) {
        if (list->child(i)->text(QAccessible::Name) == QLatin1String("Implementation"))
            implementation = list->child(i);
    }
    QVERIFY(implementation && implementation->actionInterface());
    implementation->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(f.ListBox1->selectedItems().size(), 1);
    QCOMPARE(f.ListBox1->selectedItems()[0]->text(), QStringLiteral("Implementation"));
    f.ComboBox1->setCurrentIndex(1);  // shown without a user's "activated"
    for (int k : {0, 1}) {
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(f.DBCheckBoxes[size_t(k)]);
        QVERIFY(box && box->actionInterface());
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(f.DBCheckBoxes[size_t(k)]->isChecked());
    }

    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 0);
    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(int(stored.size()), 2);
    QCOMPARE(stored[1].section, 3);
    QCOMPARE(stored[1].multiple, true);
    QCOMPARE(stored[1].key, QStringLiteral("ab"));

    // Moving between items mirrors their section and type without beginning an edit.
    clickNavigator(f, widgets::DBNavigator::First);
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
    QCOMPARE(f.ListBox1->selectedItems().value(0)->text(), store::SectionNames[0]);
    clickNavigator(f, widgets::DBNavigator::Next);
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
    QCOMPARE(f.ListBox1->selectedItems().value(0)->text(), QStringLiteral("Implementation"));
    QCOMPARE(saveCancel(f), QStringLiteral("--"));
}

// Alt and the underlined letter of a tool bar command reach it while it is enabled; F10 opens
// the first menu.
void TestSampler::altLetterAndF10ReachTheCommands()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    QTest::keyClick(&f, Qt::Key_A, Qt::AltModifier);
    QCOMPARE(s.table().state(), store::DataSetState::Insert);
    QTest::keyClick(&f, Qt::Key_D, Qt::AltModifier);  // Delete is disabled while adding
    QCOMPARE(prompts.requests().size(), 0);
    QTest::mouseClick(f.BitBtn2, Qt::LeftButton);
    QTest::keyClick(&f, Qt::Key_E, Qt::AltModifier);
    QCOMPARE(s.table().state(), store::DataSetState::Edit);
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Edit Item"));
    QTest::mouseClick(f.BitBtn2, Qt::LeftButton);
    prompts.answer(PromptButton::Cancel);
    QTest::keyClick(&f, Qt::Key_D, Qt::AltModifier);
    QCOMPARE(prompts.requests().size(), 1);
    QCOMPARE(prompts.requests()[0].text, QStringLiteral("Are you sure to delete this item?"));

    QTest::keyClick(&f, Qt::Key_F10);
    QTRY_COMPARE(QApplication::activePopupWidget(), static_cast<QWidget*>(f.File1));
    f.File1->close();
}

void TestSampler::addKeepsTheTypeAndSectionOfTheCurrentItem_data()
{
    QTest::addColumn<bool>("change");
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("multiple");
    QTest::newRow("kept") << false << 2 << true;
    QTest::newRow("changed by the user") << true << 4 << false;
}

void TestSampler::addKeepsTheTypeAndSectionOfTheCurrentItem()
{
    QFETCH(bool, change);
    QFETCH(int, section);
    QFETCH(bool, multiple);
    Sampler s({userItem("Planned", 2, true, {"x", "y", "z"}, "ab")});
    TSamplerForm& f = s.form();
    f.AddAct->trigger();
    QCOMPARE(chosenSection(f), QStringLiteral("Planning"));
    QCOMPARE(f.ComboBox1->currentText(), QStringLiteral("Multiple responces"));
    typeQuestion(f, "Another one");
    typeAnswers(f, {"p", "q"}, "b");
    if (change) {
        chooseType(f, false);
        clickSection(f, 4);
    }
    QCOMPARE(s.table().state(), store::DataSetState::Insert);
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(int(stored.size()), 2);
    QCOMPARE(stored[1].section, section);
    QCOMPARE(stored[1].multiple, multiple);
    QCOMPARE(stored[1].key, QStringLiteral("b"));
    // The item that was current is untouched.
    QCOMPARE(stored[0].section, 2);
    QCOMPARE(stored[0].multiple, true);
}

void TestSampler::editThenCancelOrSave_data()
{
    QTest::addColumn<bool>("save");
    QTest::newRow("cancel") << false;
    QTest::newRow("save") << true;
}

void TestSampler::editThenCancelOrSave()
{
    QFETCH(bool, save);
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    f.EditAct->trigger();
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Edit Item"));
    QCOMPARE(panels(f).mid(2), (QStringList{" Edit Item", " Modified"}));
    QCOMPARE(commands(f), QStringLiteral("-----"));
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));
    typeAnswers(f, {" indeed"}, "ab");  // the key moves from a to b
    showPage(f, f.TabSheet4);
    f.DBMemo2->selectAll();
    QTest::keyClicks(f.DBMemo2, "Rewritten.");

    QTest::mouseClick(save ? f.BitBtn1 : f.BitBtn2, Qt::LeftButton);
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));
    QCOMPARE(saveCancel(f), QStringLiteral("--"));
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 1"));
    QCOMPARE(panels(f)[3], save ? QStringLiteral(" Saved") : QString());
    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(stored[0].answers[0], save ? QStringLiteral("Yes indeed") : QStringLiteral("Yes"));
    QCOMPARE(stored[0].key, save ? QStringLiteral("b") : QStringLiteral("a"));
    QCOMPARE(stored[0].explanation, save ? QStringLiteral("Rewritten.") : QStringLiteral("Explained."));
    QCOMPARE(stored[0].section, 3);
    // The controls show what is stored.
    QCOMPARE(f.DBEdits[0]->text(), stored[0].answers[0]);
    QCOMPARE(f.DBCheckBoxes[1]->isChecked(), save);
    QCOMPARE(f.DBMemo2->toPlainText(), stored[0].explanation);
}

void TestSampler::closingDiscardsPendingChanges_data()
{
    QTest::addColumn<Act>("begin");
    QTest::newRow("editing") << Act([](TSamplerForm& f) { f.EditAct->trigger(); });
    QTest::newRow("adding") << Act([](TSamplerForm& f) { f.AddAct->trigger(); });
}

void TestSampler::closingDiscardsPendingChanges()
{
    QFETCH(Act, begin);
    testsupport::ScriptedPrompts prompts;
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    QSignalSpy closed(&f, &TSamplerForm::formClosed);
    begin(f);
    typeQuestion(f, "Pending text");
    clickSection(f, 2);

    // Cancel in the box: the sampler stays as it was.
    prompts.answer(PromptButton::Cancel);
    f.Exit1->trigger();
    QCOMPARE(prompts.requests().size(), 1);
    checkPrompt(prompts.requests()[0], PromptKind::Confirmation, "Confirm",
                "Are you sure to exit?", {PromptButton::Ok, PromptButton::Cancel});
    QVERIFY(f.isVisible());
    QVERIFY(s.table().state() != store::DataSetState::Browse);
    QCOMPARE(closed.count(), 0);

    prompts.answer(PromptButton::Ok);
    QVERIFY(f.close());
    QVERIFY(!f.isVisible());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!s.table().isOpen());
    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(int(stored.size()), 3);
    QCOMPARE(stored[0].question, QStringLiteral("First question"));
    QCOMPARE(stored[0].section, 3);

    // The next opening finds every command usable.
    f.show();
    f.FormOpen();
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));
    QCOMPARE(saveCancel(f), QStringLiteral("--"));
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 1"));
    QCOMPARE(f.PageControl1->currentWidget(), f.TabSheet1);
    QCOMPARE(f.ListBox1->count(), 4);
    QCOMPARE(chosenSection(f), QStringLiteral("Implementation"));
}

void TestSampler::deleting_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("moves");  // steps forward before deleting
    QTest::addColumn<PromptButton>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("commandsAfter");
    QTest::newRow("cancel") << 2 << 0 << PromptButton::Cancel << QStringList{"1", "2"}
                            << "Item ID: 1" << "AEDTN";
    QTest::newRow("one of three") << 3 << 1 << PromptButton::Ok << QStringList{"1", "3"}
                                  << "Item ID: 3" << "AEDTN";
    QTest::newRow("the last of three") << 3 << 2 << PromptButton::Ok << QStringList{"1", "2"}
                                       << "Item ID: 2" << "AEDTN";
    QTest::newRow("the only item") << 1 << 0 << PromptButton::Ok << QStringList{}
                                   << "The question set is empty" << "A--TN";
}

void TestSampler::deleting()
{
    QFETCH(int, items);
    QFETCH(int, moves);
    QFETCH(PromptButton, answer);
    QFETCH(QStringList, left);
    QFETCH(QString, heading);
    QFETCH(QString, commandsAfter);
    testsupport::ScriptedPrompts prompts;
    auto all = threeItems();
    all.resize(size_t(items));
    Sampler s(all);
    TSamplerForm& f = s.form();
    for (int i = 0; i < moves; ++i)
        clickNavigator(f, widgets::DBNavigator::Next);

    prompts.answer(answer);
    f.DelAct->trigger();
    checkPrompt(prompts.requests().value(0), PromptKind::Confirmation, "Confirm",
                "Are you sure to delete this item?", {PromptButton::Ok, PromptButton::Cancel});
    QCOMPARE(treeLabels(f), left);
    QCOMPARE(f.fcLabel4->text(), heading);
    QCOMPARE(commands(f), commandsAfter);
    QCOMPARE(panels(f)[1], QStringLiteral(" Items: %1").arg(left.size()));
    QCOMPARE(int(samplerfixture::readUserSet().size()), int(left.size()));
    if (left.isEmpty())
        QCOMPARE(panels(f)[0], QStringLiteral(" Empty"));
}

void TestSampler::movingAwayFromAnEdit_data()
{
    QTest::addColumn<Act>("change");
    QTest::addColumn<QString>("question");  // record 1 after the move
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("multiple");
    QTest::newRow("type chosen") << Act([](TSamplerForm& f) { chooseType(f, true); })
                                 << "First question" << 3 << false;
    QTest::newRow("section chosen") << Act([](TSamplerForm& f) { clickSection(f, 4); })
                                    << "First question" << 3 << false;
    QTest::newRow("text typed") << Act([](TSamplerForm& f) {
        QTest::keyClick(f.DBMemo1, Qt::Key_End, Qt::ControlModifier);
        typeQuestion(f, "?");
    }) << "First question?" << 3 << false;
}

void TestSampler::movingAwayFromAnEdit()
{
    QFETCH(Act, change);
    QFETCH(QString, question);
    QFETCH(int, section);
    QFETCH(bool, multiple);
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    change(f);
    // Editing began, with the commands left on.
    QCOMPARE(s.table().state(), store::DataSetState::Edit);
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));
    QCOMPARE(panels(f).mid(2), (QStringList{" Edit Item", " Modified"}));
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));

    clickNavigator(f, widgets::DBNavigator::Next);
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 2"));
    QCOMPARE(saveCancel(f), QStringLiteral("--"));
    QCOMPARE(f.ComboBox1->currentText(), QStringLiteral("Multiple responces"));
    QCOMPARE(chosenSection(f), QStringLiteral("Standards and Terminology"));

    const auto stored = samplerfixture::readUserSet();
    QCOMPARE(stored[0].question, question);
    QCOMPARE(stored[0].section, section);
    QCOMPARE(stored[0].multiple, multiple);
    clickNavigator(f, widgets::DBNavigator::First);
    QCOMPARE(chosenSection(f), QStringLiteral("Implementation"));
    QCOMPARE(f.ComboBox1->currentText(), QStringLiteral("Single responce"));
    QCOMPARE(f.DBMemo1->toPlainText(), question);
}

void TestSampler::treeAndNavigatorMoveTheCurrentItem()
{
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    using N = widgets::DBNavigator;
    auto enabledButtons = [&f] {
        QString s;
        for (int b = 0; b < 4; ++b)
            s += f.DBNavigator1->button(N::Button(b))->isEnabled() ? '+' : '-';
        return s;
    };
    QCOMPARE(enabledButtons(), QStringLiteral("--++"));

    QTreeWidgetItem* third = f.fcDBTreeView1->topLevelItem(2);
    QTest::mouseClick(f.fcDBTreeView1->viewport(), Qt::LeftButton, {},
                      f.fcDBTreeView1->visualItemRect(third).center());
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("Item ID: 3"));
    QCOMPARE(f.DBMemo1->toPlainText(), QStringLiteral("Third question"));
    QCOMPARE(chosenSection(f), QStringLiteral("Troubleshooting"));
    QCOMPARE(enabledButtons(), QStringLiteral("++--"));

    clickNavigator(f, N::Prior);
    QCOMPARE(currentNode(f), QStringLiteral("2"));
    QCOMPARE(f.DBMemo1->toPlainText(), QStringLiteral("Second question"));
    QCOMPARE(enabledButtons(), QStringLiteral("++++"));
    clickNavigator(f, N::First);
    QCOMPARE(currentNode(f), QStringLiteral("1"));
    clickNavigator(f, N::Last);
    QCOMPARE(currentNode(f), QStringLiteral("3"));
    QCOMPARE(panels(f)[0], QStringLiteral(" Item ID: 3"));
}

void TestSampler::emptyingTheSet_data()
{
    QTest::addColumn<Act>("before");
    QTest::addColumn<PromptButton>("answer");
    QTest::newRow("cancelled") << Act([](TSamplerForm&) {}) << PromptButton::Cancel;
    QTest::newRow("while browsing") << Act([](TSamplerForm&) {}) << PromptButton::Ok;
    QTest::newRow("while adding") << Act([](TSamplerForm& f) {
        f.AddAct->trigger();
        typeQuestion(f, "Dropped");
    }) << PromptButton::Ok;
    QTest::newRow("while editing") << Act([](TSamplerForm& f) {
        f.EditAct->trigger();
        typeQuestion(f, "Dropped");
    }) << PromptButton::Ok;
}

void TestSampler::emptyingTheSet()
{
    QFETCH(Act, before);
    QFETCH(PromptButton, answer);
    testsupport::ScriptedPrompts prompts;
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    before(f);
    const QString commandsBefore = commands(f);
    prompts.answer(answer);
    f.Emptyquestionset1->trigger();
    checkPrompt(prompts.requests().value(0), PromptKind::Warning, "Warning",
                "This action will erase all items in this question set!\rAre you sure?",
                {PromptButton::Ok, PromptButton::Cancel});

    if (answer == PromptButton::Cancel) {
        QCOMPARE(treeLabels(f), ThreeItems);
        QCOMPARE(commands(f), commandsBefore);
        QCOMPARE(int(samplerfixture::readUserSet().size()), 3);
        return;
    }
    QVERIFY(s.table().isOpen());
    QVERIFY(s.table().exclusive());
    QCOMPARE(f.fcLabel4->text(), QStringLiteral("The question set is empty"));
    QCOMPARE(panels(f).mid(0, 3), (QStringList{" Empty", " Items: 0", "  Browsing"}));
    QCOMPARE(commands(f), QStringLiteral("A--TN"));
    QCOMPARE(saveCancel(f), QStringLiteral("--"));
    QVERIFY(treeLabels(f).isEmpty());
    QVERIFY(f.Emptyquestionset1->isEnabled());

    // After the sampler closes the file is empty and shared again at the next opening.
    prompts.answer(PromptButton::Ok);
    QVERIFY(f.close());
    QVERIFY(samplerfixture::readUserSet().empty());
    f.FormOpen();
    QVERIFY(!s.table().exclusive());
    QVERIFY(samplerfixture::readUserSet().empty());
}

void TestSampler::emptyingWhileAnotherProgramHoldsTheSetKeepsItAndTheEdit()
{
    testsupport::ScriptedPrompts prompts;
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    f.EditAct->trigger();
    typeQuestion(f, " (kept)");
    const QStringList panelsBefore = panels(f);
    const QByteArray before = testsupport::fileBytes(store::UserSetFileName);
    {
        store::StandaloneTable holder(store::UserSetFileName);
        holder.table.setExclusive(true);
        holder.table.open();
        holder.table.startTransaction();
        prompts.answer(PromptButton::Ok);  // the warning
        prompts.answer(PromptButton::Ok);  // the error
        f.Emptyquestionset1->trigger();
        QCOMPARE(prompts.requests().size(), 2);
        QCOMPARE(int(prompts.requests()[1].kind), int(PromptKind::Error));
        QVERIFY2(prompts.requests()[1].text.contains("locked by another program"),
                 qPrintable(prompts.requests()[1].text));
        holder.table.rollback();
    }
    // Open as it was, with the edit.
    QCOMPARE(testsupport::fileBytes(store::UserSetFileName), before);
    QVERIFY(s.table().isOpen());
    QVERIFY(!s.table().exclusive());
    QCOMPARE(s.table().state(), store::DataSetState::Edit);
    QCOMPARE(treeLabels(f), ThreeItems);
    QCOMPARE(panels(f), panelsBefore);
    QCOMPARE(f.DBMemo1->toPlainText(), QStringLiteral(" (kept)First question"));
    QCOMPARE(saveCancel(f), QStringLiteral("SC"));

    // Once the other program lets go, the edit is saved.
    QTest::mouseClick(f.BitBtn1, Qt::LeftButton);
    QCOMPARE(prompts.requests().size(), 2);
    QCOMPARE(samplerfixture::readUserSet()[0].question, QStringLiteral(" (kept)First question"));
}

// qbank import adds items while the sampler is open; back in the sampler, the user sees them.
void TestSampler::comingBackShowsItemsAnotherProgramAdded()
{
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    {
        store::StandaloneTable file(store::UserSetFileName);
        file.table.open();
        file.table.append();
        const testsupport::Item added = userItem("Added by another program", 2);
        for (auto field = added.begin(); field != added.end(); ++field)
            file.table.setValue(field.key(), field.value());
        file.table.post();
    }
    QCOMPARE(treeLabels(f), ThreeItems);
    f.activateWindow();
    QTRY_COMPARE(treeLabels(f), (QStringList{"1", "2", "3", "4"}));
    QCOMPARE(panels(f)[1], QStringLiteral(" Items: 4"));
    QCOMPARE(currentNode(f), QStringLiteral("1"));
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
}

void TestSampler::enterSavesAndEscCancels()
{
    Sampler s(threeItems());
    TSamplerForm& f = s.form();
    f.AddAct->trigger();
    typeQuestion(f, "Line one");
    // Enter in a memo starts a new line.
    QTest::keyClick(f.DBMemo1, Qt::Key_Return);
    QTest::keyClicks(f.DBMemo1, "Line two");
    QCOMPARE(s.table().state(), store::DataSetState::Insert);
    typeAnswers(f, {"Yes", "No"}, "a");
    // Enter elsewhere saves.
    QTest::keyClick(f.DBEdits[0], Qt::Key_Return);
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
    auto stored = samplerfixture::readUserSet();
    QCOMPARE(int(stored.size()), 4);
    QCOMPARE(stored[3].question, QStringLiteral("Line one\nLine two"));
    QCOMPARE(stored[3].section, 3);

    f.EditAct->trigger();
    QTest::keyClicks(f.DBEdits[2], "Changed");
    QTest::keyClick(f.DBEdits[2], Qt::Key_Escape);
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
    QCOMPARE(commands(f), QStringLiteral("AEDTN"));
    QCOMPARE(samplerfixture::readUserSet()[3].answers[2], QString());
    QCOMPARE(f.DBEdits[2]->text(), QString());
    // Enter and Esc while browsing change nothing.
    QTest::keyClick(f.DBEdits[1], Qt::Key_Return);
    QTest::keyClick(f.DBMemo1, Qt::Key_Escape);
    QCOMPARE(s.table().state(), store::DataSetState::Browse);
}

QTEST_MAIN(TestSampler)
#include "test_sampler.moc"
