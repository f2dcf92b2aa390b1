#pragma once
#include <QString>
#include <memory>
#include <string>

namespace plat {

// The real platform services of the running program, built after the Qt application
// object and installed into plat::Get().
class QtServices {
public:
    // userConfigFile / machineConfigFile: the two settings files (INI syntax).
    QtServices(const QString& userConfigFile, const QString& machineConfigFile);
    ~QtServices();
    QtServices(const QtServices&) = delete;
    QtServices& operator=(const QtServices&) = delete;

    // $XDG_CONFIG_HOME/Tavo/Quorvex.conf and /etc/xdg/Tavo/Quorvex.conf.
    static QString DefaultUserConfigFile();
    static QString DefaultMachineConfigFile();

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};

// Text at the toolkit boundary: the program's strings are bytes in the overlay's code
// page; Qt shows and reads Unicode.
QString ToQt(const std::string& text);
// False (and out untouched) when a character does not exist in the code page.
bool FromQt(const QString& text, std::string& out);
// The same between the code page and UTF-8 bytes, for files that are read by other
// programs (channel tables).
bool ToUtf8(const std::string& text, std::string& out);
bool FromUtf8(const std::string& text, std::string& out);

}  // namespace plat
