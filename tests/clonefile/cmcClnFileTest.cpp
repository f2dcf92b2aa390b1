#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "clonefile/ShowFileError.h"
#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"
#include "overlay/cmcGTex.h"
#include "support/ScopedGlobal.h"
#include "support/TestServices.h"

namespace fs = std::filesystem;

namespace {

const char* const kOverlay[] = {
    "#GI_Sys_AppTitle",
    "Quorvex",
    "#GI_Mess_FileErr_Headline",
    "Headline",
    "#GI_Mess_FileErr_FileOpen",
    "Open text",
    "#GI_Mess_FileErr_FileAccess",
    "Access text",
    "#GI_Mess_FileErr_Model",
    "Model text",
    "#GI_Mess_FileErr_Extra",
    "Extra text",
    "#GI_Mess_FileErr_MapRev",
    "MapRev text",
    "#GI_Mess_FileErr_Format",
    "Format text",
    "#GI_Mess_FileErr_Coverage",
    "Coverage text",
    "#GI_Mess_FileErr_Data",
    "Data text",
    "#GI_Mess_FileErr_Newer",
    "Newer text",
    "#End_Of_Ovl",
    nullptr,
};

constexpr int32_t kImageSize = 0x1D00;
const int32_t kWhole[] = {0x0000, 0x077F, 1, 0};

// The model's header rule: model 3285 or 3179, extra code 0 or 100.
bool ModelHeader(void*, int model, int extra, int* error)
{
    if (model != 0x3285 && model != 0x3179) {
        *error = 3;
        return false;
    }
    if (extra != 0 && extra != 0x100) {
        *error = 4;
        return false;
    }
    return true;
}

bool BelowTwo(void*, int mapRev)
{
    return mapRev < 2;
}

void Pattern(cmcEeprom& e)
{
    e.SetSize(kImageSize);
    for (int32_t a = 0; a < kImageSize; ++a) {
        e.SetByte(a, static_cast<uint8_t>(a * 7 + 3));
    }
}

std::string Slurp(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void Put(const fs::path& p, const std::string& content)
{
    std::ofstream(p, std::ios::binary) << content;
}

std::vector<std::string> SplitCrLf(const std::string& s)
{
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = s.find("\r\n", from)) != std::string::npos; from = at + 2) {
        lines.push_back(s.substr(from, at - from));
    }
    EXPECT_EQ(from, s.size()) << "text after the last line end";
    return lines;
}

class ClnFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gtex.UseLines(kOverlay);
        char tmpl[] = "/tmp/qv_cln_XXXXXX";
        dir = mkdtemp(tmpl);
    }
    void TearDown() override
    {
        chmod(dir.c_str(), 0755);
        fs::remove_all(dir);
    }
    // A reader or writer configured as the document commands configure it.
    void Configure(cmcClnFile& f, cmcEeprom& image)
    {
        f.AttachImage(&image);
        f.SetModelCode(0x3285);
        f.SetExtraCode(0);
        f.SetMapRevCheck(BelowTwo, nullptr);
        f.SetHeaderCheck(ModelHeader, nullptr);
        f.SetMapRev(1);
    }
    int Save(cmcEeprom& image, const fs::path& p, const int32_t* ranges = kWhole)
    {
        cmcClnFile f;
        Configure(f, image);
        f.SetComment("Test");
        return f.Write(p, ranges);
    }
    int Load(cmcEeprom& image, const fs::path& p, const int32_t* ranges)
    {
        cmcClnFile f;
        Configure(f, image);
        return f.Read(p, ranges);
    }
    // A failing read or write tells the user once with a warning box; a test scripts it
    // for each call it expects to fail, so any other box fails the test.
    void ExpectBox(int code = -1)
    {
        if (code != 0) {
            qvtest::Services().boxes.Answer(plat::BoxResult::Ok);
        }
    }
    const std::vector<qvtest::TestMessageBoxes::Shown>& Boxes()
    {
        return qvtest::Services().boxes.Seen();
    }

    cmcGTex gtex;
    qvtest::ScopedGlobal<cmcGTex> installGTex{g_GTex, &gtex};
    fs::path dir;
};

