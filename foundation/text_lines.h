#pragma once
// Collects lines of text for a file: Windows-1252 bytes ('?' for characters the code page
// cannot hold), every line ended by CR LF. A file of megabytes is made of millions of short
// pieces, so a piece is narrowed into room that grows in large steps. The room is not
// cleared, and it is copied as it grows only where the heap cannot extend it in place; the
// finished text is copied once, into the string that Take returns.

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text_encoding.h"

// The pieces a line is made of: text (UTF-16, narrowed to the code page) or an ASCII literal
// of the writer's own, copied as it is. A line's pieces are passed one by one, so that the
// length and the copy of each literal are fixed when compiling: a file of megabytes is made
// of millions of short pieces.
namespace text_pieces {

template <std::size_t N>
constexpr std::size_t Size(const char (&)[N]) {
    return N - 1;
}
inline std::size_t Size(std::string_view ascii) { return ascii.size(); }
inline std::size_t Size(std::u16string_view text) { return text.size(); }

template <std::size_t N>
char* Write(char* at, const char (&ascii)[N]) {
    std::memcpy(at, ascii, N - 1);
    return at + N - 1;
}
inline char* Write(char* at, std::string_view ascii) {
    std::memcpy(at, ascii.data(), ascii.size());
    return at + ascii.size();
}
inline char* Write(char* at, std::u16string_view text) {
    tabrel::EncodeCodePageUnits(text.data(), text.size(), at);
    return at + text.size();
}

// Texts with a separator between each two, written as one piece.
struct Joined {
    const std::vector<std::u16string_view>& texts;
    std::string_view separator;  // ASCII
};
std::size_t Size(const Joined& joined);
char* Write(char* at, const Joined& joined);

// The tabs and spaces a piece starts with.
std::u16string LeadingBlanks(std::string_view ascii);
std::u16string LeadingBlanks(std::u16string_view text);

}  // namespace text_pieces

class TextLines {
public:
    TextLines() = default;
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    // One line made of the pieces, in order.
    template <class... Pieces>
    void Line(const Pieces&... pieces) {
        char* end = Write(2, pieces...);
        end[0] = '\r';
        end[1] = '\n';
    }
    // A line of a varying number of pieces: appended in turn, then ended.
    template <class... Pieces>
    void Append(const Pieces&... pieces) {
        Write(0, pieces...);
    }
    void EndLine() { Line(); }
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

    // Writes the pieces and makes room for `more` bytes after them; returns that room.
    template <class... Pieces>
    char* Write(std::size_t more, const Pieces&... pieces) {
        char* at = Room((text_pieces::Size(pieces) + ... + more));
        ((at = text_pieces::Write(at, pieces)), ...);
        return at;
    }
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
