#include "core/formula/Calculator.h"

#include "core/formula/FormulaChars.h"
#include "core/formula/FormulaLexer.h"
#include "core/model/StringTable.h"
#include "core/model/TextCase.h"
#include "core/model/ZarvaException.h"

#include <algorithm>
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

// One unit of formula text, read from the lower-cased working copy.
struct Lexeme {
    enum class Kind { Blank, Unit, UnclosedUnit, Word, Number, Identifier, Invalid };
    Kind kind;
    std::size_t end;            // where the next lexeme starts
    std::size_t textBegin = 0;  // the unit's text, the number's digits, the identifier's name
    std::size_t textEnd = 0;
    const TokenText* word = nullptr;
};

std::size_t RunEnd(const std::string& lowered, std::size_t index, bool (*belongs)(char))
{
    while (index < lowered.size() && belongs(lowered[index]))
        ++index;
    return index;
}

bool IsNumberPart(char c)
{
    return IsDigit(c) || c == '.';
}

Lexeme ReadLexeme(const std::string& lowered, std::size_t index)
{
    using Kind = Lexeme::Kind;
    const char c = lowered[index];
    if (c == ' ')
        return {Kind::Blank, index + 1};
    if (c == '[') {
        // A unit is at least one character long.
        const std::size_t close = lowered.find(']', index + 2);
        if (close == std::string::npos)
            return {Kind::UnclosedUnit, lowered.size()};
        return {Kind::Unit, close + 1, index + 1, close};
    }
    if (const TokenText* entry = MatchTable(lowered, index))
        return {Kind::Word, index + std::char_traits<char>::length(entry->text), 0, 0, entry};
    if (IsDigit(c)) {
        const std::size_t end = RunEnd(lowered, index, IsNumberPart);
        return {Kind::Number, end, index, end};
    }
    if (c == '"') {
        const std::size_t close = lowered.find('"', index + 1);
        const std::size_t nameEnd = close == std::string::npos ? lowered.size() : close;
        return {Kind::Identifier, close == std::string::npos ? nameEnd : close + 1, index + 1, nameEnd};
    }
    if (IsIdentifierStart(c)) {
        const std::size_t end = RunEnd(lowered, index, IsIdentifierPart);
        return {Kind::Identifier, end, index, end};
    }
    return {Kind::Invalid, index + 1};
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
    using Kind = Lexeme::Kind;
    text_ = text;
    const std::string lowered = MatchingCopy(text);
    tokens_.Clear();
    for (std::size_t index = 0; index < lowered.size();) {
        const Lexeme lexeme = ReadLexeme(lowered, index);
        // Units and names keep their case, so they are taken from the text as written.
        const std::string_view written =
            std::string_view(text_).substr(lexeme.textBegin, lexeme.textEnd - lexeme.textBegin);
        switch (lexeme.kind) {
        case Kind::Blank:
            break;
        case Kind::UnclosedUnit:
            throw NotDefined(MessageName());
        case Kind::Unit:
            tokens_.Add(MakeToken(kDimension, 0.0, nullptr, std::string(written)));
            break;
        case Kind::Word:
            tokens_.Add(MakeToken(lexeme.word->id));
            break;
        case Kind::Number: {
            if (std::ranges::count(written, '.') > 1)
                throw NotDefined(MessageName());
            double number = 0.0;
            std::from_chars(written.data(), written.data() + written.size(), number);
            tokens_.Add(MakeToken(kNumber, number));
            break;
        }
        case Kind::Identifier:
            AddIdentifier(std::string(written));
            break;
        case Kind::Invalid:
            throw CZarvaException::Composed(kSyntaxError,
                                            MessageName() + ": " + zarva::Text(kSyntaxError));
        }
        index = lexeme.end;
    }
    FillEmptyArguments();
    tokens_.Add(MakeToken(kEnd));
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
        if (GivesChannel(k) && EqualIgnoringCase(identifier, names_[k]))
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

std::vector<FormulaIdentifier> FormulaIdentifiers(const std::string& text)
{
    const std::string lowered = MatchingCopy(text);
    std::vector<FormulaIdentifier> identifiers;
    for (std::size_t index = 0; index < lowered.size();) {
        const Lexeme lexeme = ReadLexeme(lowered, index);
        if (lexeme.kind == Lexeme::Kind::Identifier) {
            identifiers.push_back(
                {index, lexeme.end, text.substr(lexeme.textBegin, lexeme.textEnd - lexeme.textBegin)});
        }
        index = lexeme.end;
    }
    return identifiers;
}

bool StartsWithFormulaWord(std::string_view name)
{
    std::string lowered(name);
    for (char& c : lowered)
        c = LowerAscii(c);
    return !lowered.empty() && MatchTable(lowered, 0) != nullptr;
}

} // namespace zarva
