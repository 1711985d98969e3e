// The loader's searches over many bytes at once against the plain byte-by-byte answer, at
// the edges of their words and blocks.

#include "ldf_reader/byte_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <string_view>

namespace {

std::size_t NaiveFind(std::string_view text, std::size_t from, std::string_view marks) {
    while (from < text.size() && marks.find(text[from]) == std::string_view::npos) ++from;
    return std::min(from, text.size());
}

// Texts of every length around the words and blocks, with marks at random places among
// plain bytes and bytes from 0x80 on; the text lies in a heap block of its exact size, so
// that the sanitizer sees a read past its end.
template <typename Check>
void ForRandomTexts(std::string_view marks, Check check) {
    std::mt19937 random(17);
    for (std::size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 63, 64, 65, 127, 128, 129, 300}) {
        for (int round = 0; round < 20; ++round) {
            const auto bytes = std::make_unique<char[]>(length);
            for (std::size_t i = 0; i < length; ++i) {
                const unsigned roll = random() % 16;
                bytes[i] = roll == 0 ? marks[random() % marks.size()] : roll == 1 ? '\xE4' : 'x';
            }
            check(std::string_view(bytes.get(), length));
        }
    }
}

TEST(FindEither, FindsTheFirstOfTwoBytesFromEveryPosition) {
    ForRandomTexts(",\"", [](std::string_view text) {
        for (std::size_t from = 0; from <= text.size(); ++from) {
            ASSERT_EQ(FindEither(text, from, ',', '"'), NaiveFind(text, from, ",\"")) << from;
        }
    });
}

TEST(MarkFinder, FindsEveryMarkInOrderAcrossBlocks) {
    constexpr std::string_view kMarks("\t\n;{}\"", 6);
    ForRandomTexts(kMarks, [&](std::string_view text) {
        MarkFinder<'\t', '\n', ';', '{', '}', '"'> marks(text);
        // Stepping from mark to mark, as the loader does, then jumping back and forth.
        for (std::size_t at = marks.Next(0), expected = NaiveFind(text, 0, kMarks); at < text.size();
             at = marks.Next(at + 1), expected = NaiveFind(text, expected + 1, kMarks)) {
            ASSERT_EQ(at, expected);
        }
        for (std::size_t from = text.size() + 1; from-- > 0;) {
            ASSERT_EQ(marks.Next(from), NaiveFind(text, from, kMarks)) << from;
        }
    });
}

}  // namespace
