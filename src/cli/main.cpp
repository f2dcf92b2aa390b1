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
#include <string>
#include <vector>

#include "cli/CliFleet.h"
#include "cli/CliRadio.h"
#include "cli/CliRulesHost.h"
#include "cli/CliUi.h"
#include "clonefile/ShowFileError.h"
#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"
#include "link/indCloneMan.h"
#include "model/CheckImageIdentity.h"
#include "model/indDocument.h"
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
const std::string kGlobal = "Software\\Tavo\\Quorvex\\Global";

struct Options {
    std::string command;
    std::string file;
    std::vector<std::string> ports;  // numbers or devices; none: the settings
    int speed = -1;                  // -1 the settings, 0 normal, 1 high
    bool password = false;
    std::string passwordText;
    std::string csv;  // the channel table of export-csv and import-csv
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

// The model's checks on clone files, until the model object brings its own.
bool HeaderCheck(void*, int model, int extra, int* error)
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

bool MapRevCheck(void*, int revision)
{
    return revision < 2;
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

int ReadFile(const std::string& path, cmcEeprom& image)
{
    image.SetSize(CliRadio::kImageSize);
    image.Fill(0xFF);
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetHeaderCheck(&HeaderCheck, nullptr);
    file.SetMapRevCheck(&MapRevCheck, nullptr);
    const int32_t ranges[] = {0, CliRadio::kEepromEnd, 1, 0};
    return file.Read(path, ranges);
}

// The memory channels of a clone file as a CSV table (UTF-8), and back into the file.
int ChannelTable(const Options& o, const std::string& folder)
{
    indDocument doc;
    doc.SetProgramDir(folder + "/");
    doc.Start(0);
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
            return 21;
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
        return 21;
    }
    const QByteArray bytes = in.readAll();
    const std::vector<indChannelCsv::Problem> problems =
        csv.Import(std::string(bytes.constData(), static_cast<size_t>(bytes.size())));
    if (!problems.empty()) {
        std::fprintf(stderr, "%s\n", plat::ToQt(csv.Describe(problems)).toLocal8Bit().constData());
        return 20;
    }
    if (const int code = doc.SaveFile(o.file); code != 0)
        return code;
    std::printf("%s\n", txt::Format(g_GTex->GetLine("GI_Mess_Cli_Csv", 1).c_str(), csv.Changed(),
                                    o.file.c_str())
                            .c_str());
    return 0;
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

    if (o.command == "export-csv" || o.command == "import-csv")
        return ChannelTable(o, folder);

    if (o.command == "check") {
        cmcEeprom image;
        const int code = ReadFile(o.file, image);
        if (code == 0 && CheckImageIdentity(image, false) != indIdentity::Accepted) {
            ShowFileError(8);
            return 8;
        }
        if (code == 0)
            std::printf("%s\n", txt::Format(texts.GetLine("GI_Mess_Cli_CheckDone", 0).c_str(),
                                            o.file.c_str())
                                    .c_str());
        return code;
    }

    // The settings are read, never written.
    plat::ISettingsBackend* settings = plat::Get().settings;
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
    if (o.speed >= 0)
        high = o.speed == 1;

    cmcEeprom toWrite;
    if (o.command == "write") {
        const int code = ReadFile(o.file, toWrite);
        if (code != 0)
            return code;
        if (CheckImageIdentity(toWrite, false) != indIdentity::Accepted) {
            ShowFileError(8);
            return 8;
        }
    }
    const int32_t writeRanges[] = {0x0100, CliRadio::kEepromEnd, 1, 0};
    if (ports.size() > 1) {
        CliFleet fleet(loop, &face);
        fleet.SetHighSpeed(high);
        if (o.password)
            fleet.SetPassword(o.passwordText);
        return fleet.Run(ports, toWrite, writeRanges);
    }

    CliRadio radio(loop, &face);
    radio.SetPort(port.number, port.device);
    radio.SetHighSpeed(high);
    if (const int code = radio.Identify(); code != 0)
        return code;
    const int32_t readEnd = radio.ReadEnd();
    if (o.command == "info") {
        std::printf("%s\n", txt::Format(texts.GetLine("GI_Mess_Cli_Identified", 0).c_str(),
                                        radio.Model(), 0, readEnd)
                                .c_str());
        return 0;
    }
    // The program would ask for the password here.
    if (radio.WantsPassword(o.command == "write") && !o.password) {
        std::fprintf(stderr, "%s\n", texts.GetLines("GI_Mess_Cli_PasswordNeeded").c_str());
        return kUsage;
    }
    if (o.password)
        radio.SetPassword(o.passwordText);
    if (o.command == "read") {
        const int32_t ranges[] = {0, readEnd, 1, 0};
        cmcEeprom received;
        if (const int code = radio.Read(ranges, received); code != 0)
            return code;
        cmcClnFile file;
        file.AttachImage(&received);
        file.SetModelCode(0x3285);
        file.SetExtraCode(0);
        file.SetComment("");
        file.SetMapRev(1);
        const int code = file.Write(o.file, ranges);
        if (code == 0)
            std::printf("%s\n", txt::Format(texts.GetLine("GI_Mess_Cli_ReadDone", 0).c_str(),
                                            o.file.c_str())
                                    .c_str());
        return code;
    }
    if (const int code = radio.Write(toWrite, writeRanges); code != 0)
        return code;
    std::printf(
        "%s\n",
        txt::Format(texts.GetLine("GI_Mess_Cli_WriteDone", 0).c_str(), o.file.c_str()).c_str());
    return 0;
}
