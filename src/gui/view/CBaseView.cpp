#include "gui/view/CBaseView.h"

#include "gui/app/Drawing.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImage>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace zarva::gui {

CBaseView::CBaseView(QWidget* parent)
    : QAbstractScrollArea(parent), main_(TahomaFont(15, QFont::Bold)), small_(TahomaFont(13))
{
    textHeight_ = QFontMetrics(main_).height();
    smallTextHeight_ = QFontMetrics(small_).height();
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
}

void CBaseView::DrawView(QPainter&, int, int) {}

void CBaseView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    DrawFor(DrawTarget::Screen, painter, viewport()->width(), viewport()->height());
}

void CBaseView::DrawFor(DrawTarget target, QPainter& painter, int width, int height)
{
    const DrawTarget previous = target_;
    target_ = target;
    DrawView(painter, width, height);
    target_ = previous;
}

QImage CBaseView::Picture()
{
    QImage image(viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawFor(DrawTarget::Picture, painter, image.width(), image.height());
    return image;
}

QByteArray CBaseView::SvgPicture()
{
    QByteArray svg;
    QBuffer buffer(&svg);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(viewport()->size());
    generator.setViewBox(QRect(QPoint(0, 0), viewport()->size()));
    QPainter painter(&generator);
    DrawFor(DrawTarget::Picture, painter, viewport()->width(), viewport()->height());
    painter.end();
    return svg;
}

void CBaseView::CopyAsPicture()
{
    auto* picture = new QMimeData;
    picture->setImageData(Picture());
    picture->setData(QStringLiteral("image/svg+xml"), SvgPicture());
    QApplication::clipboard()->setMimeData(picture);
}

bool CBaseView::SavePicture(const QString& path)
{
    // Written beside the target and renamed over it: a failed save leaves the old file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QString suffix = QFileInfo(path).suffix().toLower();
    bool written = false;
    if (suffix == QLatin1String("svg")) {
        written = file.write(SvgPicture()) >= 0;
    } else if (suffix == QLatin1String("pdf")) {
        QPdfWriter writer(&file);
        writer.setResolution(96);
        writer.setPageMargins(QMarginsF());
        writer.setPageSize(QPageSize(QSizeF(viewport()->size()) * 0.75, QPageSize::Point));
        QPainter painter;
        if (painter.begin(&writer)) {
            DrawFor(DrawTarget::Picture, painter, viewport()->width(), viewport()->height());
            written = painter.end();
        }
    } else {
        written = Picture().save(&file, "PNG");
    }
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace zarva::gui
