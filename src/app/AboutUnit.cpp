#include "app/AboutUnit.h"

#include "app/Banner.h"
#include "platform/ApplicationTitle.h"
#include "widgets/HyperlinkLabel.h"
#include "widgets/WindowStyle.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

TAboutForm* AboutForm = nullptr;
const char* const ProductWebAddress = "https://quizlore.example.org/prep";

namespace {

constexpr int ClientWidth = 310;
constexpr int ClientHeight = 233;
constexpr int BannerBorder = 8;
constexpr int BannerHeight = 48;
constexpr int GapAboveNotice = 17;
constexpr int GapAboveLink = 16;
constexpr int Margin = 8;

QLabel* noticeLine(QWidget* parent, const char* name, const QString& text, int top, int height)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(0, top, ClientWidth, height);
    return label;
}

}  // namespace

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About Quizlore"));
    widgets::setBackground(this, 255, 255, 255);
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    widgets::setClientSize(this, ClientWidth, ClientHeight);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, ClientWidth, BannerHeight + 2 * BannerBorder);
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(bannerPicture());
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setGeometry(BannerBorder, BannerBorder, ClientWidth - 2 * BannerBorder, BannerHeight);

    const int lineHeight = QFontMetrics(dialogFont).lineSpacing();
    int top = Panel1->geometry().bottom() + 1 + GapAboveNotice;
    Label1 = noticeLine(this, "Label1", platform::ApplicationTitle, top, lineHeight);
    top += lineHeight;
    Label2 = noticeLine(this, "Label2",
                        QStringLiteral("Copyright (C) 2026 The Quizlore developers"), top,
                        lineHeight);
    top += lineHeight;
    Label3 = noticeLine(this, "Label3",
                        QStringLiteral("Free software under the GNU GPL v2 or later"), top,
                        lineHeight);
    top += lineHeight + GapAboveLink;

    URLLabel1 = new widgets::HyperlinkLabel(QString::fromLatin1(ProductWebAddress),
                                            QString::fromLatin1(ProductWebAddress), this);
    URLLabel1->setObjectName(QStringLiteral("URLLabel1"));
    URLLabel1->setNormalColor(QColor(0, 0, 128));
    URLLabel1->setAlignment(Qt::AlignCenter);
    // Only the text itself is the link, centred on the box.
    const int linkWidth = URLLabel1->sizeHint().width();
    URLLabel1->setGeometry((ClientWidth - linkWidth) / 2, top, linkWidth, lineHeight);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(ClientWidth - Margin - 79, ClientHeight - Margin - 29, 79, 29);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(Margin, OKButton->y() - Margin - 2, ClientWidth - 2 * Margin, 2);

    widgets::centreOnScreen(this);
}
