#include "app/MainUnit.h"

#include "app/Banner.h"
#include "app/Startup.h"
#include "exam/TestUnit.h"
#include "platform/Handler.h"
#include "platform/Prompts.h"
#include "sampler/SamplerUnit.h"
#include "widgets/ModalWindow.h"
#include "widgets/ShapeButton.h"
#include "widgets/WindowStyle.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>

TMainForm* MainForm = nullptr;

namespace {

constexpr int ClientWidth = 232;
constexpr int FrameBorder = 2;      // border inside the window frame
constexpr int BannerHeight = 48;    // Panel1, sized to its picture
constexpr int ButtonPanelHeight = 148;
constexpr int ButtonPanelBorder = 4;

widgets::ShapeButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                                 const QColor& colour, int top)
{
    auto* button = new widgets::ShapeButton(caption, colour, parent);
    button->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(9);
    font.setBold(true);
    button->setFont(font);
    button->setGeometry(47, top, 138, 34);
    return button;
}

}  // namespace

TMainForm::TMainForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("MainForm"));
    widgets::setBackground(this, 255, 255, 255);

    const int panelWidth = ClientWidth - 2 * FrameBorder;

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(FrameBorder, FrameBorder, panelWidth, BannerHeight);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(bannerPicture());
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(0, 0, panelWidth, BannerHeight);

    Panel3 = new QWidget(this);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    Panel3->setGeometry(FrameBorder, FrameBorder + BannerHeight, panelWidth, ButtonPanelHeight);
    Shape1 = new QFrame(Panel3);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(ButtonPanelBorder, ButtonPanelBorder, panelWidth - 2 * ButtonPanelBorder,
                        ButtonPanelHeight - 2 * ButtonPanelBorder);
    Shape1->setStyleSheet(
        QStringLiteral("#Shape1 { border: 1px solid rgb(0,0,255); background: white; }"));

    StartTestBtn = makeButton(Panel3, "StartTestBtn", QStringLiteral("Start &Testing"),
                              QColor(0, 0, 128), 14);
    SamplerBtn = makeButton(Panel3, "SamplerBtn", QStringLiteral("Test &Sampler"),
                            QColor(128, 0, 128), 50);
    fcShapeBtn3 =
        makeButton(Panel3, "fcShapeBtn3", QStringLiteral("E&xit"), QColor(0, 128, 128), 102);

    connect(StartTestBtn, &QAbstractButton::clicked, this,
            platform::handled([this] { StartTestBtnClick(); }));
    connect(SamplerBtn, &QAbstractButton::clicked, this,
            platform::handled([this] { SamplerBtnClick(); }));
    connect(fcShapeBtn3, &QAbstractButton::clicked, this,
            platform::handled([this] { fcShapeBtn3Click(); }));

    FormCreate();
}

void TMainForm::FormCreate()
{
    setWindowTitle(platform::ApplicationTitle);
    // The window fits its panels.
    widgets::setClientSize(this, ClientWidth,
                           2 * FrameBorder + BannerHeight + ButtonPanelHeight);
    widgets::centreOnScreen(this);
}

void TMainForm::StartTestBtnClick()
{
    createOtherWindows();
    hide();
    widgets::execModal(TestForm);
    // The exam window's close handler shows the launcher again; make sure of it here too.
    if (!isVisible())
        show();
}

void TMainForm::SamplerBtnClick()
{
    createOtherWindows();
    hide();
    try {
        SamplerForm->FormOpen();
    } catch (...) {
        show();  // the user set could not be opened: the launcher stays usable
        throw;
    }
    widgets::execModal(SamplerForm);
    if (!isVisible())
        show();
}

void TMainForm::fcShapeBtn3Click()
{
    close();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}
