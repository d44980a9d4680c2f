#include "gui/app/Icons.h"

#include "gui/app/CommandIds.h"
#include "gui/diagrams/DiagramIds.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <unordered_map>

namespace zarva::gui {
namespace {

using Draw = std::function<void(QPainter&)>;
using PictureTable = std::unordered_map<int, Draw>;

const QColor kInk(0x3a, 0x3f, 0x4b);
const QColor kBlue(0x2b, 0x6c, 0xb0);
const QColor kGreen(0x2f, 0x85, 0x5a);
const QColor kRed(0xc5, 0x30, 0x30);
const QColor kOrange(0xdd, 0x6b, 0x20);
const QColor kYellow(0xe8, 0xb9, 0x2c);
const QColor kGrey(0x8a, 0x94, 0xa6);
const QColor kPaper(0xff, 0xff, 0xff);

QPen Pen(const QColor& colour, double width = 2.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 6, r.top());
    path.lineTo(r.right(), r.top() + 6);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Pen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawPath(path);
}

void Sine(QPainter& p, const QRectF& r, const QColor& colour, double cycles = 1.0, double harmonic = 0.0,
          double width = 2.0)
{
    QPainterPath path;
    for (int i = 0; i <= 40; ++i) {
        const double x = i / 40.0;
        const double angle = 2 * M_PI * cycles * x;
        const double y = std::sin(angle) + harmonic * std::sin(3 * angle);
        const QPointF point(r.left() + x * r.width(), r.center().y() - y * r.height() / (2 * (1 + harmonic)));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    p.setPen(Pen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, double width = 2.0)
{
    p.setPen(Pen(colour, width));
    p.drawLine(from, to);
    const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
    const double head = 5.0;
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{to, to - QPointF(head * std::cos(angle - 0.5), head * std::sin(angle - 0.5)),
                            to - QPointF(head * std::cos(angle + 0.5), head * std::sin(angle + 0.5))});
}

void Glyph(QPainter& p, const QRectF& r, const QString& text, const QColor& colour)
{
    QFont font = p.font();
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"), QStringLiteral("Tahoma")});
    font.setBold(true);
    font.setPixelSize(static_cast<int>(r.height()));
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, text);
}

void Folder(QPainter& p)
{
    p.setPen(Pen(QColor(0xb7, 0x79, 0x1f), 1.5));
    p.setBrush(QColor(0xf6, 0xd3, 0x65));
    p.drawPolygon(QPolygonF{{3, 9}, {12, 9}, {15, 12}, {29, 12}, {29, 27}, {3, 27}});
    p.setBrush(QColor(0xfa, 0xe0, 0x8a));
    p.drawPolygon(QPolygonF{{3, 27}, {7, 16}, {31, 16}, {29, 27}});
}

void Floppy(QPainter& p)
{
    p.setPen(Pen(kInk, 1.5));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0xe2, 0xe8, 0xf0));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void Magnifier(QPainter& p, QPointF centre, double radius)
{
    p.setPen(Pen(kInk, 2.5));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.6, radius * 1.6));
    p.setPen(Pen(kInk, 2));
    p.setBrush(QColor(0xbe, 0xe3, 0xf8, 200));
    p.drawEllipse(centre, radius, radius);
}

void Gear(QPainter& p, QPointF c, double r)
{
    p.setPen(Pen(kInk, 1.5));
    p.setBrush(kGrey);
    QPolygonF teeth;
    for (int i = 0; i < 16; ++i) {
        const double angle = i * M_PI / 8;
        const double radius = i % 2 == 0 ? r : r * 0.75;
        teeth << c + QPointF(radius * std::cos(angle), radius * std::sin(angle));
    }
    p.drawPolygon(teeth);
    p.setBrush(kPaper);
    p.drawEllipse(c, r * 0.3, r * 0.3);
}

void Cross(QPainter& p, QPointF c, double size)
{
    p.setPen(Pen(kRed, 3));
    p.drawLine(c + QPointF(-size, -size), c + QPointF(size, size));
    p.drawLine(c + QPointF(-size, size), c + QPointF(size, -size));
}

