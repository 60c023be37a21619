#pragma once
// A titled frame of radio buttons, one below the other, of which one is selected: ItemIndex
// is the selected entry (-1 for none). Selecting an entry, by the user or by code, emits
// itemSelected once, after the other entries are cleared; selecting the selected entry again
// emits nothing.

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

namespace widgets {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton* item(int index) const { return m_items.value(index); }

signals:
    void itemSelected(int index);

private:
    QList<QRadioButton*> m_items;
};

}  // namespace widgets
