#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "common/cmcEeprom.h"

// The document: the radio image being edited and everything that decides what it is.
// Five images (working, second working, the model type's initial image as reference, the
// snapshot taken at the last new, open or save, and the debug compare copy), the model
// type and the modes, the document path and the modified state. New, open and save run
// here as steps that return result codes; the main window asks the questions, shows the
// dialogs and calls these. A step that fails leaves the document as it was.
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
    static constexpr int32_t kComment1 = 0x0A2C;
    static constexpr int32_t kComment2 = 0x0A3C;

    indDocument();
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
    // contents differ from the saved snapshot (block identifiers, in slot order).
    std::vector<int> UnkeptChanges() const;

    // Memory channels 0 to 15 of the current model type that are in use.
    int UsedChannels() const;

private:
    void ConfigureReader(class cmcClnFile& file, cmcEeprom& image);
    void ModelTypeFromImage(const cmcEeprom& image);

    cmcEeprom m_work, m_work2, m_reference, m_saved, m_compare;
    std::string m_programDir;
    std::vector<std::string> m_initialFiles;
    std::string m_path;
    bool m_modified = false;
    int m_modelType = 0;
    bool m_secondCode = false;
    bool m_secondCodeLock = false;
};