void SquareWave(QPainter& p, const QColor& colour)
{
    p.setPen(Pen(colour, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF{{3, 22}, {9, 22}, {9, 10}, {17, 10}, {17, 22}, {23, 22}, {23, 10}, {29, 10}});
}

void Cursor(QPainter& p, bool vertical, const QColor& colour, const QString& number)
{
    Sine(p, QRectF(3, 8, 26, 16), kGrey, 1.0, 0.0, 1.5);
    p.setPen(Pen(colour, 2.5));
    if (vertical)
        p.drawLine(QPointF(12, 3), QPointF(12, 29));
    else
        p.drawLine(QPointF(3, 12), QPointF(29, 12));
    Glyph(p, vertical ? QRectF(16, 17, 14, 14) : QRectF(16, 16, 14, 14), number, colour);
}

void ZoomArrows(QPainter& p, bool horizontal, bool in)
{
    if (horizontal) {
        Arrow(p, {16, 9}, {in ? 29.0 : 19.0, 9}, kBlue);
        Arrow(p, {16, 9}, {in ? 3.0 : 13.0, 9}, kBlue);
        p.setPen(Pen(kBlue, 2));
        p.drawLine(QPointF(in ? 16 : 3, 4), QPointF(in ? 16 : 3, 14));
        if (!in)
            p.drawLine(QPointF(29, 4), QPointF(29, 14));
    } else {
        Arrow(p, {9, 16}, {9, in ? 3.0 : 13.0}, kBlue);
        Arrow(p, {9, 16}, {9, in ? 29.0 : 19.0}, kBlue);
    }
    Glyph(p, QRectF(15, 15, 16, 16), in ? QStringLiteral("+") : QStringLiteral("−"), kInk);
}

void Transformer(QPainter& p, bool primary)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(Pen(primary ? kBlue : kGrey, primary ? 3 : 2));
    p.drawEllipse(QPointF(12, 16), 8, 8);
    p.setPen(Pen(primary ? kGrey : kBlue, primary ? 2 : 3));
    p.drawEllipse(QPointF(20, 16), 8, 8);
}

void Line(QPainter& p)
{
    p.setPen(Pen(kInk, 1.5));
    p.setBrush(kGrey);
    p.drawRect(QRectF(2, 12, 5, 8));
    p.drawRect(QRectF(25, 12, 5, 8));
    p.setPen(Pen(kBlue, 2));
    p.drawLine(QPointF(7, 16), QPointF(25, 16));
}

void Lightning(QPainter& p, QPointF at, double scale)
{
    p.setPen(Pen(QColor(0xb7, 0x79, 0x1f), 1));
    p.setBrush(kYellow);
    QPolygonF bolt{{6, 0}, {1, 9}, {5, 9}, {2, 17}, {10, 6}, {6, 6}, {9, 0}};
    for (QPointF& point : bolt)
        point = at + point * scale;
    p.drawPolygon(bolt);
}

void Windows(QPainter& p, const std::vector<QRectF>& rects)
{
    for (const QRectF& r : rects) {
        p.setPen(Pen(kInk, 1.5));
        p.setBrush(kPaper);
        p.drawRect(r);
        p.setBrush(kBlue);
        p.drawRect(QRectF(r.left(), r.top(), r.width(), 4));
    }
}

