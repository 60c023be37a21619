// The exam window's construction: its tables, header, item area, exam choice, button bar,
// actions and menu, and where each control sits.

#include "exam/TestUnit.h"

#include "exam/ExamKindNames.h"
#include "exam/TestFormDesign.h"
#include "options/RunButton.h"
#include "platform/ApplicationTitle.h"
#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "results/TimeCounter.h"
#include "widgets/Actions.h"
#include "widgets/MnemonicPrecedence.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/ShapeButton.h"
#include "widgets/WindowStyle.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

using namespace testform;
using widgets::makeAction;

namespace {

const QString ExamChoiceHeading = QStringLiteral("Certification Exam QL-220\nQuizlore Practice Exams");

store::Table* makeTable(QObject* owner, store::Session* session, const QString& name,
                        const QString& file, store::TableKind kind)
{
    auto* table = new store::Table(owner);
    table->setObjectName(name);
    table->setSession(session);
    table->setTableName(file);
    table->setExpectedFields(store::fieldNamesOf(kind));
    return table;
}

store::DataSource* makeSource(QObject* owner, const QString& name, store::Table* table)
{
    auto* source = new store::DataSource(owner);
    source->setObjectName(name);
    source->setDataSet(table);
    return source;
}

QFont boldItalic(const char* face, int pixels)
{
    QFont font(QString::fromLatin1(face));
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont boldVerdana13()
{
    QFont font(QStringLiteral("Verdana"));
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

// A header label in bold Verdana with a grey shadow one pixel to the right and below; its text
// takes the palette's colour.
widgets::OutlinedLabel* shadowedLabel(QWidget* parent, const char* name)
{
    auto* label = new widgets::OutlinedLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(boldVerdana13());
    label->setShadowColor(Qt::gray);
    label->setShadowOffset(QPoint(1, 1));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QPushButton* makeBarButton(QWidget* parent, const char* name, const QString& caption, int left,
                           int width)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, 8, width, 29);
    button->setAutoDefault(false);
    return button;
}

widgets::ShapeButton* makeShapeButton(QWidget* parent, const QString& name, const QString& caption,
                                      const QColor& colour, int top, int width)
{
    auto* button = new widgets::ShapeButton(caption, colour, parent);
    button->setObjectName(name);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(9);
    font.setBold(true);
    button->setFont(font);
    button->setGeometry(0, top, width, 30);
    return button;
}

}  // namespace

TTestForm::TTestForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName("TestForm");
    dtQSet = makeTable(this, &Session1, "dtQSet", store::BankFileName, store::TableKind::Bank);
    dtCurrentSet = makeTable(this, &Session1, "dtCurrentSet", store::CurrentSetFileName,
                             store::TableKind::Current);
    dtUserSet = makeTable(this, &Session1, "dtUserSet", store::UserSetFileName, store::TableKind::User);
    dsQSet = makeSource(this, "dsQSet", dtQSet);
    dsCurrentSet = makeSource(this, "dsCurrentSet", dtCurrentSet);
    dsUserSet = makeSource(this, "dsUserSet", dtUserSet);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);

    buildHeader();
    buildClientArea();
    buildButtonBar();
    layout->addWidget(Panel1);
    layout->addWidget(Panel3, 1);
    layout->addWidget(Panel2);
    buildActions();
    buildMenu();
    connectItemArea();
    new widgets::MnemonicPrecedence(this);
    setClockSource(nullptr);  // the machine's monotonic clock

    FormCreate();
}

TTestForm::~TTestForm() = default;

