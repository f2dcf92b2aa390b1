// The document's side of the radio: what it keeps of an identified radio, the checks on
// identification and read, the read's range list, and what a clone write sends.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "model/CheckImageIdentity.h"
#include "model/indBlockMap.h"
#include "model/indDocument.h"
#include "overlay/cmcGTex.h"
#include "support/TestServices.h"

namespace {

const char* const kOverlay[] = {
    "Test overlay",     "#GI_App_InitialFile", "TM5150Q_lmr.qcl",          "TM5150Q_pmr.qcl",
    "TM5150Q_pmrd.qcl", "TM5150Q_dpmr446.qcl", "#GI_Sys_LockoutNewerData", "1",
    "#End_Of_Ovl",
};

class DocumentRadioTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gtex.UseLines(kOverlay);
        g_GTex = &gtex;
        doc.SetProgramDir(std::string(QV_DATA_DIR) + "/clone/");
        doc.Start(0);
    }
    void TearDown() override { g_GTex = nullptr; }
    // An identification answer: model code and the 80 information bytes.
    int Identified(int model, const std::string& readEnd, uint8_t byte3 = 0, uint8_t byte15 = 0,
                   size_t size = 80)
    {
        dst_CDrv_Result r;
        r.operation = 1;
        r.result = 0;
        r.modelCode = model;
        std::vector<uint8_t> info(size, ' ');
        if (!info.empty())
            info[0] = static_cast<uint8_t>(size);
        if (size > 68) {
            info[3] = byte3;
            info[15] = byte15;
            std::memcpy(info.data() + 64, readEnd.data(), 4);
        }
        r.info.AppendBytes(info.data(), static_cast<int32_t>(info.size()));
        doc.IdentificationCheck(r);
        return r.result;
    }

    cmcGTex gtex;
    indDocument doc;
};

TEST_F(DocumentRadioTest, IdentificationCheckKeepsTheRadioOrRefusesIt)
{
    struct Case {
        int model;
        size_t size;
        uint8_t byte3;
        int result;
        bool second;
    } cases[] = {
        {0x3285, 80, 0, 0, false},  {0x3179, 80, 1, 0, true},   {0x3285, 80, 2, 14, false},
        {0x1234, 80, 0, 11, false}, {0x3285, 79, 0, 11, false}, {0x3285, 81, 0, 11, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.model * 1000 + static_cast<int>(c.size));
        EXPECT_EQ(Identified(c.model, "077F", c.byte3, 0, c.size), c.result);
        if (c.result != 11) {
            EXPECT_TRUE(doc.RadioIdentified());
            EXPECT_EQ(doc.RadioModelCode(), c.model);
            EXPECT_EQ(doc.RadioSecondCode(), c.second);
            EXPECT_EQ(doc.CloneInfo()[3], c.byte3);
        }
    }
    EXPECT_FALSE(indDocument().RadioIdentified());
}

// The read end: four hexadecimal characters, rounded down to 16, plus 15; a radio whose
// memory ends before 077F is refused with 15 before anything is read.
TEST_F(DocumentRadioTest, ReadEndAndTheReadRangeList)
{
    struct Case {
        const char* chars;
        int32_t end;
        int result;
    } cases[] = {{"077F", 0x077F, 0}, {"07F3", 0x07FF, 0},  {"077z", 0x077F, 0},
                 {"07f0", 0x07FF, 0}, {"0700", 0x070F, 15}, {"zzzz", 0x000F, 15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chars);
        Identified(0x3285, c.chars);
        EXPECT_EQ(doc.ReadEnd(), c.end);
        std::vector<int32_t> ranges;
        EXPECT_EQ(doc.CloneReadRanges(ranges), c.result);
        if (c.result == 0) {
            EXPECT_EQ(ranges, (std::vector<int32_t>{0, c.end, 1, 0}));
        }
    }
}

TEST_F(DocumentRadioTest, PasswordIsWantedAsTheLockByteSays)
{
    struct Case {
        uint8_t lock;
        bool read, write;
    } cases[] = {
        {0x00, false, false}, {0x08, true, true}, {0x18, false, true}, {0x10, false, false}};
    for (const Case& c : cases) {
        Identified(0x3285, "077F", 0, c.lock);
        EXPECT_EQ(doc.PasswordWanted(false), c.read) << int(c.lock);
        EXPECT_EQ(doc.PasswordWanted(true), c.write) << int(c.lock);
    }
}

// The read check: a received image that is not this radio's gives 15, one with newer data
// 16; an image from the radio becomes an untitled, modified document.
TEST_F(DocumentRadioTest, ReadCheckAndTakingTheRead)
{
    dst_CDrv_Result r;
    r.operation = 2;
    r.result = 0;
    r.image.Assign(doc.Work());
    doc.ReadCheck(r);
    EXPECT_EQ(r.result, 0);

    r.image.SetByte(0x0100, 'X');  // the maker string
    doc.ReadCheck(r);
    EXPECT_EQ(r.result, indCloneMan::ResNotThisImage);

    r.result = 0;
    r.image.Assign(doc.Work());
    indBlockMap::Unpack(r.image);
    r.image.SetByte(indDocument::kNewerDataByte, 1);
    indBlockMap::Pack(r.image);
    doc.ReadCheck(r);
    EXPECT_EQ(r.result, indCloneMan::ResNewerData);

    // A PMR radio's image turns the document into a PMR document.
    indDocument pmr;
    pmr.SetProgramDir(doc.ProgramDir());
    pmr.Start(1);
    doc.TakeCloneRead(pmr.Work());
    EXPECT_EQ(doc.ModelType(), 1);
    EXPECT_TRUE(doc.Modified());
    EXPECT_TRUE(doc.Untitled());
    EXPECT_EQ(std::memcmp(doc.Work2().Data(), pmr.Work().Data(), 0x780), 0);
}

// What a clone write sends: from 0100 (0000 in maker mode) to the end of the packed data's
// page, prepared and packed, the link byte from the radio, the newer-data byte clear; the
// working image is left as it was.
TEST_F(DocumentRadioTest, PrepareCloneWriteSendsThePackedImage)
{
    Identified(0x3285, "077F", 1);
    doc.Work().SetByte(indDocument::kNewerDataByte, 1);
    cmcEeprom before;
    before.Assign(doc.Work());
    cmcEeprom copy;
    std::vector<int32_t> ranges;
    doc.PrepareCloneWrite(copy, ranges);
    EXPECT_FALSE(doc.Work().Differs(before));
    const int32_t end = (copy.GetByte(0x0112) << 8) | copy.GetByte(0x0113);
    EXPECT_EQ(ranges, (std::vector<int32_t>{0x0100, (end & ~0x7F) + 127, 1, 0}));
    EXPECT_LE(ranges[1], 0x077F);
    EXPECT_EQ(copy.GetByte(indDocument::kLinkByte), 1);
    EXPECT_EQ(copy.GetByte(indDocument::kNewerDataByte), 0);
    EXPECT_EQ(CheckImageIdentity(copy, true), indIdentity::Accepted);
    cmcEeprom unpacked;
    unpacked.Assign(copy);
    indBlockMap::Unpack(unpacked);
    EXPECT_EQ(unpacked.GetByte(indDocument::kNewerDataByte), 0);

    doc.maker = true;
    doc.PrepareCloneWrite(copy, ranges);
    EXPECT_EQ(ranges[0], 0);
}

}  // namespace
