#include "model/indDocument.h"

#include <algorithm>
#include <cstring>

#include "clonefile/ShowFileError.h"
#include "clonefile/cmcClnFile.h"
#include "common/indEnviron.h"
#include "link/indCloneMan.h"
#include "model/CheckImageIdentity.h"
#include "model/datCh.h"
#include "model/datChBanks.h"
#include "model/indBackups.h"
#include "model/indBlockMap.h"
#include "model/indPrepareImage.h"
#include "overlay/cmcGTex.h"
#include "platform/Fatal.h"
#include "platform/TextUtil.h"

namespace {

// Working-area slots that pack never writes back into the EEPROM (identifier, address,
// length in bytes), in slot order.
struct UnkeptSlot {
    int id;
    int32_t address;
    int32_t length;
};
constexpr UnkeptSlot kUnkept[] = {
    {27, 0x0FC6, 32 * 4}, {32, 0x1046, 8 * 8},   {8, 0x1196, 16 * 2},   {10, 0x11B6, 8 * 8},
    {11, 0x11F6, 9 * 4},  {29, 0x122A, 8 * 8},   {26, 0x126A, 14},      {28, 0x1278, 32 * 2},
    {25, 0x12B8, 24},     {24, 0x12D0, 16},      {30, 0x12E0, 24 * 12}, {31, 0x1400, 24 * 12},
    {33, 0x1520, 8 * 2},  {34, 0x1530, 32 * 20}, {35, 0x17B0, 32 * 20}, {36, 0x1A30, 16},
    {37, 0x1A40, 4},      {38, 0x1A44, 41 * 8},  {42, 0x1B8C, 5 * 26},  {43, 0x1C0E, 5 * 12},
    {47, 0x1CA6, 88},     {43, 0x1CFE, 2},
};

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool MapRevCheck(void*, int mapRev)
{
    return indDocument::AcceptMapRev(mapRev);
}

bool HeaderCheck(void* context, int modelCode, int extraCode, int* errorCode)
{
    return static_cast<indDocument*>(context)->CheckFileHeader(modelCode, extraCode, errorCode);
}

void IdentificationCheckOf(void* context, dst_CDrv_Result* result)
{
    static_cast<indDocument*>(context)->IdentificationCheck(*result);
}

void ReadCheckOf(void* context, dst_CDrv_Result* result)
{
    static_cast<indDocument*>(context)->ReadCheck(*result);
}

}  // namespace

indDocument::indDocument() : m_backupFolder(indBackups::DefaultFolder())
{
    m_work.SetSize(kImageSize);
    m_work2.SetSize(kImageSize);
    m_saved.SetSize(kImageSize);
    m_unkeptBase.SetSize(kImageSize);
    m_reference.Assign(m_work);
    m_compare.Assign(m_work);
    UseLinkPort(nullptr);
}

indDocument::~indDocument() = default;

void indDocument::UseLinkPort(IPort* port)
{
    m_cloneMan = std::make_unique<indCloneMan>(port);
    m_cloneMan->SetImageSize(kImageSize);
    // The model has a second model code: the link asks for any and the checks decide.
    m_cloneMan->SetCodes(0, 0);
    m_cloneMan->SetChecks(&IdentificationCheckOf, this, &ReadCheckOf, this);
}

const char* indDocument::ModelTypeName(int modelType)
{
    static const char* const kNames[] = {"Lmr", "Pmr", "PmrD", "DPmr446"};
    return modelType >= 0 && modelType < kModelTypes ? kNames[modelType] : kNames[0];
}

std::string indDocument::InitialFilePath(int modelType) const
{
    std::string name;
    if (modelType >= 0 && static_cast<size_t>(modelType) < m_initialFiles.size())
        name = m_initialFiles[static_cast<size_t>(modelType)];
    else if (g_GTex)
        name = g_GTex->GetLine("GI_App_InitialFile", modelType);
    // Overlay names may be written with Windows separators.
    std::replace(name.begin(), name.end(), '\\', '/');
    return m_programDir + name;
}

std::string indDocument::DisplayName() const
{
    if (m_path.empty())
        return "Untitled";
    const size_t slash = m_path.rfind('/');
    return slash == std::string::npos ? m_path : m_path.substr(slash + 1);
}

bool indDocument::CheckModified()
{
    if (!m_modified && m_work.Differs(m_saved)) {
        m_modified = true;
        return true;
    }
    return false;
}

void indDocument::MarkSaved()
{
    m_saved.Assign(m_work);
    m_unkeptBase.Assign(m_work);
    m_modified = false;
}

