// The test sampler's Save: what the controls show becomes the record, once the item passes the
// checks that the user exam needs of it.

#include "sampler/SamplerUnit.h"

#include "platform/Prompts.h"
#include "sampler/Rep1Unit.h"
#include "store/Table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>

#include <algorithm>

int TSamplerForm::chosenSection() const
{
    // The selected entry, not the current one: a screen reader or voice control selects an
    // entry without making it current.
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    return selected.size() == 1 ? ListBox1->row(selected.front()) + 1 : 0;
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

