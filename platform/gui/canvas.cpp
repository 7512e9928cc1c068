#include "platform/gui/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace sps {

namespace {

constexpr double kPi = 3.14159265358979323846;

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QPolygon ToPolygon(const std::vector<TPoint>& points)
{
    QPolygon poly(static_cast<int>(points.size()));
    for (size_t i = 0; i < points.size(); i++)
        poly.setPoint(static_cast<int>(i), points[i].X, points[i].Y);
    return poly;
}

// Ray angle of (x, y) seen from the centre of the box, as Qt's parametric
// ellipse angle in degrees (counter-clockwise on the device).
double RayAngle(double cx, double cy, double rx, double ry, double x, double y)
{
    double dx = x - cx, dy = cy - y;
    if (rx > 0 && ry > 0) {
        dx /= rx;
        dy /= ry;
    }
    return std::atan2(dy, dx) * 180.0 / kPi;
}

// Lines of the text broken at blanks so that each fits the width where it can;
// a word wider than the width keeps a line of its own. Line breaks in the text
// start new lines.
QStringList WrapLines(const QFontMetrics& fm, const QString& text, int width)
{
    QStringList lines;
    for (const QString& paragraph : text.split('\n')) {
        QString line;
        for (const QString& word : paragraph.split(' ', Qt::SkipEmptyParts)) {
            QString candidate = line.isEmpty() ? word : line + ' ' + word;
            if (line.isEmpty() || fm.horizontalAdvance(candidate) <= width) {
                line = candidate;
            } else {
                lines.push_back(line);
                line = word;
            }
        }
        lines.push_back(line);
    }
    return lines;
}

} // namespace

QColor ToQColor(TColor color) { return QColor(RedOf(color), GreenOf(color), BlueOf(color)); }

TColor FromQColor(const QColor& color) { return RGB(color.red(), color.green(), color.blue()); }

TQtCanvas::TQtCanvas(QPainter* painter, bool printer) : painter_(painter), printer_(printer) {}

void TQtCanvas::SetPainter(QPainter* painter, bool printer)
{
    painter_ = painter;
    printer_ = printer;
    fontValid_ = false;
}

QPaintDevice* TQtCanvas::Device() const { return painter_ != nullptr ? painter_->device() : nullptr; }

int TQtCanvas::PixelsPerInch() const
{
    QPaintDevice* d = Device();
    return d != nullptr ? d->logicalDpiY() : 96;
}

QFont TQtCanvas::QtFont()
{
    int ppi = PixelsPerInch();
    if (!fontValid_ || !(cachedFont_ == Font) || fontPpi_ != ppi) {
        TFont f = Font;
        f.Size = std::clamp(f.Size, 1, 1000);
        QFont q(Q(f.Name.empty() ? std::string(kDefaultFontName) : f.Name));
        q.setPixelSize(std::max(1, CharHeightOf(f)));
        q.setBold((f.Style & fsBold) != 0);
        q.setItalic((f.Style & fsItalic) != 0);
        q.setUnderline((f.Style & fsUnderline) != 0);
        q.setStrikeOut((f.Style & fsStrikeOut) != 0);
        q.setKerning(false);
        qfont_ = q;
        cachedFont_ = Font;
        fontPpi_ = ppi;
        fontValid_ = true;
    }
    return qfont_;
}

