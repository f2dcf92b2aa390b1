#include "common/indEnviron.h"

#include <algorithm>

#include "platform/IDesktop.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"

indEnviron* g_Environ = nullptr;

namespace {

plat::ISettingsBackend* Backend()
{
    return plat::Get().settings;
}

// Reads a whole key as one unit: the first missing or mistyped value fails it.
class KeyReader {
public:
    KeyReader(plat::Root root, std::string path) : m_root(root), m_path(std::move(path)) {}
    bool ok = true;

    int Int(const char* name)
    {
        if (!ok)
            return 0;
        auto v = Backend()->ReadInt(m_root, m_path, name);
        if (!v) {
            ok = false;
            return 0;
        }
        return *v;
    }
    std::string String(const char* name)
    {
        if (!ok)
            return std::string();
        if (!Backend()->ValueExists(m_root, m_path, name))
            return std::string();
        auto v = Backend()->ReadString(m_root, m_path, name);
        if (!v) {
            ok = false;
            return std::string();
        }
        return *v;
    }

private:
    plat::Root m_root;
    std::string m_path;
};

}  // namespace

indEnviron::indEnviron(const std::string& mutexName, const std::string& userKeyPath,
                       const std::string& machineKeyPath)
    : m_mutexName(mutexName), m_userKeyPath(userKeyPath), m_machineKeyPath(machineKeyPath)
{
    comSpeedHigh = 1;
    m_firstInstance = m_lock.Acquire(m_mutexName);
    if (!m_firstInstance)
        return;
    if (!Backend() || !LoadUser())
        ApplyDefaults();
    if (bbt != kMarker)
        ApplyDefaults();
    if (Backend()) {
        LoadWriteSafety();
        LoadMachine();
    }
}

indEnviron::~indEnviron()
{
    if (m_firstInstance && bbt == kMarker)
        Save();
    m_lock.Release();
}

std::string indEnviron::SubKey(const std::string& sub) const
{
    return txt::Format("%s\\%s", m_userKeyPath.c_str(), sub.c_str());
}

void indEnviron::ApplyDefaults()
{
    firstStart = true;
    bbt = kMarker;
    comPort = 1;
    comSpeedHigh = 1;
    currentDirectory.clear();
    recent.Clear();
    fontSizePercentage = 100;
    toolbarVisible = 1;
    fontSizePrinter = 10;
    plat::Rect screen{0, 0, 1024, 768};
    if (plat::IDesktop* d = plat::Get().desktop)
        screen = d->Screen();
    width = std::min(static_cast<int>(screen.width * 0.9), 800);
    height = std::min(static_cast<int>(screen.height * 0.9), 600);
    left = (screen.width - width) / 2;
    top = static_cast<int>((screen.height - height) * 0.3);
    splitterV = 200;
    modelType = 0;
    language = 0;
    makerReserveMode = kMakerSequence;
    adjustMode.clear();
    userName.clear();
    companyName.clear();
    serialNumber.clear();
}

