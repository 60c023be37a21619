#include "options/OptionsUnit.h"

#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "platform/SystemFolders.h"
#include "widgets/NumberEdit.h"
#include "widgets/RadioGroup.h"
#include "widgets/WindowStyle.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

TOptionsForm* OptionsForm = nullptr;

namespace {

constexpr int ClientWidth = 330;
constexpr int ClientHeight = 338;
constexpr int Margin = 8;
constexpr int InnerWidth = ClientWidth - 2 * Margin;
constexpr int FontsHeight = 118;
constexpr int PagesTop = Margin + FontsHeight + Margin;
constexpr int PagesHeight = 160;
constexpr int GroupWidth = 290;
constexpr int GroupHeight = 72;
constexpr int MaximumMinutes = 9000;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

widgets::RadioGroup* makeGroup(QWidget* page, const char* name, const QString& title,
                               const QStringList& items)
{
    auto* group = new widgets::RadioGroup(title, items, page);
    group->setObjectName(QString::fromLatin1(name));
    group->setGeometry(Margin, Margin, GroupWidth, GroupHeight);
    return group;
}

}  // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Options"));
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    widgets::setClientSize(this, ClientWidth, ClientHeight);

    buildFontsGroup();
    buildPages();

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(ClientWidth - Margin - 75, ClientHeight - Margin - 29, 75, 29);
    BitBtn1->setDefault(true);
    fitPageTabs();

    connect(ListBox1, &QListWidget::currentRowChanged, this,
            platform::handled([this] { ListBox1Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, platform::handled([this] { BitBtn3Click(); }));
    connect(SpeedButton1, &QToolButton::clicked, this,
            platform::handled([this] { SpeedButton1Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, platform::handled([this] { BitBtn1Click(); }));
    connect(LearnBtnGroup, &widgets::RadioGroup::itemSelected, this,
            [this](int index) { Pending.ShowLearnBtn = index == 0; });
    connect(CalcBtnGroup, &widgets::RadioGroup::itemSelected, this,
            [this](int index) { Pending.ShowCalcBtn = index == 0; });
    connect(TimerGroup, &widgets::RadioGroup::itemSelected, this,
            [this](int index) { Pending.TimerOn = index == 0; });
    connect(ChoiceOrderGroup, &widgets::RadioGroup::itemSelected, this,
            [this](int index) { Pending.ShuffleChoices = index == 0; });
}

const QStringList& TOptionsForm::fontNames()
{
    static const QStringList names = {QStringLiteral("Question"), QStringLiteral("Answers"),
                                      QStringLiteral("Explanation")};
    return names;
}

void TOptionsForm::buildFontsGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Fonts"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    group->setGeometry(Margin, Margin, InnerWidth, FontsHeight);

    ListBox1 = new QListWidget(group);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->addItems(fontNames());
    ListBox1->setGeometry(12, 22, 110, 58);

    BitBtn3 = new QPushButton(QStringLiteral("Change Font"), group);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(12, 84, 110, 25);
    BitBtn3->setAutoDefault(false);

    Panel1 = new QLabel(QStringLiteral("Example"), group);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(132, 22, InnerWidth - 132 - 12, FontsHeight - 22 - 9);
    Panel1->setAlignment(Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    widgets::setBackground(Panel1, 255, 255, 255);
}

void TOptionsForm::fitPageTabs()
{
    // Every page's tab stays in sight: where the fonts make the tabs wider than the design, the
    // window grows by the difference instead of scrolling them.
    const int needed = PageControl1->tabBar()->sizeHint().width() + 4;
    const int extra = needed - PageControl1->width();
    if (extra <= 0)
        return;
    widgets::setClientSize(this, ClientWidth + extra, ClientHeight);
    for (QWidget* widget : {static_cast<QWidget*>(PageControl1), findChild<QWidget*>(QStringLiteral("GroupBox1")),
                            static_cast<QWidget*>(Panel1)})
        widget->resize(widget->width() + extra, widget->height());
    BitBtn1->move(BitBtn1->x() + extra, BitBtn1->y());
}

void TOptionsForm::buildPages()
{
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(Margin, PagesTop, InnerWidth, PagesHeight);

    auto* learnPage = new QWidget;
    learnPage->setObjectName(QStringLiteral("TabSheet1"));
    LearnBtnGroup = makeGroup(learnPage, "LearnBtnGroup", QStringLiteral("Learn Now Button"),
                              {QStringLiteral("Show 'Learn Now' button (not recomended)"),
                               QStringLiteral("Do not show 'Learn Now' button")});
    PageControl1->addTab(learnPage, QStringLiteral("'Learn Now' button"));

    auto* calcPage = new QWidget;
    calcPage->setObjectName(QStringLiteral("TabSheet2"));
    CalcBtnGroup = makeGroup(calcPage, "CalcBtnGroup", QStringLiteral("Calculator Button"),
                             {QStringLiteral("Show calculator button"),
                              QStringLiteral("Do not show calculator button")});
    const int pathTop = Margin + GroupHeight + 6;
    Label1 = makeLabel(calcPage, "Label1", QStringLiteral("Calculator path:"), Margin, pathTop);
    const int editTop = pathTop + Label1->height() + 2;
    Edit1 = new QLineEdit(calcPage);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    const int editHeight = Edit1->sizeHint().height();
    Edit1->setGeometry(Margin, editTop, GroupWidth - editHeight - 2, editHeight);
    Label1->setBuddy(Edit1);
    SpeedButton1 = new QToolButton(calcPage);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    SpeedButton1->setToolTip(QStringLiteral("Choose the calculator program"));
    SpeedButton1->setAccessibleName(QStringLiteral("Choose the calculator program"));
    SpeedButton1->setGeometry(Margin + GroupWidth - editHeight, editTop, editHeight, editHeight);
    PageControl1->addTab(calcPage, QStringLiteral("Calculator"));

    auto* timerPage = new QWidget;
    timerPage->setObjectName(QStringLiteral("TabSheet3"));
    TimerGroup = makeGroup(timerPage, "TimerGroup", QStringLiteral("Timer"),
                           {QStringLiteral("Timer On"), QStringLiteral("Timer Off")});
    SpinEdit1 = new widgets::NumberEdit(timerPage);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, MaximumMinutes);
    const int spinTop = Margin + GroupHeight + 10;
    Label2 = makeLabel(timerPage, "Label2", QStringLiteral("Deafault Time (min):"), Margin,
                       spinTop + (SpinEdit1->sizeHint().height() - 13) / 2);
    SpinEdit1->setGeometry(Margin + Label2->width() + 8, spinTop, 80,
                           SpinEdit1->sizeHint().height());
    Label2->setBuddy(SpinEdit1);
    PageControl1->addTab(timerPage, QStringLiteral("Timer"));

    auto* choicesPage = new QWidget;
    choicesPage->setObjectName(QStringLiteral("TabSheet4"));
    ChoiceOrderGroup = makeGroup(choicesPage, "ChoiceOrderGroup", QStringLiteral("Choice Order"),
                                 {QStringLiteral("Shuffle the choices at every exam start"),
                                  QStringLiteral("Keep the order of the choices")});
    PageControl1->addTab(choicesPage, QStringLiteral("Choices"));
}

void TOptionsForm::Prepare(const options::OptionValues& current)
{
    PageControl1->setCurrentIndex(0);
    Pending = current;
    SpinEdit1->showValue(current.DefaultTime);
    Edit1->setText(current.CalcPath);
    LearnBtnGroup->setItemIndex(current.ShowLearnBtn ? 0 : 1);
    TimerGroup->setItemIndex(current.TimerOn ? 0 : 1);
    CalcBtnGroup->setItemIndex(current.ShowCalcBtn ? 0 : 1);
    ChoiceOrderGroup->setItemIndex(current.ShuffleChoices ? 0 : 1);
}

options::FontSetting& TOptionsForm::pendingFont(int row)
{
    switch (row) {
    case 1:
        return Pending.answersFont;
    case 2:
        return Pending.explanationFont;
    default:
        return Pending.questionFont;
    }
}

void TOptionsForm::ListBox1Click()
{
    const int row = ListBox1->currentRow();
    if (row < 0)
        return;
    const options::FontSetting& setting = pendingFont(row);
    Panel1->setText(fontNames().at(row));
    Panel1->setFont(setting.font);
    widgets::setTextColor(Panel1, setting.color);
}

void TOptionsForm::BitBtn3Click()
{
    options::FontSetting& setting = pendingFont(ListBox1->currentRow());
    QFont font = Panel1->font();
    QColor color = setting.color;
    if (platform::Prompts::current().chooseFontAndColor(font, color, this)) {
        setting.font = font;
        setting.color = color;
    }
    ListBox1Click();
}

void TOptionsForm::SpeedButton1Click()
{
    const QString chosen = platform::Prompts::current().openFileName(
        this, QStringLiteral("Open"), platform::systemProgramFolder(),
        QStringLiteral("Executable file (*)"));
    if (!chosen.isEmpty())
        Edit1->setText(QFileInfo(chosen).absoluteFilePath());
}

void TOptionsForm::BitBtn1Click()
{
    SpinEdit1->commitValue();
    Pending.DefaultTime = SpinEdit1->value();
    Pending.CalcPath = Edit1->text();
    accept();
}

void TOptionsForm::showEvent(QShowEvent* event)
{
    ListBox1->setCurrentRow(0);
    ListBox1Click();
    widgets::centreOnScreen(this);
    QDialog::showEvent(event);
}
