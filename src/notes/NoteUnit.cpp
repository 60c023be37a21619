#include "notes/NoteUnit.h"

#include "notes/NoteSave.h"
#include "platform/Handler.h"
#include "store/Fields.h"
#include "store/Table.h"
#include "widgets/FieldMapper.h"
#include "widgets/LongRunWrap.h"
#include "widgets/OutlinedLabel.h"
#include "widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNoteForm* NoteForm = nullptr;

using store::field::U_MEMO;

TNoteForm::TNoteForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrame)
{
    setObjectName(QStringLiteral("NoteForm"));
    setWindowTitle(QStringLiteral("Quizlore"));

    fcLabel1 = new widgets::OutlinedLabel(QStringLiteral("User Note"), this);
    fcLabel1->setObjectName(QStringLiteral("fcLabel1"));
    QFont heading(QStringLiteral("Arial"));
    heading.setPixelSize(19);
    heading.setBold(true);
    heading.setItalic(true);
    fcLabel1->setFont(heading);
    fcLabel1->setTextColor(Qt::white);
    fcLabel1->setOutlineColor(Qt::black);
    fcLabel1->setShadowColor(Qt::gray);
    fcLabel1->setShadowOffset(QPoint(2, 2));
    fcLabel1->setAlignment(Qt::AlignCenter);
    fcLabel1->setFixedHeight(32);

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    QFont itemFont = Label2->font();
    itemFont.setBold(true);
    Label2->setFont(itemFont);

    DBMemo1 = new QPlainTextEdit(this);
    DBMemo1->setObjectName(QStringLiteral("DBMemo1"));
    DBMemo1->setAccessibleName(QStringLiteral("Note"));
    widgets::wrapLongRunsAnywhere(DBMemo1);

    Button1 = new QPushButton(QStringLiteral("Save Note"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button3 = new QPushButton(QStringLiteral("Exit"), this);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton* button : {Button1, Button2, Button3})
        button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addWidget(Button3);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fcLabel1);
    layout->addWidget(Label2);
    layout->addWidget(DBMemo1, 1);
    layout->addLayout(buttons);
    setFixedSize(440, 320);

    // A change typed into the note goes straight into the record, which enters editing.
    m_source = new store::DataSource(this);
    m_mapper = new widgets::FieldMapper(m_source, widgets::FieldMapper::SubmitPolicy::AutoSubmit, this);
    m_mapper->addMapping(DBMemo1, U_MEMO);
    connect(m_source, &store::DataSource::stateChange, this, &TNoteForm::followEditing);
    connect(Button1, &QPushButton::clicked, this, platform::handled([this] { Button1Click(); }));
    connect(Button2, &QPushButton::clicked, this, platform::handled([this] { Button2Click(); }));
    connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
    followEditing();
}

void TNoteForm::showNote(store::Table* currentSet, store::Table* bank)
{
    m_currentSet = currentSet;
    m_bank = bank;
    m_source->setDataSet(currentSet);
    m_mapper->refresh();
    followEditing();
    widgets::centreOnScreen(this);
    DBMemo1->setFocus();
    exec();
}

void TNoteForm::followEditing()
{
    const bool changed = m_currentSet && m_currentSet->isOpen() &&
                         m_currentSet->state() != store::DataSetState::Browse;
    Button1->setEnabled(changed);
    Button2->setEnabled(changed);
}

void TNoteForm::Button1Click()
{
    if (!m_currentSet || m_currentSet->state() == store::DataSetState::Browse)
        return;
    const QString note = DBMemo1->toPlainText();
    try {
        notes::saveNote(*m_currentSet, m_bank, note);
    } catch (...) {
        // Not saved in both tables: the typed text stays in the box as a pending change, to
        // be saved again or cancelled, and Save Note stays enabled.
        if (m_currentSet->isOpen()) {
            m_currentSet->edit();
            m_currentSet->setValue(U_MEMO, note);
            m_mapper->refresh();
        }
        followEditing();
        throw;
    }
    followEditing();
}

void TNoteForm::Button2Click()
{
    if (m_currentSet && m_currentSet->isOpen() && m_currentSet->state() != store::DataSetState::Browse)
        m_currentSet->cancel();
    m_mapper->refresh();
    followEditing();
}

void TNoteForm::done(int result)
{
    // Closing discards a change that was not saved.
    try {
        Button2Click();
    } catch (...) {
        platform::showCurrentException();
    }
    QDialog::done(result);
}
