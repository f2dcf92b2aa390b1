#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "common/cmcEeprom.h"
#include "common/indEnviron.h"
#include "model/CheckImageIdentity.h"
#include "model/datChBanks.h"
#include "model/indBlockMap.h"
#include "model/indDocument.h"
#include "overlay/cmcGTex.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

const char* const kOverlay[] = {
    "Test overlay",
    "#GI_Sys_AppTitle",
    "Quorvex",
    "#GI_App_InitialFile",
    "TM5150Q_lmr.qcl",
    "TM5150Q_pmr.qcl",
    "TM5150Q_pmrd.qcl",
    "TM5150Q_dpmr446.qcl",
    "#GI_Sys_LockoutNewerData",
    "1",
    "#GI_Mess_FileErr_Headline",
    "Headline",
    "#GI_Mess_FileErr_FileOpen",
    "E1",
    "#GI_Mess_FileErr_FileAccess",
    "E2",
    "#GI_Mess_FileErr_Model",
    "E3",
    "#GI_Mess_FileErr_Extra",
    "E4",
    "#GI_Mess_FileErr_MapRev",
    "E5",
    "#GI_Mess_FileErr_Format",
    "E6",
    "#GI_Mess_FileErr_Coverage",
    "E7",
    "#GI_Mess_FileErr_Data",
    "E8",
    "#GI_Mess_FileErr_Newer",
    "E9",
    "#End_Of_Ovl",
};

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Put(const fs::path& p, const std::string& content)
{
    std::ofstream(p, std::ios::binary) << content;
}

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gtex.UseLines(kOverlay);
        g_GTex = &gtex;
        const std::string key = "Software\\Tavo\\Quorvex";
        environ = std::make_unique<indEnviron>("QvTest Doc " + std::to_string(getpid()), key, key);
        g_Environ = environ.get();
        char tmpl[] = "/tmp/qv_doc_XXXXXX";
        dir = mkdtemp(tmpl);
        doc.SetProgramDir(std::string(QV_DATA_DIR) + "/clone/");
        doc.Start(0);
    }
    void TearDown() override
    {
        g_GTex = nullptr;
        g_Environ = nullptr;
        environ.reset();
        chmod(dir.c_str(), 0755);
        fs::remove_all(dir);
    }
    // A saved document with a comment, as a valid file to damage.
    std::string ValidFile()
    {
        const fs::path p = dir / "valid.qcl";
        doc.Work().SetBlock(indDocument::kComment1, reinterpret_cast<const uint8_t*>("Site A"), 6);
        EXPECT_EQ(doc.SaveFile(p), 0);
        return Slurp(p);
    }
    const std::vector<qvtest::TestMessageBoxes::Shown>& Boxes()
    {
        return qvtest::Services().boxes.Seen();
    }

    cmcGTex gtex;
    std::unique_ptr<indEnviron> environ;
    fs::path dir;
    indDocument doc;
};

// Every model type's initial file is a packed image of this radio, passes the checks a
// radio image passes, holds 16 channel records of which none is in use, and names its own
// model type.
TEST_F(DocumentTest, InitialFilesAreValidImagesWithoutChannelsInUse)
{
    for (int t = 0; t < indDocument::kModelTypes; ++t) {
        SCOPED_TRACE(t);
        indDocument d;
        d.SetProgramDir(std::string(QV_DATA_DIR) + "/clone/");
        d.Start(t);
        EXPECT_EQ(d.ModelType(), t);
        EXPECT_EQ(CheckImageIdentity(d.Reference(), true), indIdentity::Accepted);
        EXPECT_EQ(CheckImageIdentity(d.Work(), true), indIdentity::Accepted);
        EXPECT_EQ(datTotalChannels(d.Reference()), 16);
        for (int k = 1; k <= 4; ++k)
            EXPECT_EQ(datUsedChannels16(d.Reference(), k - 1), 0);
        EXPECT_FALSE(d.Modified());
        EXPECT_TRUE(d.Untitled());
        // Opening the initial file itself keeps the model type it names.
        indDocument other;
        other.SetProgramDir(d.ProgramDir());
        other.Start((t + 1) % 4);
        EXPECT_EQ(other.OpenFile(d.InitialFilePath(t)), 0);
        EXPECT_EQ(other.ModelType(), t);
        EXPECT_EQ(other.UsedChannels(), 0);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DocumentTest, SaveThenOpenRestoresTheDocument)
{
    const fs::path p = dir / "one.qcl";
    doc.Work().SetBlock(indDocument::kComment1, reinterpret_cast<const uint8_t*>("Fleet 7"), 7);
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.CheckModified());
    EXPECT_TRUE(doc.Modified());

    ASSERT_EQ(doc.SaveFile(p), 0);
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.Path(), p.string());
    EXPECT_EQ(doc.DisplayName(), "one.qcl");
    EXPECT_EQ(environ->recent.DisplayName(0, ""), p.string());
    EXPECT_EQ(environ->currentDirectory, dir.string());
    EXPECT_NE(Slurp(p).find("#Comment=Fleet 7\r\n"), std::string::npos);

    doc.NewDocument();
    EXPECT_TRUE(doc.Untitled());
    EXPECT_EQ(doc.Work().GetByte(indDocument::kComment1), ' ');

    ASSERT_EQ(doc.OpenFile(p), 0);
    EXPECT_EQ(doc.Work().GetByte(indDocument::kComment1), 'F');
    EXPECT_FALSE(doc.Modified());
    EXPECT_EQ(doc.Path(), p.string());
    EXPECT_TRUE(Boxes().empty());
}

