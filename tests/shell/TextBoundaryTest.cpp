// Text crosses into Qt and back in the overlay's code page.

#include <gtest/gtest.h>

#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"

namespace {

TEST(TextBoundary, CodePageBytesAndUnicodeRoundTrip)
{
    txt::SetCodePage(1252);
    EXPECT_EQ(plat::ToQt("Caf\xE9 \x80"), QString::fromUtf8("Café €"));
    std::string back;
    ASSERT_TRUE(plat::FromQt(QString::fromUtf8("Café €"), back));
    EXPECT_EQ(back, "Caf\xE9 \x80");
}

TEST(TextBoundary, CharactersOutsideTheCodePageAreRefused)
{
    txt::SetCodePage(1252);
    std::string out = "kept";
    EXPECT_FALSE(plat::FromQt(QString::fromUtf8("無線"), out));
    EXPECT_EQ(out, "kept");

    txt::SetCodePage(932);
    ASSERT_TRUE(plat::FromQt(QString::fromUtf8("無線"), out));
    EXPECT_EQ(out.size(), 4u);  // two double-byte characters: limits count bytes
    EXPECT_TRUE(txt::IsLeadByte(static_cast<unsigned char>(out[0])));
    EXPECT_EQ(plat::ToQt(out), QString::fromUtf8("無線"));
    txt::SetCodePage(1252);
}

}  // namespace
