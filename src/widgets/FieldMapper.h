#pragma once
// Binds edit controls to fields of a table's current record: a plain mapping between widgets
// and the table cursor, in the manner of QDataWidgetMapper.
//
// Every move of the current record and every change of its editing state shows the record's
// fields in the controls. A change typed or clicked by the user goes straight into the
// record's edit buffer and puts a browsed record into editing. While there is no record to
// edit (the table closed or empty) the controls are read-only.

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace store {
class DataSource;
class Table;
}  // namespace store

namespace widgets {

class FieldMapper : public QObject {
    Q_OBJECT
public:
    explicit FieldMapper(store::DataSource* source, QObject* parent = nullptr);

    // A memo (many lines of text), a one-line text and a check box (stored as true/false).
    void addMemo(QPlainTextEdit* memo, const QString& field);
    void addLineEdit(QLineEdit* edit, const QString& field);
    void addCheckBox(QCheckBox* box, const QString& field);

    // Shows the current record in every control.
    void refresh();

private:
    struct Mapping {
        QString field;
        std::function<void(const QVariant&)> show;  // shows a value without raising a change
        std::function<void(bool)> setEditable;
    };
    store::Table* table() const;
    bool hasRecord() const;
    void write(const QString& field, const QVariant& value);

    store::DataSource* m_source;
    std::vector<Mapping> m_mappings;
    bool m_writing = false;  // a user's change is going into the record
};

}  // namespace widgets