void indDocument::ConfigureReader(cmcClnFile& file, cmcEeprom& image)
{
    file.AttachImage(&image);
    file.SetModelCode(kModelCode);
    file.SetExtraCode(kExtraCode);
    file.SetMapRevCheck(&MapRevCheck, this);
    file.SetHeaderCheck(&HeaderCheck, this);
}

void indDocument::LoadInitialImage(int modelType)
{
    const std::string path = InitialFilePath(modelType);
    const std::vector<int32_t> ranges = CloneRanges(3);
    // Read into a copy, so that a failure cannot leave half an image behind.
    cmcEeprom scratch;
    scratch.Assign(m_reference);
    cmcClnFile file;
    ConfigureReader(file, scratch);
    const int code = file.Read(path, ranges.data());
    if (code != kClnOk)
        plat::FatalError(txt::Format("Cannot open '%s'.", path.c_str()));
    m_reference.Assign(scratch);
    indBlockMap::UnpackFixedBase(m_reference);
}

void indDocument::Start(int modelType)
{
    if (modelType < 0 || modelType >= kModelTypes)
        modelType = 0;
    m_modelType = modelType;
    LoadInitialImage(modelType);
    m_work.Assign(m_reference);
    indBlockMap::Pack(m_work);
    m_work2.Assign(m_reference);
    indBlockMap::Pack(m_work2);
    MarkSaved();
    m_path.clear();
    ++m_generation;
    m_compare.Assign(m_reference);
}

void indDocument::NewDocument()
{
    m_work.Assign(m_reference);
    indBlockMap::Pack(m_work);
    m_work2.Assign(m_reference);
    indBlockMap::Pack(m_work2);
    MarkSaved();
    m_path.clear();
    ++m_generation;
    adjust = false;
}

void indDocument::ChangeModelType(int modelType, bool asked)
{
    if (modelType < 0 || modelType >= kModelTypes || modelType == m_modelType)
        return;
    m_modelType = modelType;
    LoadInitialImage(modelType);
    if (asked) {
        m_work.Assign(m_reference);
        indBlockMap::Pack(m_work);
        m_work2.Assign(m_work);
        MarkSaved();
        m_path.clear();
        ++m_generation;
    }
    adjust = false;
}

bool indDocument::CheckFileHeader(int modelCode, int extraCode, int* errorCode)
{
    if (modelCode != kModelCode && modelCode != kSecondModelCode) {
        if (errorCode)
            *errorCode = kClnModel;
        return false;
    }
    if (extraCode != kExtraCode && extraCode != kSecondExtraCode) {
        if (errorCode)
            *errorCode = kClnExtra;
        return false;
    }
    if (!m_secondCodeLock)
        m_secondCode = modelCode == kSecondModelCode;
    return true;
}

bool indDocument::IsNewerData(const cmcEeprom& image) const
{
    const int lockout =
        g_GTex ? txt::ReadDecimal(g_GTex->GetLine("GI_Sys_LockoutNewerData", 0)) : 0;
    if (lockout == 0)
        return false;
    cmcEeprom copy;
    copy.Assign(image);
    indBlockMap::Unpack(copy);
    return copy.GetByte(kNewerDataByte) != 0;
}

int indDocument::ModelTypeIn(const cmcEeprom& image)
{
    const uint8_t b = image.GetByte(kModelTypeByte);
    if (b & 0x20)
        return 2;
    if (b & 0x80)
        return 0;
    if (b & 0x40)
        return 1;
    if (b & 0x04)
        return 3;
    return 0;
}

void indDocument::ModelTypeFromImage(const cmcEeprom& image)
{
    ChangeModelType(ModelTypeIn(image), false);
}

void indDocument::UnpackedView(const cmcEeprom& eeprom, cmcEeprom& image) const
{
    image.Assign(m_reference);
    indBlockMap::Pack(image);
    const int32_t size = std::min<int32_t>(eeprom.GetSize(), kEepromLast + 1);
    if (size > 0)
        image.SetBlock(0, eeprom.Data(), size);
    indBlockMap::Unpack(image);
}

void indDocument::MakeCompareImage(const cmcEeprom& eeprom, cmcEeprom& image)
{
    // The repair also settles which model code a save would write: that belongs to the
    // document, not to the image compared with it.
    const bool secondCode = m_secondCode;
    const bool secondCodeLock = m_secondCodeLock;
    UnpackedView(eeprom, image);
    PrepareImage(image, 0);
    m_secondCode = secondCode;
    m_secondCodeLock = secondCodeLock;
}

