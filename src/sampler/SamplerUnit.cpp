#include "sampler/SamplerUnit.h"

#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "sampler/Rep1Unit.h"
#include "sampler/SamplerImages.h"
#include "sampler/SamplerTransfer.h"
#include "store/Fields.h"
#include "store/ItemCheck.h"
#include "store/StoreError.h"
#include "store/Table.h"
#include "widgets/Actions.h"
#include "widgets/CloseQuery.h"
#include "widgets/DBItemTree.h"
#include "widgets/DBNavigator.h"
#include "widgets/FieldMapper.h"
#include "widgets/MnemonicPrecedence.h"
#include "widgets/LongRunWrap.h"
#include "widgets/OutlinedLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

TSamplerForm* SamplerForm = nullptr;

using widgets::makeAction;

namespace {

constexpr int ChoiceLeft = 8;        // the check boxes' left edge in the choices' scroll area
constexpr int ChoiceEditLeft = 48;   // the text boxes' left edge
constexpr int ChoiceTop = 8;
constexpr int ChoiceRowHeight = 30;
constexpr int ChoiceRightGap = 10;   // between a text box and the scroll area's right edge
constexpr std::array<int, 4> PanelWidths = {70, 80, 100, 100};

const QString SingleResponse = QStringLiteral("Single responce");
const QString MultipleResponse = QStringLiteral("Multiple responces");

QLabel* pageText(const QString& text, QWidget* page)
{
    auto* label = new QLabel(text, page);
    label->setWordWrap(true);
    return label;
}

QPlainTextEdit* makeMemo(const char* name, QWidget* page)
{
    auto* memo = new QPlainTextEdit(page);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setTabChangesFocus(true);
    widgets::wrapLongRunsAnywhere(memo);
    return memo;
}

// A page with its instruction above the control that fills the rest.
QWidget* memoPage(const QString& instruction, QPlainTextEdit*& memo, const char* memoName)
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(pageText(instruction, page));
    memo = makeMemo(memoName, page);
    column->addWidget(memo, 1);
    return page;
}

}  // namespace

TSamplerForm::TSamplerForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("SamplerForm"));
    setWindowTitle(QStringLiteral("Quizlore Test Sampler"));
    setMinimumSize(646, 462);
    resize(646, 462);

    buildActions();
    buildMenu();
    buildToolBar();

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    fcDBTreeView1 = new widgets::DBItemTree(Splitter1);
    fcDBTreeView1->setObjectName(QStringLiteral("fcDBTreeView1"));
    fcDBTreeView1->setNodeIcon(samplerImage(SamplerImage::Node));
    fcDBTreeView1->setMinimumWidth(60);
    fcDBTreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(fcDBTreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PopupMenu1->popup(fcDBTreeView1->viewport()->mapToGlobal(at));
    });
    Splitter1->addWidget(buildEditingArea());
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({110, 536});
    setCentralWidget(Splitter1);
    buildStatusBar();
    bindFields();
    // Alt+A, Alt+E and Alt+D reach the tool bar's commands; F10 opens the menus.
    new widgets::MnemonicPrecedence(this);

    // At creation the type box shows its first entry.
    ComboBox1->setCurrentIndex(0);
}

void TSamplerForm::buildActions()
{
    AddAct = makeAction(this, "AddAct", QStringLiteral("&Add new item"));
    AddAct->setIcon(samplerImage(SamplerImage::Add));
    EditAct = makeAction(this, "EditAct", QStringLiteral("&Edit item"));
    EditAct->setIcon(samplerImage(SamplerImage::Edit));
    DelAct = makeAction(this, "DelAct", QStringLiteral("&Delete Item"));
    DelAct->setIcon(samplerImage(SamplerImage::Delete));
    connect(AddAct, &QAction::triggered, this, platform::handled([this] { AddActExecute(); }));
    connect(EditAct, &QAction::triggered, this, platform::handled([this] { EditActExecute(); }));
    connect(DelAct, &QAction::triggered, this, platform::handled([this] { DelActExecute(); }));
}

