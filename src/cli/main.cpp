// quorvex-cli: identify, read and write a radio, and check clone files, from a terminal.
// Runs beside a program window (no single-instance lock), needs no display, reads the
// settings without writing them, and exits with the result code (0 on success).

#include <unistd.h>

#include <QCoreApplication>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/CliUi.h"
#include "clonefile/ShowFileError.h"
#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"
#include "link/indCloneMan.h"
#include "model/CheckImageIdentity.h"
#include "overlay/OverlayFormat.h"
#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/IClock.h"
#include "platform/ISettingsBackend.h"
#include "platform/LoopTimerHost.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"
#include "platform/qt/QtServices.h"

namespace {

constexpr int32_t kImageSize = 0x1D00;
constexpr int32_t kEepromEnd = 0x077F;
constexpr int kUsage = 1;
const std::string kGlobal = "Software\\Tavo\\Quorvex\\Global";

struct Options {
    std::string command;
    std::string file;
    std::string port;  // number or device; empty: the settings
    int speed = -1;    // -1 the settings, 0 normal, 1 high
    bool password = false;
    std::string passwordText;
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
            o.port = argv[++i];
        } else if (a == "--high-speed") {
            o.speed = 1;
        } else if (a == "--normal-speed") {
            o.speed = 0;
        } else if (a == "--password" && i + 1 < argc) {
            o.password = true;
            o.passwordText = argv[++i];
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

// The checks the main window installs with the clone manager.
struct Radio {
    bool identified = false;
    int model = 0;
    uint8_t info[80] = {};
};

void IdentificationCheck(void* context, dst_CDrv_Result* r)
{
    auto* radio = static_cast<Radio*>(context);
    if ((r->modelCode != 0x3285 && r->modelCode != 0x3179) || r->info.Size() != 80 ||
        r->info.Data()[0] != 80) {
        r->result = indCloneMan::ResWrongRadio;
        return;
    }
    radio->identified = true;
    radio->model = r->modelCode;
    std::copy(r->info.Data(), r->info.Data() + 80, radio->info);
    if (radio->info[3] > 1)
        r->result = indCloneMan::ResNewerRadio;
}

void ReadCheck(void*, dst_CDrv_Result* r)
{
    if (CheckImageIdentity(r->image, true) != indIdentity::Accepted)
        r->result = indCloneMan::ResNotThisImage;
}

// Where a clone read ends: four hexadecimal characters of the information block.
int32_t ReadEnd(const uint8_t* info)
{
    int32_t end = 0;
    for (int i = 64; i < 68; ++i) {
        const int d = txt::HexDigit(static_cast<char>(info[i]));
        end = end * 16 + (d < 0 ? 0 : d);
    }
    end = (end & ~0xF) + 15;
    return end > kEepromEnd ? kEepromEnd : end;
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

int ReadFile(const std::string& path, cmcEeprom& image)
{
    image.SetSize(kImageSize);
    image.Fill(0xFF);
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetHeaderCheck(&HeaderCheck, nullptr);
    file.SetMapRevCheck(&MapRevCheck, nullptr);
    const int32_t ranges[] = {0, kEepromEnd, 1, 0};
    return file.Read(path, ranges);
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

    if (o.command == "check") {
        cmcEeprom image;
        const int code = ReadFile(o.file, image);
        if (code == 0 && CheckImageIdentity(image, false) != indIdentity::Accepted) {
            ShowFileError(8);
            return 8;
        }
        if (code == 0)
            std::printf("%s\n",
                        OvlFormat(texts.GetLine("GI_Mess_Cli_CheckDone", 0), {o.file}).c_str());
        return code;
    }

    // The settings are read, never written.
    plat::ISettingsBackend* settings = plat::Get().settings;
    int portNumber = settings->ReadInt(plat::Root::User, kGlobal, "ComPort").value_or(1);
    bool high = settings->ReadInt(plat::Root::User, kGlobal, "ComSpeedHigh").value_or(1) != 0;
    std::string device;
    if (!o.port.empty()) {
        if (o.port.find('/') != std::string::npos) {
            device = o.port;
            portNumber = 0;
        } else {
            portNumber = txt::ReadDecimal(o.port);
            if (portNumber < 1 || portNumber > 256)
                return Usage();
        }
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

    Radio radio;
    indCloneMan man;
    man.SetUi(&face);
    man.SetCodes(0, 0);
    man.SetImageSize(kImageSize);
    man.SetChecks(&IdentificationCheck, &radio, &ReadCheck, nullptr);
    man.SetPort(portNumber, device);
    man.SetHighSpeed(high);

    Done link;
    man.Connect(&Done::Call, &link);
    if (RunLink(loop, link) != 0)
        return link.result;
    const int32_t readEnd = ReadEnd(radio.info);
    if (o.command == "info") {
        std::printf("%s\n", OvlFormat(texts.GetLine("GI_Mess_Cli_Identified", 0),
                                      {static_cast<int>(radio.model), 0, static_cast<int>(readEnd)})
                                .c_str());
        return 0;
    }
    // A radio locked with a clone password wants it for a read (unless bit 4 lifts the lock
    // for reading) and for every write; the program would ask for it here.
    const uint8_t lock = radio.info[15];
    const bool wanted = (lock & 0x08) != 0 && (o.command == "write" || (lock & 0x10) == 0);
    if (wanted && !o.password) {
        std::fprintf(stderr, "%s\n", texts.GetLines("GI_Mess_Cli_PasswordNeeded").c_str());
        return kUsage;
    }
    if (o.password) {
        man.SetPassword(o.passwordText);
        man.SetSendPassword(true);
    }
    Done transfer;
    if (o.command == "read") {
        const int32_t ranges[] = {0, readEnd, 1, 0};
        man.Read(ranges, &Done::Call, &transfer);
        if (RunLink(loop, transfer) != 0)
            return transfer.result;
        cmcClnFile file;
        file.AttachImage(&transfer.image);
        file.SetModelCode(0x3285);
        file.SetExtraCode(0);
        file.SetComment("");
        file.SetMapRev(1);
        const int code = file.Write(o.file, ranges);
        if (code == 0)
            std::printf("%s\n",
                        OvlFormat(texts.GetLine("GI_Mess_Cli_ReadDone", 0), {o.file}).c_str());
        return code;
    }
    const int32_t ranges[] = {0x0100, kEepromEnd, 1, 0};
    man.Write(toWrite, ranges, &Done::Call, &transfer);
    if (RunLink(loop, transfer) != 0)
        return transfer.result;
    std::printf("%s\n", OvlFormat(texts.GetLine("GI_Mess_Cli_WriteDone", 0), {o.file}).c_str());
    return 0;
}
