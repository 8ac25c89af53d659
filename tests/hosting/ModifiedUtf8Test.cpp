#include <gtest/gtest.h>

#include <string>

#include "hosting/ModifiedUtf8.h"

namespace {

std::wstring decode(const std::string& bytes) { return decodeModifiedUtf8(bytes.data(), bytes.size()); }

std::wstring units(std::initializer_list<unsigned> list) {
    std::wstring text;
    for (unsigned unit : list) text += static_cast<wchar_t>(unit);
    return text;
}

TEST(ModifiedUtf8, DecodesTheJvmsEncodingToUtf16Units) {
    EXPECT_EQ(decode("abc"), L"abc");
    EXPECT_EQ(decode(""), L"");
    EXPECT_EQ(decode("\xC3\xA5\xC3\xA4\xC3\xB6"), units({0xE5, 0xE4, 0xF6}));
    EXPECT_EQ(decode("\xE2\x82\xAC"), units({0x20AC}));
    // U+0000 as C0 80.
    EXPECT_EQ(decode(std::string("a\xC0\x80z")), units({'a', 0, 'z'}));
    // U+1F600 as two 3-byte surrogates, and in standard UTF-8.
    EXPECT_EQ(decode("\xED\xA0\xBD\xED\xB8\x80"), units({0xD83D, 0xDE00}));
    EXPECT_EQ(decode("\xF0\x9F\x98\x80"), units({0xD83D, 0xDE00}));
}

TEST(ModifiedUtf8, MalformedBytesBecomeReplacementCharacters) {
    EXPECT_EQ(decode("\x80x"), units({0xFFFD, 'x'}));
    EXPECT_EQ(decode("a\xC3"), units({'a', 0xFFFD}));
    EXPECT_EQ(decode("\xE2\x82x"), units({0xFFFD, 0xFFFD, 'x'}));
    EXPECT_EQ(decode("\xC1\x81"), units({0xFFFD}));
    EXPECT_EQ(decode("\xE0\x81\x81"), units({0xFFFD}));
    EXPECT_EQ(decode("\xF4\x90\x80\x80"), units({0xFFFD}));
    EXPECT_EQ(decode("\xFF"), units({0xFFFD}));
}

TEST(ModifiedUtf8, EncodesNulAndEverySurrogateAsTheJvmDoes) {
    EXPECT_EQ(encodeModifiedUtf8(units({'a', 0, 0xE5, 0x20AC, 0xD83D, 0xDE00, 0xDC00})),
              "a\xC0\x80\xC3\xA5\xE2\x82\xAC\xED\xA0\xBD\xED\xB8\x80\xED\xB0\x80");
}

}  // namespace
