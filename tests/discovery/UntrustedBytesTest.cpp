#include <gtest/gtest.h>

#include <vector>

#include "discovery/PeImage.h"
#include "discovery/RegistryText.h"

namespace {

std::vector<uint8_t> peImage(uint16_t machine, uint32_t headerOffset = 0x80, size_t size = 0x200) {
    std::vector<uint8_t> bytes(size, 0);
    bytes[0] = 'M';
    bytes[1] = 'Z';
    for (int i = 0; i < 4; ++i) bytes[0x3C + i] = uint8_t(headerOffset >> (8 * i));
    if (headerOffset + 6 <= size) {
        bytes[headerOffset] = 'P';
        bytes[headerOffset + 1] = 'E';
        bytes[headerOffset + 4] = uint8_t(machine);
        bytes[headerOffset + 5] = uint8_t(machine >> 8);
    }
    return bytes;
}

bool foreign(const std::vector<uint8_t>& bytes, uint16_t ownMachine = kMachineI386) {
    // A copy of exactly `size` bytes lets the sanitizers catch any read past the end.
    std::vector<uint8_t> exact(bytes);
    exact.shrink_to_fit();
    return isForeignMachineImage(exact.data(), exact.size(), ownMachine);
}

TEST(PeMachine, OnlyAWellFormedImageForAnotherMachineIsForeign) {
    EXPECT_TRUE(foreign(peImage(kMachineAmd64)));
    EXPECT_TRUE(foreign(peImage(0xAA64)));
    EXPECT_FALSE(foreign(peImage(kMachineI386)));
    // The 64-bit build mirrors it.
    EXPECT_TRUE(foreign(peImage(kMachineI386), kMachineAmd64));
    EXPECT_FALSE(foreign(peImage(kMachineAmd64), kMachineAmd64));

    std::vector<uint8_t> noSignature = peImage(0x8664);
    noSignature[0x81] = 'X';
    EXPECT_FALSE(foreign(noSignature));
    std::vector<uint8_t> noMz = peImage(0x8664);
    noMz[1] = 'Y';
    EXPECT_FALSE(foreign(noMz));
}

TEST(PeMachine, BadSizesAndOffsetsAreNotImages) {
    EXPECT_FALSE(isForeignMachineImage(nullptr, 0, kMachineI386));
    EXPECT_FALSE(foreign({'M', 'Z'}));
    EXPECT_FALSE(foreign(std::vector<uint8_t>(std::begin("This is not a DLL, just text."), std::end("This is not a DLL, just text."))));
    EXPECT_FALSE(foreign(peImage(0x8664, 0xFFFFFFF0u)));  // e_lfanew far past the end
    EXPECT_FALSE(foreign(peImage(0x8664, 0x200)));         // exactly at the end
    // A header that starts inside the file but whose machine field would not fit.
    std::vector<uint8_t> truncated = peImage(0x8664, 0x80, 0x80 + 24);
    EXPECT_TRUE(foreign(truncated));
    truncated.pop_back();
    EXPECT_FALSE(foreign(truncated));
    std::vector<uint8_t> headerCut = peImage(0x8664);
    headerCut.resize(0x40);  // e_lfanew intact, the header it names cut off
    EXPECT_FALSE(foreign(headerCut));
}

std::vector<uint8_t> utf16(const std::u16string& text) {
    std::vector<uint8_t> bytes;
    for (char16_t c : text) {
        bytes.push_back(uint8_t(c));
        bytes.push_back(uint8_t(c >> 8));
    }
    return bytes;
}

TEST(RegistryText, ReadsOnlyStringTypesWithinTheGivenSize) {
    std::wstring text;
    std::vector<uint8_t> terminated = utf16(u"C:\\Java\\jre7");
    terminated.push_back(0);
    terminated.push_back(0);
    EXPECT_TRUE(registryText(kRegistryString, terminated.data(), terminated.size(), text));
    EXPECT_EQ(text, L"C:\\Java\\jre7");

    std::vector<uint8_t> unterminated = utf16(u"C:\\J\u00e4va");
    unterminated.shrink_to_fit();
    EXPECT_TRUE(registryText(kRegistryExpandString, unterminated.data(), unterminated.size(), text));
    EXPECT_EQ(text, L"C:\\J\u00e4va");

    std::vector<uint8_t> odd = utf16(u"AB");
    odd.push_back('C');
    EXPECT_TRUE(registryText(kRegistryString, odd.data(), odd.size(), text));
    EXPECT_EQ(text, L"AB");

    std::vector<uint8_t> embeddedNul = utf16(std::u16string(u"AB\0CD", 5));
    EXPECT_TRUE(registryText(kRegistryString, embeddedNul.data(), embeddedNul.size(), text));
    EXPECT_EQ(text, L"AB");

    EXPECT_TRUE(registryText(kRegistryString, nullptr, 0, text));
    EXPECT_TRUE(text.empty());

    const uint32_t dword = 4, binary = 3, multiString = 7;
    for (uint32_t type : {dword, binary, multiString}) {
        EXPECT_FALSE(registryText(type, terminated.data(), terminated.size(), text)) << type;
        EXPECT_TRUE(text.empty());
    }
}

}  // namespace
