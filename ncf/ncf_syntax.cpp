#include "ncf_syntax.h"

#include <cstddef>

#include "foundation/text_encoding.h"

namespace ncf_syntax {

namespace {

// A token or a comment, in the order of the file.
struct Lexeme {
    bool comment = false;
    Token token;
};

bool IsSpace(char16_t unit) { return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == u'\f' || unit == u'\v'; }
bool IsPunctuation(char16_t unit) { return unit == u';' || unit == u',' || unit == u'{' || unit == u'}' || unit == u'='; }

class Lexer {
public:
    Lexer(std::u16string_view text, std::vector<Problem>& problems) : text_(text), problems_(problems) {}

    std::vector<Lexeme> Run() {
        std::vector<Lexeme> lexemes;
        while (at_ < text_.size()) {
            const char16_t unit = text_[at_];
            if (IsSpace(unit)) {
                Advance(1);
                continue;
            }
            const SourcePlace place{line_, column_};
            if (text_.substr(at_).starts_with(u"//")) {
                lexemes.push_back({true, {Token::Kind::kWord, Take(text_.find_first_of(u"\r\n", at_)), place}});
            } else if (text_.substr(at_).starts_with(u"/*")) {
                const std::size_t close = text_.find(u"*/", at_ + 2);
                if (close == std::u16string_view::npos) problems_.push_back({place, u"A comment '/*' is never closed."});
                lexemes.push_back({true, {Token::Kind::kWord, Take(close == std::u16string_view::npos ? close : close + 2), place}});
            } else if (unit == u'"') {
                const std::size_t close = text_.find(u'"', at_ + 1);
                if (close == std::u16string_view::npos) problems_.push_back({place, u"A text '\"' is never closed."});
                const std::u16string_view quoted = Take(close == std::u16string_view::npos ? close : close + 1);
                lexemes.push_back({false, {Token::Kind::kText, quoted.substr(1, close == std::u16string_view::npos ? quoted.size() - 1 : quoted.size() - 2), place}});
            } else if (IsPunctuation(unit)) {
                lexemes.push_back({false, {Token::Kind::kPunctuation, Take(at_ + 1), place}});
            } else {
                std::size_t end = at_;
                while (end < text_.size() && !IsSpace(text_[end]) && !IsPunctuation(text_[end]) && text_[end] != u'"' &&
                       !text_.substr(end).starts_with(u"//") && !text_.substr(end).starts_with(u"/*")) {
                    ++end;
                }
                lexemes.push_back({false, {Token::Kind::kWord, Take(end), place}});
            }
        }
        return lexemes;
    }

private:
    // The text from here to `end` (npos: to the end), with the place moved past it.
    std::u16string_view Take(std::size_t end) {
        const std::size_t stop = end == std::u16string_view::npos ? text_.size() : end;
        const std::u16string_view taken = text_.substr(at_, stop - at_);
        Advance(taken.size());
        return taken;
    }
    void Advance(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i, ++at_) {
            // CR LF, a lone CR and a lone LF each end a line.
            const bool lineEnd = text_[at_] == u'\n' || (text_[at_] == u'\r' && (at_ + 1 == text_.size() || text_[at_ + 1] != u'\n'));
            if (lineEnd) {
                ++line_;
                column_ = 1;
            } else {
                ++column_;
            }
        }
    }

    std::u16string_view text_;
    std::vector<Problem>& problems_;
    std::size_t at_ = 0;
    int line_ = 1;
    int column_ = 1;
};

// The line a lexeme ends on: a comment or a text may span lines.
int EndLine(const Token& token) {
    int line = token.place.line;
    for (std::size_t i = 0; i < token.text.size(); ++i) {
        if (token.text[i] == u'\n' || (token.text[i] == u'\r' && (i + 1 == token.text.size() || token.text[i + 1] != u'\n'))) ++line;
    }
    return line;
}

class Parser {
public:
    Parser(std::vector<Lexeme> lexemes, Syntax& syntax) : lexemes_(std::move(lexemes)), syntax_(syntax) {}

    void Run() {
        syntax_.elements = Block(false, nullptr);
        syntax_.trailing = std::move(pending_);
    }

private:
    bool AtComment() const { return at_ < lexemes_.size() && lexemes_[at_].comment; }
    const Token& Current() const { return lexemes_[at_].token; }
    static Comment AsComment(const Token& token) { return {token.text, token.place.line}; }

    void TakeComments() {
        while (AtComment()) pending_.push_back(AsComment(lexemes_[at_++].token));
    }
    // The comments that start on `line`, right after what ended there.
    void TakeTrailing(int line, std::vector<Comment>& into) {
        while (AtComment() && Current().place.line == line) into.push_back(AsComment(lexemes_[at_++].token));
    }

    std::vector<Element> Block(bool nested, Element* owner) {
        std::vector<Element> elements;
        for (;;) {
            TakeComments();
            if (at_ == lexemes_.size()) {
                if (nested) syntax_.problems.push_back({owner->place, u"A block '{' is never closed."});
                if (owner != nullptr) owner->end = std::move(pending_);
                return elements;
            }
            if (Current().Is(u'}')) {
                if (nested) {
                    ++at_;
                    owner->end = std::move(pending_);
                    return elements;
                }
                syntax_.problems.push_back({Current().place, u"A '}' closes no block."});
                ++at_;
                continue;
            }
            syntax_.hasContent = true;
            elements.push_back(Statement());
        }
    }

    Element Statement() {
        Element element;
        element.before = std::move(pending_);
        pending_.clear();
        element.place = Current().place;
        while (at_ < lexemes_.size()) {
            if (AtComment()) {
                element.after.push_back(AsComment(lexemes_[at_++].token));
                continue;
            }
            const Token token = Current();
            if (token.Is(u'}')) return element;  // the block's end, which the block takes
            ++at_;
            if (token.Is(u';')) {
                element.terminated = true;
                TakeTrailing(EndLine(token), element.after);
                return element;
            }
            if (token.Is(u'{')) {
                element.hasBlock = true;
                TakeTrailing(token.place.line, element.after);
                element.block = Block(true, &element);
                const int closedOn = at_ > 0 ? EndLine(lexemes_[at_ - 1].token) : token.place.line;
                if (at_ < lexemes_.size() && !AtComment() && Current().Is(u';')) {
                    element.terminated = true;
                    ++at_;
                }
                TakeTrailing(closedOn, element.after);
                return element;
            }
            element.head.push_back(token);
        }
        return element;
    }

    std::vector<Lexeme> lexemes_;
    Syntax& syntax_;
    std::size_t at_ = 0;
    std::vector<Comment> pending_;
};

std::u16string Decoded(std::string_view bytes) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kUtf8Mark)) return tabrel::DecodeUtf8(bytes.substr(kUtf8Mark.size()));
    return tabrel::DecodeCodePage(bytes);
}

}  // namespace

std::u16string Element::HeadText() const {
    std::u16string text;
    for (const Token& token : head) {
        if (!text.empty() && !token.Is(u',') && !token.Is(u';')) text += u' ';
        if (token.kind == Token::Kind::kText) {
            text.append(u"\"").append(token.text).append(u"\"");
        } else {
            text.append(token.text);
        }
    }
    return text;
}

Syntax Read(std::string_view bytes) {
    Syntax syntax;
    syntax.text = std::make_unique<const std::u16string>(Decoded(bytes));
    std::vector<Lexeme> lexemes = Lexer(*syntax.text, syntax.problems).Run();
    Parser(std::move(lexemes), syntax).Run();
    return syntax;
}

}  // namespace ncf_syntax
