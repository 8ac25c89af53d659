#include <gtest/gtest.h>

#include "core/ErrorReporting.h"
#include "resources/resource.h"

TEST(ErrorReporting, JniReasonsCoverTheSixStandardCodes) {
    EXPECT_EQ(jniReason(-1), L"ok\u00e4nd");
    EXPECT_EQ(jniReason(-4), L"det finns inte tillr\u00e4ckligt med minne");
    EXPECT_EQ(jniReason(-6), L"ogiltiga argument");
    EXPECT_EQ(jniReason(-7), L"");
    EXPECT_EQ(jniReason(1), L"");
}

TEST(ErrorReporting, FormatsFillWideStringsAndSignedNumbers) {
    EXPECT_EQ(formatString(IDS_JNI_ERROR, loadString(IDS_CREATE_JAVA_VM_FAILED).c_str(), jniReason(-7).c_str()),
              L"JNI-undantag: Det gick inte att skapa Java VM\nOrsak: .\n");
    EXPECT_EQ(formatString(IDS_JVM_LOAD_FAILED, L"C:\\jre\\bin\\client\\jvm.dll", 126),
              L"Det gick inte att l\u00e4sa in Java VM-biblioteket: C:\\jre\\bin\\client\\jvm.dll (felnummer = 126).\n");
    EXPECT_EQ(formatString(IDS_WINDOWS_ERROR, L"x", -5), L"Windows-undantag: x (felnummer = -5).\n");
}

TEST(ErrorReporting, FormattedTextsLongerThanTheFirstBufferComeBackWhole) {
    std::wstring path(1000, L'p');
    std::wstring text = formatString(IDS_MAIN_CLASS_NOT_FOUND, path.c_str());
    EXPECT_EQ(text, L"Det gick inte att hitta huvudklassen " + path + L".\n");
}