void TTestForm::buildHeader()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedHeight(HeaderHeight);
    auto* line = new QFrame(Panel1);
    line->setObjectName(QStringLiteral("Panel1TopLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, 0, DesignWidth, 2);

    fcLabel1 = new widgets::OutlinedLabel(platform::ApplicationTitle, Panel1);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    fcLabel1->setFont(boldItalic("Arial", 19));
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(Qt::black);
    fcLabel1->setShadowColor(Qt::gray);
    fcLabel1->setShadowOffset(QPoint(2, 2));
    fcLabel1->setAlignment(Qt::AlignCenter);

    Label1 = shadowedLabel(Panel1, "Label1");
    Label1->move(4, 4);
    Label2 = new QLabel(Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    QFont verdana = boldVerdana13();
    verdana.setBold(false);
    Label2->setFont(verdana);
    Label2->move(testform::ItemIdLeft, 4);

    Label3 = new QLabel(Panel1);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(boldVerdana13());
    widgets::setTextColor(Label3, QColor(128, 128, 128));
    Label3->setAlignment(Qt::AlignRight | Qt::AlignTop);

    MarkBox = new QCheckBox(QStringLiteral("&Mark this item"), Panel1);
    MarkBox->setObjectName(QStringLiteral("MarkBox"));
    MarkBox->setFont(boldVerdana13());
    MarkBox->move(4, 24);
    MarkBox->adjustSize();
    CorrectLabel = shadowedLabel(Panel1, "CorrectLabel");
    CorrectLabel->setGeometry(4, 24, 200, 17);

    TimeLabel = shadowedLabel(Panel1, "TimeLabel");
    TimeLabel->setTextColor(Qt::white);
    TimeLabel->setShadowColor(Qt::black);
    TimeLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    ReviewLabel = new QLabel(QStringLiteral("Review items"), Panel1);
    ReviewLabel->setObjectName(QStringLiteral("ReviewLabel"));
    ReviewLabel->setFont(boldVerdana13());
    widgets::setTextColor(ReviewLabel, QColor(0, 0, 128));
    ReviewLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);

    Panel1->installEventFilter(this);
    placeHeaderControls();
}

void TTestForm::placeHeaderControls()
{
    const int width = Panel1->width();
    if (auto* line = Panel1->findChild<QFrame*>(QStringLiteral("Panel1TopLine")))
        line->setGeometry(0, 0, width, 2);
    fcLabel1->setGeometry(0, 0, width, HeaderHeight);
    // The exam title: a 200-pixel box, 3 pixels from the right edge (left 521 of 724).
    Label3->setGeometry(width - 203, 4, 200, 18);
    TimeLabel->setGeometry(width - 203, 24, 200, 18);
    ReviewLabel->setGeometry(width - 203, 24, 200, 18);
}

void TTestForm::buildClientArea()
{
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel3"));
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Sunken);
    widgets::setBackground(frame, 255, 255, 255);
    Panel3 = frame;
    auto* layout = new QVBoxLayout(Panel3);
    layout->setContentsMargins(frame->frameWidth(), frame->frameWidth(), frame->frameWidth(),
                               frame->frameWidth());
    layout->setSpacing(0);

    ScrollBox1 = new QScrollArea(Panel3);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    // The layout sizes the content itself: the area's width, the scrollable height.
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    widgets::setBackground(ScrollBox1->viewport(), 255, 255, 255);
    ItemArea = new QWidget;
    ItemArea->setObjectName(QStringLiteral("ItemArea"));
    widgets::setBackground(ItemArea, 255, 255, 255);
    ScrollBox1->setWidget(ItemArea);
    buildItemArea();
    layout->addWidget(ScrollBox1);

    Panel4 = new QWidget(Panel3);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    widgets::setBackground(Panel4, 255, 255, 255);
    layout->addWidget(Panel4);

    fcLabel3 = new widgets::OutlinedLabel(ExamChoiceHeading, Panel4);
    fcLabel3->setObjectName(QStringLiteral("fcLabel3"));
    fcLabel3->setFont(boldItalic("Arial", 16));
    fcLabel3->setTextColor(QColor(0, 255, 255));
    fcLabel3->setOutlineColor(Qt::black);
    fcLabel3->setShadowColor(Qt::gray);
    fcLabel3->setShadowOffset(QPoint(2, 2));
    fcLabel3->setAlignment(Qt::AlignCenter);

    auto* choice = new QFrame(Panel4);
    choice->setObjectName(QStringLiteral("Panel5"));
    // Its 5-pixel border is room around the content, not a drawn line.
    choice->setFrameShape(QFrame::NoFrame);
    Panel5 = choice;
    fcLabel4 = new widgets::OutlinedLabel(
        QStringLiteral("Please select the practice exam you want to begin."), Panel5);
    fcLabel4->setObjectName(QStringLiteral("fcLabel4"));
    fcLabel4->setFont(boldItalic("Arial", 15));
    fcLabel4->setTextColor(QColor(0, 255, 0));
    fcLabel4->setOutlineColor(Qt::black);
    fcLabel4->setAlignment(Qt::AlignCenter);

    buildExamChoiceButtons();
    Panel4->installEventFilter(this);
}