// The file menu.
void AddFilePictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kFileOpen, [](QPainter& p) { Folder(p); Arrow(p, {22, 14}, {22, 3}, kGreen, 2.5); }},
        {cmd::kFileSave, [](QPainter& p) { Floppy(p); }},
        {cmd::kFileSaveAs, [](QPainter& p) {
             Floppy(p);
             p.setPen(Pen(kOrange, 4));
             p.drawLine(QPointF(18, 29), QPointF(30, 17));
         }},
        {cmd::kFileFinder, [](QPainter& p) { Folder(p); Magnifier(p, {20, 17}, 6); }},
        {cmd::kPageSetup, [](QPainter& p) {
             Page(p, QRectF(6, 3, 20, 26));
             p.setPen(QPen(kBlue, 1.2, Qt::DashLine));
             p.drawRect(QRectF(10, 8, 12, 17));
         }},
        {cmd::kPrintPreview, [](QPainter& p) { Page(p, QRectF(4, 3, 20, 26)); Magnifier(p, {18, 17}, 6); }},
        {cmd::kPrint, [](QPainter& p) {
             Page(p, QRectF(9, 3, 14, 12));
             p.setPen(Pen(kInk, 1.5));
             p.setBrush(kGrey);
             p.drawRoundedRect(QRectF(3, 13, 26, 12), 2, 2);
             p.setBrush(kPaper);
             p.drawRect(QRectF(9, 21, 14, 8));
         }},
        {cmd::kFileParameters, [](QPainter& p) {
             Page(p, QRectF(4, 3, 20, 26));
             p.setPen(Pen(kBlue, 1.5));
             p.setBrush(kBlue);
             p.drawEllipse(QPointF(22, 22), 8, 8);
             Glyph(p, QRectF(14, 14, 16, 16), QStringLiteral("i"), kPaper);
         }},
        {cmd::kComments, [](QPainter& p) {
             p.setPen(Pen(QColor(0xb7, 0x79, 0x1f), 1.5));
             p.setBrush(QColor(0xfe, 0xf3, 0xc7));
             p.drawPolygon(QPolygonF{{3, 5}, {29, 5}, {29, 22}, {14, 22}, {8, 29}, {9, 22}, {3, 22}});
             p.setPen(Pen(kGrey, 1.5));
             for (const double y : {10.0, 14.0, 18.0})
                 p.drawLine(QPointF(7, y), QPointF(25, y));
         }},
        {cmd::kLoadSettings, [](QPainter& p) { Gear(p, {13, 17}, 11); Arrow(p, {26, 3}, {26, 18}, kGreen, 2.5); }},
        {cmd::kProgramSettings, [](QPainter& p) { Gear(p, {16, 16}, 13); }},
        {cmd::kFileClose, [](QPainter& p) { Page(p, QRectF(4, 3, 20, 26)); Cross(p, {22, 22}, 5); }},
        {cmd::kExit, [](QPainter& p) {
             p.setPen(Pen(kInk, 1.5));
             p.setBrush(kPaper);
             p.drawRect(QRectF(4, 3, 16, 26));
             Arrow(p, {14, 16}, {29, 16}, kRed, 2.5);
         }},
    });
}

// Merging records, undo and redo.
void AddMergePictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kPasteForMerge, [](QPainter& p) {
             p.setPen(Pen(kInk, 1.5));
             p.setBrush(QColor(0xc0, 0x8a, 0x4a));
             p.drawRoundedRect(QRectF(4, 5, 20, 24), 2, 2);
             p.setBrush(kGrey);
             p.drawRect(QRectF(9, 2, 10, 5));
             Page(p, QRectF(13, 11, 16, 19));
             Sine(p, QRectF(15, 16, 12, 8), kBlue, 1.0, 0.0, 1.5);
         }},
        {cmd::kCopyForMerge, [](QPainter& p) {
             Page(p, QRectF(3, 3, 16, 20));
             Page(p, QRectF(12, 9, 16, 20));
             Sine(p, QRectF(14, 14, 12, 9), kBlue, 1.0, 0.0, 1.5);
         }},
        {cmd::kUndo, [](QPainter& p) {
             p.setPen(Pen(kBlue, 3));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(8, 8, 18, 16), 90 * 16, -200 * 16);
             Arrow(p, {15, 8}, {6, 8}, kBlue, 3);
         }},
        {cmd::kRedo, [](QPainter& p) {
             p.setPen(Pen(kBlue, 3));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(6, 8, 18, 16), 90 * 16, 200 * 16);
             Arrow(p, {17, 8}, {26, 8}, kBlue, 3);
         }},
    });
}

