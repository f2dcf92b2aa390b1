#pragma once
#include <string>
#include <vector>

// Maps the port numbers 1 to 256 that the user picks to serial devices. Port n is the n-th
// device of a stable list (/dev/serial/by-id/* sorted by name, then ttyUSB*, ttyACM* and
// ttyS* in numeric order, each device once), unless the user has assigned a device to n;
// the assignments are kept per user under "Software\Tavo\Quorvex\Ports" as "Port<n>".
class cmcPortTable {
public:
    static constexpr int kFirstPort = 1;
    static constexpr int kLastPort = 256;

    // devRoot and sysRoot are "/dev" and "/sys" in the program; tests pass folders of their own.
    explicit cmcPortTable(std::string devRoot = "/dev", std::string sysRoot = "/sys");

    // The table the serial ports use.
    static cmcPortTable& System();

    // The devices found now, in port order (element 0 is port 1).
    std::vector<std::string> DefaultList() const;
    // The device of port n: the user's assignment, else the n-th listed device; "" when
    // n is out of range or names nothing.
    std::string DevicePath(int n) const;

    // The user's assignment for n ("" for none). A name without "/" lies in the device folder.
    std::string Assignment(int n) const;
    // Assigns a device to n; "" removes the assignment. False when n is out of range or the
    // setting cannot be written.
    bool SetAssignment(int n, const std::string& device);

    struct Entry {
        int number;
        std::string device;
        bool assigned;  // chosen by the user rather than found
    };
    // Every port number that names a device, in number order (for the port menu and dialog).
    std::vector<Entry> Entries() const;

private:
    std::string Expand(const std::string& device) const;

    std::string m_devRoot;
    std::string m_sysRoot;
};
