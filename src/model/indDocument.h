#pragma once
#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/cmcEeprom.h"
#include "model/indCloneInfo.h"

class IPort;
class indCloneMan;
struct dst_CDrv_Result;

// The document: the radio image being edited and everything that decides what it is.
// Five images (working, second working, the model type's initial image as reference, the
// snapshot taken at the last new, open or save, and the debug compare copy), the model
// type and the modes, the document path and the modified state. New, open and save run
// here as steps that return result codes; the main window asks the questions, shows the
// dialogs and calls these. A step that fails leaves the document as it was. The document
// also owns the clone manager and keeps what the last identified radio said about itself;
// the clone read and write steps (checks, preparation, packing) are here too, so the
// program and the command line run the very same flows.
class indDocument {
public:
    static constexpr int kImageSize = 7424;
    static constexpr int32_t kEepromLast = 0x077F;
    static constexpr int kModelCode = 0x3285;
    static constexpr int kSecondModelCode = 0x3179;
    static constexpr int kExtraCode = 0;
    static constexpr int kSecondExtraCode = 0x100;
    static constexpr int kModelTypes = 4;
    // Result of a step that asked nothing of the clone file: the user cancelled.
    static constexpr int kCancelled = -1;

    // Addresses in the working area.
    static constexpr int32_t kModelTypeByte = 0x0A0E;
    static constexpr int32_t kNewerDataByte = 0x0BAE;
    static constexpr int32_t kClonePasswordByte = 0x0A1C;
    static constexpr int32_t kComment1 = 0x0A2C;
    static constexpr int32_t kComment2 = 0x0A3C;

    // The radio's information block (fields: indCloneInfo).
    static constexpr int kInfoSize = indCloneInfo::kSize;
    // The header byte a clone write sets from the radio's information block.
    static constexpr int32_t kLinkByte = 0x0108;
    static constexpr int32_t kPackedEnd = 0x0112;

    indDocument();
    ~indDocument();
    indDocument(const indDocument&) = delete;
    indDocument& operator=(const indDocument&) = delete;

    cmcEeprom& Work() { return m_work; }
    cmcEeprom& Work2() { return m_work2; }
    cmcEeprom& Reference() { return m_reference; }
    cmcEeprom& Saved() { return m_saved; }
    cmcEeprom& Compare() { return m_compare; }

    // The folder the initial clone files lie in (with a trailing "/") and their names,
    // one per model type; by default line n of "GI_App_InitialFile" of the main overlay.
    void SetProgramDir(const std::string& dir) { m_programDir = dir; }
    const std::string& ProgramDir() const { return m_programDir; }
    void SetInitialFiles(std::vector<std::string> names) { m_initialFiles = std::move(names); }
    std::string InitialFilePath(int modelType) const;

    // Model type 0 LMR, 1 PMR, 2 digital-signalling PMR, 3 PMR446 digital.
    int ModelType() const { return m_modelType; }
    static const char* ModelTypeName(int modelType);  // "Lmr", "Pmr", "PmrD", "DPmr446"
    bool maker = false;
    bool extended = false;
    bool factory = false;
    bool adjust = false;
    bool SecondCodeFile() const { return m_secondCode; }

    // Document path ("" = untitled) and modified state.
    const std::string& Path() const { return m_path; }
    bool Untitled() const { return m_path.empty(); }
    bool Modified() const { return m_modified; }
    // The open document is this very file (paths compared exactly, as the file system does).
    bool IsDocumentPath(const std::string& path) const { return !path.empty() && path == m_path; }
    // The file name shown in titles and questions: the path's name, or "Untitled".
    std::string DisplayName() const;

    void MarkModified() { m_modified = true; }
    // Sets the modified flag when the working image differs from the saved snapshot;
    // answers whether the state changed.
    bool CheckModified();
    void MarkSaved();
    // Sets the modified flag from a comparison with the saved snapshot, both ways: an edit
    // undone back to the saved state leaves the document unmodified.
    void RecheckModified() { m_modified = m_work.Differs(m_saved); }
    // Counts the documents this object has held: new, open, clone read and a chosen model
    // type each start another one (and with it a new edit history).
    uint32_t Generation() const { return m_generation; }

    // Loads the model type's initial clone file as reference image and unpacks it at the
    // fixed base. A missing or damaged initial file ends the program ("Cannot open '%s'.").
    void LoadInitialImage(int modelType);
    // The first start: the reference of the model type becomes the document.
    void Start(int modelType);
    // A new document from the reference image.
    void NewDocument();
    // Switches the model type: the reference is reloaded; with asked (the user chose it)
    // the document becomes a fresh untitled copy of the new reference.
    void ChangeModelType(int modelType, bool asked);

    // Reads a clone file. 0 on success; otherwise the clone file result code (1 to 9),
    // already shown to the user, and the document is untouched.
    int OpenFile(const std::string& path);
    // ---- images to compare with the working image ----
    // An EEPROM area (0000 to 077F, as a file or the radio keeps it) laid over a copy of the
    // reference and unpacked, as the sheets read it, without any repair.
    void UnpackedView(const cmcEeprom& eeprom, cmcEeprom& image) const;
    // An image another source holds as the sheets would show it once opened: its unpacked
    // view, repaired for this document's model type. Nothing of the document changes.
    void MakeCompareImage(const cmcEeprom& eeprom, cmcEeprom& image);
    // Reads a clone file into image the way MakeCompareImage makes it, with the checks an
    // open runs. 0, or the clone file result code (already shown to the user); the document
    // is untouched either way.
    int ReadCompareFile(const std::string& path, cmcEeprom& image);
    // The model type an image's settings name (0 to 3).
    static int ModelTypeIn(const cmcEeprom& image);

