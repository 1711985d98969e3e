#pragma once
// The shape of a node capability file before its meaning: statements ended by ';', blocks in
// braces, and the comments around them. A statement's head is its words up to a '{' or ';';
// a block holds statements (or a list, as 'support_sid { 0xB0, 0xB2 }' does: one statement
// left without its ';'). Nothing stops the reading: a missing brace or quote is a problem
// with its place, and the rest is read as well as it can be.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/definition_file.h"

namespace ncf_syntax {

struct Token {
    enum class Kind { kWord, kText, kPunctuation };
    Kind kind = Kind::kWord;
    std::u16string_view text;  // a text's characters without its quotes; one character of punctuation
    SourcePlace place;

    bool Is(char16_t punctuation) const { return kind == Kind::kPunctuation && text.front() == punctuation; }
    bool IsWord(std::u16string_view word) const { return kind == Kind::kWord && text == word; }
};

struct Comment {
    std::u16string_view text;  // with its '//' or '/* */' marks
    int line = 0;
};

struct Element {
    std::vector<Token> head;
    bool hasBlock = false;
    std::vector<Element> block;
    bool terminated = false;  // ended by ';' (after the block, where it has one)
    SourcePlace place;        // of its first token
    std::vector<Comment> before;  // on the lines before it
    std::vector<Comment> after;   // on its first line (after a block's '{') or after its end
    std::vector<Comment> end;     // at the end of its block, before the '}'

    // The head as the file wrote it, words apart: for the texts of issues.
    std::u16string HeadText() const;
};

struct Problem {
    SourcePlace place;
    std::u16string text;
};

struct Syntax {
    // What the tokens and comments point into; on the heap, so that moving the syntax keeps
    // a short text where they point.
    std::unique_ptr<const std::u16string> text;
    std::vector<Element> elements;
    std::vector<Comment> trailing;  // after the last statement
    std::vector<Problem> problems;
    bool hasContent = false;  // anything but white space and comments
};

// Decodes the file's bytes (UTF-8 after its byte order mark, else Windows-1252) and reads
// their shape.
Syntax Read(std::string_view bytes);

}  // namespace ncf_syntax