QPen TQtCanvas::QtPen() const
{
    if (Pen.Style == psClear)
        return QPen(Qt::NoPen);
    int width = std::clamp(Pen.Width, 0, 10000);
    QPen pen(ToQColor(Pen.Color));
    pen.setWidth(std::max(1, width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    Qt::PenStyle style = Qt::SolidLine;
    switch (Pen.Style) {
    case psDash: style = Qt::DashLine; break;
    case psDot: style = Qt::DotLine; break;
    case psDashDot: style = Qt::DashDotLine; break;
    case psDashDotDot: style = Qt::DashDotDotLine; break;
    default: break;
    }
    if (style != Qt::SolidLine) {
        // Dash patterns are in pen widths; keep them as long as on a screen of
        // 96 pixels per inch, so dotted lines stay visible on printers.
        qreal unit = std::max<qreal>(1.0, PixelsPerInch() / 96.0 / pen.widthF());
        QPen proto(style);
        QList<qreal> pattern = proto.dashPattern();
        for (qreal& v : pattern)
            v *= unit;
        pen.setDashPattern(pattern);
    }
    return pen;
}

void TQtCanvas::UsePen() { painter_->setPen(QtPen()); }

void TQtCanvas::UseBrush()
{
    Qt::BrushStyle style = Qt::SolidPattern;
    switch (Brush.Style) {
    case bsClear: style = Qt::NoBrush; break;
    case bsHorizontal: style = Qt::HorPattern; break;
    case bsVertical: style = Qt::VerPattern; break;
    case bsFDiagonal: style = Qt::BDiagPattern; break;
    case bsBDiagonal: style = Qt::FDiagPattern; break;
    case bsCross: style = Qt::CrossPattern; break;
    case bsDiagCross: style = Qt::DiagCrossPattern; break;
    default: break;
    }
    painter_->setBrush(QBrush(ToQColor(Brush.Color), style));
}

void TQtCanvas::UseNoBrush() { painter_->setBrush(Qt::NoBrush); }

void TQtCanvas::MoveTo(int x, int y) { penPos_ = {x, y}; }

void TQtCanvas::LineTo(int x, int y)
{
    if (painter_ != nullptr) {
        UsePen();
        painter_->drawLine(penPos_.X, penPos_.Y, x, y);
    }
    penPos_ = {x, y};
    Changed();
}

void TQtCanvas::Polyline(const std::vector<TPoint>& points)
{
    if (painter_ == nullptr || points.empty())
        return;
    UsePen();
    UseNoBrush();
    painter_->drawPolyline(ToPolygon(points));
    Changed();
}

void TQtCanvas::Polygon(const std::vector<TPoint>& points)
{
    if (painter_ == nullptr || points.empty())
        return;
    UsePen();
    UseBrush();
    painter_->drawPolygon(ToPolygon(points));
    Changed();
}

void TQtCanvas::PolyBezier(const std::vector<TPoint>& points)
{
    if (painter_ == nullptr || points.size() < 4)
        return;
    QPainterPath path(QPointF(points[0].X, points[0].Y));
    for (size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X, points[i + 2].Y);
    UsePen();
    UseNoBrush();
    painter_->drawPath(path);
    Changed();
}

void TQtCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (painter_ == nullptr)
        return;
    double cx = (x1 + x2) / 2.0, cy = (y1 + y2) / 2.0;
    double rx = std::abs(x2 - x1) / 2.0, ry = std::abs(y2 - y1) / 2.0;
    double a1 = RayAngle(cx, cy, rx, ry, x3, y3);
    double a2 = RayAngle(cx, cy, rx, ry, x4, y4);
    double span = a2 - a1;
    while (span <= 0)
        span += 360.0;
    while (span > 360.0)
        span -= 360.0;
    UsePen();
    UseNoBrush();
    QRectF box(std::min(x1, x2), std::min(y1, y2), 2 * rx, 2 * ry);
    painter_->drawArc(box, static_cast<int>(std::nearbyint(a1 * 16)), static_cast<int>(std::nearbyint(span * 16)));
    Changed();
}

void TQtCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (painter_ == nullptr)
        return;
    UsePen();
    UseBrush();
    painter_->drawEllipse(QRectF(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1), std::abs(y2 - y1)));
    Changed();
}

void TQtCanvas::Rectangle(int x1, int y1, int x2, int y2)
{
    if (painter_ == nullptr)
        return;
    QRect r(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
    if (Brush.Style != bsClear) {
        UseBrush();
        painter_->fillRect(r, painter_->brush());
    }
    if (Pen.Style != psClear) {
        UsePen();
        UseNoBrush();
        // Qt strokes a QRect one pixel wider and higher than its size.
        painter_->drawRect(QRect(r.left(), r.top(), r.width() - 1, r.height() - 1));
    }
    Changed();
}

void TQtCanvas::FillRect(const TRect& rect)
{
    if (painter_ == nullptr)
        return;
    UseBrush();
    painter_->fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), painter_->brush());
    Changed();
}

