// quorvex-cli: identify, read and write a radio, and check clone files, from a terminal.
// Runs beside a program window (no single-instance lock), needs no display, reads the
// settings without writing them, and exits with the result code (0 on success).

#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "cli/CliFleet.h"
#include "cli/CliRulesHost.h"
#include "cli/CliUi.h"
#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"
#include "link/dst_CDrv_Result.h"
#include "link/indCloneMan.h"
#include "model/CheckImageIdentity.h"
#include "model/indDocument.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/IClock.h"
#include "platform/ISettingsBackend.h"
#include "platform/LoopTimerHost.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"
#include "rules/indChannelCsv.h"

namespace {

constexpr int kUsage = 1;
// The radio holds other bytes than were written: its own exit code, apart from the link's.
constexpr int kVerifyFailed = 20;
static_assert(kVerifyFailed == indFleetWrite::kVerifyFailed);
// A channel table that cannot be read or written, and one with values the cells refuse.
constexpr int kTableFile = 21;
constexpr int kTableRefused = 22;
const std::string kGlobal = "Software\\Tavo\\Quorvex\\Global";
const std::string kSetup = "Software\\Tavo\\Quorvex\\Setup";

struct Options {
    std::string command;
    std::string file;
    std::vector<std::string> ports;  // numbers or devices; none: the settings
    int speed = -1;                  // -1 the settings, 0 normal, 1 high
    bool password = false;
    std::string passwordText;
    bool verify = true;  // read the written range back and compare
    std::string csv;     // the channel table of export-csv and import-csv
};

int Usage()
{
    std::fprintf(stderr, "%s\n", g_GTex->GetLines("GI_Mess_Cli_Usage").c_str());
    return kUsage;
}

bool Parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--port" && i + 1 < argc) {
            // Repeated, or a comma-separated list: a write goes to each radio in turn.
            const std::string list = argv[++i];
            size_t from = 0;
            for (size_t comma; (comma = list.find(',', from)) != std::string::npos;
                 from = comma + 1)
                o.ports.push_back(list.substr(from, comma - from));
            o.ports.push_back(list.substr(from));
        } else if (a == "--high-speed") {
            o.speed = 1;
        } else if (a == "--normal-speed") {
            o.speed = 0;
        } else if (a == "--no-verify") {
            o.verify = false;
        } else if (a == "--password" && i + 1 < argc) {
            o.password = true;
            o.passwordText = argv[++i];
        } else if (o.command.empty() && (a == "export-csv" || a == "import-csv")) {
            if (i + 2 >= argc)
                return false;
            o.command = a;
            o.file = argv[++i];
            o.csv = argv[++i];
        } else if (o.command.empty() &&
                   (a == "info" || a == "read" || a == "write" || a == "check")) {
            o.command = a;
            if (a != "info") {
                if (i + 1 >= argc)
                    return false;
                o.file = argv[++i];
            }
        } else {
            return false;
        }
    }
    // The password rules of the program's clone password dialog.
    if (o.password && (o.passwordText.empty() || o.passwordText.size() > 16))
        return false;
    // Only a write goes to several radios.
    if (o.ports.size() > 1 && o.command != "write")
        return false;
    return !o.command.empty();
}

// A port as the user gives it: a number of the port table, or a device path.
bool ParsePort(const std::string& text, CliFleet::Port& port)
{
    port.name = text;
    if (text.find('/') != std::string::npos) {
        port.device = text;
        port.number = 0;
        return true;
    }
    port.device.clear();
    port.number = txt::ReadDecimal(text);
    return port.number >= 1 && port.number <= 256 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

// The memory channels of the document as a CSV table (UTF-8), and back into its file.
int ChannelTable(const Options& o, indDocument& doc)
{
    if (const int code = doc.OpenFile(o.file); code != 0)
        return code;
    CliRulesHost host(doc, g_GTex);
    indChannelCsv csv(host, *g_GTex);
    csv.SetConverters(&plat::ToUtf8, &plat::FromUtf8);
    const QString csvPath = QString::fromLocal8Bit(o.csv.c_str());
    if (o.command == "export-csv") {
        const std::string table = csv.Export();
        QSaveFile out(csvPath);
        if (!out.open(QIODevice::WriteOnly) ||
            out.write(table.data(), static_cast<qint64>(table.size())) !=
                static_cast<qint64>(table.size()) ||
            !out.commit()) {
            std::fprintf(
                stderr, "%s\n",
                txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 2).c_str(), o.csv.c_str()).c_str());
            return kTableFile;
        }
        std::printf(
            "%s\n",
            txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 0).c_str(), o.csv.c_str()).c_str());
        return 0;
    }
    QFile in(csvPath);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(
            stderr, "%s\n",
            txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 3).c_str(), o.csv.c_str()).c_str());
        return kTableFile;
    }
    const QByteArray bytes = in.readAll();
    const std::vector<indChannelCsv::Problem> problems =
        csv.Import(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!problems.empty()) {
        std::fprintf(stderr, "%s\n", plat::ToQt(csv.Describe(problems)).toLocal8Bit().constData());
        return kTableRefused;
    }
    if (const int code = doc.SaveFile(o.file); code != 0)
        return code;
    std::printf("%s\n", txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 1).c_str(), csv.Changed(),
                                    o.file.c_str())
                            .c_str());
    return 0;
}