// The diagrams and the panes.
void AddDiagramPictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kFrequencyDiagram, [](QPainter& p) {
             p.setPen(Pen(kInk, 1));
             const double heights[] = {22, 6, 13, 4, 9, 3};
             for (int i = 0; i < 6; ++i) {
                 p.setBrush(i == 0 ? kBlue : QColor(0x63, 0xb3, 0xed));
                 p.drawRect(QRectF(4 + i * 4.3, 28 - heights[i], 3.3, heights[i]));
             }
             p.setPen(Pen(kInk, 1.5));
             p.drawLine(QPointF(2, 28.5), QPointF(30, 28.5));
         }},
        {cmd::kVectorDiagram, [](QPainter& p) {
             p.setPen(QPen(kGrey, 1, Qt::DotLine));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(16, 16), 14, 14);
             Arrow(p, {16, 16}, {16, 3}, kYellow, 2.5);
             Arrow(p, {16, 16}, {27, 23}, kGreen, 2.5);
             Arrow(p, {16, 16}, {5, 23}, kRed, 2.5);
         }},
        {cmd::kCircleDiagram, [](QPainter& p) {
             p.setPen(Pen(kGrey, 1));
             p.drawLine(QPointF(2, 22), QPointF(30, 22));
             p.drawLine(QPointF(10, 2), QPointF(10, 30));
             p.setPen(Pen(kBlue, 2));
             p.setBrush(QColor(0x63, 0xb3, 0xed, 90));
             p.drawEllipse(QPointF(15, 15), 11, 11);
             p.setPen(Pen(kRed, 2));
             p.drawPolyline(QPolygonF{{28, 4}, {22, 10}, {17, 13}});
         }},
        {cmd::kDifferentialDiagram, [](QPainter& p) {
             p.setPen(Pen(kInk, 1.5));
             p.drawLine(QPointF(4, 2), QPointF(4, 28));
             p.drawLine(QPointF(4, 28), QPointF(30, 28));
             p.setBrush(QColor(0xfb, 0xd3, 0x8d, 120));
             p.setPen(Pen(kOrange, 2.5));
             p.drawPolygon(QPolygonF{{4, 20}, {13, 20}, {29, 4}, {29, 2}, {4, 2}});
         }},
        {cmd::kParameterBar, [](QPainter& p) {
             Windows(p, {QRectF(3, 4, 26, 24)});
             p.setPen(Pen(kGrey, 1.5));
             p.drawLine(QPointF(12, 8), QPointF(12, 28));
             for (const double y : {12.0, 16.0, 20.0, 24.0})
                 p.drawLine(QPointF(5, y), QPointF(10, y));
             Sine(p, QRectF(14, 12, 13, 12), kBlue, 1.0, 0.0, 1.5);
         }},
        {cmd::kChannels, [](QPainter& p) {
             const QColor colours[] = {kYellow, kGreen, kRed};
             for (int i = 0; i < 3; ++i) {
                 p.setPen(Pen(kInk, 1));
                 p.setBrush(colours[i]);
                 p.drawRect(QRectF(3, 5 + i * 9, 5, 5));
                 Sine(p, QRectF(11, 4 + i * 9, 18, 7), colours[i], 1.5, 0.0, 1.8);
             }
         }},
    });
}

// The diagram windows' own buttons.
void AddDiagramWindowPictures(PictureTable& pictures)
{
    pictures.insert({
        {diagram_cmd::kChannelsMenu, [](QPainter& p) {
             const QColor colours[] = {kYellow, kGreen, kRed};
             for (int i = 0; i < 3; ++i) {
                 p.setPen(Pen(kInk, 1));
                 p.setBrush(colours[i]);
                 p.drawRect(QRectF(3, 5 + i * 9, 6, 6));
                 Arrow(p, {12, 8.0 + i * 9}, {29, 8.0 + i * 9}, colours[i], 2);
             }
         }},
        {diagram_cmd::kAngleMenu, [](QPainter& p) {
             Arrow(p, {5, 26}, {29, 26}, kInk, 2);
             Arrow(p, {5, 26}, {22, 6}, kBlue, 2);
             p.setPen(Pen(kRed, 2));
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(-7, 14, 24, 24), 0, 50 * 16);
         }},
        {diagram_cmd::kShowValuesButton, [](QPainter& p) {
             Arrow(p, {4, 28}, {18, 14}, kBlue, 2);
             Glyph(p, QRectF(14, 2, 17, 12), QStringLiteral("1.2"), kInk);
         }},
        {diagram_cmd::kOnlyDirectionButton, [](QPainter& p) {
             p.setPen(QPen(kGrey, 1, Qt::DotLine));
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(16, 16), 13, 13);
             Arrow(p, {16, 16}, {16, 3}, kYellow, 2);
             Arrow(p, {16, 16}, {27.3, 22.5}, kGreen, 2);
             Arrow(p, {16, 16}, {4.7, 22.5}, kRed, 2);
         }},
        {diagram_cmd::kFrequencySettings, [](QPainter& p) { Gear(p, {16, 16}, 13); }},
    });
}

