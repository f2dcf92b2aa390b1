#include "SimProcess.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "SimFile.h"

SimProcess::SimProcess(const RadioSim::Config& config, bool pace, const std::string& file,
                       const std::vector<uint8_t>& eeprom)
    : m_sim(config), m_line(m_sim, pace), m_file(file)
{
    if (eeprom.size() == m_sim.eeprom().size())
        m_sim.eeprom() = eeprom;
    unlink(m_file.c_str());
    if (!m_line.Open())
        return;
    m_path = m_line.DevicePath();
    std::fflush(nullptr);
    m_child = fork();
    if (m_child == 0) {
        m_line.onWrite = [this]() { SimFile::Save(m_file, m_sim.eeprom()); };
        m_line.Run([] { return true; });
        _exit(0);
    }
    // The child holds the line now; the device must go when the child does.
    m_line.Detach();
}

SimProcess::~SimProcess()
{
    Stop();
    unlink(m_file.c_str());
}

void SimProcess::Stop()
{
    if (m_child > 0) {
        kill(m_child, SIGKILL);
        waitpid(m_child, nullptr, 0);
        m_child = -1;
    }
}

std::vector<uint8_t> SimProcess::Written() const
{
    std::vector<uint8_t> e;
    if (access(m_file.c_str(), R_OK) == 0)
        SimFile::Load(m_file, e);
    return e;
}