TEST_F(ClnFileTest, SavedImageReadsBackIdentically)
{
    cmcEeprom image;
    Pattern(image);
    const fs::path p = dir / "a.qcl";
    ASSERT_EQ(Save(image, p), 0);

    const std::vector<std::string> lines = SplitCrLf(Slurp(p));
    ASSERT_EQ(lines.size(), 123u);
    EXPECT_EQ(lines[0], "32850000");
    EXPECT_EQ(lines[1], "#Comment=Test");
    EXPECT_EQ(lines[2], "#MapRev=1");
    for (size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 38u) << i;
    }
    EXPECT_EQ(lines[3].substr(0, 8), "00001003");  // address 0000, 16 bytes, first byte 03
    EXPECT_EQ(lines.back().substr(0, 6), "077010");

    cmcEeprom back;
    back.SetSize(kImageSize);
    cmcClnFile f;
    Configure(f, back);
    f.SetMapRev(-7);
    EXPECT_EQ(f.Read(p, kWhole), 0);
    EXPECT_EQ(f.MapRev(), 1);
    for (int32_t a = 0; a < kImageSize; ++a) {
        ASSERT_EQ(back.GetByte(a), a < 0x780 ? image.GetByte(a) : 0) << a;
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(ClnFileTest, DataLinesBreakAtEveryMultipleOfSixteen)
{
    cmcEeprom image;
    image.SetSize(kImageSize);
    for (int32_t a = 0; a < kImageSize; ++a) {
        image.SetByte(a, static_cast<uint8_t>(a));
    }
    // The pair outside the image ends the list; the range after it is not written.
    const int32_t ranges[] = {0x05, 0x24, 0x100, 0x100, 0x1D00, 0x1D01, 0x200, 0x210, 1, 0};
    ASSERT_EQ(Save(image, dir / "r.qcl", ranges), 0);
    const std::vector<std::string> want = {
        "32850000",
        "#Comment=Test",
        "#MapRev=1",
        "00050B05060708090A0B0C0D0E0F",
        "001010101112131415161718191A1B1C1D1E1F",
        "0020052021222324",
        "01000100",
    };
    EXPECT_EQ(SplitCrLf(Slurp(dir / "r.qcl")), want);

    const int32_t none[] = {1, 0};
    ASSERT_EQ(Save(image, dir / "n.qcl", none), 0);
    EXPECT_EQ(Slurp(dir / "n.qcl"), "32850000\r\n#Comment=Test\r\n#MapRev=1\r\n");
}

TEST_F(ClnFileTest, CommentWithLineBreaksStillReadsBack)
{
    cmcEeprom image;
    Pattern(image);
    cmcClnFile f;
    Configure(f, image);
    f.SetComment("two\r\nlines");
    ASSERT_EQ(f.Write(dir / "c.qcl", kWhole), 0);
    EXPECT_EQ(SplitCrLf(Slurp(dir / "c.qcl"))[1], "#Comment=two  lines");
    cmcEeprom back;
    back.SetSize(kImageSize);
    EXPECT_EQ(Load(back, dir / "c.qcl", kWhole), 0);
}

// Reads without a range list, so one data line makes a complete file. Every failing
// read must leave the image exactly as it was.
TEST_F(ClnFileTest, ReadResults)
{
    const std::string H = "32850000\n", M = "#MapRev=1\n", D = "0000021122\n";
    const std::string longest = "0000FF" + std::string(2 * 255, 'A');
    struct Case {
        const char* name;
        std::string content;
        int code;
    };
    const Case cases[] = {
        {"plain", H + M + D, 0},
        {"second extra code", "32850100\n" + M + D, 0},
        {"second model code", "31790000\n" + M + D, 0},
        {"other model", "32860000\n" + M + D, 3},
        {"other extra code", "32850001\n" + M + D, 4},
        {"letter in header", "3285000A\n" + M + D, 6},
        {"header with trailing spaces", "32850000   \n" + M + D, 6},
        {"short header", "3285000\n" + M + D, 6},
        {"empty file", "", 6},
        // The header's line end is part of its nine characters.
        {"header without line end", "32850000", 6},
        {"no map revision", H + D, 0},
        {"map revision 0", H + "#MapRev=0\n" + D, 0},
        {"map revision 2 first", H + "#MapRev=2\n" + D, 5},
        {"map revision 2 after data", H + M + D + "#MapRev=2\n" + "0002021122\n", 0},
        {"huge map revision", H + "#MapRev=99999999999\n" + D, 5},
        {"map revision 2^32 + 1", H + "#MapRev=4294967297\n" + D, 5},  // not read as 1
        {"comments anywhere", H + "#x\n" + M + "#Comment=abc\n" + D + "#y\n", 0},
        {"lower-case digits", H + M + "00000211ab\n", 0},
        {"longest data line", H + M + longest + "\n", 0},
        {"too long data line", H + M + longest + "AA\n", 6},
        {"odd number of digits", H + M + "00000211223\n", 6},
        {"count disagrees", H + M + "0000031122\n", 6},
        {"non-hexadecimal", H + M + "00000211G2\n", 6},
        {"count 00", H + M + "000000\n", 6},
        {"empty line between data", H + M + D + "\n" + "0002021122\n", 6},
        {"blank CR LF line", H + M + D + "\r\n", 6},
        {"past the image end", H + M + "1CFF021122\n", 8},
        {"ending on the image's last byte", H + M + "1CFE021122\n", 0},
        {"past the end after stored data", H + M + D + "1D000111\n", 8},
        {"last data line without line end", H + M + "0000021122", 0},
        {"CR LF line ends", "32850000\r\n#MapRev=1\r\n0000021122\r\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path p = dir / "t.qcl";
        Put(p, c.content);
        cmcEeprom image, before;
        Pattern(image);
        before.Assign(image);
        ExpectBox(c.code);
        EXPECT_EQ(Load(image, p, nullptr), c.code);
        if (c.code != 0) {
            EXPECT_TRUE(image.Equals(before));
        } else if (c.content.find(D.substr(0, 10)) != std::string::npos) {
            EXPECT_EQ(image.GetByte(0), 0x11);
            EXPECT_EQ(image.GetByte(1), 0x22);
        }
    }

    cmcEeprom image, before;
    Pattern(image);
    before.Assign(image);
    for (const fs::path& p : {dir / "missing.qcl", dir}) {
        ExpectBox();
        EXPECT_EQ(Load(image, p, nullptr), 1) << p;
        EXPECT_TRUE(image.Equals(before));
    }
}

TEST_F(ClnFileTest, ChecksWithoutCallbacks)
{
    const fs::path p = dir / "t.qcl";
    cmcEeprom image;
    Pattern(image);
    struct Case {
        const char* header;
        int code;
    };
    for (const Case& c : {Case{"32850000", 5}, Case{"32860000", 3}, Case{"32850100", 4}}) {
        SCOPED_TRACE(c.header);
        Put(p, std::string(c.header) + "\n#MapRev=1\n0000021122\n");
        cmcClnFile f;
        f.AttachImage(&image);
        f.SetModelCode(0x3285);
        f.SetExtraCode(0);
        // Without a map-revision check no data line is accepted.
        ExpectBox();
        EXPECT_EQ(f.Read(p, nullptr), c.code);
    }

    // A header check that refuses without naming a code still refuses.
    Put(p, "32850000\n#MapRev=1\n0000021122\n");
    cmcClnFile f;
    f.AttachImage(&image);
    f.SetMapRevCheck(BelowTwo, nullptr);
    f.SetHeaderCheck([](void*, int, int, int* error) { return *error = 0, false; }, nullptr);
    ExpectBox();
    EXPECT_EQ(f.Read(p, nullptr), 3);
}

TEST_F(ClnFileTest, CoverageOfTheExpectedRanges)
{
    cmcEeprom image;
    Pattern(image);
    const fs::path p = dir / "a.qcl";
    ASSERT_EQ(Save(image, p), 0);
    const std::string full = Slurp(p);
    const size_t at = full.find("010010");
    ASSERT_NE(at, std::string::npos);

    struct Case {
        const char* name;
        std::string content;
        int code;
    };
    const Case cases[] = {
        {"complete", full, 0},
        {"one line missing", full.substr(0, at) + full.substr(at + 40), 7},
        {"extra line inside the image", full + "0780021122\r\n", 8},
        {"line read twice", full + full.substr(at, 40), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Put(p, c.content);
        cmcEeprom back, before;
        back.SetSize(kImageSize);
        before.Assign(back);
        ExpectBox(c.code);
        EXPECT_EQ(Load(back, p, kWhole), c.code);
        if (c.code != 0) {
            EXPECT_TRUE(back.Equals(before));
        }
    }

    // Reading without a list and checking afterwards, as the open command does.
    Put(p, full);
    cmcEeprom back;
    back.SetSize(kImageSize);
    cmcClnFile f;
    Configure(f, back);
    ASSERT_EQ(f.Read(p, nullptr), 0);
    EXPECT_EQ(f.CheckCoverage(nullptr), 7);
    EXPECT_EQ(f.CheckCoverage(kWhole), 0);
    const int32_t shorter[] = {0x0000, 0x06FF, 1, 0};
    EXPECT_EQ(f.CheckCoverage(shorter), 8);
    const int32_t more[] = {0x0000, 0x07FF, 1, 0};
    EXPECT_EQ(f.CheckCoverage(more), 7);
}

TEST_F(ClnFileTest, CrLfAndLfFilesReadAlike)
{
    cmcEeprom image;
    Pattern(image);
    const fs::path crlf = dir / "crlf.qcl", lf = dir / "lf.qcl";
    ASSERT_EQ(Save(image, crlf), 0);
    std::string text = Slurp(crlf);
    std::string bare;
    for (char c : text) {
        if (c != '\r') {
            bare.push_back(c);
        }
    }
    Put(lf, bare);
    cmcEeprom a, b;
    a.SetSize(kImageSize);
    b.SetSize(kImageSize);
    EXPECT_EQ(Load(a, crlf, kWhole), 0);
    EXPECT_EQ(Load(b, lf, kWhole), 0);
    EXPECT_TRUE(a.Equals(b));
    EXPECT_EQ(a.GetByte(0x77F), image.GetByte(0x77F));
}

TEST_F(ClnFileTest, ErrorMessages)
{
    ExpectBox();
    ShowFileError(6);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].caption, "Quorvex");
    EXPECT_EQ(Boxes()[0].text, "Headline\n\nFormat text");
    EXPECT_EQ(Boxes()[0].icon, plat::BoxIcon::Warning);
    EXPECT_EQ(Boxes()[0].buttons, plat::BoxButtons::Ok);
    for (int code : {0, -1, 10}) {
        ShowFileError(code);
    }
    EXPECT_EQ(Boxes().size(), 1u);

    // A failing read tells the user once, by itself.
    cmcEeprom image;
    Pattern(image);
    ExpectBox();
    Load(image, dir / "missing.qcl", nullptr);
    ASSERT_EQ(Boxes().size(), 2u);
    EXPECT_EQ(Boxes()[1].text, "Headline\n\nOpen text");
}

// ---- saving never destroys the previous file ----

struct WriteScript {
    int calls = 0;
    int failAt = -1;      // this call fails as a full disk would
    size_t maxChunk = 0;  // short writes of at most this many bytes
};

long ScriptedWrite(void* context, int fd, const void* data, size_t length)
{
    auto* s = static_cast<WriteScript*>(context);
    if (++s->calls == s->failAt) {
        errno = ENOSPC;
        return -1;
    }
    if (s->maxChunk && length > s->maxChunk) {
        length = s->maxChunk;
    }
    return static_cast<long>(::write(fd, data, length));
}

TEST_F(ClnFileTest, FailedWriteKeepsTheOldFile)
{
    const fs::path p = dir / "old.qcl";
    const std::string old = "old content\r\n";
    cmcEeprom image;
    Pattern(image);
    for (int failAt : {1, 2, 50, 123}) {
        SCOPED_TRACE(failAt);
        Put(p, old);
        WriteScript script;
        script.failAt = failAt;
        cmcClnFile f;
        Configure(f, image);
        f.SetWriteFn(ScriptedWrite, &script);
        ExpectBox();
        EXPECT_EQ(f.Write(p, kWhole), 2);
        EXPECT_EQ(Slurp(p), old);
        // The temporary file is gone.
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
    }
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back().text, "Headline\n\nAccess text");

    // Addresses beyond four hexadecimal digits cannot be written truthfully.
    cmcEeprom big;
    big.SetSize(0x10010);
    const int32_t beyond[] = {0xFFF0, 0x10005, 1, 0};
    Put(p, old);
    ExpectBox();
    EXPECT_EQ(Save(big, p, beyond), 2);
    EXPECT_EQ(Slurp(p), old);
}

