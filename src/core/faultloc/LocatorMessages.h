#pragma once

namespace zarva::messages {
constexpr int kLocatorDataMissing = 349;     // "Данные для определения места повреждения не введены."
constexpr int kSingularSystem = 3457;        // the system of equations has no single solution
constexpr int kBadLocatorValue = 4730;       // a model value that is no usable number
constexpr int kLocatorChannelsMissing = 4731;  // channels the model names are not in the record
} // namespace zarva::messages
