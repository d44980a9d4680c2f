#include "gui/app/RibbonLayout.h"

#include "gui/app/CommandIds.h"
#include "gui/app/Texts.h"

namespace zarva::gui {
namespace {

RibbonColumn Large(int command, int labelId = 0)
{
    return {true, {{command, labelId}}};
}

RibbonColumn Small(std::vector<RibbonButton> buttons)
{
    return {false, std::move(buttons)};
}

AppMenuItem Item(int command, int labelId)
{
    return {AppMenuItem::Kind::Command, command, labelId};
}

constexpr AppMenuItem kSeparator{AppMenuItem::Kind::Separator};

} // namespace

const std::vector<AppMenuItem>& ApplicationMenuLayout()
{
    static const std::vector<AppMenuItem> menu{
        Item(cmd::kFileOpen, 263), Item(cmd::kFileSave, 264), Item(cmd::kFileSaveAs, 265), kSeparator,
        Item(cmd::kFileFinder, 154), kSeparator,
        {AppMenuItem::Kind::PrintMenu}, kSeparator,
        Item(cmd::kFileParameters, 391), kSeparator,
        Item(cmd::kComments, 333), kSeparator,
        Item(cmd::kLoadSettings, 390), kSeparator,
        Item(cmd::kProgramSettings, 127), kSeparator,
        Item(cmd::kAbout, 0), kSeparator,
        Item(cmd::kFileClose, 271),
        {AppMenuItem::Kind::RecentList}, kSeparator,
        Item(cmd::kExit, ribbon_text::kExit),
    };
    return menu;
}

const std::vector<RibbonButton>& PrintMenuLayout()
{
    static const std::vector<RibbonButton> menu{
        {cmd::kPageSetup, 344}, {cmd::kPrintPreview, 269}, {cmd::kPrint, 266}};
    return menu;
}

const std::vector<RibbonCategory>& RibbonLayout()
{
    static const std::vector<RibbonCategory> categories{
        {274,
         {
             {486,
              {Large(cmd::kPasteForMerge, 276),
               Small({{cmd::kCopyForMerge, 278}, {cmd::kUndo, 485}, {cmd::kRedo, 487}})}},
             {134,
              {Large(cmd::kFrequencyDiagram, 316), Large(cmd::kVectorDiagram, 315),
               Large(cmd::kCircleDiagram, 338), Large(cmd::kDifferentialDiagram, 158)}},
             {312,
              {Large(cmd::kChannels, 311),
               Small({{cmd::kShowDiscrete}, {cmd::kHideDiscrete}, {cmd::kHideUnchangingDiscrete}}),
               Small({{cmd::kZoomInHorizontally}, {cmd::kZoomOutHorizontally}, {cmd::kZoomSelectionVertically}}),
               Small({{cmd::kZoomInVertically}, {cmd::kZoomOutVertically}, {cmd::kRestoreSize}}),
               Small({{cmd::kVerticalCursor1}, {cmd::kVerticalCursor2}, {cmd::kVerticalCursor3}}),
               Small({{cmd::kHorizontalCursor1}, {cmd::kHorizontalCursor2}}),
               Small({{cmd::kMomentMark}, {cmd::kAreaMark}, {cmd::kLevelMark}})}},
             {321,
              {Small({{cmd::kReadMinMax}, {cmd::kReadRms}, {cmd::kReadFirstHarmonic}}),
               Small({{cmd::kCurveInstant}, {cmd::kCurveRms}, {cmd::kCurveFirstHarmonic}}),
               Small({{cmd::kInvert, 319}, {cmd::kRemoveDc, 320}, {cmd::kAddFormula, ribbon_text::kAddFormula}}),
               Small({{cmd::kLoadFormulas}, {cmd::kSaveFormulas}}),
               Small({{cmd::kDeleteComputed, ribbon_text::kDeleteFormula},
                      {cmd::kDeleteAllComputed, ribbon_text::kDeleteAllFormulas}}),
               Small({{cmd::kCoefficients, 318}, {cmd::kPrimaryValues, 471}, {cmd::kSecondaryValues, 472}}),
               Large(cmd::kQuickAnalysis, 159)}},
             {text::kViewPanel,
              {Large(cmd::kParameterBar, 565), Large(kStyleMenuButton, ribbon_text::kStyle)}},
         }},
        {323,
         {
             {323,
              {Large(cmd::kFaultLocationParameters, 324), Large(cmd::kFaultLocationAnalysis, 348)}},
         }},
    };
    return categories;
}

} // namespace zarva::gui