void TTestForm::buildExamChoiceButtons()
{
    const QColor purple(128, 0, 128);
    const QColor navy(0, 0, 128);
    for (const store::ExamKind& kind : store::examKinds()) {
        ExamKindControls controls{.kind = &kind};
        const ExamKindNames names = examKindNames(kind);
        if (kind.offer == store::ExamOffer::LetterRow)
            controls.button = makeShapeButton(Panel5, names.button, kind.buttonCaption, purple,
                                               LetterButtonTop - names.buttonRaise, 30);
        else if (kind.offer == store::ExamOffer::WideRow)
            controls.button = makeShapeButton(Panel4, names.button, kind.buttonCaption, navy,
                                              WideButtonTop - names.buttonRaise, 109);
        if (names.buttonMember)
            this->*names.buttonMember = controls.button;
        m_examKinds.push_back(controls);
    }
}

void TTestForm::buildButtonBar()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(ButtonBarHeight);
    PrevButton = makeBarButton(Panel2, "PrevButton", QStringLiteral("&< Previous Item"), 4, 101);
    NextButton = makeBarButton(Panel2, "NextButton", QStringLiteral("Next Item &>"), 108, 101);
    LearnButton = makeBarButton(Panel2, "LearnButton", QStringLiteral("&Learn Now"), 224, 93);
    Button1 = makeBarButton(Panel2, "Button1", QStringLiteral("Items &Review"), 320, 93);
    NoteButton = makeBarButton(Panel2, "NoteButton", QStringLiteral("&Note"), 416, 93);
    GradeButton = makeBarButton(Panel2, "GradeButton", QStringLiteral("&Grade Now"), 0, 93);
    Button3 = makeBarButton(Panel2, "Button3", QStringLiteral("E&xit Exam"), 0, 93);
    connect(Button3, &QPushButton::clicked, this, platform::handled([this] { Button3Click(); }));
    connect(GradeButton, &QPushButton::clicked, this, platform::handled([this] { GradeButtonClick(); }));
    connect(Button1, &QPushButton::clicked, this, platform::handled([this] { Button1Click(); }));
    Panel2->installEventFilter(this);
    placeButtonBar();
}

void TTestForm::placeButtonBar()
{
    // "E&xit Exam" ends 2 pixels from the right edge; "&Grade Now" sits 96 pixels to its left.
    Button3->move(Panel2->width() - 2 - Button3->width(), 8);
    GradeButton->move(Button3->x() - 96, 8);
}

void TTestForm::buildActions()
{
    for (ExamKindControls& controls : m_examKinds) {
        const store::ExamKind& kind = *controls.kind;
        const ExamKindNames names = examKindNames(kind);
        controls.action = makeAction(this, names.action.toLatin1().constData(), kind.title);
        if (names.actionMember)
            this->*names.actionMember = controls.action;
        connect(controls.action, &QAction::triggered, this, platform::handled([this, &kind] { startExam(kind); }));
        if (controls.button)
            connect(controls.button, &QAbstractButton::clicked, controls.action,
                    [action = controls.action] { action->trigger(); });
    }
}

void TTestForm::addExamKindEntries(QMenu* menu, store::ExamOffer offer)
{
    for (ExamKindControls& controls : m_examKinds) {
        if (controls.kind->offer != offer)
            continue;
        const ExamKindNames names = examKindNames(*controls.kind);
        controls.menuEntry = makeAction(menu, names.menuEntry.toLatin1().constData(), controls.kind->menuCaption);
        if (names.menuEntryMember)
            this->*names.menuEntryMember = controls.menuEntry;
        menu->addAction(controls.menuEntry);
        connect(controls.menuEntry, &QAction::triggered, controls.action,
                [action = controls.action] { action->trigger(); });
    }
}

