#pragma once

#include <cstdint>
#include <string>

namespace zarva {

class Channel;

// Token ids of the formula language. The numbers are stable: formulas, characteristic
// bases and the primary-value rewrite rely on the ranges below.
enum TokenId : std::int32_t {
    kComma = 0,
    kPlus = 1,
    kMinus = 2,
    kMul = 3,
    kDiv = 4,
    kPower = 5,
    kOpenBracket = 6,
    kCloseBracket = 7,
    kSin = 8,
    kCos = 9,
    kTan = 10,
    kCotan = 11,
    kPi = 12,
    kSqrt = 13,
    kExp = 14,
    kRe = 15,
    kIm = 16,
    kMod = 17,
    kArg = 18,
    kCosUi = 19,
    kAbsIg = 20,
    kRms = 21,
    kFourie = 22,
    kA0 = 23,
    kFault = 24,
    kFrequency = 25,
    kIb = 26,
    k3I0 = 27,
    kI1 = 28,
    kI2 = 29,
    kUlf = 30,
    kUll = 31,
    kUa = 32,
    kUb = 33,
    kUc = 34,
    k3U0 = 35,
    kU1f = 36,
    kU2f = 37,
    kU1l = 38,
    kU2l = 39,
    kUncn = 40,
    kPk = 41,
    kPf = 42,
    kPf3Wm = 43,
    kPf2Wm = 44,
    kZf = 45,
    kZk = 46,
    kZl = 47,
    kCoeffPriv = 48,
    kCoeffTransPriv = 49,
    kCoeffPowerPriv = 50,
    kCoeffAmpPriv = 51,
    kGrsPoslIa = 52,
    kGrsPoslIb = 53,
    kGrsPoslIc = 54,
    kGrsTriangleIa = 55,
    kGrsTriangleIb = 56,
    kGrsTriangleIc = 57,
    kGrsSumCur = 58,
    kTormSumCur = 59,
    kTormSubCur = 60,
    kTormMaxCur = 61,
    kChan = 62,
    kUniik = 63,
    kNullValue = 64,
    kChannel = 65,
    kVariable = 66,
    kNumber = 67,
    kDimension = 68,
    kEnd = 69,
    // A channel reference read by the primary-value rule; only the parser makes it.
    kPrimaryChannel = 70,
};

constexpr bool IsFunctionToken(TokenId id)
{
    return id >= kSin && id <= kUniik && id != kPi;
}

// The ratio, vector-group and braking functions: their channel arguments are read as
// primary values.
constexpr bool ReadsPrimaryValues(TokenId id)
{
    return id >= kCoeffPriv && id <= kTormMaxCur;
}

struct Token {
    TokenId id = kEnd;
    double number = 0.0;               // kNumber
    const Channel* channel = nullptr;  // kChannel, kPrimaryChannel
    std::string text;                  // kDimension: the unit; kVariable: the name
};

} // namespace zarva
