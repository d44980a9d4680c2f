#pragma once

// String-table entries of the oscillogram view.
namespace zarva::viewtext {

// Time ruler: the unit beside the first label.
constexpr int kRulerMicroseconds = 4800;  // "%s мкс"
constexpr int kRulerMilliseconds = 4801;  // "%s мс"
constexpr int kRulerSeconds = 4802;       // "%s с"

// Status bar, by ruler unit: cursor 1, cursor 2 and their difference.
constexpr int kStatusMicroseconds = 4810;
constexpr int kStatusMilliseconds = 4813;
constexpr int kStatusSeconds = 4816;
constexpr int kStatusTimeOfDay = 4819;
constexpr int kStatusSamples = 4822;
constexpr int kStatusIdle = 4825;  // cursor 1, cursor 2 and difference without a value
constexpr int kHorizontalCursor1 = 4828;
constexpr int kHorizontalCursor2 = 4829;
constexpr int kHorizontalCursor1Idle = 4830;
constexpr int kHorizontalCursor2Idle = 4831;
constexpr int kHorizontalDifference = 4832;
constexpr int kHorizontalDifferenceIdle = 4833;

// Label panel and cursors.
constexpr int kMaxLabel = 4840;
constexpr int kMinLabel = 4841;
constexpr int kRmsLabel = 4842;
constexpr int kFirstHarmonicLabel = 4843;
constexpr int kVerticalCursorLabel1 = 4844;  // then 4845, 4846
constexpr int kHorizontalCursorLabel1 = 4847;  // then 4848

// Messages.
constexpr int kRatesDiffer = 4850;
constexpr int kCannotMerge = 4851;
constexpr int kNameInUse = 4852;
constexpr int kOk = 4853;
constexpr int kSavePictureTitle = 4854;
constexpr int kPictureFilters = 4855;
constexpr int kCannotSavePicture = 4856;
constexpr int kBadRatio = 4857;

} // namespace zarva::viewtext