// Each kind of damaged file shows its message and leaves the document, its path and its
// modified state exactly as they were.
TEST_F(DocumentTest, DamagedFilesLeaveTheDocumentAsItWas)
{
    const std::string good = ValidFile();
    const size_t data = good.find("\r\n0000");
    ASSERT_NE(data, std::string::npos);
    const std::string header = good.substr(0, data + 2);  // header, comment, map revision
    const std::string body = good.substr(data + 2);
    std::string notOurs = body;  // first data line with model code 1234
    notOurs.replace(6, 4, "1234");
    std::string newer = good;  // the newer-data byte of block 18 set, found by unpacking
    {
        indDocument probe;
        probe.SetProgramDir(doc.ProgramDir());
        probe.Start(0);
        probe.Work().SetByte(indDocument::kNewerDataByte, 1);
        cmcEeprom packed;
        packed.Assign(probe.Work());
        indBlockMap::Pack(packed);
        // Write the packed EEPROM the way a newer program would.
        std::string lines = header;
        for (int32_t a = 0; a <= indDocument::kEepromLast; a += 16) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%04X10", a);
            lines += buf;
            for (int k = 0; k < 16; ++k) {
                std::snprintf(buf, sizeof buf, "%02X", packed.GetByte(a + k));
                lines += buf;
            }
            lines += "\r\n";
        }
        newer = lines;
    }
    const fs::path fifo = dir / "fifo.qcl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string content;  // empty: use path as it is
        std::string path;
        int code;
    } cases[] = {
        {"missing", "", (dir / "none.qcl").string(), 1},
        {"folder", "", dir.string(), 1},
        {"fifo", "", fifo.string(), 1},
        {"other model", "32860000\r\n" + body, "", 3},
        {"other extra code", "32850200\r\n" + body, "", 4},
        {"newer map", "32850000\r\n#MapRev=2\r\n" + body, "", 5},
        {"header only, no line end", "32850000", "", 6},
        {"bad data line", header + "00001032ZZ\r\n", "", 6},
        {"line missing", header + body.substr(0, body.size() - 40), "", 7},
        {"not this radio", header + notOurs, "", 8},
        {"newer data", newer, "", 9},
    };
    // A document with unsaved work.
    doc.Work().SetByte(indDocument::kComment2, 'Q');
    doc.CheckModified();
    cmcEeprom before;
    before.Assign(doc.Work());
    const std::string path = doc.Path();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qvtest::Services().boxes.Clear();
        qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
        std::string p = c.path;
        if (p.empty()) {
            p = (dir / "damaged.qcl").string();
            Put(p, c.content);
        }
        EXPECT_EQ(doc.OpenFile(p), c.code);
        EXPECT_TRUE(doc.Work().Equals(before));
        EXPECT_TRUE(doc.Modified());
        EXPECT_EQ(doc.Path(), path);
        EXPECT_EQ(doc.ModelType(), 0);
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(Boxes()[0].text, "Headline\n\nE" + std::to_string(c.code));
    }
}

// A save that cannot be committed leaves the old file, the path and the modified flag.
TEST_F(DocumentTest, FailedSaveKeepsFileAndModifiedState)
{
    const std::string old = ValidFile();
    const fs::path p = dir / "valid.qcl";
    doc.Work().SetByte(indDocument::kComment2, 'Z');
    doc.CheckModified();
    chmod(dir.c_str(), 0555);
    const bool root = access(dir.c_str(), W_OK) == 0;
    qvtest::Services().boxes.AnswerAll(plat::BoxResult::Ok);
    if (!root) {
        EXPECT_NE(doc.SaveFile(p), 0);
        EXPECT_TRUE(doc.Modified());
        EXPECT_EQ(Slurp(p), old);
    }
    chmod(dir.c_str(), 0755);
    const std::string path = doc.Path();
    EXPECT_EQ(doc.SaveFile((dir / "no such folder" / "x.qcl").string()), 1);
    EXPECT_TRUE(doc.Modified());
    EXPECT_EQ(doc.Path(), path);
    EXPECT_EQ(doc.Work().GetByte(indDocument::kComment2), 'Z');
}

