// quorvex-cli as a user runs it: against the simulated radio on a pseudo-terminal, with
// its own settings folder, checking exit codes, messages and files.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "RadioSim.h"
#include "SimFile.h"
#include "SimProcess.h"
#include "model/datCh.h"
#include "model/indDocument.h"

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int status = -1;
    std::string out, err;
};

// Runs the command line with a settings folder of its own; its data folder (the automatic
// backups) is "data" beside the settings folder unless one is given.
CliRun Cli(const std::string& args, const std::string& config, std::string dataHome = "")
{
    if (dataHome.empty())
        dataHome = (fs::path(config).parent_path() / "data").string();
    // One file per test process: ctest runs the tests of this file side by side.
    const std::string errFile =
        testing::TempDir() + "cli-stderr-" + std::to_string(getpid()) + ".txt";
    const std::string command = "XDG_CONFIG_HOME='" + config + "' XDG_DATA_HOME='" + dataHome +
                                "' '" + std::string(QV_BIN_DIR) + "/quorvex-cli' " + args + " 2>'" +
                                errFile + "'";
    CliRun r;
    FILE* p = popen(command.c_str(), "r");
    if (!p)
        return r;
    std::array<char, 512> buf;
    while (fgets(buf.data(), buf.size(), p))
        r.out += buf.data();
    const int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::stringstream s;
    s << in.rdbuf();
    r.err = s.str();
    return r;
}

// A document of the initial LMR image, as the program starts it.
void StartDocument(indDocument& doc)
{
    doc.SetProgramDir(std::string(QV_BIN_DIR) + "/");
    doc.SetInitialFiles(
        {"TM5150Q_lmr.qcl", "TM5150Q_pmr.qcl", "TM5150Q_pmrd.qcl", "TM5150Q_dpmr446.qcl"});
    doc.Start(0);
}

void SetChannel(indDocument& doc, uint32_t hz)
{
    datCh ch(doc.Work());
    ch.Load(1, 0);
    ch.freqR = hz;
    ch.freqT = hz;
    ch.flags |= 1;
    ch.Store(1, 0);
}

// A radio holding the LMR defaults with one memory channel in use, as the program writes it.
std::vector<uint8_t> RadioWithAChannel()
{
    indDocument doc;
    StartDocument(doc);
    SetChannel(doc, 446006250);
    cmcEeprom image;
    std::vector<int32_t> ranges;
    doc.PrepareCloneWrite(image, ranges);
    return std::vector<uint8_t>(image.Data(), image.Data() + RadioSim::kEepromSize);
}

class QuorvexCli : public ::testing::Test {
protected:
    std::string dir;
    std::string config;
    void SetUp() override
    {
        dir = testing::TempDir() + "quorvex-cli-" + std::to_string(getpid()) + "/";
        fs::remove_all(dir);
        fs::create_directories(dir + "config");
        config = dir + "config";
    }
    void TearDown() override { fs::remove_all(dir); }
};

// The command line runs the program's flows: a read is checked, prepared and packed as the
// program saves it; a write sends the file prepared and packed as the program writes it.
TEST_F(QuorvexCli, ReadsAndWritesTheSimulatedRadioAndLeavesTheSettingsAlone)
{
    const std::vector<uint8_t> start = RadioWithAChannel();
    SimProcess radio({}, false, dir + "radio.clone", start);
    ASSERT_TRUE(radio.ok());
    const std::string port = "--port " + radio.path();

    CliRun info = Cli(port + " info", config);
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_EQ(info.out, "Radio 3285, sub code 0000, memory up to 077F.\n");

    CliRun read = Cli(port + " --normal-speed read " + dir + "read.clone", config);
    ASSERT_EQ(read.status, 0) << read.err;
    std::vector<uint8_t> got;
    ASSERT_EQ(SimFile::Load(dir + "read.clone", got), 0);
    EXPECT_EQ(got, start);

    // A changed document goes back; the radio keeps what was written from 0100 on.
    {
        indDocument doc;
        StartDocument(doc);
        ASSERT_EQ(doc.OpenFile(dir + "read.clone"), 0);
        SetChannel(doc, 446093750);
        ASSERT_EQ(doc.SaveFile(dir + "changed.clone"), 0);
    }
    ASSERT_EQ(SimFile::Load(dir + "changed.clone", got), 0);
    CliRun write = Cli(port + " write " + dir + "changed.clone", config);
    EXPECT_EQ(write.status, 0) << write.err;
    EXPECT_NE(write.out.find("it holds what was written"), std::string::npos) << write.out;
    EXPECT_EQ(Cli("check " + dir + "changed.clone", config).status, 0);
    radio.Stop();
    EXPECT_EQ(radio.Written(), got);
    EXPECT_TRUE(fs::is_empty(config));
}

