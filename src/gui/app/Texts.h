#pragma once

#include <QString>

namespace zarva::gui {

// The string-table text of `id` in the interface language.
QString Tr(int id);
// The same with its "%s" replaced by `argument`.
QString Tr(int id, const QString& argument);

namespace text {
constexpr int kReady = 4600;
constexpr int kLoadingRecord = 4601;
constexpr int kConvertingRecord = 4602;
constexpr int kSaveChangesTo = 4603;
constexpr int kViewPanel = 4611;
constexpr int kWindowsMenu = 4612;
constexpr int kLoadWarnings = 4613;
constexpr int kSurveyingCurves = 4639;
constexpr int kCancel = 3328;
constexpr int kAppName = 57344;
} // namespace text

} // namespace zarva::gui