TEST_F(DocumentTest, HeaderCheckAndSecondModelCode)
{
    struct Case {
        int model, extra;
        bool ok;
        int error;
        bool second;
    } cases[] = {
        {0x3179, 0x0000, true, 0, true},
        {0x3285, 0x0100, true, 0, false},
        {0x3285, 0x0200, false, 4, false},
        {0x3286, 0x0000, false, 3, false},
    };
    for (const Case& c : cases) {
        int error = 0;
        EXPECT_EQ(doc.CheckFileHeader(c.model, c.extra, &error), c.ok);
        EXPECT_EQ(error, c.error);
        if (c.ok) {
            EXPECT_EQ(doc.SecondCodeFile(), c.second);
        }
    }
}

TEST_F(DocumentTest, PathsAreComparedExactly)
{
    const fs::path p = dir / "Case.qcl";
    ValidFile();
    ASSERT_EQ(doc.SaveFile(p), 0);
    EXPECT_TRUE(doc.IsDocumentPath(p.string()));
    EXPECT_FALSE(doc.IsDocumentPath((dir / "case.qcl").string()));
    EXPECT_FALSE(doc.IsDocumentPath(""));
}

TEST_F(DocumentTest, ModelTypeComesFromTheLoadedImage)
{
    struct Case {
        uint8_t byte;
        int type;
    } cases[] = {{0xA0, 2}, {0x80, 0}, {0x40, 1}, {0x04, 3}, {0x00, 0}};
    for (const Case& c : cases) {
        cmcEeprom image;
        image.Assign(doc.Reference());
        indBlockMap::Pack(image);
        // The model-type byte lives in block 6; put it there through the working area.
        image.SetByte(indDocument::kModelTypeByte, c.byte);
        indBlockMap::Pack(image);
        doc.AfterLoad(image);
        EXPECT_EQ(doc.ModelType(), c.type) << int(c.byte);
    }
}

TEST_F(DocumentTest, CommentJoinsBothTexts)
{
    struct Case {
        std::string first, second, comment;
    } cases[] = {
        {"ABC             ", "DEF             ", "ABCDEF"},
        {"                ", "  XY            ", "  XY"},
        {"A\rB             ", "                ", "A B"},
    };
    for (const Case& c : cases) {
        cmcEeprom image;
        image.SetSize(indDocument::kImageSize);
        image.SetBlock(indDocument::kComment1, reinterpret_cast<const uint8_t*>(c.first.data()),
                       16);
        image.SetBlock(indDocument::kComment2, reinterpret_cast<const uint8_t*>(c.second.data()),
                       16);
        EXPECT_EQ(indDocument::CommentOf(image), c.comment);
    }
}

// Settings in slots that pack never writes are named before a save can lose them.
TEST_F(DocumentTest, UnkeptChangesAreReported)
{
    EXPECT_TRUE(doc.UnkeptChanges().empty());
    doc.Work().SetByte(0x1A44, 'H');  // digital message text, block 38
    doc.Work().SetByte(0x0A2C, 'H');  // clone comment, packed: not reported
    EXPECT_EQ(doc.UnkeptChanges(), std::vector<int>{38});
    doc.MarkSaved();
    EXPECT_TRUE(doc.UnkeptChanges().empty());
}

TEST_F(DocumentTest, ChangeModelTypeAskedStartsAFreshDocument)
{
    doc.Work().SetByte(indDocument::kComment1, 'X');
    doc.CheckModified();
    doc.ChangeModelType(3, true);
    EXPECT_EQ(doc.ModelType(), 3);
    EXPECT_FALSE(doc.Modified());
    EXPECT_TRUE(doc.Untitled());
    EXPECT_EQ(doc.Work().GetByte(indDocument::kModelTypeByte), 0x04);
    // The same type again changes nothing.
    doc.Work().SetByte(indDocument::kComment1, 'X');
    doc.ChangeModelType(3, true);
    EXPECT_EQ(doc.Work().GetByte(indDocument::kComment1), 'X');
}

TEST_F(DocumentTest, MissingInitialFileIsFatal)
{
    EXPECT_EXIT(
        {
            indDocument d;
            d.SetProgramDir("/nonexistent/");
            d.Start(1);
        },
        ::testing::ExitedWithCode(3), "Cannot open '/nonexistent/TM5150Q_pmr.qcl'.");
}

}  // namespace

// A backup of a clone read carries the radio's comment. The comment lies beyond the bytes
// the radio sends until they are unpacked, so it is taken from the unpacked image.
TEST_F(DocumentTest, CloneReadBackupCarriesTheRadiosComment)
{
    doc.Work().SetBlock(indDocument::kComment1, reinterpret_cast<const uint8_t*>("Site A"), 6);
    cmcEeprom radio;
    std::vector<int32_t> ranges;
    doc.PrepareCloneWrite(radio, ranges);
    doc.SetBackupFolder((dir / "backups").string());
    const std::string path = doc.BackupCloneRead(radio, 0);
    ASSERT_FALSE(path.empty());
    EXPECT_NE(Slurp(path).find("#Comment=Site A\r\n"), std::string::npos);
}