// Every read leaves a backup of the radio's own bytes in the data folder; a folder that
// cannot be written costs a warning, never the read.
TEST_F(QuorvexCli, ReadKeepsABackupAndAFailedBackupOnlyWarns)
{
    const std::vector<uint8_t> start = RadioWithAChannel();
    SimProcess radio({}, false, dir + "radio.clone", start);
    ASSERT_TRUE(radio.ok());
    const std::string port = "--port " + radio.path();

    CliRun read = Cli(port + " read " + dir + "read.clone", config);
    ASSERT_EQ(read.status, 0) << read.err;
    const fs::path backups = fs::path(dir) / "data/Tavo/Quorvex/backups";
    std::vector<fs::path> kept;
    for (const auto& e : fs::directory_iterator(backups))
        kept.push_back(e.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0].filename().string().find("_Lmr.qcl"), std::string::npos) << kept[0];
    EXPECT_NE(read.out.find(kept[0].string()), std::string::npos) << read.out;
    std::vector<uint8_t> got;
    ASSERT_EQ(SimFile::Load(kept[0].string(), got), 0);
    EXPECT_EQ(got, start);

    CliRun unkept = Cli(port + " read " + dir + "second.clone", config, "/proc/no-such-folder");
    EXPECT_EQ(unkept.status, 0) << unkept.err;
    EXPECT_NE(unkept.err.find("warning: The image was read from the radio, but no backup"),
              std::string::npos)
        << unkept.err;
    EXPECT_TRUE(fs::exists(dir + "second.clone"));
}

TEST_F(QuorvexCli, RadioLockedWithAPasswordWantsIt)
{
    RadioSim::Config locked;
    locked.infoByte15 = 0x08;
    SimProcess radio(locked, false, dir + "radio.clone");
    ASSERT_TRUE(radio.ok());
    const std::string port = "--port " + radio.path();
    CliRun without = Cli(port + " read " + dir + "read.clone", config);
    EXPECT_EQ(without.status, 1);
    EXPECT_NE(without.err.find("clone password"), std::string::npos) << without.err;
    EXPECT_FALSE(fs::exists(dir + "read.clone"));
    CliRun with = Cli(port + " --password secret read " + dir + "read.clone", config);
    EXPECT_EQ(with.status, 0) << with.err;
}

TEST_F(QuorvexCli, FailuresExitWithTheirResultCodeAndSayWhy)
{
    CliRun usage = Cli("", config);
    EXPECT_EQ(usage.status, 1);
    EXPECT_NE(usage.err.find("usage: quorvex-cli"), std::string::npos);

    CliRun noPort = Cli("--port " + dir + "no-such-device info", config);
    EXPECT_EQ(noPort.status, 2);
    EXPECT_NE(noPort.err.find("could not be opened"), std::string::npos) << noPort.err;
    EXPECT_NE(noPort.err.find("does not exist"), std::string::npos) << noPort.err;

    std::ofstream(dir + "bad.clone") << "32850000\n#MapRev=1\n0000GG\n";
    EXPECT_EQ(Cli("check " + dir + "bad.clone", config).status, 6);
    EXPECT_EQ(Cli("check " + dir + "missing.clone", config).status, 1);

    RadioSim::Config silent;
    silent.fault = RadioSim::Fault::Silence;
    SimProcess radio(silent, false, dir + "radio.clone");
    ASSERT_TRUE(radio.ok());
    CliRun quiet = Cli("--port " + radio.path() + " info", config);
    EXPECT_EQ(quiet.status, 5);
    EXPECT_NE(quiet.err.find("The radio did not answer in time."), std::string::npos) << quiet.err;
}

