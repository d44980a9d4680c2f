#include "gui/view/AnnotationController.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/CommandIds.h"
#include "gui/app/CommandTarget.h"
#include "gui/view/CZarvaView.h"
#include "gui/view/CommentDlg.h"

#include "core/document/FileDispatch.h"
#include "core/model/TextFormat.h"
#include "core/view/AnnotationTexts.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include <charconv>
#include <cmath>

namespace zarva::gui {
namespace {

PixelPoint ToPixel(const QPoint& point)
{
    return {point.x(), point.y()};
}

// A level as typed: a decimal number with a point or a comma.
std::optional<double> ParseLevel(const QString& text)
{
    const std::string typed = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toStdString();
    double value = 0.0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (error != std::errc{} || end != typed.data() + typed.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Qt::CursorShape ShapeFor(AnnotationGrip grip)
{
    switch (grip) {
    case AnnotationGrip::EndTime: return Qt::SizeHorCursor;
    case AnnotationGrip::EndRow: return Qt::SizeVerCursor;
    case AnnotationGrip::EndCorner: return Qt::SizeFDiagCursor;
    default: return Qt::SizeAllCursor;
    }
}

} // namespace

AnnotationController::AnnotationController(CZarvaView& view, std::function<void()> disarmZoom)
    : QObject(&view), view_(view), disarmZoom_(std::move(disarmZoom))
{
}

void AnnotationController::RegisterCommands(CommandTarget& target)
{
    const std::pair<int, AnnotationTool> tools[] = {{cmd::kMomentMark, AnnotationTool::Moment},
                                                    {cmd::kLevelMark, AnnotationTool::Level},
                                                    {cmd::kAreaMark, AnnotationTool::Area}};
    for (const auto& [command, tool] : tools) {
        target.OnCommand(command, [this, tool = tool] { ChooseTool(tool); }, [this, tool = tool] {
            return CommandState{ToolsAvailable(), true, List().Tool() == tool};
        });
    }
    const auto picked = [this] { return CommandState{List().PickedItem().has_value()}; };
    target.OnCommand(cmd::kEditComment, [this] { EditComment(); }, picked);
    target.OnCommand(cmd::kLockMark, [this] { ToggleLocked(); }, picked);
    target.OnCommand(cmd::kDeleteMark, [this] { RemovePicked(); }, picked);
    target.OnCommand(cmd::kHideComment, [this] { ToggleComment(); }, picked);
    target.OnCommand(cmd::kEditLevel, [this] { EditLevel(); }, [this] {
        const auto index = List().PickedItem();
        return CommandState{index && std::holds_alternative<LevelItem>(List().Items()[*index])};
    });
}

AnnotationFrame AnnotationController::Frame() const
{
    const ViewState& state = view_.State();
    const Document& core = view_.Document().Core();
    const int plotBottom = view_.viewport()->height() - RulerBand(core.showCursorDifference);
    return AnnotationFrame{core.oscillogram, view_.Rows(), state, view_.viewport()->width(), plotBottom,
                           state.verticalOffset};
}

Annotations& AnnotationController::List() const
{
    return view_.Document().Core().annotations;
}

bool AnnotationController::ToolsAvailable() const
{
    const std::string ending = LastFourLower(view_.Document().Path().toStdString());
    return ending == ".cfg" || ending == ".osc";
}

void AnnotationController::ChooseTool(AnnotationTool tool)
{
    if (!ToolsAvailable())
        return;
    List().ChooseTool(tool);
    disarmZoom_();
}

std::optional<MouseMode> AnnotationController::Press(const QPoint& at, bool leftButton)
{
    Annotations& list = List();
    const AnnotationFrame frame = Frame();
    const PixelPoint point = ToPixel(at);
    if (const auto hit = AnnotationAt(list.Items(), frame, point)) {
        list.SetPicked(hit->index);
        drag_ = DragState{hit->index, hit->grip, point, list.Items()[hit->index]};
        Repaint();
        return hit->grip == AnnotationGrip::Body ? MouseMode::DragAnnotation : MouseMode::DragAnnotationEnd;
    }
    const bool unpicked = list.SetPicked(std::nullopt);
    if (unpicked)
        Repaint();
    if (list.Tool() == AnnotationTool::None)
        return std::nullopt;
    std::optional<Annotation> made = leftButton ? CreateAnnotation(list.Tool(), frame, point) : std::nullopt;
    if (!made)
        return MouseMode::Normal;
    const bool moment = std::holds_alternative<MomentItem>(*made);
    const std::size_t index = list.Add(*made);
    Changed();
    if (moment)
        return MouseMode::Normal;
    // The new item's end follows the mouse while the button is held.
    drag_ = DragState{index, AnnotationGrip::EndCorner, point, std::move(*made)};
    return MouseMode::DragAnnotationEnd;
}

void AnnotationController::Drag(const QPoint& at)
{
    Annotations& list = List();
    if (!drag_ || drag_->index >= list.Items().size() || at.x() < view_.State().leftMargin)
        return;
    Annotation moved = DraggedAnnotation(drag_->original, drag_->grip, Frame(), drag_->press, ToPixel(at));
    if (moved == list.Items()[drag_->index])
        return;
    list.Replace(drag_->index, std::move(moved));
    Repaint();
}

void AnnotationController::Release()
{
    if (!drag_)
        return;
    const Annotations& list = List();
    if (drag_->index < list.Items().size() && list.Items()[drag_->index] != drag_->original)
        view_.Document().SetModifiedFlag();
    drag_.reset();
}

void AnnotationController::Hover(const QPoint& at)
{
    const auto hit = AnnotationAt(List().Items(), Frame(), ToPixel(at));
    if (hit)
        view_.viewport()->setCursor(ShapeFor(hit->grip));
    else
        view_.viewport()->unsetCursor();
    if (List().SetHovered(hit ? std::optional(hit->index) : std::nullopt))
        Repaint();
}

bool AnnotationController::DoubleClick(const QPoint& at)
{
    const auto hit = AnnotationAt(List().Items(), Frame(), ToPixel(at));
    if (!hit)
        return false;
    List().SetPicked(hit->index);
    EditComment();
    return true;
}

bool AnnotationController::ShowMenu(const QPoint& at)
{
    const auto hit = AnnotationAt(List().Items(), Frame(), ToPixel(at));
    if (!hit)
        return false;
    List().SetPicked(hit->index);
    Repaint();
    const Annotation& item = List().Items()[hit->index];
    const AnnotationMenuTexts texts = MenuTexts(item);
    QMenu menu(&view_);
    menu.addAction(CommandShortTip(cmd::kEditComment), this, &AnnotationController::EditComment);
    menu.addAction(QString::fromStdString(texts.lock), this, &AnnotationController::ToggleLocked);
    menu.addAction(QString::fromStdString(texts.remove), this, &AnnotationController::RemovePicked);
    menu.addAction(QString::fromStdString(texts.comment), this, &AnnotationController::ToggleComment);
    if (std::holds_alternative<LevelItem>(item))
        menu.addAction(CommandShortTip(cmd::kEditLevel), this, &AnnotationController::EditLevel);
    menu.exec(view_.viewport()->mapToGlobal(at));
    return true;
}

void AnnotationController::ChangePicked(const std::function<void(Annotation&)>& change)
{
    const auto index = List().PickedItem();
    if (!index)
        return;
    Annotation item = List().Items()[*index];
    change(item);
    if (item == List().Items()[*index])
        return;
    List().Replace(*index, std::move(item));
    Changed();
}

void AnnotationController::EditComment()
{
    const auto index = List().PickedItem();
    if (!index)
        return;
    CommentDlg dialog(Common(List().Items()[*index]).text, &view_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string text = dialog.Text();
    ChangePicked([&text](Annotation& item) { Common(item).text = text; });
}

void AnnotationController::ToggleLocked()
{
    ChangePicked([](Annotation& item) { Common(item).locked = !Common(item).locked; });
}

void AnnotationController::ToggleComment()
{
    ChangePicked([](Annotation& item) { Common(item).visible = !Common(item).visible; });
}

void AnnotationController::RemovePicked()
{
    if (const auto index = List().PickedItem()) {
        List().Remove(*index);
        Changed();
    }
}

void AnnotationController::EditLevel()
{
    const auto index = List().PickedItem();
    const auto* level = index ? std::get_if<LevelItem>(&List().Items()[*index]) : nullptr;
    const auto shape = level ? ShapeOf(*level, Frame()) : std::nullopt;
    if (!shape)
        return;
    if (levelEditor_ == nullptr) {
        levelEditor_ = new QLineEdit(view_.viewport());
        levelEditor_->setFont(view_.MainFont());
        levelEditor_->installEventFilter(this);
        connect(levelEditor_, &QLineEdit::returnPressed, this, [this] { FinishLevelEdit(true); });
        connect(levelEditor_, &QLineEdit::editingFinished, this, [this] { FinishLevelEdit(false); });
    }
    editedLevel_ = index;
    const int height = view_.TextHeight() + 4;
    const int left = std::max(shape->x0, view_.State().leftMargin);
    levelEditor_->setText(QString::fromStdString(FormatText("%.2f", {level->positionY})));
    levelEditor_->setGeometry(left, shape->y0 - height / 2, 100, height);
    levelEditor_->show();
    levelEditor_->setFocus();
    levelEditor_->selectAll();
}

void AnnotationController::FinishLevelEdit(bool confirmed)
{
    if (!editedLevel_)
        return;
    const std::size_t index = *editedLevel_;
    editedLevel_.reset();
    levelEditor_->hide();
    view_.setFocus();
    const std::optional<double> value = confirmed ? ParseLevel(levelEditor_->text()) : std::nullopt;
    if (!value || index >= List().Items().size())
        return;
    Annotation item = List().Items()[index];
    if (auto* level = std::get_if<LevelItem>(&item); level && level->positionY != *value) {
        level->positionY = *value;
        List().Replace(index, std::move(item));
        Changed();
    }
}

bool AnnotationController::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == levelEditor_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        FinishLevelEdit(false);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void AnnotationController::Changed()
{
    view_.Document().SetModifiedFlag();
    Repaint();
}

void AnnotationController::Repaint() const
{
    view_.viewport()->update();
}

} // namespace zarva::gui
