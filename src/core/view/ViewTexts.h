#pragma once

// String-table entries of the oscillogram view.
namespace zarva::viewtext {

// Time ruler: the unit beside the first label.
constexpr int kRulerMicroseconds = 4900;  // "%s мкс"
constexpr int kRulerMilliseconds = 4901;  // "%s мс"
constexpr int kRulerSeconds = 4902;       // "%s с"

// Status bar, by ruler unit: cursor 1, cursor 2 and their difference.
constexpr int kStatusMicroseconds = 4910;
constexpr int kStatusMilliseconds = 4913;
constexpr int kStatusSeconds = 4916;
constexpr int kStatusTimeOfDay = 4919;
constexpr int kStatusSamples = 4922;
constexpr int kStatusIdle = 4925;  // cursor 1, cursor 2 and difference without a value
constexpr int kHorizontalCursor1 = 4928;
constexpr int kHorizontalCursor2 = 4929;
constexpr int kHorizontalCursor1Idle = 4930;
constexpr int kHorizontalCursor2Idle = 4931;
constexpr int kHorizontalDifference = 4932;
constexpr int kHorizontalDifferenceIdle = 4933;

// Label panel and cursors.
constexpr int kMaxLabel = 4940;
constexpr int kMinLabel = 4941;
constexpr int kRmsLabel = 4942;
constexpr int kFirstHarmonicLabel = 4943;
constexpr int kVerticalCursorLabel1 = 4944;  // then 4945, 4946
constexpr int kHorizontalCursorLabel1 = 4947;  // then 4948

// Messages.
constexpr int kRatesDiffer = 4950;
constexpr int kCannotMerge = 4951;
constexpr int kNameInUse = 4952;
constexpr int kOk = 4953;
constexpr int kSavePictureTitle = 4954;
constexpr int kPictureFilters = 4955;
constexpr int kCannotSavePicture = 4956;
constexpr int kBadRatio = 4957;

// Annotations: the comment dialog, the item menu (delete, lock, unlock per kind: moment,
// level, area), the comment boxes and the header's code pages (in CodePage order).
constexpr int kCommentDialogTitle = 4960;
constexpr int kDeleteMoment = 4961;
constexpr int kHideComment = 4970;
constexpr int kShowComment = 4971;
constexpr int kMomentTime = 4972;
constexpr int kMomentOffset = 4973;
constexpr int kLevelValue = 4974;
constexpr int kAreaDuration = 4975;
constexpr int kCodePageLabel = 4976;
constexpr int kCodePageNames = 4977;

} // namespace zarva::viewtext