TEST_F(QuorvexCli, OneWriteProgramsSeveralRadiosInTurnAndReportsEach)
{
    // Three radios; the second stops answering part-way through the write.
    RadioSim::Config faulty;
    faulty.fault = RadioSim::Fault::DropAfter;
    faulty.dropAfter = 3;
    SimProcess a({}, false, dir + "a.clone");
    SimProcess b(faulty, false, dir + "b.clone");
    SimProcess c({}, false, dir + "c.clone");
    ASSERT_TRUE(a.ok() && b.ok() && c.ok());
    // A document with a channel, saved as the program saves it; each radio receives it as
    // the program writes it, which here is the saved file itself.
    {
        indDocument doc;
        StartDocument(doc);
        SetChannel(doc, 446031250);
        ASSERT_EQ(doc.SaveFile(dir + "fleet.clone"), 0);
    }
    std::vector<uint8_t> image;
    ASSERT_EQ(SimFile::Load(dir + "fleet.clone", image), 0);

    CliRun all = Cli("--port " + a.path() + "," + c.path() + " --port " + a.path() + " write " +
                         dir + "fleet.clone",
                     config);
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out, "Radio 1 of 3 on " + a.path() + ": model 3285, written, verified.\n" +
                           "Radio 2 of 3 on " + c.path() + ": model 3285, written, verified.\n" +
                           "Radio 3 of 3 on " + a.path() + ": model 3285, written, verified.\n" +
                           "3 of 3 radios were written and verified.\n");

    CliRun mixed = Cli("--port " + a.path() + " --port " + b.path() + " --port " + c.path() +
                           " write " + dir + "fleet.clone",
                       config);
    EXPECT_NE(mixed.status, 0);
    std::istringstream lines(mixed.out);
    std::vector<std::string> got;
    for (std::string line; std::getline(lines, line);)
        got.push_back(line);
    ASSERT_EQ(got.size(), 5u) << mixed.out;
    EXPECT_EQ(got[0], "Radio 1 of 3 on " + a.path() + ": model 3285, written, verified.");
    EXPECT_EQ(got[1].rfind("Radio 2 of 3 on " + b.path() + ": model 3285, failed (code ", 0), 0u)
        << got[1];
    EXPECT_NE(got[1].find("not verified."), std::string::npos) << got[1];
    EXPECT_EQ(got[2], "Radio 3 of 3 on " + c.path() + ": model 3285, written, verified.");
    EXPECT_EQ(got[3], "2 of 3 radios were written and verified.");
    EXPECT_EQ(got[4], "Not written or not verified: " + b.path() + ".");
    EXPECT_NE(mixed.err.find("incomplete image"), std::string::npos) << mixed.err;
    a.Stop();
    b.Stop();
    c.Stop();
    // Both written radios hold the same memory (the read-back verified it against what was
    // sent), and the failed one completed no write.
    ASSERT_EQ(a.Written().size(), image.size());
    EXPECT_EQ(a.Written(), c.Written());
    EXPECT_TRUE(b.Written().empty());

    // Only a write goes to several radios.
    EXPECT_EQ(Cli("--port 1,2 info", config).status, 1);
}

}  // namespace

// A radio that stores one byte other than it was sent: the read-back finds it, names where,
// and the command line exits with its own code.
TEST_F(QuorvexCli, AWriteTheRadioDoesNotKeepFailsVerification)
{
    RadioSim::Config faulty;
    faulty.fault = RadioSim::Fault::FlipStored;
    const std::vector<uint8_t> image = RadioWithAChannel();
    SimProcess radio(faulty, false, dir + "radio.clone", image);
    ASSERT_TRUE(radio.ok());
    ASSERT_EQ(SimFile::Save(dir + "image.clone", image), 0);
    CliRun write = Cli("--port " + radio.path() + " write " + dir + "image.clone", config);
    EXPECT_EQ(write.status, 20) << write.err;
    EXPECT_NE(write.err.find("differ from what was written: 1, the first 0200 (radio"),
              std::string::npos)
        << write.err;
    CliRun unchecked =
        Cli("--port " + radio.path() + " --no-verify write " + dir + "image.clone", config);
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
}

