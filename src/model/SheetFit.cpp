#include "model/SheetFit.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace portdesk {

namespace {

// Clearance to a line (half its one-pixel pen and a little) and to the
// next text on the band.
constexpr int kLineGap = 15;
constexpr int kTextGap = 30;
// Sizes are tried in steps of a quarter point.
constexpr double kSizeStep = 0.25;

struct Segment {
    int at;       // x of a vertical segment, y of a horizontal one
    int from, to; // its extent along the other axis
};

struct Geometry {
    std::vector<Segment> vertical, horizontal;
};

Geometry geometryOf(const Sheet &sheet)
{
    Geometry g;
    for (const SheetLine &l : sheet.lines) {
        if (l.x1 == l.x2)
            g.vertical.push_back({l.x1, std::min(l.y1, l.y2), std::max(l.y1, l.y2)});
        else if (l.y1 == l.y2)
            g.horizontal.push_back({l.y1, std::min(l.x1, l.x2), std::max(l.x1, l.x2)});
    }
    for (const QRect &r : sheet.rectangles) {
        const QRectF o = outlineOf(r);
        const int left = int(o.left()), right = int(o.right()), top = int(o.top()),
                  bottom = int(o.bottom());
        g.vertical.push_back({left, top, bottom});
        g.vertical.push_back({right, top, bottom});
        g.horizontal.push_back({top, left, right});
        g.horizontal.push_back({bottom, left, right});
    }
    return g;
}

bool overlaps(int a0, int a1, int b0, int b1)
{
    return a0 < b1 && b0 < a1;
}

int emOf(const SheetText &t)
{
    return int(std::lround(t.points * 20));
}

// The band a text's first line occupies.
int bandEnd(const SheetText &t)
{
    return t.boxHeight > 0 ? t.top + t.boxHeight : t.top + emOf(t);
}

// The nearest obstacle to the right of `left` on the band [top, end).
int rightLimit(const Sheet &sheet, const Geometry &g, std::size_t self, int left, int *endsAt)
{
    const SheetText &t = sheet.texts[self];
    int limit = kSheetWidth - kTextGap;
    for (const Segment &s : g.vertical) {
        if (s.at > left && overlaps(s.from, s.to, t.top, bandEnd(t)))
            limit = std::min(limit, s.at - kLineGap);
    }
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        const SheetText &u = sheet.texts[i];
        if (i == self || !u.visible || u.left <= left ||
            !overlaps(u.top, bandEnd(u), t.top, bandEnd(t)))
            continue;
        if (u.left - kTextGap < limit) {
            limit = u.left - kTextGap;
            *endsAt = u.alignRight ? int(i) : -1;
        }
    }
    return limit;
}

// The nearest obstacle to the left, for a text that ends at its right
// edge: a line, or half the way back to the previous text.
int leftLimit(const Sheet &sheet, const Geometry &g, std::size_t self, int right)
{
    const SheetText &t = sheet.texts[self];
    int limit = 0;
    for (const Segment &s : g.vertical) {
        if (s.at < t.left && overlaps(s.from, s.to, t.top, bandEnd(t)))
            limit = std::max(limit, s.at + kLineGap);
    }
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        const SheetText &u = sheet.texts[i];
        if (i != self && u.visible && u.left < t.left && u.left >= limit &&
            overlaps(u.top, bandEnd(u), t.top, bandEnd(t)))
            limit = (u.left + right) / 2;
    }
    return limit;
}

int bottomLimit(const Sheet &sheet, const Geometry &g, std::size_t self)
{
    const SheetText &t = sheet.texts[self];
    const int left = t.cell.left(), right = t.cell.left() + t.cell.width();
    int limit = kSheetHeight;
    for (const Segment &s : g.horizontal) {
        if (s.at > t.top && overlaps(s.from, s.to, left, right))
            limit = std::min(limit, s.at - kLineGap);
    }
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        const SheetText &u = sheet.texts[i];
        if (i != self && u.visible && u.top > t.top &&
            overlaps(u.cell.left(), u.cell.left() + u.cell.width(), left, right))
            limit = std::min(limit, u.top);
    }
    return limit;
}

// Breaks a paragraph into lines no wider than `room`: at line-break
// opportunities, and inside a word only when the word alone is too wide.
QStringList wrapped(const QString &paragraph, double room,
                    const std::function<double(const QString &)> &width, bool splitWords)
{
    QStringList lines;
    QString line;
    const auto fits = [&](const QString &s) { return width(s.trimmed()) <= room; };
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, paragraph);
    qsizetype start = 0;
    while (start < paragraph.size()) {
        qsizetype end = breaks.toNextBoundary();
        if (end < 0)
            end = paragraph.size();
        const QString word = paragraph.mid(start, end - start);
        start = end;
        if (fits(line + word)) {
            line += word;
            continue;
        }
        if (!line.trimmed().isEmpty())
            lines.push_back(line.trimmed());
        line.clear();
        if (!splitWords && !fits(word))
            return {};
        // A word wider than the room: as many characters as fit on each line.
        QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, word);
        qsizetype from = 0;
        while (from < word.size()) {
            const qsizetype to = characters.toNextBoundary();
            const QString cluster = word.mid(from, to - from);
            from = to;
            if (!line.isEmpty() && !fits(line + cluster)) {
                lines.push_back(line.trimmed());
                line.clear();
            }
            line += cluster;
        }
    }
    if (!line.trimmed().isEmpty() || lines.isEmpty())
        lines.push_back(line.trimmed());
    return lines;
}

struct Trial {
    double points, stretch;
    QStringList lines;
};

