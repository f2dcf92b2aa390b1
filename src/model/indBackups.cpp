#include "model/indBackups.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"
#include "model/indDocument.h"
#include "platform/TextUtil.h"

namespace fs = std::filesystem;

std::string indBackups::DefaultFolder()
{
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data != nullptr && data[0] == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    return base + "/Tavo/Quorvex/backups";
}

std::string indBackups::NameFor(std::time_t when, const std::string& model) const
{
    std::tm t{};
    localtime_r(&when, &t);
    const std::string stem =
        txt::Format("%04d-%02d-%02d_%02d-%02d-%02d_%s", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                    t.tm_hour, t.tm_min, t.tm_sec, model.c_str());
    std::string name = stem + ".qcl";
    std::error_code ec;
    for (int n = 2; fs::exists(fs::path(m_folder) / name, ec); ++n)
        name = txt::Format("%s-%d.qcl", stem.c_str(), n);
    return name;
}

std::vector<std::string> indBackups::List() const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(m_folder, ec))
        if (e.is_regular_file(ec) && e.path().extension() == ".qcl")
            names.push_back(e.path().filename().string());
    // Names begin with the date and time, so their order is the order they were made in; a
    // second backup within the same second carries a number after the model.
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ta = a.substr(0, 19), tb = b.substr(0, 19);
        if (ta != tb)
            return ta < tb;
        if (a.size() != b.size())
            return a.size() < b.size();
        return a < b;
    });
    return names;
}

void indBackups::Prune() const
{
    const std::vector<std::string> names = List();
    std::error_code ec;
    for (size_t i = 0; i + kMaxBackups < names.size(); ++i)
        fs::remove(fs::path(m_folder) / names[i], ec);
}

std::string indBackups::Save(cmcEeprom& image, const std::string& model, const std::string& comment,
                             std::time_t when)
{
    std::error_code ec;
    fs::create_directories(m_folder, ec);
    if (ec)
        return std::string();
    const std::string path = (fs::path(m_folder) / NameFor(when, model)).string();
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetModelCode(indDocument::kModelCode);
    file.SetExtraCode(indDocument::kExtraCode);
    file.SetMapRev(1);
    file.SetComment(comment);
    const std::vector<int32_t> ranges = indDocument::CloneRanges(2);
    if (file.Write(path, ranges.data()) != kClnOk)
        return std::string();
    Prune();
    return path;
}
