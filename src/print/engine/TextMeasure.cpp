#include "print/engine/TextMeasure.h"

#include "platform/LineBreaks.h"

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QTextLayout>

#include <memory>

namespace report {

namespace {

constexpr double ReferenceDpi = 1200;
constexpr double MmPerPixel = 25.4 / ReferenceDpi;

QPaintDevice* referenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        const int dotsPerMetre = int(ReferenceDpi / 0.0254 + 0.5);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return &device;
}

struct Measured {
    QFont font;
    QFontMetricsF metrics;
};

}  // namespace

QString fontKey(const TextStyle& style)
{
    return QStringLiteral("%1|%2|%3|%4")
        .arg(style.family)
        .arg(style.pointSize)
        .arg(int(style.bold))
        .arg(int(style.italic));
}

namespace {

// One resolved font and its metrics per style; the program draws only on the GUI thread.
const Measured& measured(const TextStyle& style)
{
    static QHash<QString, std::shared_ptr<Measured>> cache;
    const QString key = fontKey(style);
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return **found;
    QFont font(style.font(), referenceDevice());
    auto entry = std::make_shared<Measured>(Measured{font, QFontMetricsF(font, referenceDevice())});
    cache.insert(key, entry);
    return *entry;
}

}  // namespace

QFont TextStyle::font() const
{
    QFont f(family);
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QFont measuringFont(const TextStyle& style)
{
    return measured(style).font;
}

LineMetrics lineMetrics(const TextStyle& style)
{
    const QFontMetricsF& metrics = measured(style).metrics;
    return LineMetrics{metrics.lineSpacing() * MmPerPixel, metrics.ascent() * MmPerPixel};
}

double textWidth(const TextStyle& style, const QString& text)
{
    return measured(style).metrics.horizontalAdvance(text) * MmPerPixel;
}

QStringList wrapText(const TextStyle& style, const QString& text, double width, QList<qsizetype>* paragraphStarts)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const Measured& m = measured(style);
    const double widthPx = width / MmPerPixel;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QStringList paragraphs = platform::unifiedLineBreaks(text).split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        if (paragraphStarts)
            paragraphStarts->append(lines.size());
        if (paragraph.isEmpty() || m.metrics.horizontalAdvance(paragraph) <= widthPx) {
            lines << paragraph;  // the common case needs no layout
            continue;
        }
        QTextLayout layout(paragraph, m.font, referenceDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthPx);
            QString piece = paragraph.mid(line.textStart(), line.textLength());
            while (piece.endsWith(QLatin1Char(' ')))  // the blank at a break is not drawn
                piece.chop(1);
            lines << piece;
        }
        layout.endLayout();
    }
    return lines;
}

}  // namespace report