// Condensed onto the lines the text already has, or nothing.
std::optional<Trial> condensed(const SheetText &t, const QStringList &paragraphs, double room,
                               const SheetMetrics &m)
{
    for (double points = t.points; points >= t.points * kMinSize - 1e-9; points -= kSizeStep) {
        double widest = 0;
        for (const QString &p : paragraphs)
            widest = std::max(widest, m.width(t, points, p));
        if (widest * kMinStretch <= room)
            return Trial{points, widest <= room ? 1.0 : room / widest, paragraphs};
    }
    return std::nullopt;
}

} // namespace

void placeCells(Sheet &sheet)
{
    const Geometry g = geometryOf(sheet);
    // Across first, for every text; then down, which needs the others' widths.
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        SheetText &t = sheet.texts[i];
        t.endsAt = -1;
        if (t.boxWidth > 0) {
            t.cell = QRect(t.left, t.top, t.boxWidth, t.boxHeight);
            continue;
        }
        int dummy = -1;
        const int right = rightLimit(sheet, g, i, t.left, t.alignRight ? &dummy : &t.endsAt);
        const int left = t.alignRight ? leftLimit(sheet, g, i, right) : t.left;
        t.cell = QRect(left, t.top, std::max(0, right - left), 0);
    }
    for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
        SheetText &t = sheet.texts[i];
        if (t.boxWidth == 0)
            t.cell.setHeight(std::max(0, bottomLimit(sheet, g, i) - t.top));
    }
}

FittedText fitText(const SheetText &t, const QRectF &cell, const SheetMetrics &m)
{
    FittedText fit;
    fit.cell = cell;
    fit.points = t.points;
    if (t.text.isEmpty() || !t.visible)
        return fit;
    const QStringList paragraphs = t.text.split(QStringLiteral("\r\n"));
    const double room = cell.width();
    const auto linesFit = [&](const Trial &trial) {
        // A single line keeps its Top whatever the cell's height.
        return trial.lines.size() <= paragraphs.size() ||
               trial.lines.size() * m.lineHeight(t, trial.points) <= cell.height();
    };
    const auto wrapAt = [&](double points, double stretch = kMinStretch, bool splitWords = true) {
        QStringList lines;
        for (const QString &p : paragraphs) {
            const QStringList more = wrapped(
                p, room / stretch, [&](const QString &s) { return m.width(t, points, s); },
                splitWords);
            if (more.isEmpty())
                return Trial{points, stretch, {}};
            lines += more;
        }
        return Trial{points, stretch, lines};
    };

    const double smallest = std::ceil(t.points * kMinSize / kSizeStep) * kSizeStep;
    std::optional<Trial> chosen;
    // A box drawn to wrap its lines wraps them before anything else.
    if (t.wrap) {
        Trial trial = wrapAt(t.points, 1, false);
        if (!trial.lines.isEmpty() &&
            trial.lines.size() * m.lineHeight(t, t.points) <= cell.height())
            chosen = trial;
    }
    if (!chosen)
        chosen = condensed(t, paragraphs, room, m);
    // Wrapping needs room for one more line than the text has, at least.
    const bool wraps = (paragraphs.size() + 1) * m.lineHeight(t, smallest) <= cell.height();
    if (!chosen && wraps) {
        for (double points = t.points; points >= t.points * kMinSize - 1e-9; points -= kSizeStep) {
            Trial trial = wrapAt(points);
            if (linesFit(trial)) {
                chosen = trial;
                break;
            }
        }
    }
    if (!chosen) {
        // Cut: the smallest size, as many lines as the cell holds, the rest
        // run on in the last one and clipped at the cell's edge.
        Trial trial = wrapAt(smallest);
        const double height = m.lineHeight(t, trial.points);
        const qsizetype kept =
            std::max<qsizetype>({1, paragraphs.size(), qsizetype(cell.height() / height)});
        if (trial.lines.size() > kept) {
            const QStringList rest = trial.lines.mid(kept - 1);
            trial.lines = trial.lines.mid(0, kept - 1);
            trial.lines.push_back(rest.join(QString()));
        }
        chosen = trial;
        fit.cut = true;
    }

    fit.points = chosen->points;
    fit.stretch = chosen->stretch;
    fit.lines = chosen->lines;
    const double height = m.lineHeight(t, fit.points);
    double widest = 0;
    for (const QString &line : fit.lines)
        widest = std::max(widest, m.width(t, fit.points, line) * fit.stretch);
    for (qsizetype i = 0; i < fit.lines.size(); ++i) {
        const double w = m.width(t, fit.points, fit.lines[i]) * fit.stretch;
        double x = t.left;
        if (t.boxWidth > 0)
            x = cell.left() + (cell.width() - w) / 2;
        else if (t.alignRight)
            x = cell.right() - w;
        else if (t.centred)
            x = t.left + (widest - w) / 2;
        // What does not fit shows its beginning.
        x = std::max(x, cell.left());
        fit.boxes.emplace_back(x, t.top + i * height, w, height);
        if (x + w > cell.right() + 0.5)
            fit.cut = true;
    }
    return fit;
}

std::vector<FittedText> fitSheet(const Sheet &sheet, const SheetMetrics &metrics)
{
    std::vector<FittedText> fits(sheet.texts.size());
    // Right-aligned texts first: the ones before them end where they begin.
    for (const bool rightAligned : {true, false}) {
        for (std::size_t i = 0; i < sheet.texts.size(); ++i) {
            const SheetText &t = sheet.texts[i];
            if (t.alignRight != rightAligned)
                continue;
            QRectF cell(t.cell);
            if (t.endsAt >= 0) {
                const FittedText &next = fits[std::size_t(t.endsAt)];
                const double start =
                    next.boxes.empty() ? next.cell.right() : next.boxes.front().left();
                cell.setRight(std::max(cell.left(), start - kTextGap));
            }
            fits[i] = fitText(t, cell, metrics);
        }
    }
    return fits;
}

} // namespace portdesk
