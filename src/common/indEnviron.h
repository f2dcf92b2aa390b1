#pragma once
#include <cstdint>
#include <list>
#include <optional>
#include <string>

#include "common/cmcRecent.h"
#include "platform/ISettingsBackend.h"
#include "platform/InstanceLock.h"

// The program's settings store. Built before everything else: it takes the
// single-instance lock and, in the first instance only, reads every user setting into
// memory (defaults where anything is missing). The program reads and changes the values
// in memory; they are written back once, when the store is destroyed at a normal exit.
class indEnviron {
public:
    static constexpr int32_t kMarker = 753951;
    static constexpr const char* kMakerSequence = "vultane";

    struct WindowEntry {
        std::string name;
        int left = 0, top = 0, width = 0, height = 0;
        int curCol = -1, curRow = -1, leftCol = -1, topRow = -1;
        int windowState = 0;  // 0 normal, 1 minimised, 2 maximised
        int extra = 0;
    };

    indEnviron(const std::string& mutexName, const std::string& userKeyPath,
               const std::string& machineKeyPath);
    ~indEnviron();
    indEnviron(const indEnviron&) = delete;
    indEnviron& operator=(const indEnviron&) = delete;

    bool IsFirstInstance() const { return m_firstInstance; }

    // Named window positions (the adjustment window); null when not stored.
    WindowEntry* GetWindowEntry(const std::string& name);
    void SetWindowEntry(const std::string& name, int left, int top, int width, int height,
                        int curCol, int curRow, int leftCol, int topRow, int windowState,
                        int extra);

    // Generic registry access for the sheets (column widths). keyPath is a full path
    // ("Software\Tavo\Quorvex\..."); ReadInt answers -1 for anything missing.
    int32_t ReadInt(const std::string& keyPath, const std::string& valueName,
                    plat::Root root = plat::Root::User);
    void WriteInt(const std::string& keyPath, const std::string& valueName, int32_t value,
                  plat::Root root = plat::Root::User);
    void DeleteKey(const std::string& keyPath, const std::string& subKeyPath,
                   plat::Root root = plat::Root::User);

    const std::string& UserKeyPath() const { return m_userKeyPath; }

    // Writes every setting now (also done by the destructor in the first instance).
    void Save();

    // Encoded texts: two upper-case hexadecimal digits per byte, "00" for the empty text.
    static std::string EncodeText(const std::string& text);
    // Empty optional when the text is not hexadecimal.
    static std::optional<std::string> DecodeText(const std::string& stored, const std::string& def);

    // The settings, in memory.
    int32_t bbt = 0;
    int comPort = 1;
    int comSpeedHigh = 1;
    std::string currentDirectory;
    cmcRecent recent{10};
    int fontSizePercentage = 100;
    int toolbarVisible = 1;
    int fontSizePrinter = 10;
    int left = 0, top = 0, width = 800, height = 600;
    int splitterV = 200;
    int modelType = 0;
    int language = 0;
    std::string makerReserveMode = kMakerSequence;
    std::string adjustMode;
    // The safety steps of a clone write, each on unless the dealer turned it off: the
    // radio's contents backed up first, the changes shown for confirmation, the radio read
    // back and compared afterwards. Kept apart from the rest: a store without them (an older
    // version wrote it) keeps every other setting.
    int backupBeforeWrite = 1;
    int confirmBeforeWrite = 1;
    int verifyAfterWrite = 1;
    std::string userName, companyName, serialNumber;  // machine-wide, read only
    bool adjWindowOpen = false;                       // not stored
    // No settings were stored (the very first start): the defaults are in use.
    bool firstStart = false;

private:
    std::string SubKey(const std::string& sub) const;
    void ApplyDefaults();
    bool LoadUser();
    void LoadMachine();
    void LoadWriteSafety();
    WindowEntry* FindEntry(const std::string& name);

    std::string m_mutexName, m_userKeyPath, m_machineKeyPath;
    bool m_firstInstance = false;
    plat::InstanceLock m_lock;
    std::list<WindowEntry> m_windows;
};

// The one settings store of the program (null in tests that do not build one).
extern indEnviron* g_Environ;