// Discrete channels, zoom and cursors of the oscillogram view.
void AddZoomAndCursorPictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kShowDiscrete, [](QPainter& p) { SquareWave(p, kGreen); }},
        {cmd::kHideDiscrete, [](QPainter& p) { SquareWave(p, kGrey); Cross(p, {16, 16}, 9); }},
        {cmd::kHideUnchangingDiscrete, [](QPainter& p) {
             p.setPen(Pen(kGrey, 2.5));
             p.drawLine(QPointF(3, 16), QPointF(29, 16));
             Cross(p, {16, 16}, 9);
         }},
        {cmd::kZoomInHorizontally, [](QPainter& p) { ZoomArrows(p, true, true); }},
        {cmd::kZoomOutHorizontally, [](QPainter& p) { ZoomArrows(p, true, false); }},
        {cmd::kZoomInVertically, [](QPainter& p) { ZoomArrows(p, false, true); }},
        {cmd::kZoomOutVertically, [](QPainter& p) { ZoomArrows(p, false, false); }},
        {cmd::kZoomSelectionVertically, [](QPainter& p) {
             p.setPen(QPen(kBlue, 1.5, Qt::DashLine));
             p.setBrush(QColor(0x63, 0xb3, 0xed, 70));
             p.drawRect(QRectF(3, 9, 16, 14));
             Arrow(p, {25, 16}, {25, 3}, kInk);
             Arrow(p, {25, 16}, {25, 29}, kInk);
         }},
        {cmd::kRestoreSize, [](QPainter& p) { Glyph(p, QRectF(1, 6, 30, 20), QStringLiteral("1:1"), kBlue); }},
        {cmd::kVerticalCursor1, [](QPainter& p) { Cursor(p, true, kRed, QStringLiteral("1")); }},
        {cmd::kVerticalCursor2, [](QPainter& p) { Cursor(p, true, kBlue, QStringLiteral("2")); }},
        {cmd::kVerticalCursor3, [](QPainter& p) { Cursor(p, true, kGreen, QStringLiteral("3")); }},
        {cmd::kHorizontalCursor1, [](QPainter& p) { Cursor(p, false, kOrange, QStringLiteral("1")); }},
        {cmd::kHorizontalCursor2, [](QPainter& p) { Cursor(p, false, kGreen, QStringLiteral("2")); }},
    });
}

// Marks, read-outs and curves of the oscillogram view.
void AddMarkAndCurvePictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kMomentMark, [](QPainter& p) {
             p.setPen(QPen(kInk, 1.5, Qt::DashLine));
             p.drawLine(QPointF(10, 4), QPointF(10, 30));
             p.setPen(Pen(kRed, 1));
             p.setBrush(kRed);
             p.drawPolygon(QPolygonF{{10, 3}, {26, 8}, {10, 13}});
         }},
        {cmd::kAreaMark, [](QPainter& p) {
             Sine(p, QRectF(2, 8, 28, 16), kGrey, 1.5, 0.0, 1.5);
             p.setPen(Pen(kOrange, 1.5));
             p.setBrush(QColor(0xf6, 0xad, 0x55, 110));
             p.drawRect(QRectF(9, 4, 12, 24));
         }},
        {cmd::kLevelMark, [](QPainter& p) {
             Sine(p, QRectF(2, 6, 28, 20), kGrey, 1.5, 0.0, 1.5);
             p.setPen(QPen(kRed, 2, Qt::DashLine));
             p.drawLine(QPointF(2, 11), QPointF(30, 11));
             p.setPen(Pen(kRed, 1));
             p.setBrush(kRed);
             p.drawPolygon(QPolygonF{{2, 6}, {8, 11}, {2, 16}});
         }},
        {cmd::kReadMinMax, [](QPainter& p) {
             Sine(p, QRectF(3, 7, 26, 18), kBlue);
             p.setPen(QPen(kRed, 1.5, Qt::DashLine));
             p.drawLine(QPointF(2, 6), QPointF(30, 6));
             p.drawLine(QPointF(2, 26), QPointF(30, 26));
         }},
        {cmd::kReadRms, [](QPainter& p) {
             Sine(p, QRectF(3, 5, 26, 22), kGrey, 1.0, 0.0, 1.5);
             p.setPen(Pen(kOrange, 2.5));
             p.drawLine(QPointF(3, 8.5), QPointF(29, 8.5));
             Glyph(p, QRectF(5, 17, 24, 13), QStringLiteral("RMS"), kOrange);
         }},
        {cmd::kReadFirstHarmonic, [](QPainter& p) {
             Sine(p, QRectF(3, 4, 26, 14), kGrey, 1.0, 0.0, 1.5);
             Glyph(p, QRectF(4, 16, 24, 14), QStringLiteral("A1"), kGreen);
         }},
        {cmd::kCurveInstant, [](QPainter& p) { Sine(p, QRectF(3, 5, 26, 22), kBlue, 1.5, 0.3); }},
        {cmd::kCurveRms, [](QPainter& p) {
             Sine(p, QRectF(3, 5, 26, 22), kGrey, 1.5, 0.3, 1);
             p.setPen(Pen(kOrange, 2.5));
             p.drawPolyline(QPolygonF{{3, 11}, {12, 11}, {17, 7}, {29, 7}});
         }},
        {cmd::kCurveFirstHarmonic, [](QPainter& p) { Sine(p, QRectF(3, 5, 26, 22), kGreen, 1.5); }},
        {cmd::kInvert, [](QPainter& p) {
             Sine(p, QRectF(2, 6, 20, 20), kBlue);
             Arrow(p, {27, 16}, {27, 4}, kInk);
             Arrow(p, {27, 16}, {27, 28}, kInk);
         }},
        {cmd::kRemoveDc, [](QPainter& p) {
             Sine(p, QRectF(2, 2, 22, 14), kBlue);
             p.setPen(QPen(kInk, 1.5));
             p.drawLine(QPointF(2, 26), QPointF(30, 26));
             Arrow(p, {27, 8}, {27, 23}, kRed);
         }},
    });
}

