#include "exam/NameUnit.h"

#include "platform/Handler.h"
#include "widgets/NumberEdit.h"
#include "widgets/WindowStyle.h"

#include <QDate>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>

TNameForm* NameForm = nullptr;

namespace {

constexpr int ClientWidth = 305;
constexpr int ClientHeight = 204;
constexpr int ButtonStripHeight = 41;

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

widgets::NumberEdit* makeNumberEdit(QWidget* parent, const char* name, int left, int top)
{
    auto* edit = new widgets::NumberEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setGeometry(left, top, 121, edit->sizeHint().height());
    return edit;
}

}  // namespace

TNameForm::TNameForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("NameForm"));
    setWindowTitle(QStringLiteral("Quizlore"));
    // Each exam choice sets the caption before the dialog is shown.
    widgets::setClientSize(this, ClientWidth, ClientHeight);

    Label1 = makeLabel(this, "Label1", QString());
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label1->setGeometry(289 - 200, 8, 200, Label1->sizeHint().height());

    Label3 = makeLabel(this, "Label3", QStringLiteral("Your Name: "));
    Label3->move(20, 36);
    NameEdit = new QLineEdit(QStringLiteral("Your Name"), this);
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    NameEdit->setGeometry(100, 32, 193, NameEdit->sizeHint().height());

    Label2 = makeLabel(this, "Label2", QStringLiteral("Time (min):"));
    Label2->move(100, 80);
    SpinEdit1 = makeNumberEdit(this, "SpinEdit1", 172, 72);
    SpinEdit1->setRange(1, 600);
    SpinEdit1->setValue(90);
    // The label sits under the field's left half; keep the field on top of it.
    Label2->lower();

    Label4 = makeLabel(this, "Label4", QStringLiteral("Number of questions:"));
    Label4->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label4->setGeometry(164 - 160, 120, 160, Label4->sizeHint().height());
    SpinEdit2 = makeNumberEdit(this, "SpinEdit2", 172, 116);
    SpinEdit2->setRange(1, 1);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::HLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(0, ClientHeight - ButtonStripHeight, ClientWidth, 2);

    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(140, 171, 75, 29);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(220, 171, 75, 29);
    BitBtn2->setAutoDefault(false);

    connect(BitBtn1, &QPushButton::clicked, this, platform::handled([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    FormActivate();
}

void TNameForm::FormActivate()
{
    Label1->setText(QStringLiteral("Date: ") +
                    QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
}

void TNameForm::showEvent(QShowEvent* event)
{
    FormActivate();
    QDialog::showEvent(event);
}

void TNameForm::BitBtn1Click()
{
    SpinEdit1->commitValue();
    SpinEdit2->commitValue();
    emit valuesTaken(NameEdit->text(), SpinEdit1->value() / 1440.0);
    accept();
}