struct ReadScript {
    int calls = 0;
    int failAt = -1;  // this byte's read fails as a failing disk would
};

int ScriptedRead(void* context, std::FILE* file)
{
    auto* s = static_cast<ReadScript*>(context);
    if (++s->calls == s->failAt) {
        return cmcClnFile::kReadFailed;
    }
    return std::getc(file);
}

TEST_F(ClnFileTest, ReadFailingAfterGoodLinesLeavesTheImageAsItWas)
{
    cmcEeprom image;
    Pattern(image);
    const fs::path p = dir / "a.qcl";
    ASSERT_EQ(Save(image, p), 0);
    const int size = static_cast<int>(Slurp(p).size());
    // In the header, after a few data lines, inside the last line, at its very end.
    for (int failAt : {5, 400, size - 10, size}) {
        SCOPED_TRACE(failAt);
        cmcEeprom back, before;
        back.SetSize(kImageSize);
        back.Fill(0x5A);
        before.Assign(back);
        ReadScript script;
        script.failAt = failAt;
        cmcClnFile f;
        Configure(f, back);
        f.SetReadFn(ScriptedRead, &script);
        ExpectBox();
        EXPECT_EQ(f.Read(p, nullptr), kClnFileOpen);
        EXPECT_TRUE(back.Equals(before));
    }
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back().text, "Headline\n\nOpen text");

    // The same hook reading to the end is an ordinary read.
    cmcEeprom back;
    back.SetSize(kImageSize);
    ReadScript script;
    cmcClnFile f;
    Configure(f, back);
    f.SetReadFn(ScriptedRead, &script);
    EXPECT_EQ(f.Read(p, kWhole), kClnOk);
    EXPECT_EQ(back.GetByte(0x077F), image.GetByte(0x077F));
}