// Computations, ratios, analysis and the window menu.
void AddAnalysisAndWindowPictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kAddFormula, [](QPainter& p) { Glyph(p, QRectF(2, 6, 28, 20), QStringLiteral("fx"), kInk); }},
        {cmd::kLoadFormulas, [](QPainter& p) {
             Page(p, QRectF(4, 3, 18, 26));
             Glyph(p, QRectF(4, 10, 18, 14), QStringLiteral("fx"), kInk);
             Arrow(p, {27, 3}, {27, 18}, kGreen, 2.5);
         }},
        {cmd::kSaveFormulas, [](QPainter& p) { Floppy(p); Glyph(p, QRectF(8, 16, 16, 12), QStringLiteral("fx"), kInk); }},
        {cmd::kDeleteComputed, [](QPainter& p) {
             Glyph(p, QRectF(1, 2, 22, 18), QStringLiteral("fx"), kInk);
             Cross(p, {23, 23}, 5);
         }},
        {cmd::kDeleteAllComputed, [](QPainter& p) {
             Glyph(p, QRectF(1, 0, 18, 14), QStringLiteral("fx"), kInk);
             Glyph(p, QRectF(1, 13, 18, 14), QStringLiteral("fx"), kInk);
             Cross(p, {24, 22}, 5);
         }},
        {cmd::kCoefficients, [](QPainter& p) { Transformer(p, false); Glyph(p, QRectF(10, 0, 12, 12), QStringLiteral("k"), kInk); }},
        {cmd::kPrimaryValues, [](QPainter& p) { Transformer(p, true); }},
        {cmd::kSecondaryValues, [](QPainter& p) { Transformer(p, false); }},
        {cmd::kQuickAnalysis, [](QPainter& p) {
             Sine(p, QRectF(2, 10, 28, 18), kBlue, 1.5);
             Lightning(p, {12, 1}, 1.2);
         }},
        {cmd::kFaultLocationParameters, [](QPainter& p) {
             Line(p);
             p.setPen(Pen(kInk, 1.2));
             for (int i = 0; i <= 6; ++i)
                 p.drawLine(QPointF(7 + i * 3, 22), QPointF(7 + i * 3, i % 3 == 0 ? 28 : 25));
         }},
        {cmd::kFaultLocationAnalysis, [](QPainter& p) {
             Line(p);
             Lightning(p, {16, 1}, 0.9);
             Arrow(p, {7, 25}, {19, 25}, kRed);
         }},
        {cmd::kWindowCascade, [](QPainter& p) {
             Windows(p, {QRectF(2, 2, 18, 14), QRectF(7, 8, 18, 14), QRectF(12, 14, 18, 14)});
         }},
        {cmd::kWindowTile, [](QPainter& p) {
             Windows(p, {QRectF(2, 2, 13, 13), QRectF(17, 2, 13, 13), QRectF(2, 17, 13, 13), QRectF(17, 17, 13, 13)});
         }},
        {cmd::kWindowTabs, [](QPainter& p) {
             Windows(p, {QRectF(2, 9, 28, 20)});
             p.setPen(Pen(kInk, 1.5));
             p.setBrush(kPaper);
             p.drawRect(QRectF(2, 3, 9, 6));
             p.drawRect(QRectF(12, 3, 9, 6));
         }},
        {cmd::kWindowNext, [](QPainter& p) { Arrow(p, {4, 16}, {28, 16}, kBlue, 3); }},
        {cmd::kWindowPrevious, [](QPainter& p) { Arrow(p, {28, 16}, {4, 16}, kBlue, 3); }},
    });
}

