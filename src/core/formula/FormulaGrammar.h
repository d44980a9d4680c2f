#pragma once

#include "core/formula/FormulaToken.h"

#include <cstddef>
#include <span>
#include <vector>

namespace zarva {

// Raised inside the parser and the functions; the engine turns them into the messages
// that name the formula.
struct FormulaSyntaxFault {};
struct FormulaArgumentFault {
    int messageId;
};

[[noreturn, gnu::cold, gnu::noinline]] inline void RaiseSyntaxFault()
{
    throw FormulaSyntaxFault{};
}

// The token list of one formula and the position of the next token to read.
class TokenStream {
public:
    [[gnu::always_inline]] const Token& Peek() const
    {
        if (position_ >= tokens_.size())
            RaiseSyntaxFault();
        return tokens_[position_];
    }

    // The last token (END) is never consumed.
    [[gnu::always_inline]] const Token& Next()
    {
        if (position_ + 1 >= tokens_.size())
            RaiseSyntaxFault();
        return tokens_[position_++];
    }

    // Channel tokens from the position to the end are read as primary values from now on,
    // for every later evaluation of the same list.
    void ReadChannelsAsPrimary()
    {
        for (std::size_t i = position_; i < tokens_.size(); ++i) {
            if (tokens_[i].id == kChannel)
                tokens_[i].id = kPrimaryChannel;
        }
    }

    void Rewind() { position_ = 0; }
    std::size_t Position() const { return position_; }
    const std::vector<Token>& Tokens() const { return tokens_; }
    void Clear() { tokens_.clear(), position_ = 0; }
    void Add(Token token) { tokens_.push_back(std::move(token)); }
    void Insert(std::size_t index, Token token)
    {
        tokens_.insert(tokens_.begin() + static_cast<std::ptrdiff_t>(index), std::move(token));
    }

private:
    std::vector<Token> tokens_;
    std::size_t position_ = 0;
};

// The sequences of items the grammar works on, one above the other. Truncating keeps the
// storage, so evaluating the same formula again allocates nothing.
template <typename T>
class ItemStack {
public:
    std::size_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    T& operator[](std::size_t index) { return items_[index]; }
    const T& operator[](std::size_t index) const { return items_[index]; }
    std::span<T> From(std::size_t first) { return {items_.data() + first, size_ - first}; }

    [[gnu::always_inline]] void Push(T item)
    {
        if (size_ == items_.size()) [[unlikely]]
            Grow();
        items_[size_++] = std::move(item);
    }
    void Truncate(std::size_t size) { size_ = size; }
    void Clear() { size_ = 0; }

private:
    [[gnu::noinline]] void Grow() { items_.resize(size_ * 2 + 16); }

    std::vector<T> items_;
    std::size_t size_ = 0;
};

// Rules below the bracket level are folded into List: only brackets recurse.
#define ZARVA_GRAMMAR_RULE [[gnu::always_inline]] inline

// The recursive-descent grammar, computing as it recognises. Each rule leaves its sequence
// of items on top of `items` and returns the index of the first; operators combine the
// first items of their operands and drop the right operand's sequence. Semantics supplies
// the items: values when evaluating, unit texts in the unit pass.
template <typename Semantics>
class FormulaGrammar {
public:
    using Item = typename Semantics::Item;

    FormulaGrammar(TokenStream& tokens, Semantics& semantics, ItemStack<Item>& items)
        : tokens_(tokens), semantics_(semantics), items_(items)
    {
    }

    std::size_t List()
    {
        const std::size_t first = Sum();
        while (tokens_.Peek().id == kComma) {
            tokens_.Next();
            Sum();
        }
        return first;
    }

private:
    // Brackets nested deeper than this are refused rather than exhausting the stack.
    static constexpr int kMaxDepth = 200;

    ZARVA_GRAMMAR_RULE std::size_t Sum()
    {
        const std::size_t first = Product();
        for (;;) {
            const TokenId op = tokens_.Peek().id;
            if (op != kPlus && op != kMinus)
                return first;
            tokens_.Next();
            Combine(op, first, Product());
        }
    }

    ZARVA_GRAMMAR_RULE std::size_t Product()
    {
        const std::size_t first = Power();
        for (;;) {
            const TokenId op = tokens_.Peek().id;
            if (op != kMul && op != kDiv)
                return first;
            tokens_.Next();
            Combine(op, first, Power());
        }
    }

    // One "^" only: a second one ends the expression.
    ZARVA_GRAMMAR_RULE std::size_t Power()
    {
        const std::size_t first = Unary();
        if (tokens_.Peek().id == kPower) {
            tokens_.Next();
            const std::size_t exponent = Unary();
            semantics_.Raise(items_[first], items_[exponent]);
            items_.Truncate(exponent);
        }
        return first;
    }

    ZARVA_GRAMMAR_RULE std::size_t Unary()
    {
        const TokenId sign = tokens_.Peek().id;
        if (sign == kPlus || sign == kMinus)
            tokens_.Next();
        const std::size_t first = Call();
        if (sign == kMinus)
            semantics_.Negate(items_[first]);
        return first;
    }

    ZARVA_GRAMMAR_RULE std::size_t Call()
    {
        const TokenId function = tokens_.Peek().id;
        if (!IsFunctionToken(function))
            return Group();
        if (ReadsPrimaryValues(function))
            tokens_.ReadChannelsAsPrimary();
        tokens_.Next();
        const std::size_t first = Group();
        semantics_.Apply(function, items_.From(first));
        items_.Truncate(first + 1);
        return first;
    }

    ZARVA_GRAMMAR_RULE std::size_t Group()
    {
        if (tokens_.Peek().id != kOpenBracket)
            return Primary();
        tokens_.Next();
        if (tokens_.Peek().id == kCloseBracket) {
            tokens_.Next();
            items_.Push(semantics_.Default());
            return items_.Size() - 1;
        }
        if (++depth_ > kMaxDepth)
            RaiseSyntaxFault();
        const std::size_t first = List();
        --depth_;
        if (tokens_.Next().id != kCloseBracket)
            RaiseSyntaxFault();
        return first;
    }

    ZARVA_GRAMMAR_RULE std::size_t Primary()
    {
        const Token& token = tokens_.Next();
        switch (token.id) {
        case kPi:
        case kNullValue:
        case kChannel:
        case kVariable:
        case kNumber:
        case kPrimaryChannel:
            break;
        default:
            RaiseSyntaxFault();
        }
        items_.Push(semantics_.Primary(token));
        if (tokens_.Peek().id == kDimension)
            tokens_.Next();
        return items_.Size() - 1;
    }

    ZARVA_GRAMMAR_RULE void Combine(TokenId op, std::size_t left, std::size_t right)
    {
        semantics_.Combine(op, items_[left], items_[right]);
        items_.Truncate(right);
    }

    TokenStream& tokens_;
    Semantics& semantics_;
    ItemStack<Item>& items_;
    int depth_ = 0;
};

#undef ZARVA_GRAMMAR_RULE

} // namespace zarva
