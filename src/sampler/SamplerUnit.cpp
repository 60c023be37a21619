// The test sampler's construction: its menu, tool bar, tree, pages, buttons and status bar,
// the fields bound to the data module's table, and how its keys and sizes are handled.

#include "sampler/SamplerUnit.h"

#include "platform/Handler.h"
#include "sampler/Rep1Unit.h"
#include "sampler/SamplerImages.h"
#include "store/StoreError.h"
#include "widgets/Actions.h"
#include "widgets/DBItemTree.h"
#include "widgets/DBNavigator.h"
#include "widgets/FieldMapper.h"
#include "widgets/MnemonicPrecedence.h"
#include "widgets/LongRunWrap.h"
#include "widgets/OutlinedLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    // The data module tells what changed at once, while the table reports it.
    connect(DM, &TDM::userSetStateChanged, this, &TSamplerForm::showUserSetState, Qt::DirectConnection);
    connect(DM, &TDM::userSetDataChanged, this, &TSamplerForm::showUserSetData, Qt::DirectConnection);
    FieldMapper1->addMapping(DBMemo1, store::field::Q_TEXT);
    FieldMapper1->addMapping(DBMemo2, store::field::Q_EXPL);
    for (int k = 0; k < store::field::AnswerCount; ++k) {
        FieldMapper1->addMapping(DBCheckBoxes[size_t(k)], store::field::key(k + 1));
        FieldMapper1->addMapping(DBEdits[size_t(k)], store::field::text(k + 1));
    }
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
