#include "gui/diagrams/DiagramWnd.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/Drawing.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"

#include "core/diagrams/ChannelChoice.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace zarva::gui {
DiagramWnd::DiagramWnd(ChannelChoice choice, QWidget* parent)
    : QWidget(parent), choice_(choice), font_(ScreenFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(120, 120);
    const auto withRecord = [this] { return WithRecord(); };
    OnCommand(diagram_cmd::kPrint, [this] { PrintWithDialog(); }, withRecord);
    OnCommand(diagram_cmd::kCopy, [this] { CopyToClipboard(); }, withRecord);
    OnCommand(diagram_cmd::kShowAll, [this] { ShowAll(true); }, withRecord);
    OnCommand(diagram_cmd::kHideAll, [this] { ShowAll(false); }, withRecord);
}

QFont DiagramWnd::ScreenFont()
{
    return TahomaFont(13);
}

QFont DiagramWnd::PrinterFont(int printerDpi, int screenDpi)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    const double ratio = screenDpi > 0 ? static_cast<double>(printerDpi) / screenDpi : 1.0;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(ratio * 52.0 / 5.0))));
    font.setWeight(QFont::Normal);
    return font;
}

void DiagramWnd::SetDocument(CZarvaDoc* document)
{
    if (document_ == document)
        return;
    if (document_ != nullptr)
        disconnect(document_, nullptr, this, nullptr);
    document_ = document;
    if (document != nullptr) {
        ReadSettings(*document);
        RegisterChannelCommands();
        connect(document, &CZarvaDoc::cursorsChanged, this, &DiagramWnd::Refresh);
        connect(document, &CZarvaDoc::recordChanged, this, &DiagramWnd::Refresh);
        connect(document, &CZarvaDoc::settingsReplaced, this, [this] { ReadSettings(*document_); });
    }
    Refresh();
}

CZarvaDoc* DiagramWnd::Document() const
{
    return document_;
}

CommandState DiagramWnd::WithRecord() const
{
    return CommandState{document_ != nullptr};
}

std::int64_t DiagramWnd::CursorOneSample() const
{
    return document_ != nullptr ? document_->Core().cursors.Vertical(0).sample : 0;
}

void DiagramWnd::Refresh()
{
    update();
}

void DiagramWnd::RecordChanged()
{
    if (document_ == nullptr)
        return;
    document_->SetModifiedFlag(true);
    document_->NotifyRecordChanged();
    Refresh();
}

QImage DiagramWnd::Picture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    if (document_ == nullptr)
        painter.fillRect(image.rect(), Qt::white);
    else
        DrawDiagram(painter, image.rect(), true, font_, document_->Core().oscillogram);
    return image;
}

void DiagramWnd::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    const QSize needed = size() * ratio;
    if (canvas_.width() < needed.width() || canvas_.height() < needed.height())
        canvas_ = QPixmap(needed.expandedTo(canvas_.size()));
    canvas_.setDevicePixelRatio(ratio);
    {
        QPainter offscreen(&canvas_);
        const QRect area = rect();
        if (document_ == nullptr)
            offscreen.fillRect(area, Qt::white);
        else
            DrawDiagram(offscreen, area, true, font_, document_->Core().oscillogram);
    }
    QPainter painter(this);
    painter.drawPixmap(QPoint(0, 0), canvas_, QRect(QPoint(0, 0), needed));
}

void DiagramWnd::Print(QPainter& painter, const QRect& page, bool viaBitmap)
{
    if (document_ == nullptr)
        return;
    const int screenDpi = QApplication::primaryScreen() != nullptr ? qRound(QApplication::primaryScreen()->logicalDotsPerInchY()) : 96;
    const QFont font = PrinterFont(painter.device()->logicalDpiY(), screenDpi);
    const Oscillogram& record = document_->Core().oscillogram;
    if (!viaBitmap) {
        DrawDiagram(painter, page, false, font, record);
        return;
    }
    QImage bitmap(page.size(), QImage::Format_RGB32);
    {
        QPainter offscreen(&bitmap);
        DrawDiagram(offscreen, QRect(QPoint(0, 0), page.size()), false, font, record);
    }
    painter.drawImage(page.topLeft(), bitmap);
}