void TTestForm::buildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    N11 = bar->addMenu(QStringLiteral("&File"));
    N11->setObjectName(QStringLiteral("N11"));
    Preferences1 = makeAction(N11, "Preferences1", QStringLiteral("&Options..."));
    Print2 = makeAction(N11, "Print2", QStringLiteral("Print all items in this exam"));
    PrintPreview2 = makeAction(N11, "PrintPreview2", QStringLiteral("Pre&view all items..."));
    Print1 = makeAction(N11, "Print1", QStringLiteral("&Print this item"));
    PrintPreview1 = makeAction(N11, "PrintPreview1", QStringLiteral("Previe&w this item..."));
    Exit1 = makeAction(N11, "Exit1", QStringLiteral("E&xit"));
    N11->addAction(Preferences1);
    N11->addAction(Print2);
    N11->addAction(PrintPreview2);
    N11->addAction(Print1);
    N11->addAction(PrintPreview1);
    N11->addSeparator()->setObjectName(QStringLiteral("N1"));
    N11->addAction(Exit1);
    connect(Preferences1, &QAction::triggered, this,
            platform::handled([this] { Preferences1Click(); }));
    connect(Exit1, &QAction::triggered, this, platform::handled([this] { Exit1Click(); }));
    connect(Print1, &QAction::triggered, this, platform::handled([this] { Print1Click(); }));
    connect(Print2, &QAction::triggered, this, platform::handled([this] { Print2Click(); }));
    connect(PrintPreview1, &QAction::triggered, this,
            platform::handled([this] { PrintPreview1Click(); }));
    connect(PrintPreview2, &QAction::triggered, this,
            platform::handled([this] { PrintPreview2Click(); }));
    connect(Print1, &QAction::enabledChanged, PrintPreview1, &QAction::setEnabled);
    connect(Print2, &QAction::enabledChanged, PrintPreview2, &QAction::setEnabled);

    N21 = bar->addMenu(QStringLiteral("Exa&ms"));
    N21->setObjectName(QStringLiteral("N21"));
    addExamKindEntries(N21, store::ExamOffer::LetterRow);
    N21->addSeparator()->setObjectName(QStringLiteral("N2"));
    addExamKindEntries(N21, store::ExamOffer::WideRow);

    // Alt+S: "&Help" has H.
    History1 = bar->addMenu(QStringLiteral("Hi&story"));
    History1->setObjectName(QStringLiteral("History1"));
    StudyHistory1 = makeAction(History1, "StudyHistory1", QStringLiteral("Study &History..."));
    History1->addAction(StudyHistory1);
    History1->addSeparator()->setObjectName(QStringLiteral("N3"));
    addExamKindEntries(History1, store::ExamOffer::HistoryMenu);
    connect(StudyHistory1, &QAction::triggered, this, platform::handled([this] { StudyHistory1Click(); }));

    Help1 = bar->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    About1 = makeAction(Help1, "About1", QStringLiteral("Ab&out"));
    Help1->addAction(About1);
    connect(About1, &QAction::triggered, this, platform::handled([this] { About1Click(); }));
}

void TTestForm::placeExamChoice()
{
    const int width = Panel4->width();
    fcLabel3->setGeometry(0, 17, width, 44);
    // Panel5: a 5-pixel border around the prompt and the letter buttons.
    Panel5->setGeometry(0, 17 + 44 + 7, width, 82);
    fcLabel4->setGeometry(5, 8, std::max(0, width - 10), 30);
}

