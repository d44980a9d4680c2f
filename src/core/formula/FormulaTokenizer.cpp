#include "core/formula/Calculator.h"

#include "core/formula/FormulaChars.h"
#include "core/model/StringTable.h"
#include "core/model/TextCase.h"
#include "core/model/ZarvaException.h"

#include <charconv>

namespace zarva {
namespace {

struct TokenText {
    const char* text;
    TokenId id;
};

// The matched texts in matching order: the first entry that is a prefix of the lower-cased
// formula at the scan position wins.
constexpr TokenText kTokenTable[] = {
    {",", kComma},
    {"+", kPlus},
    {"-", kMinus},
    {"*", kMul},
    {"/", kDiv},
    {"^", kPower},
    {"(", kOpenBracket},
    {")", kCloseBracket},
    {"sin:", kSin},
    {"cos:", kCos},
    {"tg:", kTan},
    {"ctg:", kCotan},
    {"pi", kPi},
    {"sqrt:", kSqrt},
    {"exp:", kExp},
    {"re:", kRe},
    {"im:", kIm},
    {"mod:", kMod},
    {"arg:", kArg},
    {"cosui:", kCosUi},
    {"absig:", kAbsIg},
    {"rms:", kRms},
    {"fourie:", kFourie},
    {"a0:", kA0},
    {"fault:", kFault},
    {"frequency:", kFrequency},
    {"ib:", kIb},
    {"3i0:", k3I0},
    {"i1:", kI1},
    {"i2:", kI2},
    {"ua:", kUa},
    {"ub:", kUb},
    {"uc:", kUc},
    {"ulf:", kUlf},
    {"ull:", kUll},
    {"3u0:", k3U0},
    {"u1f:", kU1f},
    {"u2f:", kU2f},
    {"u1l:", kU1l},
    {"u2l:", kU2l},
    {"uncn:", kUncn},
    {"pk:", kPk},
    {"pf:", kPf},
    {"pf3wm:", kPf3Wm},
    {"pf2wm:", kPf2Wm},
    {"zf:", kZf},
    {"zk:", kZk},
    {"zl:", kZl},
    {"coeffpriv:", kCoeffPriv},
    {"coefftt:", kCoeffTransPriv},
    {"coeffpowerpriv:", kCoeffPowerPriv},
    {"coeffamppriv:", kCoeffAmpPriv},
    {"grsposlia:", kGrsPoslIa},
    {"grsposlib:", kGrsPoslIb},
    {"grsposlic:", kGrsPoslIc},
    {"grstriangleia:", kGrsTriangleIa},
    {"grstriangleib:", kGrsTriangleIb},
    {"grstriangleic:", kGrsTriangleIc},
    {"grssumcur:", kGrsSumCur},
    {"tormsumcur:", kTormSumCur},
    {"tormsubcur:", kTormSubCur},
    {"tormmaxcur:", kTormMaxCur},
    {"chan:", kChan},
    {"uniik:", kUniik},
    {"null", kNullValue},
};

constexpr int kNotDefined = 468;
constexpr int kSyntaxError = 343;
constexpr int kVariableNotFound = 1071;

// The lower-cased working copy; text inside "[...]" keeps its case, so units do.
std::string MatchingCopy(const std::string& text)
{
    std::string copy = text;
    bool inUnit = false;
    for (char& c : copy) {
        if (c == '[')
            inUnit = true;
        else if (c == ']')
            inUnit = false;
        else if (!inUnit)
            c = LowerAscii(c);
    }
    return copy;
}

const TokenText* MatchTable(const std::string& lowered, std::size_t index)
{
    const std::string_view rest = std::string_view(lowered).substr(index);
    for (const TokenText& entry : kTokenTable) {
        if (rest.starts_with(entry.text))
            return &entry;
    }
    return nullptr;
}

Token MakeToken(TokenId id, double number = 0.0, const Channel* channel = nullptr,
                std::string text = {})
{
    Token token;
    token.id = id;
    token.number = number;
    token.channel = channel;
    token.text = std::move(text);
    return token;
}

CZarvaException NotDefined(const std::string& name)
{
    return CZarvaException::Composed(kNotDefined, Text(kNotDefined) + " '" + name + "'");
}

} // namespace

void Calculator::Tokenize(const std::string& text)
{
    text_ = text;
    const std::string lowered = MatchingCopy(text);
    tokens_.Clear();
    std::size_t index = 0;
    while (index < lowered.size()) {
        const char c = lowered[index];
        if (c == ' ') {
            ++index;
        } else if (c == '[') {
            const std::size_t close = lowered.find(']', index + 2);
            if (close == std::string::npos)
                throw NotDefined(MessageName());
            tokens_.Add(MakeToken(kDimension, 0.0, nullptr, lowered.substr(index + 1, close - index - 1)));
            index = close + 1;
        } else if (const TokenText* entry = MatchTable(lowered, index)) {
            tokens_.Add(MakeToken(entry->id));
            index += std::char_traits<char>::length(entry->text);
        } else if (IsDigit(c)) {
            std::size_t end = index;
            int points = 0;
            for (; end < lowered.size() && (IsDigit(lowered[end]) || lowered[end] == '.'); ++end)
                points += lowered[end] == '.' ? 1 : 0;
            if (points > 1)
                throw NotDefined(MessageName());
            double number = 0.0;
            std::from_chars(lowered.data() + index, lowered.data() + end, number);
            tokens_.Add(MakeToken(kNumber, number));
            index = end;
        } else if (IsIdentifierStart(c)) {
            ScanIdentifier(lowered, index);
        } else {
            throw CZarvaException::Composed(kSyntaxError,
                                            MessageName() + ": " + zarva::Text(kSyntaxError));
        }
    }
    FillEmptyArguments();
    tokens_.Add(MakeToken(kEnd));
}

void Calculator::ScanIdentifier(const std::string& lowered, std::size_t& index)
{
    if (lowered[index] == '"') {
        const std::size_t close = lowered.find('"', index + 1);
        const std::size_t end = close == std::string::npos ? lowered.size() : close;
        AddIdentifier(text_.substr(index + 1, end - index - 1));
        index = close == std::string::npos ? end : close + 1;
        return;
    }
    std::size_t end = index;
    while (end < lowered.size() && IsIdentifierPart(lowered[end]))
        ++end;
    AddIdentifier(text_.substr(index, end - index));
    index = end;
}

void Calculator::AddIdentifier(std::string identifier)
{
    if (!channelMode_) {
        if (!HasVariable(identifier))
            throw CZarvaException::Composed(kVariableNotFound,
                                            text_ + ": " + zarva::Text(kVariableNotFound));
        tokens_.Add(MakeToken(kVariable, 0.0, nullptr, std::move(identifier)));
        return;
    }
    for (std::size_t k = current_; k < names_.size(); ++k) {
        if (EqualIgnoringCase(identifier, names_[k]))
            throw CZarvaException::Composed(
                kNotDefined, names_[current_] + ": '" + identifier + "' - " + zarva::Text(kNotDefined));
    }
    if (const Channel* channel = FindChannel(identifier))
        tokens_.Add(MakeToken(kChannel, 0.0, channel));
}

// An empty argument, between two commas or before ")", passes the default value.
void Calculator::FillEmptyArguments()
{
    const std::vector<Token>& tokens = tokens_.Tokens();
    for (std::size_t i = tokens.size(); i-- > 1;) {
        const TokenId next = tokens[i].id;
        if (tokens[i - 1].id == kComma && (next == kComma || next == kCloseBracket))
            tokens_.Insert(i, MakeToken(kNullValue));
    }
}

} // namespace zarva