void TSamplerForm::buildMenu()
{
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    Exit1 = makeAction(this, "Exit1", QStringLiteral("E&xit"));
    File1->addAction(Exit1);
    connect(Exit1, &QAction::triggered, this, platform::handled([this] { Exit1Click(); }));

    Items1 = menuBar()->addMenu(QStringLiteral("&Items"));
    Items1->setObjectName(QStringLiteral("Items1"));
    Items1->addActions({AddAct, EditAct, DelAct});
    Items1->addSeparator();
    Emptyquestionset1 = makeAction(this, "Emptyquestionset1", QStringLiteral("E&mpty question set"));
    Items1->addAction(Emptyquestionset1);
    connect(Emptyquestionset1, &QAction::triggered, this,
            platform::handled([this] { EmptyquestionsetClick(); }));
    Items1->addSeparator();
    Importquestions1 = makeAction(this, "Importquestions1", QStringLiteral("&Import questions..."));
    Exportquestions1 = makeAction(this, "Exportquestions1", QStringLiteral("Ex&port questions..."));
    Items1->addActions({Importquestions1, Exportquestions1});
    connect(Importquestions1, &QAction::triggered, this,
            platform::handled([this] { ImportquestionsClick(); }));
    connect(Exportquestions1, &QAction::triggered, this,
            platform::handled([this] { ExportquestionsClick(); }));

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    About1 = makeAction(this, "About1", QStringLiteral("A&bout"));
    Help1->addAction(About1);
    connect(About1, &QAction::triggered, this, platform::handled([this] { About1Click(); }));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addActions({AddAct, EditAct, DelAct});
}

void TSamplerForm::buildToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("Items"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolBar1->addActions({AddAct, EditAct, DelAct});
}

QWidget* TSamplerForm::buildEditingArea()
{
    auto* area = new QWidget(Splitter1);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(2, 0, 0, 2);

    fcLabel4 = new widgets::OutlinedLabel(area);
    fcLabel4->setObjectName(QStringLiteral("fcLabel4"));
    QFont headingFont(QStringLiteral("Arial"));
    headingFont.setPointSize(14);
    headingFont.setBold(true);
    fcLabel4->setFont(headingFont);
    fcLabel4->setTextColor(QColor(0, 255, 255));
    fcLabel4->setShadowColor(QColor(0, 0, 0));
    fcLabel4->setShadowOffset(QPoint(2, 2));
    fcLabel4->setBackgroundColor(QColor(128, 128, 128));
    fcLabel4->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fcLabel4->setContentsMargins(8, 0, 8, 0);
    fcLabel4->setFixedHeight(34);
    column->addWidget(fcLabel4);

    PageControl1 = new QTabWidget(area);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    TabSheet1 = buildQuestionPage();
    TabSheet2 = buildTypePage();
    TabSheet3 = buildChoicesPage();
    TabSheet4 = buildExplanationPage();
    PageControl1->addTab(TabSheet1, QStringLiteral("Test question"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Type, Section"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Responce choices"));
    PageControl1->addTab(TabSheet4, QStringLiteral("Explanation"));
    PageControl1->installEventFilter(this);
    // The focus that enters the type page goes to the section list.
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        if (PageControl1->currentWidget() == TabSheet2)
            ListBox1->setFocus();
    });
    column->addWidget(PageControl1, 1);

    auto* buttons = new QHBoxLayout;
    DBNavigator1 = new widgets::DBNavigator(area);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setHints({QStringLiteral("First item"), QStringLiteral("Prior item"),
                            QStringLiteral("Next item"), QStringLiteral("Last item")});
    buttons->addWidget(DBNavigator1);
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(samplerImage(SamplerImage::Save), QStringLiteral("Save"), area);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(samplerImage(SamplerImage::Cancel), QStringLiteral("Cancel"), area);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    for (QPushButton* b : {BitBtn1, BitBtn2}) {
        b->setMinimumWidth(85);
        b->setEnabled(false);
        buttons->addWidget(b);
    }
    connect(BitBtn1, &QPushButton::clicked, this, platform::handled([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::handled([this] { BitBtn2Click(); }));
    column->addLayout(buttons);
    return area;
}

QWidget* TSamplerForm::buildQuestionPage()
{
    return memoPage(QStringLiteral("Enter the question text in the box bellow."), DBMemo1,
                    "DBMemo1");
}

QWidget* TSamplerForm::buildTypePage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(pageText(QStringLiteral("Select item type:"), page));
    ComboBox1 = new QComboBox(page);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({SingleResponse, MultipleResponse});
    ComboBox1->setMinimumWidth(200);
    column->addWidget(ComboBox1, 0, Qt::AlignLeft);
    column->addSpacing(8);
    column->addWidget(pageText(QStringLiteral("Select item section:"), page));
    ListBox1 = new QListWidget(page);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setMaximumWidth(320);
    column->addWidget(ListBox1, 1);
    // Only the user's choices raise these: the data module sets both controls quietly.
    connect(ComboBox1, &QComboBox::activated, this, platform::handled([this] { ComboBox1Change(); }));
    connect(ListBox1, &QListWidget::itemClicked, this, platform::handled([this] { ListBox1Click(); }));
    connect(ListBox1, &QListWidget::currentRowChanged, this,
            platform::handled([this] { ListBox1Click(); }));
    // A selection made without the mouse or the keys (a screen reader, voice control).
    connect(ListBox1, &QListWidget::itemSelectionChanged, this,
            platform::handled([this] { ListBox1Click(); }));
    return page;
}