TEST_F(ClnFileTest, ShortWritesAreCompleted)
{
    cmcEeprom image;
    Pattern(image);
    ASSERT_EQ(Save(image, dir / "plain.qcl"), 0);
    WriteScript script;
    script.maxChunk = 7;
    cmcClnFile f;
    Configure(f, image);
    f.SetComment("Test");
    f.SetWriteFn(ScriptedWrite, &script);
    ASSERT_EQ(f.Write(dir / "short.qcl", kWhole), 0);
    EXPECT_EQ(Slurp(dir / "short.qcl"), Slurp(dir / "plain.qcl"));
}

// Runs fn as an unprivileged user, since permissions do not bind the super-user.
int AsUser(const std::function<int()>& fn)
{
    if (geteuid() != 0) {
        return fn();
    }
    pid_t pid = fork();
    if (pid == 0) {
        _exit(setgid(65534) == 0 && setuid(65534) == 0 ? fn() : 99);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST_F(ClnFileTest, SaveThatCannotStartLeavesEverythingAlone)
{
    cmcEeprom image;
    Pattern(image);
    for (const fs::path& p : {dir / "no-such-folder" / "a.qcl", fs::path(), dir}) {
        ExpectBox();  // a folder is not a file
        EXPECT_EQ(Save(image, p), 1) << p;
    }

    const fs::path p = dir / "old.qcl";
    Put(p, "old\r\n");
    // The file may be written, the folder not: a save cannot start, whoever runs it.
    chmod(p.c_str(), 0666);
    chmod(dir.c_str(), 0555);
    ExpectBox();  // shown to the unprivileged user's process
    EXPECT_EQ(AsUser([&] { return Save(image, p); }), 1);
    EXPECT_EQ(Slurp(p), "old\r\n");

    chmod(p.c_str(), 0444);
    chmod(dir.c_str(), 0777);  // the folder would allow a rename over the read-only file
    ExpectBox();               // shown to the unprivileged user's process
    EXPECT_EQ(AsUser([&] { return Save(image, p); }), 1);
    EXPECT_EQ(Slurp(p), "old\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(ClnFileTest, SaveKeepsPermissionsAndLinks)
{
    cmcEeprom image;
    Pattern(image);
    const fs::path real = dir / "real.qcl", link = dir / "link.qcl";
    Put(real, "old\r\n");
    chmod(real.c_str(), 0640);
    fs::create_symlink(real, link);
    ASSERT_EQ(Save(image, link), 0);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Slurp(real).substr(0, 10), "32850000\r\n");
    struct stat st;
    ASSERT_EQ(stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

}  // namespace

// Only regular files are read: a directory, a device that never ends and a FIFO that no
// one writes to are all refused at once with the open error, the image untouched.
TEST_F(ClnFileTest, NonRegularFilesAreRefused)
{
    const fs::path fifo = dir / "fifo.qcl";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    qvtest::Services().boxes.AnswerAll(plat::BoxResult::Ok);
    for (const std::string& path : {dir.string(), std::string("/dev/zero"), fifo.string()}) {
        SCOPED_TRACE(path);
        cmcEeprom image, before;
        Pattern(image);
        before.Assign(image);
        cmcClnFile f;
        Configure(f, image);
        EXPECT_EQ(f.Read(path, kWhole), 1);
        EXPECT_TRUE(image.Equals(before));
    }
}