    // Prepares and packs the working image and writes it. Only a committed file marks the
    // document saved and becomes its path; a failure leaves file and document as they were.
    int SaveFile(const std::string& path);

    // Checks of the model.
    bool CheckFileHeader(int modelCode, int extraCode, int* errorCode);
    static bool AcceptMapRev(int mapRev) { return mapRev < 2; }
    bool IsNewerData(const cmcEeprom& image) const;
    // Unpacks a loaded image, takes its model type and repairs it.
    void AfterLoad(cmcEeprom& image);
    // Repairs the image against the reference (purpose 0 after load, 1 before saving,
    // 2 before a clone write) and, for 1 and 2, packs it.
    void PrepareImage(cmcEeprom& image, int purpose);
    // Range lists: one range and the terminator (1, 0). Purpose 0 starts at 0100.
    static std::vector<int32_t> CloneRanges(int purpose);
    // The comment a save writes: the two 16-byte texts at 0A2C and 0A3C.
    static std::string CommentOf(const cmcEeprom& image);

    // Block slots of the working area that neither files nor the radio keep, whose
    // contents changed since the last new, open, save or clone read (block identifiers,
    // in slot order).
    std::vector<int> UnkeptChanges() const;

    // Memory channels 0 to 15 of the current model type that are in use.
    int UsedChannels() const;

    // ---- the radio ----
    indCloneMan& CloneMan() { return *m_cloneMan; }
    // The clone manager talks through port from now on (null: the serial ports); the
    // identification and read checks are installed again.
    void UseLinkPort(IPort* port);
    // The radio identified last: model code, second reported number, whether it reported
    // the second model code, and its 80-byte information block (zero until one answered).
    bool RadioIdentified() const { return m_identified; }
    int RadioModelCode() const { return m_radioModel; }
    int RadioSubCode() const { return m_radioSub; }
    bool RadioSecondCode() const { return m_radioSecondCode; }
    const std::array<uint8_t, kInfoSize>& CloneInfo() const { return m_info; }
    // The last address a clone read asks for: four hexadecimal characters of the information
    // block (any other character counts as 0), rounded down to 16, plus 15.
    int32_t ReadEnd() const;
    // Whether the radio wants its clone password for a read or a write.
    bool PasswordWanted(bool write) const;
    // The checks the clone manager runs on a finished identification and read; each may set
    // the result code (11 and 14, 15 and 16).
    void IdentificationCheck(dst_CDrv_Result& result);
    void ReadCheck(dst_CDrv_Result& result);
    // The range list of a clone read, up to the radio's read end. 0, or 15 when the radio
    // says its memory ends before 077F: the part never received would be taken as read.
    int CloneReadRanges(std::vector<int32_t>& ranges) const;
    // A clone read that passed the checks becomes the document: the received EEPROM area
    // over a fresh copy of the reference, unpacked, its model type taken and repaired;
    // untitled and modified.
    void TakeCloneRead(const cmcEeprom& received);
    // Keeps an image read from the radio as a backup clone file in the backup folder (the
    // radio's own EEPROM bytes, before any repair), named by the time and the model type it
    // holds, so that a customer's programming survives edits that are never saved. The path
    // written, or empty when the backup could not be written: the read stands either way.
    std::string BackupCloneRead(const cmcEeprom& received, std::time_t when) const;
    // The folder of the automatic backups; by default indBackups::DefaultFolder().
    const std::string& BackupFolder() const { return m_backupFolder; }
    void SetBackupFolder(std::string folder) { m_backupFolder = std::move(folder); }
    // What a clone write sends: a copy of the working image with its newer-data byte clear,
    // prepared and packed, the header byte 0108 from the radio's information block; and
    // its range list (from 0100, from 0000 in maker mode) up to the end of the packed
    // data's last 128-byte page. The working image is not changed.
    void PrepareCloneWrite(cmcEeprom& copy, std::vector<int32_t>& ranges);

private:
    void ConfigureReader(class cmcClnFile& file, cmcEeprom& image);
    void ModelTypeFromImage(const cmcEeprom& image);

    cmcEeprom m_work, m_work2, m_reference, m_saved, m_compare;
    // The working image as last loaded or saved, for the settings nothing keeps.
    cmcEeprom m_unkeptBase;
    std::string m_programDir;
    std::vector<std::string> m_initialFiles;
    std::string m_path;
    std::string m_backupFolder;
    bool m_modified = false;
    uint32_t m_generation = 0;
    int m_modelType = 0;
    bool m_secondCode = false;
    bool m_secondCodeLock = false;

    std::unique_ptr<indCloneMan> m_cloneMan;
    bool m_identified = false;
    int m_radioModel = 0;
    int m_radioSub = 0;
    bool m_radioSecondCode = false;
    std::array<uint8_t, kInfoSize> m_info{};
};