QWidget* TSamplerForm::buildChoicesPage()
{
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(
        pageText(QStringLiteral("Enter the responce choices and mark the correct choice(s)."), page));
    ScrollBox1 = new QScrollArea(page);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rows = new QWidget;
    for (int k = 0; k < store::field::AnswerCount; ++k) {
        const int top = ChoiceTop + k * ChoiceRowHeight;
        auto* box = new QCheckBox(QStringLiteral("%1.").arg(QChar(u'a' + k)), rows);
        box->setObjectName(QStringLiteral("DBCheckBox%1").arg(k + 1));
        box->setGeometry(ChoiceLeft, top + 2, ChoiceEditLeft - ChoiceLeft - 4, 20);
        auto* edit = new QLineEdit(rows);
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(k + 2));
        edit->setGeometry(ChoiceEditLeft, top, 200, 24);
        DBCheckBoxes[size_t(k)] = box;
        DBEdits[size_t(k)] = edit;
    }
    rows->setMinimumHeight(ChoiceTop + 6 * ChoiceRowHeight);
    ScrollBox1->setWidget(rows);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->viewport()->installEventFilter(this);
    column->addWidget(ScrollBox1, 1);
    return page;
}

QWidget* TSamplerForm::buildExplanationPage()
{
    return memoPage(QStringLiteral("Enter the explanation text."), DBMemo2, "DBMemo2");
}

void TSamplerForm::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(true);
    for (size_t i = 0; i < m_panels.size(); ++i) {
        auto* panel = new QLabel(statusBar());
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        // The design's width, wider when the text needs it: " Item ID: 12345" does not fit 70
        // pixels in this platform's fonts.
        panel->setMinimumWidth(PanelWidths[i]);
        statusBar()->addWidget(panel);
        m_panels[i] = panel;
    }
}

