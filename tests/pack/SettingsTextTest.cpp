#include <gtest/gtest.h>

#include "SettingsText.h"

namespace {

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes utf16(const std::u16string& text) {
    Bytes bytes = {0xFF, 0xFE};
    appendText16(bytes, text);
    return bytes;
}

TEST(SettingsText, ReadsEveryEncodingTheLauncherAccepts) {
    const std::u16string product = u"Tr\u00e4d";
    const std::string utf8Line = u8"Product Name=Tr\u00e4d";
    const std::string latin1Line = std::string("Product Name=Tr\xE4") + "d";
    for (const Bytes& file : {utf16(u"[Product Information]\r\nProduct Name=Tr\u00e4d\r\n"),
                              bytesOf("\xEF\xBB\xBF[Product Information]\n" + utf8Line + "\n"),
                              bytesOf("[Product Information]\r\n" + utf8Line),
                              bytesOf("[Product Information]\n" + latin1Line + "\n")}) {
        EXPECT_EQ(SettingsText::decode(file).get(u"product information", u"PRODUCT NAME"), product);
    }
}

TEST(SettingsText, SetReplacesInPlaceOrAddsToTheSectionOrAddsTheSection) {
    SettingsText settings = SettingsText::decode(bytesOf(
        "; comment\n[Java Runtime Environment]\nmain class=old.Main\n\n[Class Path]\nClass Path=\\lib\\a.jar\n"));
    settings.set(u"Java Runtime Environment", u"Main Class", u"new.Main");
    settings.set(u"Java Runtime Environment", u"Minimum Version", u"1.8");
    settings.set(u"Application", u"Pair Product", u"App64.exe");
    EXPECT_EQ(settings.encode(),
              utf16(u"; comment\r\n[Java Runtime Environment]\r\nMain Class=new.Main\r\nMinimum Version=1.8\r\n\r\n"
                    u"[Class Path]\r\nClass Path=\\lib\\a.jar\r\n[Application]\r\nPair Product=App64.exe\r\n"));
}

}  // namespace
