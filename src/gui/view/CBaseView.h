#pragma once

#include <QAbstractScrollArea>
#include <QFont>

class QPainter;
class QPagedPaintDevice;

namespace zarva::gui {

// Where a drawing goes: the screen (layers cached, selection shown), a picture of the
// window (copy, save) or paper (no scrolling, no selection highlights).
enum class DrawTarget { Screen, Picture, Print };

// A scrolling view that draws everything through DrawView, so that the same drawing serves
// the screen, pictures of the window and printing.
class CBaseView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CBaseView(QWidget* parent);

    // Draws the view `width` × `height` pixels large.
    virtual void DrawView(QPainter& painter, int width, int height);

    DrawTarget Target() const { return target_; }
    const QFont& MainFont() const { return main_; }
    const QFont& SmallFont() const { return small_; }
    int TextHeight() const { return textHeight_; }
    int SmallTextHeight() const { return smallTextHeight_; }

    // The view as it is on screen, as a picture: PNG and SVG on the clipboard.
    void CopyAsPicture();
    // PNG, SVG or PDF by the file's extension. False when the file cannot be written.
    bool SavePicture(const QString& path);
    QImage Picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    // Draws onto another device with the target set for the time of the drawing.
    void DrawFor(DrawTarget target, QPainter& painter, int width, int height);

private:
    QByteArray SvgPicture();

    DrawTarget target_ = DrawTarget::Screen;
    QFont main_;
    QFont small_;
    int textHeight_ = 0;
    int smallTextHeight_ = 0;
};

} // namespace zarva::gui
