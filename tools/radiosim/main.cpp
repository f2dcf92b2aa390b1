// radiosim: a simulated radio on a pseudo-terminal, to try the program and its command
// line without a radio. Prints the device to give the program, then answers until killed.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "PtyLine.h"
#include "RadioSim.h"
#include "SimFile.h"
#include "platform/TextUtil.h"

namespace {

volatile sig_atomic_t g_stop = 0;

void OnSignal(int)
{
    g_stop = 1;
}

void Usage()
{
    std::fprintf(
        stderr,
        "usage: radiosim [--file CLONEFILE] [--link PATH] [--pace] [--fault NAME] [--after N]\n"
        "                [--read-end HEX] [--password-wanted] [--clone-password TEXT]\n"
        "                [--info HEX] [--answer-delay MS] [--silent-after N]\n"
        "                [--curve AT0,AT255] [--bpf LO1,HI1,LO2,HI2]\n"
        "--info: the 80 information bytes as 160 hexadecimal digits\n"
        "faults: none echo bad-echo silence bad-checksum lower-hex wrong-count\n"
        "        refuse drop disconnect flip-stored\n");
}

}  // namespace

int main(int argc, char** argv)
{
    RadioSim sim;
    std::string file;
    std::string link;
    bool pace = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                Usage();
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--file") {
            file = value();
        } else if (a == "--link") {
            link = value();
        } else if (a == "--pace") {
            pace = true;
        } else if (a == "--fault") {
            if (!SimFile::ParseFault(value(), sim.config().fault)) {
                Usage();
                return 2;
            }
        } else if (a == "--after") {
            sim.config().dropAfter = std::atoi(value().c_str());
        } else if (a == "--read-end") {
            sim.config().readEnd = static_cast<int>(std::strtol(value().c_str(), nullptr, 16));
        } else if (a == "--answer-delay") {
            sim.config().answerDelayMs = std::atoi(value().c_str());
        } else if (a == "--silent-after") {
            sim.config().silentAfterAnswers = std::atoi(value().c_str());
        } else if (a == "--curve") {
            if (std::sscanf(value().c_str(), "%d,%d", &sim.config().curveAt0,
                            &sim.config().curveAt255) != 2) {
                Usage();
                return 2;
            }
        } else if (a == "--bpf") {
            RadioSim::Config& c = sim.config();
            if (std::sscanf(value().c_str(), "%d,%d,%d,%d", &c.bpf1Lo, &c.bpf1Hi, &c.bpf2Lo,
                            &c.bpf2Hi) != 4) {
                Usage();
                return 2;
            }
        } else if (a == "--info") {
            const std::vector<uint8_t> bytes = txt::HexToBytes(value());
            if (!sim.config().info.Parse(bytes.data(), bytes.size())) {
                Usage();
                return 2;
            }
            sim.config().infoByte3 = sim.config().info.format;
            sim.config().infoByte15 = sim.config().info.password;
        } else if (a == "--password-wanted") {
            sim.config().infoByte15 = 0x08;
        } else if (a == "--clone-password") {
            sim.config().infoByte15 = 0x08;
            sim.config().clonePassword = value();
        } else {
            Usage();
            return 2;
        }
    }
    if (!file.empty() && access(file.c_str(), F_OK) != 0) {
        // A new radio: its EEPROM starts as the default content.
        if (SimFile::Save(file, sim.eeprom()) != 0) {
            std::fprintf(stderr, "radiosim: cannot create %s\n", file.c_str());
            return 1;
        }
    } else if (!file.empty()) {
        const int code = SimFile::Load(file, sim.eeprom());
        if (code != 0) {
            std::fprintf(stderr, "radiosim: cannot load %s (clone file error %d)\n", file.c_str(),
                         code);
            return 1;
        }
    }
    PtyLine line(sim, pace);
    if (!line.Open()) {
        std::perror("radiosim: pseudo-terminal");
        return 1;
    }
    line.onWrite = [&]() {
        if (file.empty())
            return;
        const int code = SimFile::Save(file, sim.eeprom());
        std::fprintf(stderr,
                     code == 0 ? "radiosim: EEPROM saved to %s\n" : "radiosim: saving %s failed\n",
                     file.c_str());
    };
    // A fixed name for the device, so that settings and commands need not change.
    if (!link.empty()) {
        unlink(link.c_str());
        if (symlink(line.DevicePath().c_str(), link.c_str()) != 0) {
            std::perror("radiosim: link");
            return 1;
        }
    }
    signal(SIGINT, OnSignal);
    signal(SIGTERM, OnSignal);
    std::printf("%s\n", line.DevicePath().c_str());
    std::fflush(stdout);
    size_t logged = 0;
    line.Run([&]() {
        for (; logged < sim.log.size(); ++logged)
            std::fprintf(stderr, "radiosim: %s\n", sim.log[logged].c_str());
        return !g_stop;
    });
    if (sim.Disconnected())
        std::fprintf(stderr, "radiosim: cable pulled\n");
    if (!link.empty())
        unlink(link.c_str());
    return 0;
}
