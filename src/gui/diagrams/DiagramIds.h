#pragma once

// Command and string numbers of the diagram windows. Their commands are handled by the window
// itself, so numbers the view also uses (32845, 32846) mean the diagram's own action here.
namespace zarva::gui::diagram_cmd {

constexpr int kShowAll = 32845;
constexpr int kHideAll = 32846;
constexpr int kAngleInRadians = 32841;
constexpr int kOnlyDirection = 32842;
constexpr int kShowValues = 32844;
constexpr int kFrequencySettings = 32863;
constexpr int kChannelsMenu = 33010;
constexpr int kAngleMenu = 33011;
constexpr int kShowValuesButton = 33012;
constexpr int kOnlyDirectionButton = 33013;
// Channel i of the channels menu; 36001 + i is channel i as the angle reference.
constexpr int kChannelEntry = 35000;
constexpr int kAbsoluteAngle = 36000;
// The circle and differential diagrams' own menu entries; 37000 + j toggles pair j.
constexpr int kPlaneChannelsMenu = 210;
constexpr int kNewPair = 211;
constexpr int kSightsOnly = 214;
constexpr int kRealAndImaginary = 215;
constexpr int kMagnitudeAndAngle = 216;
constexpr int kPlaneShowValues = 217;
constexpr int kShowOffCharacteristics = 33016;
constexpr int kReloadBases = 33019;
constexpr int kPairEntry = 37000;
// The framework's standard copy and print.
constexpr int kCopy = 57634;
constexpr int kPrint = 57607;

} // namespace zarva::gui::diagram_cmd

namespace zarva::gui::diagram_text {

constexpr int kPrint = 266;
constexpr int kOk = 4814;
constexpr int kShowAll = 4800;
constexpr int kHideAll = 4801;
constexpr int kVoltageScale = 4802;
constexpr int kCurrentScale = 4803;
constexpr int kSettingsTitle = 4804;
constexpr int kCalculationGroup = 4805;
constexpr int kPeriods = 4806;
constexpr int kHarmonics = 4807;
constexpr int kValuesGroup = 4808;
constexpr int kPercent = 4809;
constexpr int kAbsolute = 4810;
constexpr int kNormalisationGroup = 4811;
constexpr int kByFundamental = 4812;
constexpr int kByRms = 4813;
constexpr int kIntegerRange = 4815;
constexpr int kNotAnInteger = 4816;
constexpr int kCopyPicture = 4817;
constexpr int kChannels = 311;
constexpr int kResistancePairTitle = 200;
constexpr int kActiveResistance = 201;
constexpr int kReactiveResistance = 210;
constexpr int kNewPair = 4820;
constexpr int kSightsOnly = 4821;
constexpr int kRealAndImaginary = 4822;
constexpr int kCurrentPairTitle = 4823;
constexpr int kBrakingCurrent = 4824;
constexpr int kDifferentialCurrent = 4825;
constexpr int kBrakingAxis = 4826;
constexpr int kDifferentialAxis = 4827;

} // namespace zarva::gui::diagram_text
