#pragma once
// Collects lines of text for a file: Windows-1252 bytes ('?' for characters the code page
// cannot hold), every line ended by CR LF. A file of megabytes is made of millions of short
// pieces, so a piece is narrowed into room that grows in large steps. The room is not
// cleared, and it is copied as it grows only where the heap cannot extend it in place; the
// finished text is copied once, into the string that Take returns.

#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "text_encoding.h"

class TextLines {
public:
    TextLines() = default;
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    // One line made of the pieces, in order.
    void Line(std::initializer_list<std::u16string_view> pieces) {
        Append(pieces);
        EndLine();
    }
    // A line of a varying number of pieces: appended in turn, then ended.
    void Append(std::u16string_view piece) {
        tabrel::EncodeCodePageUnits(piece.data(), piece.size(), Room(piece.size()));
    }
    void Append(std::initializer_list<std::u16string_view> pieces) {
        for (std::u16string_view piece : pieces) Append(piece);
    }
    void EndLine() {
        char* end = Room(2);
        end[0] = '\r';
        end[1] = '\n';
    }
    void Blank() { EndLine(); }
    // The text so far; the lines start anew.
    std::string Take() {
        std::string text(bytes_.get(), size_);
        size_ = 0;
        return text;
    }

private:
    struct Free {
        void operator()(char* bytes) const { std::free(bytes); }
    };

    // `n` more bytes at the end of the text, for the caller to fill.
    char* Room(std::size_t n) {
        if (size_ + n > capacity_) Grow(size_ + n);
        char* room = bytes_.get() + size_;
        size_ += n;
        return room;
    }
    void Grow(std::size_t needed);

    std::unique_ptr<char, Free> bytes_;  // the text is its first `size_` bytes
    std::size_t capacity_ = 0;
    std::size_t size_ = 0;
};
