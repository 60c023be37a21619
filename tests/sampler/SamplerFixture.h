#pragma once
// The test sampler on a user question set written by the test, in a folder of its own, and
// the user set read back through the table engine.

#include "sampler/Rep1Unit.h"
#include "sampler/SamplerUnit.h"
#include "store/Fields.h"
#include "store/StandaloneTable.h"
#include "support/Fixtures.h"
#include "support/TempDir.h"
#include "widgets/DBItemTree.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QTabWidget>
#include <QtTest>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include <memory>
#include <vector>

namespace samplerfixture {

// A user-set item: question, section, type, answers a.. and the letters of its keys.
inline testsupport::Item userItem(const QString& question, int section, bool multiple = false,
                                  const QStringList& answers = {QStringLiteral("Yes"),
                                                                QStringLiteral("No")},
                                  const QString& key = QStringLiteral("a"), int id = 0)
{
    testsupport::Item it;
    if (id > 0)
        it["Q_ID"] = id;
    it["Q_TEXT"] = question;
    it["Q_SECT"] = section;
    it["Q_TYPE"] = multiple;
    it["Q_EXPL"] = QStringLiteral("Explained.");
    for (int k = 1; k <= 6; ++k) {
        it[store::field::text(k)] = k <= answers.size() ? answers[k - 1] : QString();
        it[store::field::key(k)] = key.contains(QChar(u'a' + k - 1));
    }
    return it;
}

// One stored record of the user set, as the table engine gives it back.
struct Stored {
    qint64 id = 0;
    int section = 0;
    bool multiple = false;
    QString question;
    QString explanation;
    QStringList answers;  // Q1..Q6
    QString key;          // the letters of A1..A6 that are true
};

inline std::vector<Stored> readUserSet()
{
    store::StandaloneTable file(store::UserSetFileName);
    store::Table& t = file.table;
    t.open();
    std::vector<Stored> records;
    for (t.first(); !t.eof(); t.next()) {
        Stored s;
        s.id = t.value(store::field::Q_ID).toLongLong();
        s.section = t.asInteger(store::field::Q_SECT);
        s.multiple = t.asBoolean(store::field::Q_TYPE);
        s.question = t.asString(store::field::Q_TEXT);
        s.explanation = t.asString(store::field::Q_EXPL);
        for (int k = 1; k <= 6; ++k) {
            s.answers.append(t.asString(store::field::text(k)));
            if (t.asBoolean(store::field::key(k)))
                s.key += QChar(u'a' + k - 1);
        }
        records.push_back(s);
    }
    return records;
}

// The node labels of the sampler's tree, and that of its current node.
inline QStringList treeLabels(const TSamplerForm& f)
{
    QStringList labels;
    for (int i = 0; i < f.fcDBTreeView1->topLevelItemCount(); ++i)
        labels.append(f.fcDBTreeView1->topLevelItem(i)->text(0));
    return labels;
}

inline QString currentNode(const TSamplerForm& f)
{
    const QTreeWidgetItem* node = f.fcDBTreeView1->currentItem();
    return node ? node->text(0) : QString();
}

// ---- what the user does on the pages

inline void showPage(TSamplerForm& f, QWidget* page)
{
    f.PageControl1->setCurrentWidget(page);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

inline void typeQuestion(TSamplerForm& f, const QString& text)
{
    showPage(f, f.TabSheet1);
    QTest::keyClicks(f.DBMemo1, text);
}

// Clicks section n (1..4) in the list, as the user does.
inline void clickSection(TSamplerForm& f, int n)
{
    showPage(f, f.TabSheet2);
    QListWidgetItem* item = f.ListBox1->item(n - 1);
    QTest::mouseClick(f.ListBox1->viewport(), Qt::LeftButton, {},
                      f.ListBox1->visualItemRect(item).center());
}

// Chooses the type with the keyboard, as the user does.
inline void chooseType(TSamplerForm& f, bool multiple)
{
    showPage(f, f.TabSheet2);
    QTest::keyClick(f.ComboBox1, multiple ? Qt::Key_Down : Qt::Key_Up);
}

inline void typeAnswers(TSamplerForm& f, const QStringList& answers, const QString& key)
{
    showPage(f, f.TabSheet3);
    for (int k = 0; k < answers.size(); ++k)
        QTest::keyClicks(f.DBEdits[size_t(k)], answers[k]);
    for (QChar letter : key)
        QTest::mouseClick(f.DBCheckBoxes[size_t(letter.unicode() - u'a')], Qt::LeftButton);
}

// The sampler window and its data module on the program's session, opened on `items` as the
// launcher opens it; gone with the object.
class Sampler {
public:
    explicit Sampler(const std::vector<testsupport::Item>& items)
    {
        testsupport::makeTable(store::UserSetFileName, store::TableKind::User, items);
        m_session.addPassword(store::TablePassword);
        m_dm = std::make_unique<TDM>();
        DM = m_dm.get();
        m_dm->setSession(&m_session);
        m_form = std::make_unique<TSamplerForm>();
        SamplerForm = m_form.get();
        m_form->show();
        m_form->FormOpen();
    }
    ~Sampler()
    {
        m_dm->dtUserSet->close();
        SamplerForm = nullptr;
        m_form.reset();
        DM = nullptr;
        m_dm.reset();
    }
    TSamplerForm& form() const { return *m_form; }
    store::Table& table() const { return *m_dm->dtUserSet; }

private:
    testsupport::TempDirCwd m_dir;
    store::Session m_session{store::SessionName};
    std::unique_ptr<TDM> m_dm;
    std::unique_ptr<TSamplerForm> m_form;
};

}  // namespace samplerfixture