int indDocument::ReadCompareFile(const std::string& path, cmcEeprom& image)
{
    const bool secondCode = m_secondCode;
    cmcEeprom scratch;
    scratch.SetSize(kImageSize);
    const std::vector<int32_t> ranges = CloneRanges(3);
    cmcClnFile file;
    ConfigureReader(file, scratch);
    int code = file.Read(path, nullptr);
    if (code == kClnOk) {
        if (CheckImageIdentity(scratch, false) != indIdentity::Accepted)
            code = kClnData;
        else if (IsNewerData(scratch))
            code = kClnNewer;
        else
            code = file.CheckCoverage(ranges.data());
        ShowFileError(code);
    }
    m_secondCode = secondCode;
    if (code == kClnOk)
        MakeCompareImage(scratch, image);
    return code;
}

void indDocument::AfterLoad(cmcEeprom& image)
{
    indBlockMap::Unpack(image);
    ModelTypeFromImage(image);
    PrepareImage(image, 0);
}

int indDocument::OpenFile(const std::string& pathIn)
{
    const std::string path = pathIn;  // the caller's string may live in the recent list
    cmcEeprom scratch;
    scratch.SetSize(kImageSize);
    const std::vector<int32_t> ranges = CloneRanges(3);
    const bool secondCode = m_secondCode;
    cmcClnFile file;
    ConfigureReader(file, scratch);
    int code = file.Read(path, nullptr);
    if (code == kClnOk) {
        if (CheckImageIdentity(scratch, false) != indIdentity::Accepted)
            code = kClnData;
        else if (IsNewerData(scratch))
            code = kClnNewer;
        else
            code = file.CheckCoverage(ranges.data());
        ShowFileError(code);
    }
    if (code != kClnOk) {
        m_secondCode = secondCode;
        adjust = false;
        return code;
    }
    m_work.Assign(m_reference);
    indBlockMap::Pack(m_work);
    m_work.SetBlock(0, scratch.Data(), kEepromLast + 1);
    m_work2.Assign(m_work);
    AfterLoad(m_work);
    if (g_Environ) {
        g_Environ->currentDirectory = FolderOf(path);
        g_Environ->recent.AddToTop(path);
    }
    m_path = path;
    MarkSaved();
    ++m_generation;
    adjust = false;
    return kClnOk;
}

int indDocument::SaveFile(const std::string& pathIn)
{
    const std::string path = pathIn;
    // Prepare a copy: should the write fail, the document stays exactly as it was.
    cmcEeprom prepared;
    prepared.Assign(m_work);
    PrepareImage(prepared, 1);
    cmcClnFile file;
    file.AttachImage(&prepared);
    file.SetModelCode(kModelCode);
    file.SetExtraCode(kExtraCode);
    file.SetMapRev(1);
    file.SetComment(CommentOf(prepared));
    const std::vector<int32_t> ranges = CloneRanges(2);
    const int code = file.Write(path, ranges.data());
    if (code != kClnOk)
        return code;
    m_work.Assign(prepared);
    if (g_Environ) {
        g_Environ->currentDirectory = FolderOf(path);
        g_Environ->recent.AddToTop(path);
    }
    m_path = path;
    MarkSaved();
    return kClnOk;
}

std::vector<int32_t> indDocument::CloneRanges(int purpose)
{
    return {purpose == 0 ? 0x0100 : 0x0000, kEepromLast, 1, 0};
}

std::string indDocument::CommentOf(const cmcEeprom& image)
{
    auto text = [&image](int32_t a) {
        std::string s;
        for (int i = 0; i < 16; ++i) {
            const uint8_t c = image.IsAddress(a + i) ? image.GetByte(a + i) : ' ';
            s.push_back(c >= 32 && c <= 126 ? static_cast<char>(c) : ' ');
        }
        while (!s.empty() && s.back() == ' ')
            s.pop_back();
        return s;
    };
    std::string comment = text(kComment1) + text(kComment2);
    while (!comment.empty() && comment.back() == ' ')
        comment.pop_back();
    return comment;
}

std::vector<int> indDocument::UnkeptChanges() const
{
    std::vector<int> out;
    for (const UnkeptSlot& s : kUnkept)
        if (m_unkeptBase.GetSize() == m_work.GetSize() &&
            std::memcmp(m_work.Data() + s.address, m_unkeptBase.Data() + s.address,
                        static_cast<size_t>(s.length)) != 0 &&
            std::find(out.begin(), out.end(), s.id) == out.end())
            out.push_back(s.id);
    return out;
}

int indDocument::UsedChannels() const
{
    return datUsedChannels16(m_work, m_modelType);
}