void Plus(QPainter& p)
{
    Glyph(p, QRectF(17, 0, 15, 15), QStringLiteral("+"), kGreen);
}

// The tool bar of the fault-location dialog.
void AddLineModelPictures(PictureTable& pictures)
{
    pictures.insert({
        {cmd::kLocatorMethod, [](QPainter& p) { Gear(p, {16, 16}, 13); }},
        {cmd::kLocatorAddSection, [](QPainter& p) { Line(p); Plus(p); }},
        {cmd::kLocatorAddParallelLine, [](QPainter& p) {
             Line(p);
             p.setPen(Pen(kGrey, 2));
             p.drawLine(QPointF(7, 24), QPointF(25, 24));
             Plus(p);
         }},
        {cmd::kLocatorAddTap, [](QPainter& p) {
             Line(p);
             p.setPen(Pen(kBlue, 2));
             p.drawLine(QPointF(16, 16), QPointF(16, 28));
             p.drawLine(QPointF(12, 28), QPointF(20, 28));
             Plus(p);
         }},
        {cmd::kLocatorRemove, [](QPainter& p) { Cross(p, {16, 16}, 9); }},
        {cmd::kLocatorMoveUp, [](QPainter& p) { Arrow(p, {16, 28}, {16, 4}, kBlue, 3); }},
        {cmd::kLocatorMoveDown, [](QPainter& p) { Arrow(p, {16, 4}, {16, 28}, kBlue, 3); }},
        {cmd::kLocatorSaveFile, Floppy},
        {cmd::kLocatorLoadFile, Folder},
    });
}

const PictureTable& Pictures()
{
    static const PictureTable pictures = [] {
        PictureTable table;
        AddFilePictures(table);
        AddMergePictures(table);
        AddDiagramPictures(table);
        AddDiagramWindowPictures(table);
        AddZoomAndCursorPictures(table);
        AddMarkAndCurvePictures(table);
        AddAnalysisAndWindowPictures(table);
        AddLineModelPictures(table);
        return table;
    }();
    return pictures;
}

QIcon Render(const Draw& draw)
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

QIcon CommandIcon(int command)
{
    const auto& pictures = Pictures();
    const auto found = pictures.find(command);
    return found == pictures.end() ? QIcon() : Render(found->second);
}

QIcon StyleIcon()
{
    return Render([](QPainter& p) {
        p.setPen(Pen(kInk, 1.5));
        p.setBrush(QColor(0xf7, 0xe7, 0xce));
        p.drawEllipse(QRectF(3, 4, 26, 24));
        const QColor colours[] = {kRed, kYellow, kGreen, kBlue};
        const QPointF spots[] = {{10, 11}, {17, 9}, {23, 14}, {21, 21}};
        for (int i = 0; i < 4; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(colours[i]);
            p.drawEllipse(spots[i], 3, 3);
        }
    });
}

QIcon ApplicationIcon()
{
    return Render([](QPainter& p) {
        p.setPen(Pen(QColor(0x1a, 0x36, 0x5d), 1.5));
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
        Sine(p, QRectF(4, 7, 24, 18), kPaper, 1.5, 0.0, 2.5);
        Lightning(p, {19, 3}, 0.8);
    });
}

} // namespace zarva::gui
