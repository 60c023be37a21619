#pragma once
// The test sampler: the editor of the user question set. The user writes items of their own,
// browses, changes and deletes them, or empties the whole set. The data module (TDM) owns the
// table and tells this window what changed; the window keeps its texts and command states in
// step. Built in SamplerUnit.cpp; its commands are in SamplerCommands.cpp, Save in SamplerSave.cpp.

#include "store/Fields.h"
#include "store/ItemCheck.h"
#include "store/Table.h"

#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QToolBar;
struct UserSetData;

namespace widgets {
class DBItemTree;
class DBNavigator;
class FieldMapper;
class OutlinedLabel;
}  // namespace widgets

class TSamplerForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TSamplerForm(QWidget* parent = nullptr);

    // Main menu. Further item commands go into Items1.
    QMenu* File1;
    QAction* Exit1;
    QMenu* Items1;
    QAction* Emptyquestionset1;  // "E&mpty question set", menu only, always enabled
    QAction* Importquestions1;   // "&Import questions...": a GIFT, Aiken, ... file into the set
    QAction* Exportquestions1;   // "Ex&port questions...": the whole set into such a file
    QMenu* Help1;
    QAction* About1;
    // The item commands, shared by the menu, the tool bar and the tree's context menu.
    QAction* AddAct;
    QAction* EditAct;
    QAction* DelAct;
    QToolBar* ToolBar1;
    QMenu* PopupMenu1;

    QSplitter* Splitter1;
    widgets::DBItemTree* fcDBTreeView1;
    widgets::OutlinedLabel* fcLabel4;  // the heading band
    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // "Test question"
    QWidget* TabSheet2;  // "Type, Section"
    QWidget* TabSheet3;  // "Responce choices"
    QWidget* TabSheet4;  // "Explanation"
    QPlainTextEdit* DBMemo1;  // Q_TEXT
    QComboBox* ComboBox1;     // Q_TYPE: "Single responce", "Multiple responces"
    QListWidget* ListBox1;    // Q_SECT: the section names
    QScrollArea* ScrollBox1;  // the choices' scroll area
    std::array<QCheckBox*, store::field::AnswerCount> DBCheckBoxes{};  // DBCheckBox1..6: A1..A6
    std::array<QLineEdit*, store::field::AnswerCount> DBEdits{};       // DBEdit2..7: Q1..Q6
    QPlainTextEdit* DBMemo2;  // Q_EXPL
    widgets::DBNavigator* DBNavigator1;
    QPushButton* BitBtn1;  // "Save"
    QPushButton* BitBtn2;  // "Cancel"
    widgets::FieldMapper* FieldMapper1 = nullptr;

    // The status bar's panels, 70, 80, 100 and 100 pixels wide.
    enum Panel { ItemPanel, CountPanel, StatePanel, ModificationPanel };
    QLabel* StatusPanel(Panel panel) const { return m_panels[size_t(panel)]; }

    // The about box, shown by "A&bout"; start-up gives it.
    QDialog* AboutBox = nullptr;

    // What the launcher does before showing the window: refill the section list, open the
    // user set and show the first page.
    void FormOpen();

    void AddActExecute();
    void EditActExecute();
    void DelActExecute();
    void EmptyquestionsetClick();
    void ImportquestionsClick();
    void ExportquestionsClick();
    void BitBtn1Click();  // Save
    void BitBtn2Click();  // Cancel
    void Exit1Click();
    void About1Click();
    void ComboBox1Change();
    void ListBox1Click();
    // Answers whether the window may close; asks first.
    void FormCloseQuery(bool& canClose);
    void FormClose();
    // Sets the enabled state of the item commands (import and export too), the tree and the
    // navigator.
    void EnableActions(bool enabled);
    // Makes each choice text box as wide as the scroll area allows.
    void ArrangeChoices();
    // Type and section are not bound: the type box and the section list show the browsed
    // record's here, and only Save (through shownItem) writes them.
    void showTypeAndSection(bool multipleResponse, int section);
    // What the data module reports: the table's new state, and the data after a change.
    void showUserSetState(store::DataSetState state);
    void showUserSetData(const UserSetData& data);

    // The type box's entries.
    static inline const QString SingleResponse = QStringLiteral("Single responce");
    static inline const QString MultipleResponse = QStringLiteral("Multiple responces");

signals:
    // The window has closed; the launcher comes back.
    void formClosed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildMenu();
    void buildToolBar();
    QWidget* buildEditingArea();
    QWidget* buildQuestionPage();
    QWidget* buildTypePage();
    QWidget* buildChoicesPage();
    QWidget* buildExplanationPage();
    void buildStatusBar();
    void bindFields();
    // Begins editing the browsed item without touching the commands.
    void beginEditingByChoice();
    // The section chosen in the list, 1 to 4; 0 when none is.
    int chosenSection() const;
    // The current record as the controls show it: the bound fields, the shown type, the
    // chosen section and the key boxes' check state.
    store::ItemRecord shownItem() const;
    // Refuses an item whose choices break an item rule: says which and where to mend it,
    // and shows that page. True when refused.
    bool refusedForItsAnswers(const store::ItemRecord& item);
    bool editingOrAdding() const;

    std::array<QLabel*, 4> m_panels{};
};

extern TSamplerForm* SamplerForm;
