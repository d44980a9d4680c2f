#include "gui/view/ViewPrinting.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/view/CZarvaView.h"

#include "core/view/PageHeader.h"
#include "core/view/RowLayout.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace zarva::gui {

void PrintView(CZarvaView& view, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int width = std::max(view.viewport()->width(), 1);
    const double scale = page.width() / width;
    const QFontMetrics metrics(view.SmallFont());
    const int headerHeight = metrics.height() + 6;
    const int height = static_cast<int>(page.height() / scale) - headerHeight;
    painter.scale(scale, scale);
    const int rulerBand = RulerBand(view.Document().Core().showCursorDifference);
    const auto pages = PaginateRows(view.Rows(), std::max(height - rulerBand, 1));
    const QString header = QString::fromStdString(
        PageHeader(view.Document().Core().oscillogram, QFileInfo(view.Document().Path()).fileName().toStdString()));
    for (std::size_t i = 0; i < std::max<std::size_t>(pages.size(), 1); ++i) {
        if (i > 0)
            printer.newPage();
        painter.setFont(view.SmallFont());
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, width, headerHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(header, Qt::ElideRight, width));
        painter.save();
        painter.translate(0, headerHeight);
        view.DrawPrintPage(painter, pages.empty() ? std::vector<Row>{} : pages[i], width, height);
        painter.restore();
    }
    painter.end();
}

void PrintWithDialog(CZarvaView& view)
{
    QPrinter printer(QPrinter::HighResolution);
    view.Document().Services().SetUpPrinter(printer);
    QPrintDialog dialog(&printer, &view);
    if (dialog.exec() == QDialog::Accepted)
        PrintView(view, printer);
}

void ShowPrintPreview(CZarvaView& view)
{
    QPrinter printer(QPrinter::HighResolution);
    view.Document().Services().SetUpPrinter(printer);
    QPrintPreviewDialog preview(&printer, &view);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &view,
                     [&view](QPrinter* target) { PrintView(view, *target); });
    preview.exec();
}

} // namespace zarva::gui
