#pragma once
// The design of a banded report: the page setup, the four bands and the objects in them.
// Geometry is in millimetres from the top left corner of the band (or region) that holds an
// object; font sizes are in points. layoutReport() turns a design into pages of boxes.

#include "print/engine/RecordSource.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QRectF;

namespace report {

struct PageSetup {
    QSizeF paper{215.9, 279.4};  // Letter, portrait
    double margin = 6.35;        // on each side
    QString documentName;
    int pageLimit = 0;  // 0: as many pages as the report needs
};

struct TextStyle {
    QString family = QStringLiteral("Arial");
    double pointSize = 10;
    bool bold = false;
    bool italic = false;
    QColor colour = Qt::black;
    QColor background;  // invalid: transparent; also the ground of a rectangle

    QFont font() const;
};

enum class ObjectKind {
    Label,       // one line of fixed text
    Memo,        // lines of fixed text, word-wrapped
    DataText,    // one line: prefix, a field of the current record, suffix
    DataMemo,    // a field of the current record, word-wrapped
    Rectangle,   // a frame
    Line,        // a horizontal line `width` long
    CheckBox,    // a ticked or empty box after a boolean field
    Region,      // holds objects; may be hidden per record
    PrintDate,   // the date of printing
    PageNumber,  // "Page: " and the page number
    Chart,       // painted by `chart` at the object's size
};

// Where a one-line text stands: `left` is its left edge, its right edge or its centre.
enum class Anchor { Left, Right, Centre };

// Paints a chart into a rectangle given in the painter's device pixels.
using ChartPainter = std::function<void(QPainter&, const QRectF&)>;

class PrintContext;
// A region's print-time handler: called for each record just before the region prints;
// returns whether it prints.
using PrintHandler = std::function<bool(const PrintContext&)>;

struct ReportObject {
    ObjectKind kind = ObjectKind::Label;
    QString name;
    double left = 0;
    double top = 0;
    double width = 0;   // a text without width is as wide as its text
    double height = 0;  // a stretching object's height as designed
    Anchor anchor = Anchor::Left;
    TextStyle style;
    QString text;        // a label's caption
    QStringList lines;   // a memo's lines
    QString field;       // the field of a data-bound object
    QString prefix;      // around a data-bound text
    QString suffix;
    bool stretch = false;   // grows (or shrinks) with its text and moves what lies below
    double spaceBelow = 0;  // kept free below a stretching text
    // A memo's paragraph of up to this many lines is never split over two pages (0: any is).
    int keepLines = 0;
    ChartPainter chart;
    QList<ReportObject> children;  // a region's objects
    PrintHandler beforePrint;      // a region's handler
    bool visible = true;

    double bottom() const { return top + height; }
};

enum class BandKind { Title, GroupHeader, Header, Detail, Footer };

struct Band {
    BandKind kind = BandKind::Detail;
    double height = 0;     // as designed
    bool dynamic = false;  // grows and shrinks with the stretching objects in it
    QList<ReportObject> objects;  // painted in this order

    bool isEmpty() const { return height <= 0 && objects.isEmpty(); }
};

inline Band bandOf(BandKind kind)
{
    Band band;
    band.kind = kind;
    return band;
}

struct Report {
    PageSetup page;
    Band title = bandOf(BandKind::Title);    // on the first page only
    // Once, above the header that heads the first detail band: the heading of the records.
    Band groupHeader = bandOf(BandKind::GroupHeader);
    // Above the first detail band, then at the top of every page that detail bands continue on.
    // The group header, the header and the first detail band stand on one page.
    Band header = bandOf(BandKind::Header);
    Band detail = bandOf(BandKind::Detail);  // once per record, or repeated down the first page
    Band footer = bandOf(BandKind::Footer);  // at the bottom of every page
    // Walked from the first record to the last, one detail band each; it is left where the
    // walk ends (a source over a window's table puts the window's record back itself).
    // Without one the detail band is repeated, empty of data, down the rest of the first page.
    RecordSource* dataSource = nullptr;
    QDateTime printTime;  // the date printed; invalid: the time of laying out

    // The named object in any band or region; null when there is none.
    ReportObject* find(const QString& name);
    const ReportObject* find(const QString& name) const;
    // The named object; throws a std::logic_error that names the object and the report when
    // there is none, so a misspelt name fails at once instead of at print time.
    ReportObject& object(const QString& name);
};

// What a print-time handler may read while a record prints.
class PrintContext {
public:
    PrintContext(const Report& report, const RecordSource* record)
        : m_report(report), m_record(record)
    {
    }
    // The text the named data-bound object shows for the current record.
    QString shows(const QString& objectName) const;

private:
    const Report& m_report;
    const RecordSource* m_record;
};

// The text a data-bound object shows for the current record of `record` (empty without one).
QString shownText(const ReportObject& object, const RecordSource* record);
// Whether a check box is ticked for the current record of `record` (not without one).
bool isTicked(const ReportObject& checkBox, const RecordSource* record);

}  // namespace report