void TTestForm::buildItemArea()
{
    QPanel = new QWidget(ItemArea);
    QPanel->setObjectName(QStringLiteral("QPanel"));
    widgets::setBackground(QPanel, 255, 255, 255);
    QText = new QLabel(QPanel);
    QText->setObjectName(QStringLiteral("QText"));
    QText->setWordWrap(true);
    QText->setTextFormat(Qt::PlainText);
    QText->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* rule = new QFrame(ItemArea);
    rule->setObjectName(QStringLiteral("Shape1"));
    rule->setFrameShape(QFrame::NoFrame);
    widgets::setBackground(rule, 0, 0, 255);
    rule->setGeometry(0, 0, DesignWidth, 1);
    Shape1 = rule;

    ExhBtnA = new QPushButton(QStringLiteral("Exhibit &1"), ItemArea);
    ExhBtnA->setObjectName(QStringLiteral("ExhBtnA"));
    ExhBtnA->setGeometry(1, 0, 93, 25);
    ExhBtnA->setAutoDefault(false);
    ExhBtnA->hide();
    ExhBtnB = new QPushButton(QStringLiteral("Exhibit &2"), ItemArea);
    ExhBtnB->setObjectName(QStringLiteral("ExhBtnB"));
    ExhBtnB->setGeometry(96, 0, 93, 25);
    ExhBtnB->setAutoDefault(false);
    ExhBtnB->hide();
    // The calculator button starts its program on a click of its own.
    CalcButton = new TddgRunButton(ItemArea);
    CalcButton->setObjectName(QStringLiteral("CalcButton"));
    CalcButton->move(DesignWidth - 10 - 1 - CalcButton->width(), 0);

    QRadioButton** radios[] = {&RadioButton1, &RadioButton2, &RadioButton3,
                               &RadioButton4, &RadioButton5, &RadioButton6};
    QCheckBox** boxes[] = {&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6};
    QLabel** labels[] = {&ALabel1, &ALabel2, &ALabel3, &ALabel4, &ALabel5, &ALabel6};
    for (int k = 1; k <= 6; ++k) {
        const QString caption = QStringLiteral("&%1.").arg(QChar(QLatin1Char(char('a' + k - 1))));
        auto* radio = new QRadioButton(caption, ItemArea);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(k));
        radio->setGeometry(40, 0, 38, 17);
        radio->hide();
        *radios[k - 1] = radio;
        auto* box = new QCheckBox(caption, ItemArea);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(k));
        box->setGeometry(40, 0, 38, 17);
        box->hide();
        *boxes[k - 1] = box;
        auto* label = new QLabel(ItemArea);
        label->setObjectName(QStringLiteral("ALabel%1").arg(k));
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(80, 0, DesignWidth - 110, 17);
        label->setAutoFillBackground(true);
        widgets::setBackground(label, 255, 255, 255);
        label->installEventFilter(this);
        *labels[k - 1] = label;
    }

    ExpText = new QLabel(ItemArea);
    ExpText->setObjectName(QStringLiteral("ExpText"));
    ExpText->setWordWrap(true);
    ExpText->setTextFormat(Qt::PlainText);
    ExpText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ExpText->setGeometry(8, 0, DesignWidth - 38, 17);
    ExpText->hide();

    Bevel2 = new QWidget(ItemArea);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setGeometry(0, 0, DesignWidth, 17);
}

QRadioButton* TTestForm::radioButton(int k) const
{
    QRadioButton* const all[] = {RadioButton1, RadioButton2, RadioButton3,
                                 RadioButton4, RadioButton5, RadioButton6};
    return all[k - 1];
}

QCheckBox* TTestForm::checkBox(int k) const
{
    QCheckBox* const all[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5, CheckBox6};
    return all[k - 1];
}

QLabel* TTestForm::answerLabel(int k) const
{
    QLabel* const all[] = {ALabel1, ALabel2, ALabel3, ALabel4, ALabel5, ALabel6};
    return all[k - 1];
}

void TTestForm::connectItemArea()
{
    connect(dsCurrentSet, &store::DataSource::dataChange, this,
            platform::handled([this] { dsCurrentSetDataChange(); }));
    connect(PrevButton, &QPushButton::clicked, this, platform::handled([this] { PrevButtonClick(); }));
    connect(NextButton, &QPushButton::clicked, this, platform::handled([this] { NextButtonClick(); }));
    connect(LearnButton, &QPushButton::clicked, this,
            platform::handled([this] { LearnButtonClick(); }));
    connect(ExhBtnA, &QPushButton::clicked, this, platform::handled([this] { ExhBtnAClick(); }));
    connect(ExhBtnB, &QPushButton::clicked, this, platform::handled([this] { ExhBtnBClick(); }));
    connect(NoteButton, &QPushButton::clicked, this, platform::handled([this] { NoteButtonClick(); }));
    // A change of state by code raises the handlers just as a click does.
    connect(MarkBox, &QCheckBox::toggled, this, platform::handled([this] { MarkBoxClick(); }));
    for (int k = 1; k <= 6; ++k) {
        connect(radioButton(k), &QRadioButton::toggled, this,
                platform::handled([this](bool checked) {
                    if (checked)
                        RadioButton1Click();
                }));
        connect(checkBox(k), &QCheckBox::toggled, this,
                platform::handled([this, k] { CheckBoxkClick(k); }));
        // The letters a..f select or toggle a choice from the keyboard, as the accelerators of
        // the choice buttons do (Alt+letter works through the captions' mnemonics as well).
        auto* key = new QShortcut(QKeySequence(Qt::Key_A + (k - 1)), this);
        key->setObjectName(QStringLiteral("ChoiceKey%1").arg(k));
        connect(key, &QShortcut::activated, this, platform::handled([this, k] {
                    if (ExamState != NoExam && ScrollBox1->isVisible() && answerLabel(k)->isVisible())
                        ALabelkClick(k);
                }));
    }
}
