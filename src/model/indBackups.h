#pragma once
#include <ctime>
#include <string>
#include <vector>

class cmcEeprom;

// Automatic backups: every image read from a radio (and the radio's contents before a
// write) is kept as a clone file in the user's data folder, named by date, time and model,
// so a customer's programming is never lost. The newest kMaxBackups are kept.
class indBackups {
public:
    static constexpr size_t kMaxBackups = 200;

    // $XDG_DATA_HOME/Tavo/Quorvex/backups, else ~/.local/share/Tavo/Quorvex/backups.
    static std::string DefaultFolder();

    explicit indBackups(std::string folder = DefaultFolder()) : m_folder(std::move(folder)) {}
    const std::string& Folder() const { return m_folder; }

    // "2026-12-10_18-04-05_Lmr.qcl"; a name taken already gets "-2", "-3", ...
    std::string NameFor(std::time_t when, const std::string& model) const;
    // Writes the EEPROM area of a packed image as a clone file (the folder is created) and
    // removes the oldest backups beyond kMaxBackups. The path written, or empty on failure.
    std::string Save(cmcEeprom& image, const std::string& model, const std::string& comment,
                     std::time_t when);
    // The backups in the folder, oldest first.
    std::vector<std::string> List() const;

private:
    void Prune() const;
    std::string m_folder;
};