void TSamplerForm::bindFields()
{
    store::DataSource* source = DM ? DM->dsUserSet : nullptr;
    if (!source)
        return;  // no data module: a window to look at, with nothing bound
    fcDBTreeView1->setDataSource(source);
    DBNavigator1->setDataSource(source);
    FieldMapper1 = new widgets::FieldMapper(source, widgets::FieldMapper::SubmitPolicy::AutoSubmit, this);
    FieldMapper1->addMapping(DBMemo1, store::field::Q_TEXT);
    FieldMapper1->addMapping(DBMemo2, store::field::Q_EXPL);
    for (int k = 0; k < store::field::AnswerCount; ++k) {
        FieldMapper1->addMapping(DBCheckBoxes[size_t(k)], store::field::key(k + 1));
        FieldMapper1->addMapping(DBEdits[size_t(k)], store::field::text(k + 1));
    }
}

// ---------------------------------------------------------------- opening and closing

void TSamplerForm::FormOpen()
{
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->clear();
        ListBox1->addItems(store::SectionNames);
    }
    DM->dtUserSet->open();
    PageControl1->setCurrentWidget(TabSheet1);
}

void TSamplerForm::Exit1Click()
{
    close();
}

void TSamplerForm::FormCloseQuery(bool& canClose)
{
    canClose = platform::confirmOkCancel(QStringLiteral("Confirm"),
                                         QStringLiteral("Are you sure to exit?")) ==
               platform::PromptButton::Ok;
}

void TSamplerForm::FormClose()
{
    emit formClosed();
    const bool wasEditing = editingOrAdding();
    DM->dtUserSet->close();  // a pending new item or change is dropped
    DM->dtUserSet->setExclusive(false);
    // Usable again at the next opening.
    if (wasEditing)
        EnableActions(true);
}

void TSamplerForm::closeEvent(QCloseEvent* event)
{
    widgets::answerClose(
        event, [this](bool& canClose) { FormCloseQuery(canClose); }, [this] { FormClose(); });
}

void TSamplerForm::About1Click()
{
    if (AboutBox)
        AboutBox->exec();
}

// ---------------------------------------------------------------- item commands

void TSamplerForm::EnableActions(bool enabled)
{
    AddAct->setEnabled(enabled);
    EditAct->setEnabled(enabled);
    DelAct->setEnabled(enabled);
    // An item being written is saved or cancelled first: an import would store it unchecked.
    Importquestions1->setEnabled(enabled);
    Exportquestions1->setEnabled(enabled);
    fcDBTreeView1->setEnabled(enabled);
    DBNavigator1->setEnabled(enabled);
}

bool TSamplerForm::editingOrAdding() const
{
    const store::DataSetState state = DM->dtUserSet->state();
    return state == store::DataSetState::Edit || state == store::DataSetState::Insert;
}

void TSamplerForm::AddActExecute()
{
    PageControl1->setCurrentWidget(TabSheet1);
    DBMemo1->setFocus();
    EnableActions(false);
    // The type box and the section list keep their choice: the new item takes them.
    DM->dtUserSet->insert();
}

void TSamplerForm::EditActExecute()
{
    EnableActions(false);
    DM->dtUserSet->edit();
}

void TSamplerForm::DelActExecute()
{
    if (platform::confirmOkCancel(QStringLiteral("Confirm"),
                                  QStringLiteral("Are you sure to delete this item?")) ==
        platform::PromptButton::Ok)
        DM->dtUserSet->deleteRecord();
}

void TSamplerForm::EmptyquestionsetClick()
{
    if (platform::warnOkCancel(QStringLiteral("Warning"),
                               QStringLiteral("This action will erase all items in this question "
                                              "set!\rAre you sure?")) != platform::PromptButton::Ok)
        return;
    store::Table* table = DM->dtUserSet;
    // The lock first, on the open set: when another program holds the file, the set stays
    // open as it was, with an item being written.
    table->takeExclusive();
    if (editingOrAdding()) {
        // Enabled first, as Cancel does, so that the emptied set can disable Edit and Delete.
        EnableActions(true);
        table->cancel();
    }
    table->emptyTable();
}

