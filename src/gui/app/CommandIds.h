#pragma once

// Every user action is a numbered command; its tool-tip is the string-table entry of the
// same number ("description\nshort tip").
namespace zarva::gui::cmd {

// File
constexpr int kFileOpen = 57601;
constexpr int kFileClose = 57602;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kPageSetup = 57605;
constexpr int kPrint = 57607;
constexpr int kPrintPreview = 57609;
constexpr int kFileFinder = 32880;
constexpr int kFileParameters = 32861;
constexpr int kComments = 32805;
constexpr int kLoadSettings = 32860;
constexpr int kProgramSettings = 129;
constexpr int kAbout = 57664;
constexpr int kExit = 57665;

// Merging
constexpr int kCopyForMerge = 57634;
constexpr int kPasteForMerge = 57637;
constexpr int kUndo = 57643;
constexpr int kRedo = 57644;
constexpr int kSynchronise = 1091;
constexpr int kMerge = 1092;

// Diagrams and panes
constexpr int kCircleDiagram = 32808;
constexpr int kVectorDiagram = 32809;
constexpr int kFrequencyDiagram = 32811;
constexpr int kDifferentialDiagram = 140;
constexpr int kParameterBar = 142;

// Visibility
constexpr int kChannels = 32862;
constexpr int kShowDiscrete = 32845;
constexpr int kHideDiscrete = 32846;
constexpr int kHideUnchangingDiscrete = 32847;
constexpr int kZoomInHorizontally = 32802;
constexpr int kZoomOutHorizontally = 32803;
constexpr int kZoomSelectionVertically = 138;
constexpr int kZoomInVertically = 32800;
constexpr int kZoomOutVertically = 32801;
constexpr int kRestoreSize = 141;
constexpr int kVerticalCursor1 = 32813;
constexpr int kVerticalCursor2 = 32814;
constexpr int kVerticalCursor3 = 139;
constexpr int kHorizontalCursor1 = 32815;
constexpr int kHorizontalCursor2 = 32816;
constexpr int kCursorDifference = 33033;
constexpr int kMomentMark = 155;
constexpr int kAreaMark = 157;
constexpr int kLevelMark = 156;
constexpr int kEditComment = 33038;
constexpr int kLockMark = 33039;
constexpr int kDeleteMark = 33040;
constexpr int kHideComment = 33041;
constexpr int kEditLevel = 33042;

// View
constexpr int kMicroseconds = 32853;
constexpr int kMilliseconds = 32854;
constexpr int kSeconds = 32855;
constexpr int kAbsoluteTime = 33007;
constexpr int kSampleNumbers = 32856;
constexpr int kGrid = 32857;
constexpr int kHideSelected = 32848;
constexpr int kOnFrequencyDiagram = 32849;
constexpr int kOnVectorDiagram = 32850;
constexpr int kOnCircleDiagram = 32851;
constexpr int kAdcCounts = 32852;
constexpr int kChannelColour = 33030;
constexpr int kJoinChannels = 33035;
constexpr int kSeparateChannels = 33037;
constexpr int kCopyPicture = 33060;
constexpr int kSavePicture = 33061;

// Computations
constexpr int kReadMinMax = 32817;
constexpr int kReadRms = 32818;
constexpr int kReadFirstHarmonic = 32819;
constexpr int kCurveInstant = 32820;
constexpr int kCurveRms = 32821;
constexpr int kCurveFirstHarmonic = 32822;
constexpr int kInvert = 32823;
constexpr int kRemoveDc = 32824;
constexpr int kAddFormula = 40000;
constexpr int kLoadFormulas = 33080;
constexpr int kSaveFormulas = 33081;
constexpr int kDeleteComputed = 33082;
constexpr int kDeleteAllComputed = 33083;
constexpr int kCoefficients = 32866;
constexpr int kPrimaryValues = 32867;
constexpr int kSecondaryValues = 32868;
constexpr int kQuickAnalysis = 137;

// Fault location
constexpr int kFaultLocationParameters = 32807;
constexpr int kFaultLocationAnalysis = 32806;
// The tool bar of the fault-location dialog
constexpr int kLocatorMethod = 32870;
constexpr int kLocatorAddSection = 32871;
constexpr int kLocatorAddParallelLine = 32872;
constexpr int kLocatorAddTap = 32873;
constexpr int kLocatorRemove = 32874;
constexpr int kLocatorMoveUp = 32875;
constexpr int kLocatorMoveDown = 32876;
constexpr int kLocatorSaveFile = 32877;
constexpr int kLocatorLoadFile = 32878;

// Windows
constexpr int kWindowCascade = 57667;
constexpr int kWindowTile = 57668;
constexpr int kWindowTabs = 57669;
constexpr int kWindowNext = 57670;
constexpr int kWindowPrevious = 57671;

} // namespace zarva::gui::cmd
