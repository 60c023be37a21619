// The test sampler's commands: opening and closing, the item commands, Cancel, the type and
// section choices, and showing what the data module reports. Save is in SamplerSave.cpp.

#include "sampler/SamplerUnit.h"

#include "platform/Prompts.h"
#include "sampler/Rep1Unit.h"
#include "sampler/SamplerTransfer.h"
#include "store/Table.h"
#include "widgets/CloseQuery.h"
#include "widgets/DBItemTree.h"
#include "widgets/DBNavigator.h"
#include "widgets/OutlinedLabel.h"

#include <QAction>
#include <QComboBox>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QPlainTextEdit>

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

// ---------------------------------------------------------------- Cancel

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

// ---------------------------------------------------------------- what the data module reports

void TSamplerForm::showUserSetState(store::DataSetState state)
{
    switch (state) {
    case store::DataSetState::Inactive:
        return;
    case store::DataSetState::Browse:
        BitBtn1->setEnabled(false);
        BitBtn2->setEnabled(false);
        StatusPanel(StatePanel)->setText(QStringLiteral("  Browsing"));
        return;
    case store::DataSetState::Edit:
        StatusPanel(StatePanel)->setText(QStringLiteral(" Edit Item"));
        fcLabel4->setText(QStringLiteral("Edit Item"));
        break;
    case store::DataSetState::Insert:
        fcLabel4->setText(QStringLiteral("Add new item"));
        StatusPanel(StatePanel)->setText(QStringLiteral(" Add new item"));
        break;
    }
    BitBtn1->setEnabled(true);
    BitBtn2->setEnabled(true);
    StatusPanel(ModificationPanel)->setText(QStringLiteral(" Modified"));
}

void TSamplerForm::showUserSetData(const UserSetData& data)
{
    if (data.browsing) {
        const QString id = QString::number(data.itemId);
        fcLabel4->setText(QStringLiteral("Item ID: ") + id);
        StatusPanel(ItemPanel)->setText(QStringLiteral(" Item ID: ") + id);
        StatusPanel(CountPanel)->setText(QStringLiteral(" Items: ") + QString::number(data.itemCount));
        showTypeAndSection(data.multipleResponse, data.section);
    }
    if (data.empty) {
        EditAct->setEnabled(false);
        DelAct->setEnabled(false);
        fcLabel4->setText(QStringLiteral("The question set is empty"));
        StatusPanel(ItemPanel)->setText(QStringLiteral(" Empty"));
    } else if (AddAct->isEnabled()) {
        // A set that was empty when last seen may have items now (another program added
        // them): with the commands on, Edit and Delete follow the set.
        EditAct->setEnabled(true);
        DelAct->setEnabled(true);
    }
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

