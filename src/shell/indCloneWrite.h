#pragma once
#include <QStringList>
#include <cstdint>
#include <string>
#include <vector>

#include "common/cmcEeprom.h"
#include "rules/indCompare.h"

class QDialog;
class indMain;
struct dst_CDrv_Result;

// The safety net of a clone write in the program. Before the port opens, the checks of the
// check sheets run on the image: errors stop the write with a list of where they are,
// warnings are listed and the dealer may go on. Once the radio answered and the questions
// are answered, the radio's present contents are read and kept as a backup, the settings
// that will change are shown for confirmation, the image is written, and the written ranges
// are read back and compared. Each step runs on the asynchronous clone manager; every
// failure ends with a message, the window enabled and the working image untouched, and a
// write that fails its verification is never reported as a success.
class indCloneWrite {
public:
    explicit indCloneWrite(indMain& main) : m_main(main) {}
    indCloneWrite(const indCloneWrite&) = delete;
    indCloneWrite& operator=(const indCloneWrite&) = delete;

    // The checks before the port opens; false stops the write.
    bool Checks();
    // The radio answered and the dealer confirmed: backs up, confirms, writes and verifies,
    // as the settings ask. sendPassword: the dealer gave the clone password for this write.
    void Start(bool sendPassword);

    // What a double-click in a list does: opens the sheet of the setting at its cell.
    void OpenAt(const indCompare::Difference& where);

private:
    enum Result { kCancelled = 0, kAccepted = 1, kOpenCell = 2 };
    // A list dialog: a text above a difference table, a button that goes on (none when
    // goKey is empty) and one that stops. A double-click on a row ends it with kOpenCell.
    int ShowList(const std::string& text, const std::string& columnsKey,
                 std::vector<indCompare::Difference> rows, const std::string& goKey,
                 const std::string& stopKey, const char* name);
    // The settings that differ between two EEPROM areas, radio first, ours second.
    std::vector<indCompare::Difference> Differences(const cmcEeprom& radio,
                                                    const cmcEeprom& ours) const;
    // What the radio holds after the write: radio's area with the written ranges ours.
    void Expected(const cmcEeprom& radio, cmcEeprom& expected) const;
    void ReadRadio(void (*done)(void*, dst_CDrv_Result*));
    void Write();
    static void OnBackupRead(void* context, dst_CDrv_Result* result);
    static void OnWriteConnected(void* context, dst_CDrv_Result* result);
    static void OnWritten(void* context, dst_CDrv_Result* result);
    static void OnVerifyConnected(void* context, dst_CDrv_Result* result);
    static void OnVerifyRead(void* context, dst_CDrv_Result* result);
    void BackupRead(dst_CDrv_Result* result);
    void Verify(dst_CDrv_Result* result);

    indMain& m_main;
    cmcEeprom m_image;              // what is written, prepared and packed
    std::vector<int32_t> m_ranges;  // its range list
    bool m_sendPassword = false;
};