void TQtCanvas::PlaceText(int x, int y, const QString& text, int& left, int& baseline, int& width)
{
    QFontMetrics fm(QtFont(), Device());
    width = fm.horizontalAdvance(text);
    int h = TextAlign & taCenter;
    left = h == taCenter ? x - width / 2 : h == taRight ? x - width : x;
    int v = TextAlign & taBaseline;
    baseline = v == taBaseline ? y : v == taBottom ? y - fm.descent() : y + fm.ascent();
}

void TQtCanvas::TextOut(int x, int y, const std::string& text)
{
    if (painter_ == nullptr)
        return;
    QString s = Q(text);
    int left, baseline, width;
    PlaceText(x, y, s, left, baseline, width);
    QFontMetrics fm(QtFont(), Device());
    if (Brush.Style == bsSolid)
        painter_->fillRect(QRect(left, baseline - fm.ascent(), width, fm.ascent() + fm.descent()),
                           ToQColor(Brush.Color));
    painter_->setFont(QtFont());
    painter_->setPen(ToQColor(Font.Color));
    painter_->drawText(QPoint(left, baseline), s);
    Changed();
}

void TQtCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text)
{
    if (painter_ == nullptr)
        return;
    QRect clip(rect.Left, rect.Top, rect.Width(), rect.Height());
    painter_->save();
    if (Brush.Style == bsSolid)
        painter_->fillRect(clip, ToQColor(Brush.Color));
    painter_->setClipRect(clip, Qt::IntersectClip);
    QString s = Q(text);
    int left, baseline, width;
    PlaceText(x, y, s, left, baseline, width);
    painter_->setFont(QtFont());
    painter_->setPen(ToQColor(Font.Color));
    painter_->drawText(QPoint(left, baseline), s);
    painter_->restore();
    Changed();
}

void TQtCanvas::DrawText(const TRect& rect, const std::string& text, int flags)
{
    if (painter_ == nullptr)
        return;
    QFontMetrics fm(QtFont(), Device());
    QStringList lines = (flags & dtWordBreak) ? WrapLines(fm, Q(text), rect.Width()) : QStringList{Q(text)};
    painter_->setFont(QtFont());
    painter_->setPen(ToQColor(Font.Color));
    int y = rect.Top + fm.ascent();
    for (const QString& line : lines) {
        int w = fm.horizontalAdvance(line);
        int x = (flags & dtRight) ? rect.Right - w : (flags & dtCenter) ? rect.Left + (rect.Width() - w) / 2 : rect.Left;
        painter_->drawText(QPoint(x, y), line);
        y += fm.height();
    }
    Changed();
}

void TQtCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap)
{
    if (painter_ == nullptr || bitmap.GetEmpty())
        return;
    QImage image(bitmap.GetWidth(), bitmap.GetHeight(), QImage::Format_RGB32);
    const std::vector<TColor>& px = bitmap.Pixels();
    for (int y = 0; y < bitmap.GetHeight(); y++) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.GetWidth(); x++) {
            TColor c = px[static_cast<size_t>(y) * static_cast<size_t>(bitmap.GetWidth()) + static_cast<size_t>(x)];
            line[x] = qRgb(static_cast<int>(RedOf(c)), static_cast<int>(GreenOf(c)), static_cast<int>(BlueOf(c)));
        }
    }
    painter_->drawImage(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), image);
    Changed();
}

int TQtCanvas::TextWidth(const std::string& text)
{
    return QFontMetrics(QtFont(), Device()).horizontalAdvance(Q(text));
}

int TQtCanvas::TextHeight(const std::string&) { return QFontMetrics(QtFont(), Device()).height(); }

int TQtCanvas::WrappedTextHeight(int width, const std::string& text)
{
    if (text.empty())
        return 0;
    QFontMetrics fm(QtFont(), Device());
    return static_cast<int>(WrapLines(fm, Q(text), width).size()) * fm.height();
}

} // namespace sps