struct Done {
    bool finished = false;
    int result = -1;
    cmcEeprom image;
    static void Call(void* context, dst_CDrv_Result* r)
    {
        auto* d = static_cast<Done*>(context);
        d->finished = true;
        d->result = r->result;
        d->image.Assign(r->image);
    }
};

int RunLink(plat::LoopTimerHost& loop, Done& done)
{
    loop.RunUntil([&] { return done.finished; }, UINT32_MAX);
    return done.result;
}

}  // namespace

int main(int argc, char** argv)
{
    plat::SetProgramName("quorvex-cli");
    QCoreApplication app(argc, argv);
    plat::QtServices qt(plat::QtServices::DefaultUserConfigFile(),
                        plat::QtServices::DefaultMachineConfigFile());
    CliUi ui("");
    plat::SteadyClock clock;
    plat::LoopTimerHost loop;
    plat::Get().clock = &clock;
    plat::Get().timers = &loop;
    plat::Get().boxes = &ui;
    plat::Get().fatalBox = &ui;

    const std::string folder = QCoreApplication::applicationDirPath().toStdString();
    cmcGTex texts;
    const std::string overlay = folder + "/TM5150QE.OVL";
    if (access(overlay.c_str(), R_OK) != 0 || !texts.Open(overlay))
        plat::FatalError("The overlay TM5150QE.OVL was not found beside the program.");
    g_GTex = &texts;
    CliUi face(texts.GetLine("GI_Mess_Cli_Progress", 0));
    plat::Get().boxes = &face;
    plat::Get().fatalBox = &face;

    Options o;
    if (!Parse(argc, argv, o))
        return Usage();

    // The document runs the program's own flows: the clone file checks, the radio's checks,
    // preparation and packing.
    plat::ISettingsBackend* settings = plat::Get().settings;
    int modelType = settings->ReadInt(plat::Root::User, kSetup, "ModelType").value_or(0);
    if (modelType < 0 || modelType >= indDocument::kModelTypes)
        modelType = 0;
    indDocument doc;
    doc.SetProgramDir(folder + "/");
    doc.Start(modelType);

    if (o.command == "export-csv" || o.command == "import-csv")
        return ChannelTable(o, doc);

    if (o.command == "check") {
        const int code = doc.OpenFile(o.file);
        if (code == 0)
            std::printf("%s\n",
                        OvlFormat(texts.GetLine("GI_Mess_Cli_CheckDone", 0), {o.file}).c_str());
        return code;
    }

    // The settings are read, never written.
    CliFleet::Port port;
    port.number = settings->ReadInt(plat::Root::User, kGlobal, "ComPort").value_or(1);
    port.name = std::to_string(port.number);
    bool high = settings->ReadInt(plat::Root::User, kGlobal, "ComSpeedHigh").value_or(1) != 0;
    std::vector<CliFleet::Port> ports;
    for (const std::string& text : o.ports) {
        if (!ParsePort(text, port))
            return Usage();
        ports.push_back(port);
    }
    const int portNumber = port.number;
    const std::string device = port.device;
    if (o.speed >= 0)
        high = o.speed == 1;

    if (o.command == "write") {
        const int code = doc.OpenFile(o.file);
        if (code != 0)
            return code;
        // A radio without a channel in use would have nothing to work on.
        if (doc.UsedChannels() == 0) {
            std::fprintf(stderr, "error: %s\n",
                         texts.GetLines("GI_AppMess_CloneErr_NoActualCh").c_str());
            return kUsage;
        }
    }

    if (ports.size() > 1) {
        CliFleet fleet(loop, &face);
        fleet.SetHighSpeed(high);
        fleet.SetVerify(o.verify);
        if (o.password)
            fleet.SetPassword(o.passwordText);
        return fleet.Run(ports, doc);
    }

    indCloneMan& man = doc.CloneMan();
    man.SetUi(&face);
    man.SetPort(portNumber, device);
    man.SetHighSpeed(high);

    Done link;
    man.Connect(&Done::Call, &link);
    if (RunLink(loop, link) != 0)
        return link.result;
    if (o.command == "info") {
        std::printf("%s\n", OvlFormat(texts.GetLine("GI_Mess_Cli_Identified", 0),
                                      {doc.RadioModelCode(), doc.RadioSubCode(), doc.ReadEnd()})
                                .c_str());
        return 0;
    }
    // A radio locked with a clone password wants it for a read (unless its lock spares
    // reading) and for every write; the program would ask for it here.
    if (doc.PasswordWanted(o.command == "write") && !o.password) {
        std::fprintf(stderr, "%s\n", texts.GetLines("GI_Mess_Cli_PasswordNeeded").c_str());
        return kUsage;
    }
    if (o.password) {
        man.SetPassword(o.passwordText);
        man.SetSendPassword(true);
    }
    Done transfer;
    if (o.command == "read") {
        std::vector<int32_t> ranges;
        if (const int refused = doc.CloneReadRanges(ranges); refused != 0) {
            std::fprintf(stderr, "error: %s\n",
                         indCloneMan::MessageFor(refused, cmcCloneDrv::OpRead, portNumber, device,
                                                 std::string())
                             .c_str());
            return refused;
        }
        man.Read(ranges.data(), &Done::Call, &transfer);
        if (RunLink(loop, transfer) != 0)
            return transfer.result;
        doc.TakeCloneRead(transfer.image);
        // The radio's programming is kept apart from the file asked for; a backup that cannot
        // be written is worth a warning, not a failed read.
        const std::string backup = doc.BackupCloneRead(transfer.image, std::time(nullptr));
        if (backup.empty())
            std::fprintf(
                stderr, "warning: %s\n",
                OvlFormat(texts.GetLines("GI_Mess_Backup_Failed"), {doc.BackupFolder()}).c_str());
        else
            std::printf("%s\n",
                        OvlFormat(texts.GetLine("GI_Mess_Backup_Kept", 0), {backup}).c_str());
        const int code = doc.SaveFile(o.file);
        if (code == 0)
            std::printf("%s\n",
                        OvlFormat(texts.GetLine("GI_Mess_Cli_ReadDone", 0), {o.file}).c_str());
        return code;
    }
    cmcEeprom prepared;
    std::vector<int32_t> ranges;
    doc.PrepareCloneWrite(prepared, ranges);
    man.Write(prepared, ranges.data(), &Done::Call, &transfer);
    if (RunLink(loop, transfer) != 0)
        return transfer.result;
    if (o.verify) {
        // Read the radio back and compare what it holds with what was sent.
        Done again;
        man.Connect(&Done::Call, &again);
        if (RunLink(loop, again) != 0)
            return again.result;
        std::vector<int32_t> readRanges;
        if (const int refused = doc.CloneReadRanges(readRanges); refused != 0)
            return refused;
        Done back;
        man.Read(readRanges.data(), &Done::Call, &back);
        if (RunLink(loop, back) != 0)
            return back.result;
        long differ = 0;
        int first = -1;
        for (size_t k = 0; k + 1 < ranges.size() && ranges[k] <= ranges[k + 1]; k += 2)
            for (int32_t a = ranges[k]; a <= ranges[k + 1]; ++a)
                if (!back.image.IsAddress(a) || back.image.GetByte(a) != prepared.GetByte(a))
                    if (differ++ == 0)
                        first = a;
        if (differ != 0) {
            const int radioByte = back.image.IsAddress(first) ? back.image.GetByte(first) : 0;
            std::fprintf(stderr, "%s\n",
                         OvlFormat(texts.GetLine("GI_Mess_Cli_VerifyFailed", 0),
                                   {differ, first, radioByte, int(prepared.GetByte(first))})
                             .c_str());
            return kVerifyFailed;
        }
        std::printf("%s\n", texts.GetLine("GI_Mess_Cli_Verified", 0).c_str());
    }
    std::printf("%s\n", OvlFormat(texts.GetLine("GI_Mess_Cli_WriteDone", 0), {o.file}).c_str());
    return 0;
}
