#include <unistd.h>

#include <string>

#include "common/indEnviron.h"
#include "model/indCloneInfo.h"
#include "rules/RulesFixture.h"
#include "rules/indInfoCells.h"

namespace {

class InfoCellsTest : public RulesTest {
protected:
    std::string Show(int32_t id)
    {
        cmcCellCapsule c = Request(CT_Null, id, 0);
        Run(c, 0);
        return c.text;
    }
    std::string Type(int32_t id, const std::string& text)
    {
        cmcCellCapsule c = Request(CT_Null, id, 0);
        c.inputMode = cmcCellCapsule::kInputText;
        c.inputText = text;
        c.key = 0;
        Run(c);
        return c.text;
    }
    void Levels(uint8_t b30, uint8_t b31, uint8_t b32)
    {
        host->work.SetByte(0x30, b30);
        host->work.SetByte(0x31, b31);
        host->work.SetByte(0x32, b32);
    }
};

// The information window's cells, from chosen bytes of the block the radio sent.
TEST_F(InfoCellsTest, CloneInformationFromChosenBytes)
{
    for (int32_t id : {CL_CloneInfo_Model, CL_CloneInfo_Esn, CL_CloneInfo_Option})
        EXPECT_EQ(Show(id), "") << "no radio identified yet";
    indCloneInfo info;
    info.model[0] = 0x60;
    info.revision = 0x21;
    info.comment1 = "Depot 4\r";
    info.comment2 = "North";
    info.serial = "04D20C00007B";
    info.checkSum = "beef";
    info.option11 = 0x02;  // scrambler, the variant from b12's low bits
    info.option12 = 0x32;  // trunking extended, scrambler variant 2
    info.option13 = 0x40;
    info.status = 0x20;
    host->cloneInfo = info.Build();
    EXPECT_EQ(Show(CL_CloneInfo_Model), "PMR with Digital Signalling");
    EXPECT_EQ(Show(CL_CloneInfo_Revision), "2.1");
    EXPECT_EQ(Show(CL_CloneInfo_Comment1), "Depot 4");
    EXPECT_EQ(Show(CL_CloneInfo_Comment2), "North");
    EXPECT_EQ(Show(CL_CloneInfo_Esn), "1234120000123");
    EXPECT_EQ(Show(CL_CloneInfo_CheckSum), "$BEEF");
    EXPECT_EQ(Show(CL_CloneInfo_Option),
              "Trunking Logic Unit, Extended\nVoice Scrambler Unit, Frequency Hopping\n"
              "Voice Recorder Unit\n");
    EXPECT_EQ(Show(CL_CloneInfo_OverVolt),
              "Over-voltage seen: check the charger and the supply voltage");

    info.model[0] = 0x04;
    info.serial = "04D2 C00007B";
    info.checkSum = "    ";
    info.option11 = 0x01;
    info.option12 = 0x0C;
    info.option13 = 0;
    info.status = 0;
    host->cloneInfo = info.Build();
    EXPECT_EQ(Show(CL_CloneInfo_Model), "PMR446 Digital");
    EXPECT_EQ(Show(CL_CloneInfo_Esn), " ");
    EXPECT_EQ(Show(CL_CloneInfo_CheckSum), "$0000");
    EXPECT_EQ(Show(CL_CloneInfo_Option),
              "Two-Tone Decoder Unit\nDigital Signalling Unit\nGPS Receiver Unit\n");
    EXPECT_EQ(Show(CL_CloneInfo_OverVolt), "");
}

TEST_F(InfoCellsTest, BatteryThresholdsStayInTheirBands)
{
    Levels(200, 150, 100);
    EXPECT_EQ(Type(CL_Maker_Liion_Normal_Low2, "190"), "") << "maker mode only";
    EXPECT_EQ(host->work.GetByte(0x31), 150);

    host->maker = true;
    // Typed above the range: the top of the range, (0030) - 7.
    EXPECT_EQ(Type(CL_Maker_Liion_Normal_Low2, "199"), "193");
    EXPECT_EQ(host->work.GetByte(0x31), 193);
    EXPECT_EQ(Type(CL_Maker_Liion_Normal_Low1, "250"), "245");
    EXPECT_EQ(Type(CL_Maker_Liion_Normal_Low3, "0"), "0");
    // Below the range: its bottom, (0031) + 7.
    EXPECT_EQ(Type(CL_Maker_Liion_Normal_Low1, "3"), "200");
    EXPECT_EQ(host->work.GetByte(0x30), 200);

    // Neighbours out of order leave an empty range: the value shows and stays.
    // Here Low 2 would lie in 96 .. 93.
    Levels(100, 150, 95);
    EXPECT_EQ(Show(CL_Maker_Liion_Normal_Low2), "150");
    EXPECT_EQ(Type(CL_Maker_Liion_Normal_Low2, "94"), "150");
    EXPECT_EQ(host->work.GetByte(0x31), 150);
}

// One set checked by hand: byte b is b * 10 / 255 volts; the Li-ion normal bands are
// 251 down to (0030) + 1, (0030) + 4 down to (0031) + 1, (0031) + 5 down to (0032) + 1, and
// (0032) down to 0.
TEST_F(InfoCellsTest, BandDisplaysShowVolts)
{
    host->maker = true;
    Levels(200, 150, 100);
    // 251 -> 9.843, 201 -> 7.882, 204 -> 8.000, 151 -> 5.922, 155 -> 6.078, 101 -> 3.961,
    // 100 -> 3.922.
    EXPECT_EQ(Show(CL_Maker_Liion_Normal_DispNormal), "[9.84V] - [7.88V]");
    EXPECT_EQ(Show(CL_Maker_Liion_Normal_DispLow1), "[8.00V] - [5.92V]");
    EXPECT_EQ(Show(CL_Maker_Liion_Normal_DispLow2), "[6.08V] - [3.96V]");
    EXPECT_EQ(Show(CL_Maker_Liion_Normal_DispLow3), "[3.92V] - [0.00V]");
    host->work.SetByte(0x36, 180);
    host->work.SetByte(0x37, 120);
    EXPECT_EQ(Show(CL_Maker_Liion_Dry_DispLow1), "[7.25V] - [4.75V]");  // 185, 121
    EXPECT_EQ(Show(CL_Maker_Liion_Dry_DispLow2), "[4.90V] - [0.00V]");  // 125
    host->maker = false;
    EXPECT_EQ(Show(CL_Maker_Liion_Normal_DispNormal), "");
}

// The maker key sequence lives in the settings store: shown and edited in maker mode only,
// accepted with 4 to 8 bytes, and read back the same after the store has written it.
TEST_F(InfoCellsTest, MakerPasswordCell)
{
    const std::string key = "Software\\Tavo\\Quorvex";
    indEnviron environ("QvTest Info " + std::to_string(getpid()), key, key);
    qvtest::ScopedGlobal<indEnviron> env{g_Environ, &environ};
    environ.makerReserveMode = "vultane";
    EXPECT_EQ(Show(CL_Maker_Password), "");
    EXPECT_EQ(Type(CL_Maker_Password, "abcd"), "");
    EXPECT_EQ(environ.makerReserveMode, "vultane");

    host->maker = true;
    EXPECT_EQ(Show(CL_Maker_Password), "vultane");
    EXPECT_EQ(Type(CL_Maker_Password, "ABC"), "vultane") << "too short";
    EXPECT_EQ(Type(CL_Maker_Password, "NewKey12345"), "newkey12");
    EXPECT_EQ(environ.makerReserveMode, "newkey12");
    EXPECT_EQ(indEnviron::DecodeText(indEnviron::EncodeText(environ.makerReserveMode), ""),
              "newkey12");
    // The zero-filled variant ends the password at a space: three bytes are too few.
    EXPECT_EQ(Type(CL_Adjust_Password, "Adj 9"), "");
    EXPECT_EQ(environ.adjustMode, "");
    EXPECT_EQ(Type(CL_Adjust_Password, "Adj9"), "Adj9");
    EXPECT_EQ(environ.adjustMode, "Adj9");
}

}  // namespace