// A fleet where one radio stores another byte than it was sent: the others are written and
// verified, that one is named, and the exit status is the verification's.
TEST_F(QuorvexCli, AFleetRadioThatDiffersIsNamedAndTheOthersAreWritten)
{
    RadioSim::Config flips;
    flips.fault = RadioSim::Fault::FlipStored;
    const std::vector<uint8_t> image = RadioWithAChannel();
    ASSERT_EQ(SimFile::Save(dir + "image.clone", image), 0);
    SimProcess a({}, false, dir + "a.clone");
    SimProcess b(flips, false, dir + "b.clone");
    SimProcess c({}, false, dir + "c.clone");
    ASSERT_TRUE(a.ok() && b.ok() && c.ok());
    const std::string ports = a.path() + "," + b.path() + "," + c.path();
    CliRun run = Cli("--port " + ports + " write " + dir + "image.clone", config);
    EXPECT_EQ(run.status, 20) << run.err;
    EXPECT_NE(run.out.find("Radio 2 of 3 on " + b.path() +
                           ": model 3285, written, differs from the file at 0200."),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("2 of 3 radios were written and verified.\nNot written or not "
                           "verified: " +
                           b.path() + "."),
              std::string::npos)
        << run.out;

    CliRun unchecked = Cli("--port " + ports + " --no-verify write " + dir + "image.clone", config);
    EXPECT_EQ(unchecked.status, 0) << unchecked.err;
    EXPECT_NE(unchecked.out.find("Radio 2 of 3 on " + b.path() +
                                 ": model 3285, written, not "
                                 "verified."),
              std::string::npos)
        << unchecked.out;
    EXPECT_NE(unchecked.out.find("3 of 3 radios were written; none was read back to verify."),
              std::string::npos)
        << unchecked.out;
}

// A channel table as a dealer writes one: frequencies, a transmit frequency equal to the
// receive one, tones and choices by name, under a decimal-comma locale. Exported and
// imported again, the file stays byte for byte; a table with three bad cells changes nothing.
TEST_F(QuorvexCli, ChannelTablesGoThroughTheCellsAndRoundTrip)
{
    const auto read = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    const std::string clone = dir + "fleet.clone";
    fs::copy_file(std::string(QV_BIN_DIR) + "/TM5150Q_lmr.qcl", clone);
    std::ofstream(dir + "dealer.csv")
        << "Bank,Channel,Receive MHz,Transmit MHz,Receive Tone,Transmit Tone,Bandwidth,Power\n"
           "1,1,446.00625,446.00625,88.5,88.5,Narrow,Low\n"
           "1,2,446.01875,446.11875,023N,023N,wide,High\n";
    // The command line inherits the locale (the C library falls back to its own when the
    // machine lacks this one).
    struct CommaLocale {
        CommaLocale() { setenv("LC_ALL", "de_DE.UTF-8", 1); }
        ~CommaLocale() { unsetenv("LC_ALL"); }
    } comma;
    CliRun typed = Cli("import-csv " + clone + " " + dir + "dealer.csv", config);
    ASSERT_EQ(typed.status, 0) << typed.err;
    CliRun out = Cli("export-csv " + clone + " " + dir + "out.csv", config);
    ASSERT_EQ(out.status, 0) << out.err;
    const std::string table = read(dir + "out.csv");
    EXPECT_NE(table.find("\r\n1,1,446.006250,<-,88.5,<-,Narrow,Low,"), std::string::npos) << table;
    EXPECT_NE(table.find("\r\n1,2,446.018750,446.118750,023N,<-,Wide,High,"), std::string::npos)
        << table;

    const std::string saved = read(clone);
    CliRun back = Cli("import-csv " + clone + " " + dir + "out.csv", config);
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(read(clone), saved);

    std::ofstream(dir + "bad.csv") << "Bank,Channel,Receive MHz,Power,Bandwidth\n"
                                      "1,1,abc,Low,Narrow\n"
                                      "1,2,446.01875,Loud,Wide\n"
                                      "1,3,446.03125,Low,Medium\n";
    CliRun bad = Cli("import-csv " + clone + " " + dir + "bad.csv", config);
    EXPECT_EQ(bad.status, 22);
    EXPECT_NE(bad.err.find("the file has 3 problems"), std::string::npos) << bad.err;
    for (const char* named :
         {"Row 2, Receive MHz: \"abc\"", "Row 3, Power: \"Loud\"", "Row 4, Bandwidth: \"Medium\""})
        EXPECT_NE(bad.err.find(named), std::string::npos) << bad.err;
    EXPECT_EQ(read(clone), saved);
    EXPECT_EQ(Cli("import-csv " + clone + " " + dir + "missing.csv", config).status, 21);
}
