// Builds one model type's initial clone file from its readable description:
//   qv_make_initial DESCRIPTION OUTPUT
// The description sets header and working-area bytes (see common.txt); the tool packs the
// working area into the EEPROM blocks as a save does, checks that the result is an image of
// this radio, and writes the clone file.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "clonefile/cmcClnFile.h"
#include "common/cmcEeprom.h"
#include "model/CheckImageIdentity.h"
#include "model/indBlockMap.h"
#include "model/indDocument.h"

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Fail(const std::string& where, const std::string& what)
{
    std::fprintf(stderr, "%s: %s\n", where.c_str(), what.c_str());
    return false;
}

bool Apply(const std::string& path, cmcEeprom& image, int depth = 0)
{
    std::ifstream in(path);
    if (!in)
        return Fail(path, "cannot be read");
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string where = path + ":" + std::to_string(number);
        // A "#" starts a comment, except inside a quoted text.
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
            else if (line[i] == '#' && !quoted) {
                line.resize(i);
                break;
            }
        }
        std::istringstream words(line);
        std::string verb;
        if (!(words >> verb))
            continue;
        if (verb == "include") {
            std::string name;
            words >> name;
            if (depth > 8 || !Apply(FolderOf(path) + name, image, depth + 1))
                return Fail(where, "include failed");
            continue;
        }
        std::string addressText;
        words >> addressText;
        const long address = std::strtol(addressText.c_str(), nullptr, 16);
        if (addressText.empty() || !image.IsAddress(static_cast<int32_t>(address)))
            return Fail(where, "bad address");
        int32_t a = static_cast<int32_t>(address);
        if (verb == "bytes") {
            std::string byte;
            while (words >> byte) {
                if (!image.IsAddress(a))
                    return Fail(where, "past the image end");
                image.SetByte(a++, static_cast<uint8_t>(std::strtoul(byte.c_str(), nullptr, 16)));
            }
        } else if (verb == "u16") {
            long n = -1;
            words >> n;
            if (n < 0 || n > 0xFFFF || !image.IsAddress(a + 1))
                return Fail(where, "bad number");
            image.SetByte(a, static_cast<uint8_t>(n >> 8));
            image.SetByte(a + 1, static_cast<uint8_t>(n));
        } else if (verb == "text") {
            int length = 0;
            words >> length;
            std::string rest;
            std::getline(words, rest);
            const size_t open = rest.find('"'), close = rest.rfind('"');
            if (open == std::string::npos || close == open || length <= 0)
                return Fail(where, "bad text");
            const std::string text = rest.substr(open + 1, close - open - 1);
            if (static_cast<int>(text.size()) > length || !image.IsAddress(a + length - 1))
                return Fail(where, "text too long");
            for (int i = 0; i < length; ++i)
                image.SetByte(a + i, i < static_cast<int>(text.size())
                                         ? static_cast<uint8_t>(text[static_cast<size_t>(i)])
                                         : ' ');
        } else {
            return Fail(where, "unknown line: " + verb);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DESCRIPTION OUTPUT\n", argv[0]);
        return 2;
    }
    cmcEeprom image;
    image.SetSize(indDocument::kImageSize);
    if (!Apply(argv[1], image))
        return 1;
    if (indBlockMap::Pack(image))
        return Fail(argv[1], "the blocks do not fit"), 1;
    if (CheckImageIdentity(image, true) != indIdentity::Accepted)
        return Fail(argv[1], "the packed image is not one of this radio's"), 1;
    cmcClnFile file;
    file.AttachImage(&image);
    file.SetModelCode(indDocument::kModelCode);
    file.SetExtraCode(indDocument::kExtraCode);
    file.SetMapRev(1);
    file.SetComment(indDocument::CommentOf(image));
    const std::vector<int32_t> ranges = indDocument::CloneRanges(2);
    return file.Write(argv[2], ranges.data()) == kClnOk ? 0 : 1;
}