void TSamplerForm::ImportquestionsClick()
{
    if (sampler::importQuestions(*DM->dtUserSet, this) > 0)
        StatusPanel(ModificationPanel)->setText(QStringLiteral(" Imported"));
}

void TSamplerForm::ExportquestionsClick()
{
    sampler::exportQuestions(*DM->dtUserSet, this);
}

// ---------------------------------------------------------------- Save and Cancel

int TSamplerForm::chosenSection() const
{
    // The selected entry, not the current one: a screen reader or voice control selects an
    // entry without making it current.
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.size() == 1 ? ListBox1->row(selected.front()) + 1 : 0;
}

void TSamplerForm::showTypeAndSection(bool multipleResponse, int section)
{
    {
        const QSignalBlocker quiet(ListBox1);
        ListBox1->setCurrentRow(section >= 1 && section <= ListBox1->count() ? section - 1 : -1);
        if (ListBox1->currentRow() < 0)
            ListBox1->clearSelection();
    }
    const QSignalBlocker quiet(ComboBox1);
    ComboBox1->setCurrentIndex(multipleResponse ? 1 : 0);
}

store::ItemRecord TSamplerForm::shownItem() const
{
    store::Table* table = DM->dtUserSet;
    store::ItemRecord item;
    for (const QString& name : store::fieldNamesOf(store::TableKind::User))
        item[name] = table->value(name);
    if (ComboBox1->currentIndex() >= 0)
        item[store::field::Q_TYPE] = ComboBox1->currentText() == MultipleResponse;
    item[store::field::Q_SECT] = chosenSection();
    for (int k = 1; k <= store::field::AnswerCount; ++k)
        item[store::field::key(k)] = DBCheckBoxes[size_t(k - 1)]->isChecked();
    return item;
}

bool TSamplerForm::refusedForItsAnswers(const store::ItemRecord& item)
{
    const std::vector<store::ItemFault> faults = store::checkItem(item, store::TableKind::User);
    const auto fault = std::find_if(faults.begin(), faults.end(), [](const store::ItemFault& f) {
        return f.rule != store::ItemRule::Range && f.rule != store::ItemRule::Picture;
    });
    if (fault == faults.end())
        return false;
    const QString page = QStringLiteral("the page \"Responce choices\"");
    QString message;
    QWidget* focus = DBEdits[0];
    switch (fault->rule) {
    case store::ItemRule::NoAnswer:
        message = QStringLiteral("This item has no response choices. Enter at least two on %1.").arg(page);
        break;
    case store::ItemRule::OneAnswer:
        message = QStringLiteral("This item has only one response choice. Enter at least two on %1.").arg(page);
        for (int k = 0; k < store::field::AnswerCount; ++k) {
            if (DBEdits[size_t(k)]->text().isEmpty()) {
                focus = DBEdits[size_t(k)];
                break;
            }
        }
        break;
    case store::ItemRule::KeyWithoutText:
        message = QStringLiteral("Choice %1. is marked correct but has no text. Enter its text or clear "
                                 "its mark on %2.")
                      .arg(QChar(u'a' + fault->answer - 1))
                      .arg(page);
        focus = DBEdits[size_t(fault->answer - 1)];
        break;
    case store::ItemRule::SingleKeyCount:
        message = fault->keys == 0
                      ? QStringLiteral("Mark the correct choice of this single-response item on %1.").arg(page)
                      : QStringLiteral("A single-response item has exactly one correct choice, and %1 are "
                                       "marked. Clear all marks but one on %2, or choose \"%3\" on the "
                                       "page \"Type, Section\".")
                            .arg(fault->keys)
                            .arg(page, MultipleResponse);
        focus = DBCheckBoxes[0];
        break;
    case store::ItemRule::MultipleWithoutKey:
        message = QStringLiteral("Mark at least one correct choice of this multiple-response item on %1.")
                      .arg(page);
        focus = DBCheckBoxes[0];
        break;
    case store::ItemRule::Range:
    case store::ItemRule::Picture: break;
    }
    platform::inform(QStringLiteral("Information"), message);
    PageControl1->setCurrentWidget(TabSheet3);
    focus->setFocus();
    return true;
}

