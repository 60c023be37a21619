#include "widgets/FieldMapper.h"

#include "platform/Handler.h"
#include "store/Table.h"
#include "widgets/DataLink.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

namespace widgets {

FieldMapper::FieldMapper(store::DataSource* source, QObject* parent)
    : QObject(parent), m_source(source)
{
    // Beginning a new record empties the buffer without moving, and closing leaves no record:
    // state changes count as much as moves.
    followDataSource(this, nullptr, source, [this] { refresh(); });
}

store::Table* FieldMapper::table() const
{
    return m_source->dataSet();
}

bool FieldMapper::hasRecord() const
{
    const store::Table* t = table();
    if (!t || !t->isOpen())
        return false;
    return t->state() != store::DataSetState::Browse || !t->isEmpty();
}

void FieldMapper::addMemo(QPlainTextEdit* memo, const QString& field)
{
    m_mappings.push_back({field,
                          [memo](const QVariant& v) {
                              const QString text = v.toString();
                              if (memo->toPlainText() == text)
                                  return;  // keeps the caret where it is
                              const QSignalBlocker quiet(memo);
                              memo->setPlainText(text);
                          },
                          [memo](bool on) { memo->setReadOnly(!on); }});
    connect(memo, &QPlainTextEdit::textChanged, this,
            platform::handled([this, memo, field] { write(field, memo->toPlainText()); }));
    refresh();
}

void FieldMapper::addLineEdit(QLineEdit* edit, const QString& field)
{
    m_mappings.push_back({field,
                          [edit](const QVariant& v) {
                              const QString text = v.toString();
                              if (edit->text() != text)
                                  edit->setText(text);
                          },
                          [edit](bool on) { edit->setReadOnly(!on); }});
    // textEdited comes from the user only, never from setText.
    connect(edit, &QLineEdit::textEdited, this,
            platform::handled([this, field](const QString& text) { write(field, text); }));
    refresh();
}

void FieldMapper::addCheckBox(QCheckBox* box, const QString& field)
{
    m_mappings.push_back({field,
                          [box](const QVariant& v) {
                              const QSignalBlocker quiet(box);
                              box->setChecked(v.toLongLong() != 0);
                          },
                          [box](bool on) { box->setEnabled(on); }});
    connect(box, &QCheckBox::toggled, this,
            platform::handled([this, field](bool checked) { write(field, checked); }));
    refresh();
}

void FieldMapper::refresh()
{
    if (m_writing)
        return;  // the control being typed into already shows the new value
    const bool editable = hasRecord();
    for (const Mapping& m : m_mappings) {
        m.show(editable ? table()->value(m.field) : QVariant());
        m.setEditable(editable);
    }
}

void FieldMapper::write(const QString& field, const QVariant& value)
{
    store::Table* t = table();
    if (!hasRecord())
        return;
    try {
        QScopedValueRollback<bool> writing(m_writing, true);
        if (t->state() == store::DataSetState::Browse)
            t->edit();
        t->setValue(field, value);
    } catch (...) {
        refresh();  // the controls show what the record really holds
        throw;
    }
}

}  // namespace widgets
