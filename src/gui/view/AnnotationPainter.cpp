#include "gui/view/AnnotationPainter.h"

#include "gui/view/ViewPainter.h"

#include "core/document/Document.h"
#include "core/view/AnnotationTexts.h"
#include "core/view/CommentBoxes.h"

#include <QFontMetrics>
#include <QPainter>

namespace zarva::gui {
namespace {

const QColor kPen(255, 100, 100);
const QColor kPickedPen(192, 0, 0);
const QColor kAreaFill(255, 0, 0, 24);
const QColor kBoxFill(255, 255, 225);
const QColor kBoxText(0, 0, 0);
constexpr int kBoxPadding = 3;
constexpr int kLongestLine = 360;  // pixels; longer comment lines wrap

QPen PenFor(const Annotations& list, std::size_t index, bool highlight)
{
    if (highlight && list.PickedItem() == index)
        return QPen(kPickedPen, 3);
    if (highlight && list.HoveredItem() == index)
        return QPen(kPen, 3);
    return QPen(kPen, 1);
}

void DrawShape(QPainter& painter, int kind, const AnnotationShape& shape)
{
    if (kind == 3) {
        const QRect area(QPoint(shape.x0, shape.y0), QPoint(shape.x1, shape.y1));
        painter.fillRect(area, kAreaFill);
        painter.drawRect(area);
    } else {
        painter.drawLine(shape.x0, shape.y0, shape.x1, shape.y1);
    }
}

struct CommentBox {
    QString text;
    QRect textArea;  // of the text inside the box
};

void DrawBoxes(QPainter& painter, const std::vector<CommentBox>& boxes, const std::vector<PixelRect>& places)
{
    painter.setPen(QPen(kPen, 1));
    painter.setBrush(kBoxFill);
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const PixelRect& place = places[i];
        painter.drawRect(place.left, place.top, place.width - 1, place.height - 1);
        painter.save();
        painter.setPen(kBoxText);
        painter.drawText(boxes[i].textArea.translated(place.left + kBoxPadding, place.top + kBoxPadding),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, boxes[i].text);
        painter.restore();
    }
}

} // namespace

AnnotationFrame AnnotationFrameOf(const ViewFrame& frame)
{
    return AnnotationFrame{frame.document.oscillogram, frame.rows, frame.state, frame.width,
                           frame.height - frame.rulerBand, frame.verticalOffset};
}

void DrawAnnotations(QPainter& painter, const ViewFrame& frame)
{
    const Annotations& list = frame.document.annotations;
    if (list.Items().empty())
        return;
    const AnnotationFrame geometry = AnnotationFrameOf(frame);
    const PixelRect plot{frame.state.leftMargin, 0, frame.width - frame.state.leftMargin, geometry.plotBottom};
    const QFontMetrics metrics(frame.smallFont);
    painter.save();
    painter.setClipRect(plot.left, plot.top, plot.width, plot.height);
    painter.setFont(frame.smallFont);
    std::vector<CommentBox> boxes;
    std::vector<PixelRect> wanted;
    for (std::size_t i = 0; i < list.Items().size(); ++i) {
        const Annotation& item = list.Items()[i];
        const auto shape = ShapeOf(item, geometry);
        if (!shape)
            continue;
        painter.setPen(PenFor(list, i, frame.highlightSelection));
        painter.setBrush(Qt::NoBrush);
        DrawShape(painter, GetKind(item), *shape);
        if (!Common(item).visible)
            continue;
        const QString text = QString::fromStdString(DisplayText(item, frame.document.oscillogram));
        const QRect textArea = metrics.boundingRect(QRect(0, 0, kLongestLine, 100000), Qt::TextWordWrap, text);
        const auto place = CommentBoxPlace(GetKind(item), *shape, textArea.width() + 2 * kBoxPadding + 1,
                                           textArea.height() + 2 * kBoxPadding, plot);
        if (!place)
            continue;
        boxes.push_back({text, QRect(0, 0, textArea.width() + 1, textArea.height())});
        wanted.push_back(*place);
    }
    DrawBoxes(painter, boxes, LayOutCommentBoxes(wanted, plot));
    painter.restore();
}

} // namespace zarva::gui