void TSamplerForm::BitBtn1Click()
{
    store::Table* table = DM->dtUserSet;
    // The user exam grades by section and shows the question and its choices: an item needs
    // them all, and choices that can be answered right.
    if (chosenSection() == 0) {
        platform::inform(QStringLiteral("Information"),
                         QStringLiteral("Choose the section of this item."));
        PageControl1->setCurrentWidget(TabSheet2);
        ListBox1->setFocus();
        return;
    }
    if (table->asString(store::field::Q_TEXT).trimmed().isEmpty()) {
        platform::inform(QStringLiteral("Information"),
                         QStringLiteral("Enter the question text of this item."));
        PageControl1->setCurrentWidget(TabSheet1);
        DBMemo1->setFocus();
        return;
    }
    const store::ItemRecord item = shownItem();
    if (refusedForItsAnswers(item))
        return;
    // What the controls show is stored: the type, the section and every key as true or false.
    if (ComboBox1->currentIndex() >= 0)
        table->setValue(store::field::Q_TYPE, item.at(store::field::Q_TYPE));
    table->setValue(store::field::Q_SECT, chosenSection());
    for (int k = 1; k <= store::field::AnswerCount; ++k)
        table->setValue(store::field::key(k), item.at(store::field::key(k)));
    table->post();
    StatusPanel(ModificationPanel)->setText(QStringLiteral(" Saved"));
    EnableActions(true);
}

void TSamplerForm::BitBtn2Click()
{
    // Enabled first, so that the data change that follows can disable Edit and Delete again
    // when the abandoned item was the first of an empty set.
    EnableActions(true);
    DM->dtUserSet->cancel();
    StatusPanel(ModificationPanel)->clear();
}

// ---------------------------------------------------------------- type and section

void TSamplerForm::beginEditingByChoice()
{
    store::Table* table = DM->dtUserSet;
    if (table->isOpen() && table->state() == store::DataSetState::Browse && !table->isEmpty())
        table->edit();
}

void TSamplerForm::ComboBox1Change()
{
    beginEditingByChoice();
}

void TSamplerForm::ListBox1Click()
{
    beginEditingByChoice();
}

// ---------------------------------------------------------------- keys and sizes

void TSamplerForm::keyPressEvent(QKeyEvent* event)
{
    // Keys that no control used: Enter saves, Esc cancels (the memos keep Enter for new lines).
    QPushButton* target = nullptr;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        target = BitBtn1;
    else if (event->key() == Qt::Key_Escape)
        target = BitBtn2;
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (target && (mods == Qt::NoModifier || mods == Qt::KeypadModifier)) {
        if (target->isEnabled())
            target->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TSamplerForm::ArrangeChoices()
{
    const int width = ScrollBox1->viewport()->width();
    for (QLineEdit* edit : DBEdits)
        edit->resize(std::max(0, width - edit->x() - ChoiceRightGap), edit->height());
}

void TSamplerForm::changeEvent(QEvent* event)
{
    // Back from another program, which may have added items (qbank import): the set as it is.
    // A set that cannot be read now stays as shown; the next command reports why. An error
    // box here would take the activation away and come back with it, again and again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && DM && DM->dtUserSet->isOpen()) {
        try {
            DM->dtUserSet->refresh();
        } catch (const store::StoreError&) {
        }
    }
    QMainWindow::changeEvent(event);
}

bool TSamplerForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize &&
        (watched == PageControl1 || watched == ScrollBox1->viewport()))
        ArrangeChoices();
    return QMainWindow::eventFilter(watched, event);
}
