#include "gui/diagrams/VectorDiagramWnd.h"

#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandActions.h"
#include "gui/app/Icons.h"
#include "gui/app/Texts.h"
#include "gui/diagrams/DiagramIds.h"
#include "gui/diagrams/DiagramColours.h"

#include "core/diagrams/DiagramTexts.h"
#include "core/model/Units.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>

namespace zarva::gui {
namespace {

using namespace diagram_cmd;

std::vector<LegendEntry> Legend(const Oscillogram& record, const VectorPicture& picture, bool inRadians)
{
    std::vector<LegendEntry> legend;
    for (const VectorArrow& arrow : picture.arrows) {
        const Channel& channel = record.channels[arrow.channel];
        legend.push_back({ChannelColourOf(record, arrow.channel), QString::fromStdString(channel.Name()),
                          QString::fromStdString(MagnitudeText(arrow.magnitude, DisplayUnit(channel))),
                          QString::fromStdString(AngleText(arrow.angle, inRadians))});
    }
    return legend;
}

} // namespace

VectorDiagramWnd::VectorDiagramWnd(QWidget* parent)
    : DiagramWnd({display::kOnVectorDiagram, IsVectorEligible, ShowAllOnVectorDiagram}, parent)
{
    setObjectName(QStringLiteral("VectorDiagramWnd"));
    RegisterCommands();
}

void VectorDiagramWnd::RegisterCommands()
{
    const auto withRecord = [this] { return WithRecord(); };
    OnCommand(kAbsoluteAngle, [this] { ChangeAngleReference({}); }, [this] {
        return CommandState{Document() != nullptr, true, settings_.angleChannelName.empty()};
    });
    const auto showValues = [this] { ChangeSettings([](VectorChartSettings& s) { s.showAnglesValue = !s.showAnglesValue; }); };
    const auto onlyDirection = [this] { ChangeSettings([](VectorChartSettings& s) { s.onlyDirection = !s.onlyDirection; }); };
    OnToggle(kShowValues, showValues, [this] { return settings_.showAnglesValue; });
    OnToggle(kShowValuesButton, showValues, [this] { return settings_.showAnglesValue; });
    OnToggle(kOnlyDirection, onlyDirection, [this] { return settings_.onlyDirection; });
    OnToggle(kOnlyDirectionButton, onlyDirection, [this] { return settings_.onlyDirection; });
    OnToggle(kAngleInRadians, [this] { ChangeSettings([](VectorChartSettings& s) { s.angleInRadians = !s.angleInRadians; }); },
             [this] { return settings_.angleInRadians; });
    OnCommand(kChannelsMenu, [this] { PopUp(&VectorDiagramWnd::FillChannelsMenu, channelsButton_); }, withRecord);
    OnCommand(kAngleMenu, [this] { PopUp(&VectorDiagramWnd::FillAngleMenu, angleButton_); }, withRecord);
}

void VectorDiagramWnd::RegisterAngleCommands()
{
    if (Document() == nullptr)
        return;
    const std::size_t count = Document()->Core().oscillogram.channels.size();
    for (std::size_t i = registeredAngles_; i < count; ++i) {
        OnCommand(kAbsoluteAngle + 1 + static_cast<int>(i), [this, i] {
            if (Document() != nullptr && i < Document()->Core().oscillogram.channels.size())
                ChangeAngleReference(Document()->Core().oscillogram.channels[i].Name());
        }, [this, i] {
            const Oscillogram* record = Document() != nullptr ? &Document()->Core().oscillogram : nullptr;
            const bool listed = record != nullptr && i < record->channels.size();
            return CommandState{listed, true, listed && record->channels[i].Name() == settings_.angleChannelName};
        });
    }
    registeredAngles_ = std::max(registeredAngles_, count);
}

void VectorDiagramWnd::ReadSettings(CZarvaDoc& document)
{
    settings_ = ReadVectorChart(document.Core().settings, document.Core().oscillogram);
    RegisterAngleCommands();
    ShowSettings();
}

void VectorDiagramWnd::ShowSettings()
{
    if (showValuesAction_ != nullptr) {
        showValuesAction_->setChecked(settings_.showAnglesValue);
        onlyDirectionAction_->setChecked(settings_.onlyDirection);
    }
}

void VectorDiagramWnd::ChangeSettings(void (*change)(VectorChartSettings&))
{
    if (Document() == nullptr)
        return;
    change(settings_);
    WriteVectorChart(Document()->Core().settings, settings_);
    ShowSettings();
    RecordChanged();
}

void VectorDiagramWnd::ChangeAngleReference(std::string name)
{
    if (Document() == nullptr)
        return;
    settings_.angleChannelName = std::move(name);
    WriteVectorChart(Document()->Core().settings, settings_);
    RecordChanged();
}

void VectorDiagramWnd::FillAngleMenu(QMenu& menu)
{
    if (Document() == nullptr)
        return;
    RegisterAngleCommands();
    AddCommandEntry(menu, kAbsoluteAngle, CommandShortTip(kAbsoluteAngle));
    const Oscillogram& record = Document()->Core().oscillogram;
    for (const std::size_t i : AngleReferenceChannels(record))
        AddCommandEntry(menu, kAbsoluteAngle + 1 + static_cast<int>(i), QString::fromStdString(record.channels[i].Name()));
}

void VectorDiagramWnd::FillOwnMenu(QMenu& menu)
{
    FillChannelsMenu(*menu.addMenu(CommandShortTip(kChannelsMenu)));
    FillAngleMenu(*menu.addMenu(CommandShortTip(kAngleMenu)));
    menu.addSeparator();
    AddCommandEntry(menu, kShowValues, CommandShortTip(kShowValues));
    AddCommandEntry(menu, kAngleInRadians, CommandShortTip(kAngleInRadians));
    AddCommandEntry(menu, kOnlyDirection, CommandShortTip(kOnlyDirection));
}

void VectorDiagramWnd::PopUp(void (VectorDiagramWnd::*fill)(QMenu&), QToolButton* button)
{
    QMenu menu(this);
    (this->*fill)(menu);
    const QPoint at = button != nullptr ? button->mapToGlobal(QPoint(0, button->height())) : mapToGlobal(QPoint(0, 0));
    menu.exec(at);
}

QToolBar* VectorDiagramWnd::CreateToolBar(QWidget* parent)
{
    auto* bar = new QToolBar(parent);
    bar->setIconSize(QSize(20, 20));
    const auto addButton = [this, bar](int command) {
        auto* action = new QAction(CommandIcon(command), CommandShortTip(command), bar);
        action->setToolTip(CommandShortTip(command));
        action->setStatusTip(CommandDescription(command));
        connect(action, &QAction::triggered, this, [this, command] { ExecuteCommand(command); });
        bar->addAction(action);
        return action;
    };
    channelsButton_ = qobject_cast<QToolButton*>(bar->widgetForAction(addButton(kChannelsMenu)));
    angleButton_ = qobject_cast<QToolButton*>(bar->widgetForAction(addButton(kAngleMenu)));
    showValuesAction_ = addButton(kShowValuesButton);
    onlyDirectionAction_ = addButton(kOnlyDirectionButton);
    for (QAction* toggle : {showValuesAction_, onlyDirectionAction_}) {
        toggle->setCheckable(true);
        // The command toggles the setting; the check mark follows the setting, not the click.
        connect(toggle, &QAction::triggered, this, &VectorDiagramWnd::ShowSettings);
    }
    ShowSettings();
    return bar;
}

VectorLayout VectorDiagramWnd::LayoutAt(QSize size) const
{
    if (Document() == nullptr)
        return {};
    const Oscillogram& record = Document()->Core().oscillogram;
    const VectorPicture picture = BuildVectorPicture(record, settings_, CursorOneSample());
    QImage device(size, QImage::Format_RGB32);
    QPainter painter(&device);
    return VectorDiagramPainter(painter, Font(), true, settings_)
        .Layout(device.rect(), picture, Legend(record, picture, settings_.angleInRadians));
}

void VectorDiagramWnd::DrawDiagram(QPainter& painter, const QRect& rect, bool screen, const QFont& font,
                                   const Oscillogram& record)
{
    const std::int64_t sample = CursorOneSample();
    const VectorPicture picture = BuildVectorPicture(record, settings_, sample);
    VectorDiagramPainter(painter, font, screen, settings_).Draw(rect, picture, Legend(record, picture, settings_.angleInRadians));
}

} // namespace zarva::gui
