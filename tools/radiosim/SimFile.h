#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "RadioSim.h"

// The simulated radio's EEPROM kept in a clone file, and the fault names of the command line.
namespace SimFile {

// Loads the EEPROM area (0000 to 077F) of a clone file; the clone file result code.
int Load(const std::string& path, std::vector<uint8_t>& eeprom);
// Saves it the same way (written to a temporary file, then renamed).
int Save(const std::string& path, const std::vector<uint8_t>& eeprom);
bool ParseFault(const std::string& name, RadioSim::Fault& fault);
const char* FaultName(RadioSim::Fault fault);

}  // namespace SimFile