void indDocument::PrepareImage(cmcEeprom& image, int purpose)
{
    if (image.GetSize() < kImageSize || m_reference.GetSize() < kImageSize)
        return;
    uint8_t* p = image.Data();
    const cmcEeprom& ref = m_reference;
    if (purpose == 0) {
        indBlockMap::Unpack(image);
        m_secondCode = m_secondCodeLock = false;
    }
    indPrepareImage::Repair(image, ref, m_modelType, purpose);
    if (purpose == 1 || purpose == 2) {
        m_secondCode = m_secondCodeLock = false;
        indBlockMap::Pack(image, purpose == 2);
    }
    p[kNewerDataByte] = 0;
    p[kNewerDataByte + 1] = ref.GetByte(kNewerDataByte + 1);
}

// ---- the radio ----

int32_t indDocument::ReadEnd() const
{
    int32_t end = 0;
    for (int i = indCloneInfo::kReadEnd; i < indCloneInfo::kReadEnd + 4; ++i) {
        const int d = txt::HexDigit(static_cast<char>(m_info[static_cast<size_t>(i)]));
        end = end * 16 + (d < 0 ? 0 : d);
    }
    return (end & ~0xF) + 15;
}

bool indDocument::PasswordWanted(bool write) const
{
    const uint8_t lock = m_info[indCloneInfo::kPassword];
    if (write)
        return (lock & 0x08) != 0;
    return (lock & 0x08) != 0 && (lock & 0x10) == 0;
}

void indDocument::IdentificationCheck(dst_CDrv_Result& r)
{
    if (r.operation != 1 || r.result != 0)
        return;
    const bool second = r.modelCode == kSecondModelCode;
    if ((r.modelCode != kModelCode && !second) || r.info.Size() != kInfoSize ||
        r.info.Data()[0] != kInfoSize) {
        r.result = indCloneMan::ResWrongRadio;
        return;
    }
    m_radioModel = r.modelCode;
    m_radioSub = r.subCode;
    m_radioSecondCode = second;
    m_identified = true;
    std::copy(r.info.Data(), r.info.Data() + kInfoSize, m_info.begin());
    if (m_info[indCloneInfo::kFormat] > 1)
        r.result = indCloneMan::ResNewerRadio;
}

void indDocument::ReadCheck(dst_CDrv_Result& r)
{
    if (r.operation != 2 || r.result != 0)
        return;
    if (r.image.GetSize() < kImageSize ||
        CheckImageIdentity(r.image, true) != indIdentity::Accepted)
        r.result = indCloneMan::ResNotThisImage;
    else if (IsNewerData(r.image))
        r.result = indCloneMan::ResNewerData;
}

int indDocument::CloneReadRanges(std::vector<int32_t>& ranges) const
{
    ranges = CloneRanges(1);
    const int32_t end = ReadEnd();
    if (end < kEepromLast)
        return indCloneMan::ResNotThisImage;
    // Beyond the end of the image nothing can be kept.
    ranges[1] = std::min<int32_t>(end, kImageSize - 1);
    return 0;
}

void indDocument::TakeCloneRead(const cmcEeprom& received)
{
    m_work.Assign(m_reference);
    indBlockMap::Pack(m_work);
    m_work2.Assign(m_reference);
    indBlockMap::Pack(m_work2);
    m_work.SetBlock(0, received.Data(), kEepromLast + 1);
    m_work2.SetBlock(0, received.Data(), kEepromLast + 1);
    AfterLoad(m_work);
    MarkModified();
    m_unkeptBase.Assign(m_work);
    m_path.clear();
    ++m_generation;
}

std::string indDocument::BackupCloneRead(const cmcEeprom& received, std::time_t when) const
{
    // The EEPROM area as the radio sent it, in an image of the full size the file writer
    // expects; a shorter reply leaves the rest as the reference has it.
    cmcEeprom copy;
    copy.Assign(m_reference);
    const int32_t size = std::min<int32_t>(received.GetSize(), kEepromLast + 1);
    if (size > 0)
        copy.SetBlock(0, received.Data(), size);
    // The comment lies where the unpacked image keeps it, not in the radio's packed blocks.
    cmcEeprom view;
    UnpackedView(copy, view);
    indBackups backups(m_backupFolder);
    return backups.Save(copy, ModelTypeName(m_modelType), CommentOf(view), when);
}

void indDocument::PrepareCloneWrite(cmcEeprom& copy, std::vector<int32_t>& ranges)
{
    copy.Assign(m_work);
    ranges = CloneRanges(maker ? 1 : 0);
    copy.SetByte(kNewerDataByte, 0);
    PrepareImage(copy, 2);
    const int32_t end = (copy.GetByte(kPackedEnd) << 8) | copy.GetByte(kPackedEnd + 1);
    // A damaged end never sends more than the EEPROM, nor less than the first page.
    ranges[1] = std::clamp<int32_t>((end & ~0x7F) + 127, ranges[0] + 127, kEepromLast);
    copy.SetByte(kLinkByte, m_info[indCloneInfo::kFormat]);
}
