#pragma once

#include "gui/app/CommandTarget.h"

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>

class QMenu;
class QPrinter;

namespace zarva {
class Channel;
class Oscillogram;
}

namespace zarva::gui {

class CZarvaDoc;

// The base of the diagram windows: paints the active record through DrawDiagram (into an
// off-screen picture for the screen, straight onto a printer or a picture being copied),
// shows a white window without one, and repaints when the record changes or cursor 1 moves.
// Its commands come from its own menus and tool bar, not from the main window's chain.
class DiagramWnd : public QWidget, public CommandTarget {
    Q_OBJECT
public:
    // How a diagram chooses its channels: its bit of the channels' display flags, the channels
    // its channels menu lists and toggles, and what "Показать все" / "Скрыть все" do.
    struct ChannelChoice {
        std::uint32_t bit;
        bool (*listed)(const Channel& channel);
        void (*showAll)(Oscillogram& record, bool show);
    };

    DiagramWnd(ChannelChoice choice, QWidget* parent);

    // The record the window shows; null shows nothing. A new document has its settings read.
    void SetDocument(CZarvaDoc* document);
    CZarvaDoc* Document() const;

    // `screen` is false for a printer: its pens are darker and scaled by the font.
    virtual void DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                             const Oscillogram& record) = 0;
    // Draws for the printer into `page` with the printer font, straight or through a bitmap.
    virtual void Print(QPainter& painter, const QRect& page, bool viaBitmap);
    // The picture at the window's size on the clipboard, as SVG and as PNG.
    virtual void CopyToClipboard();
    void PrintWithDialog();
    // The window's picture as the screen shows it, at any size.
    QImage Picture(QSize size);

    // "Tahoma" 13 pixels, and the printer's "Arial" sized by its resolution against the screen's.
    static QFont ScreenFont();
    static QFont PrinterFont(int printerDpi, int screenDpi);

    // The context menu as the right button opens it, for the caller to show or inspect.
    void FillContextMenu(QMenu& menu);
    // "Показать все", "Скрыть все", then an entry per channel the diagram may show.
    void FillChannelsMenu(QMenu& menu);

    QSize sizeHint() const override { return {380, 340}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

    const QFont& Font() const { return font_; }
    // The sample of vertical cursor 1 of the document shown; 0 without one.
    std::int64_t CursorOneSample() const;

    // Called when the window starts showing a document: read its settings.
    virtual void ReadSettings(CZarvaDoc& document) = 0;
    // The entries of the context menu ahead of copy and print.
    virtual void FillOwnMenu(QMenu& menu) = 0;

    // A menu entry that runs `command` of this window and shows its check mark.
    QAction* AddCommandEntry(QMenu& menu, int command, const QString& text);
    // Enabled while a record is shown.
    CommandState WithRecord() const;
    // Registers a command whose check mark follows `checked`.
    void OnToggle(int command, std::function<void()> toggle, std::function<bool()> checked);
    // After this window changed the record's options or channels: the document is marked
    // modified and every window of it redraws.
    void RecordChanged();
    // The record or the cursors changed: forget what was computed from them and repaint.
    virtual void Refresh();

private:
    // Channel commands for every channel of the record, before a menu lists them.
    void RegisterChannelCommands();
    void ShowAll(bool show);
    void ToggleChannel(std::size_t index);

    ChannelChoice choice_;
    std::size_t registeredChannels_ = 0;
    QPointer<CZarvaDoc> document_;
    QFont font_;
    QPixmap canvas_;
};

} // namespace zarva::gui
