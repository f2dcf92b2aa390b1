// Seeds for the link fuzzers: what the simulated radio answers to identification, read
// and write, written as files of the fuzz input format (operation byte, chunk byte, bytes).
#include <cstdio>
#include <string>
#include <vector>

#include "RadioSim.h"
#include "SimFile.h"
#include "link/CloneFrames.h"

namespace {

void Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

std::vector<uint8_t> Answer(RadioSim& sim, const std::vector<uint8_t>& request)
{
    std::vector<uint8_t> out;
    sim.Receive(request.data(), request.size(), out);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    const std::string dir = argv[1];
    RadioSim sim;
    sim.config().readEnd = 0x01FF;
    std::vector<uint8_t> info = {0, 16};
    for (uint8_t b : Answer(sim, CloneFrames::Request(CloneFrames::kCmdInfo, 0, 0, 0)))
        info.push_back(b);
    Save(dir + "/driver/info", info);
    std::vector<uint8_t> read = {1, 63};
    for (uint8_t b : Answer(sim, CloneFrames::Request(CloneFrames::kCmdRead, 0, 0, 0)))
        read.push_back(b);
    Save(dir + "/driver/read", read);
    Save(dir + "/frames/read", std::vector<uint8_t>(read.begin() + 2, read.end()));
    std::vector<uint8_t> write = {2, 1, 0xFB};
    for (int page = 0; page < 5; ++page)
        write.push_back(0xFB);
    const std::vector<uint8_t> ack = {0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD};
    write.insert(write.end(), ack.begin(), ack.end());
    Save(dir + "/driver/write", write);
    SimFile::Save(dir + "/clonefile/radio.clone", sim.eeprom());
    return 0;
}