void DiagramWnd::PrintWithDialog()
{
    if (document_ == nullptr)
        return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QPainter painter(&printer);
    // The painter's origin is the corner of the printable area.
    Print(painter, QRect(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size()), false);
}

void DiagramWnd::CopyToClipboard()
{
    if (document_ == nullptr)
        return;
    const QRect area = rect();
    const Oscillogram& record = document_->Core().oscillogram;
    QByteArray svg;
    {
        QBuffer buffer(&svg);
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(area.size());
        generator.setViewBox(area);
        QPainter painter(&generator);
        DrawDiagram(painter, area, true, font_, record);
    }
    const QImage image = Picture(area.size());
    auto* picture = new QMimeData;
    picture->setData(QStringLiteral("image/svg+xml"), svg);
    picture->setImageData(image);
    QApplication::clipboard()->setMimeData(picture);
}

void DiagramWnd::RegisterChannelCommands()
{
    if (document_ == nullptr)
        return;
    const std::size_t count = document_->Core().oscillogram.channels.size();
    for (std::size_t i = registeredChannels_; i < count; ++i) {
        OnCommand(diagram_cmd::kChannelEntry + static_cast<int>(i), [this, i] { ToggleChannel(i); }, [this, i] {
            const Oscillogram* record = document_ != nullptr ? &document_->Core().oscillogram : nullptr;
            const bool listed = record != nullptr && i < record->channels.size() && choice_.listed(record->channels[i]);
            return CommandState{listed, true, listed && record->channels[i].HasFlag(choice_.bit)};
        });
    }
    registeredChannels_ = std::max(registeredChannels_, count);
}

void DiagramWnd::ShowAll(bool show)
{
    if (document_ == nullptr)
        return;
    choice_.showAll(document_->Core().oscillogram, show);
    RecordChanged();
}

void DiagramWnd::ToggleChannel(std::size_t index)
{
    // The record may have lost channels since the command was registered.
    if (document_ == nullptr || index >= document_->Core().oscillogram.channels.size())
        return;
    Channel& channel = document_->Core().oscillogram.channels[index];
    if (!choice_.listed(channel))
        return;
    channel.SetFlag(choice_.bit, !channel.HasFlag(choice_.bit));
    RecordChanged();
}

void DiagramWnd::FillChannelsMenu(QMenu& menu)
{
    if (document_ == nullptr)
        return;
    RegisterChannelCommands();
    AddCommandEntry(menu, diagram_cmd::kShowAll, Tr(diagram_text::kShowAll));
    AddCommandEntry(menu, diagram_cmd::kHideAll, Tr(diagram_text::kHideAll));
    menu.addSeparator();
    const Oscillogram& record = document_->Core().oscillogram;
    for (const std::size_t i : ChannelsWhere(record, choice_.listed))
        AddCommandEntry(menu, diagram_cmd::kChannelEntry + static_cast<int>(i), QString::fromStdString(record.channels[i].Name()));
}

QAction* DiagramWnd::AddCommandEntry(QMenu& menu, int command, const QString& text)
{
    QAction* entry = menu.addAction(text);
    const std::optional<CommandState> state = CommandStateOf(command);
    entry->setEnabled(state.has_value() && state->enabled);
    entry->setCheckable(state.has_value() && state->checkable);
    entry->setChecked(state.has_value() && state->checked);
    connect(entry, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
    return entry;
}

void DiagramWnd::OnToggle(int command, std::function<void()> toggle, std::function<bool()> checked)
{
    OnCommand(command, std::move(toggle), [this, checked = std::move(checked)] {
        return CommandState{document_ != nullptr, true, checked()};
    });
}

void DiagramWnd::FillContextMenu(QMenu& menu)
{
    FillOwnMenu(menu);
    menu.addSeparator();
    AddCommandEntry(menu, diagram_cmd::kCopy, Tr(diagram_text::kCopyPicture));
    AddCommandEntry(menu, diagram_cmd::kPrint, Tr(diagram_text::kPrint));
}

void DiagramWnd::contextMenuEvent(QContextMenuEvent* event)
{
    if (document_ == nullptr)
        return;
    QMenu menu(this);
    FillContextMenu(menu);
    menu.exec(event->globalPos());
}

} // namespace zarva::gui
