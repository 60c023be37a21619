#include "results/ReviewUnit.h"

#include "platform/Handler.h"
#include "store/Table.h"
#include "widgets/WindowStyle.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TReviewForm* ReviewForm = nullptr;

namespace {

// The four 16 x 16 pictures: a white square with a red "!", a blue tick, a red "M", a red cross.
QIcon drawIcon(ReviewModel::Icon icon)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(128, 128, 128));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    const QColor red(255, 0, 0), blue(0, 0, 255);
    switch (icon) {
    case ReviewModel::Incomplete:
        p.setPen(Qt::NoPen);
        p.setBrush(red);
        p.drawRect(QRectF(7, 3, 2, 7));
        p.drawRect(QRectF(7, 11.5, 2, 2));
        break;
    case ReviewModel::Complete:
        p.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(3.5, 8.5), QPointF(6.5, 11.5), QPointF(12.5, 4.5)}));
        break;
    case ReviewModel::Marked:
        p.setPen(QPen(red, 1.8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QPolygonF({QPointF(3.5, 12.5), QPointF(3.5, 3.5), QPointF(8, 9),
                                  QPointF(12.5, 3.5), QPointF(12.5, 12.5)}));
        break;
    case ReviewModel::Incorrect:
        p.setPen(QPen(red, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    return QIcon(pixmap);
}

// A right-aligned legend row: each icon followed by its text.
QWidget* legend(QWidget* parent, const QString& name, const QList<QIcon>& icons,
                const QList<std::pair<int, QString>>& entries)
{
    auto* row = new QWidget(parent);
    row->setObjectName(name);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(2);
    layout->addStretch(1);
    for (const auto& [index, text] : entries) {
        auto* picture = new QLabel(row);
        picture->setPixmap(icons[index].pixmap(16, 16));
        layout->addWidget(picture);
        layout->addWidget(new QLabel(text, row));
    }
    return row;
}

}  // namespace

TReviewForm::TReviewForm(QWidget* parent) : QDialog(parent, widgets::FixedDialogFrameNoIcons)
{
    setObjectName(QStringLiteral("ReviewForm"));
    setWindowTitle(QStringLiteral("Items Review"));
    widgets::setClientSize(this, 442, 372);
    for (Icon icon : {ReviewModel::Incomplete, ReviewModel::Complete, ReviewModel::Marked, ReviewModel::Incorrect})
        ImageList1.append(drawIcon(icon));

    Panel5 = legend(this, QStringLiteral("Panel5"), ImageList1,
                    {{ReviewModel::Incomplete, QStringLiteral(" - incomplete   ")},
                     {ReviewModel::Complete, QStringLiteral(" - complete   ")},
                     {ReviewModel::Marked, QStringLiteral(" - marked   ")}});
    Panel4 = legend(this, QStringLiteral("Panel4"), ImageList1,
                    {{ReviewModel::Incorrect, QStringLiteral(" - incorrect item   ")},
                     {ReviewModel::Complete, QStringLiteral(" - correct item   ")}});
    Panel4->hide();

    m_rows = new ReviewModel(ImageList1, this);
    ListView1 = new QListView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(m_rows);
    // Rows alike in size let the view place 100,000 of them without measuring each.
    ListView1->setUniformItemSizes(true);
    ListView1->setItemDelegate(new ReviewRowDelegate(m_rows, ListView1));
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(true);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setMouseTracking(true);  // hot tracking
    QFont listFont(QStringLiteral("MS Sans Serif"));
    listFont.setPixelSize(13);
    ListView1->setFont(listFont);

    BitBtn2 = new QPushButton(QStringLiteral("&Go to the selected question"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setFixedSize(309, 30);
    BitBtn2->setEnabled(false);
    BitBtn1 = new QPushButton(QStringLiteral("&Return"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setFixedSize(121, 30);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Panel5);
    layout->addWidget(Panel4);
    layout->addWidget(ListView1, 1);
    layout->addLayout(buttons);

    // The item under a resting pointer becomes the selection.
    auto* rest = new QTimer(this);
    rest->setSingleShot(true);
    rest->setInterval(400);
    connect(ListView1, &QListView::entered, this, [this, rest](const QModelIndex& entered) {
        rest->disconnect();
        connect(rest, &QTimer::timeout, this, [this, row = QPersistentModelIndex(entered)] {
            if (ListView1->underMouse() &&
                ListView1->indexAt(ListView1->viewport()->mapFromGlobal(QCursor::pos())) == row)
                ListView1->setCurrentIndex(row);
        });
        rest->start();
    });
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ListView1SelectItem(); });
    connect(ListView1, &QListView::doubleClicked, this, platform::handled([this] { ListView1DblClick(); }));
    connect(BitBtn2, &QPushButton::clicked, this, platform::handled([this] { BitBtn2Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

void TReviewForm::fill(const store::ItemStates& states, bool graded)
{
    m_rows->setSheet(states, graded);
    Panel4->setVisible(graded);
    Panel5->setVisible(!graded);
    BitBtn2->setEnabled(false);
}

void TReviewForm::ListView1SelectItem()
{
    BitBtn2->setEnabled(true);
}

void TReviewForm::ListView1DblClick()
{
    goToSelected();
}

void TReviewForm::BitBtn2Click()
{
    goToSelected();
}

void TReviewForm::BitBtn1Click()
{
    reject();
}

// Without a selected row there is no target, and nothing happens.
void TReviewForm::goToSelected()
{
    const QModelIndexList selected = ListView1->selectionModel()->selectedIndexes();
    if (selected.isEmpty() || !m_currentSet)
        return;
    m_currentSet->setRecNo(selected.first().row() + 1);
    accept();
}

void TReviewForm::done(int result)
{
    BitBtn2->setEnabled(false);
    QDialog::done(result);
}