std::string indEnviron::EncodeText(const std::string& textIn)
{
    // A text is a C string: whatever follows a zero byte is not part of it.
    const std::string text(textIn.c_str());
    if (text.empty())
        return "00";
    return txt::BytesToHex(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

std::optional<std::string> indEnviron::DecodeText(const std::string& stored, const std::string& def)
{
    if (stored.empty())
        return def;
    if (stored == "00")
        return std::string();
    std::string out;
    for (size_t i = 0; i < stored.size(); i += 2) {
        int hi = txt::HexDigit(stored[i]);
        if (hi < 0)
            return std::nullopt;
        if (i + 1 >= stored.size()) {
            out += static_cast<char>(hi);  // a trailing single digit is read alone
            break;
        }
        int lo = txt::HexDigit(stored[i + 1]);
        if (lo < 0)
            return std::nullopt;
        out += static_cast<char>((hi << 4) | lo);
    }
    // A decoded zero byte ends the text, as it ends the text the program keeps ("0" and "00"
    // pairs would otherwise leave a text holding a zero byte, which reads differently once
    // written back).
    return std::string(out.c_str());
}

bool indEnviron::LoadUser()
{
    const plat::Root u = plat::Root::User;
    KeyReader global(u, SubKey("Global"));
    bbt = global.Int("BBT");
    comPort = std::clamp(global.Int("ComPort"), 1, 256);
    comSpeedHigh = std::clamp(global.Int("ComSpeedHigh"), 0, 1);
    currentDirectory = global.String("Current Directory");
    if (!global.ok)
        return false;

    KeyReader rec(u, SubKey("Recent File List"));
    recent.Clear();
    for (int i = 0; i < 10; ++i)
        recent.Append(rec.String(txt::Format("Recent%d", i).c_str()));
    if (!rec.ok)
        return false;

    KeyReader view(u, SubKey("View Option"));
    fontSizePercentage = std::clamp(view.Int("FontSize Percentage"), 25, 1000);
    toolbarVisible = view.Int("Toolbar Visible") != 0 ? 1 : 0;
    fontSizePrinter = std::clamp(view.Int("FontSize Printer"), 8, 12);
    if (!view.ok)
        return false;

    KeyReader pos(u, SubKey("Window Position"));
    left = pos.Int("Left");
    top = pos.Int("Top");
    width = pos.Int("Width");
    height = pos.Int("Height");
    splitterV = pos.Int("SplitterV");
    if (!pos.ok)
        return false;

    KeyReader setup(u, SubKey("Setup"));
    modelType = setup.Int("ModelType");
    language = setup.Int("Language");
    if (!setup.ok)
        return false;

    KeyReader pw(u, SubKey("Password"));
    auto maker = DecodeText(pw.String("MakerReserveMode"), kMakerSequence);
    auto adjust = DecodeText(pw.String("AdjustMode"), std::string());
    if (!pw.ok || !maker || !adjust)
        return false;
    makerReserveMode = *maker;
    adjustMode = *adjust;
    return true;
}

void indEnviron::LoadWriteSafety()
{
    const std::string key = SubKey("Write Safety");
    auto read = [&](const char* name, int& value) {
        if (auto v = Backend()->ReadInt(plat::Root::User, key, name))
            value = *v != 0 ? 1 : 0;
    };
    read("BackupBeforeWrite", backupBeforeWrite);
    read("ConfirmBeforeWrite", confirmBeforeWrite);
    read("VerifyAfterWrite", verifyAfterWrite);
}

void indEnviron::LoadMachine()
{
    auto read = [&](const char* name) {
        auto v = Backend()->ReadString(plat::Root::Machine, m_machineKeyPath, name);
        return v ? *v : std::string();
    };
    userName = read("UserName");
    companyName = read("CompanyName");
    serialNumber = read("SerialNumber");
}

void indEnviron::Save()
{
    plat::ISettingsBackend* b = Backend();
    if (!b)
        return;
    const plat::Root u = plat::Root::User;
    const std::string global = SubKey("Global");
    b->WriteInt(u, global, "BBT", bbt);
    b->WriteInt(u, global, "ComPort", comPort);
    b->WriteInt(u, global, "ComSpeedHigh", comSpeedHigh);
    b->WriteString(u, global, "Current Directory", currentDirectory);

    const std::string rec = SubKey("Recent File List");
    for (int i = 0; i < 10; ++i)
        b->WriteString(u, rec, txt::Format("Recent%d", i), recent.DisplayName(i, std::string()));

    const std::string view = SubKey("View Option");
    b->WriteInt(u, view, "FontSize Percentage", fontSizePercentage);
    b->WriteInt(u, view, "Toolbar Visible", toolbarVisible);
    b->WriteInt(u, view, "FontSize Printer", fontSizePrinter);

    const std::string pos = SubKey("Window Position");
    b->WriteInt(u, pos, "Left", left);
    b->WriteInt(u, pos, "Top", top);
    b->WriteInt(u, pos, "Width", width);
    b->WriteInt(u, pos, "Height", height);
    b->WriteInt(u, pos, "SplitterV", splitterV);

    const std::string setup = SubKey("Setup");
    b->WriteInt(u, setup, "ModelType", modelType);

    const std::string edit = SubKey("EditForm Position");
    for (const WindowEntry& e : m_windows) {
        b->WriteInt(u, edit, e.name + "_Left", e.left);
        b->WriteInt(u, edit, e.name + "_Top", e.top);
        b->WriteInt(u, edit, e.name + "_Width", e.width);
        b->WriteInt(u, edit, e.name + "_Height", e.height);
        b->WriteInt(u, edit, e.name + "_WindowState", e.windowState);
    }

    b->WriteInt(u, setup, "Language", language);

    const std::string safety = SubKey("Write Safety");
    b->WriteInt(u, safety, "BackupBeforeWrite", backupBeforeWrite);
    b->WriteInt(u, safety, "ConfirmBeforeWrite", confirmBeforeWrite);
    b->WriteInt(u, safety, "VerifyAfterWrite", verifyAfterWrite);

    const std::string pw = SubKey("Password");
    b->WriteString(u, pw, "MakerReserveMode", EncodeText(makerReserveMode));
    b->WriteString(u, pw, "AdjustMode", EncodeText(adjustMode));
    b->Flush();
}

indEnviron::WindowEntry* indEnviron::FindEntry(const std::string& name)
{
    for (WindowEntry& e : m_windows)
        if (e.name == name)
            return &e;
    return nullptr;
}

indEnviron::WindowEntry* indEnviron::GetWindowEntry(const std::string& name)
{
    if (WindowEntry* e = FindEntry(name))
        return e;
    plat::ISettingsBackend* b = Backend();
    if (!b)
        return nullptr;
    const std::string edit = SubKey("EditForm Position");
    auto l = b->ReadInt(plat::Root::User, edit, name + "_Left");
    auto t = b->ReadInt(plat::Root::User, edit, name + "_Top");
    auto w = b->ReadInt(plat::Root::User, edit, name + "_Width");
    auto h = b->ReadInt(plat::Root::User, edit, name + "_Height");
    auto s = b->ReadInt(plat::Root::User, edit, name + "_WindowState");
    if (!l || !t || !w || !h || !s)
        return nullptr;
    WindowEntry e;
    e.name = name;
    e.left = *l;
    e.top = *t;
    e.width = *w;
    e.height = *h;
    e.windowState = *s;
    m_windows.push_back(e);
    return &m_windows.back();
}

void indEnviron::SetWindowEntry(const std::string& name, int l, int t, int w, int h, int curCol,
                                int curRow, int leftCol, int topRow, int windowState, int extra)
{
    std::erase_if(m_windows, [&](const WindowEntry& e) { return e.name == name; });
    m_windows.push_front({name, l, t, w, h, curCol, curRow, leftCol, topRow, windowState, extra});
}

int32_t indEnviron::ReadInt(const std::string& keyPath, const std::string& valueName,
                            plat::Root root)
{
    plat::ISettingsBackend* b = Backend();
    if (!b)
        return -1;
    auto v = b->ReadInt(root, keyPath, valueName);
    return v ? *v : -1;
}

void indEnviron::WriteInt(const std::string& keyPath, const std::string& valueName, int32_t value,
                          plat::Root root)
{
    if (plat::ISettingsBackend* b = Backend())
        b->WriteInt(root, keyPath, valueName, value);
}

void indEnviron::DeleteKey(const std::string& keyPath, const std::string& subKeyPath,
                           plat::Root root)
{
    plat::ISettingsBackend* b = Backend();
    if (b && b->KeyExists(root, keyPath))
        b->DeleteKey(root, keyPath, subKeyPath);
}
