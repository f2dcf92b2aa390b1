#pragma once
#include <cstdint>

// One row of the radio's memory map (indMemMapTable): for one setting, where its value lives
// in the image, how it is put together, which codec shows and edits it, which list it is
// chosen from and when it may be edited.

// How a value is put together from its parts.
enum class mmPattern : uint8_t {
    Field,     // one bit field of a byte, or a whole byte, 16-bit or 32-bit number
    Combined,  // a level field plus a flag bit, listed as level + 100 when the flag is set
    Split,     // single bits or small fields in different bytes, highest part first
    Text,      // a fixed-length text at the address
    Special,   // storage recorded here, the cell handled by a special rule
    Disabled,  // no storage in this model: shown as off, takes no input
};

enum class mmCodec : uint8_t {
    None,
    Choice,      // list
    Int,         // a = min, b = max, c = offset, d = mmIntSaturate / mmIntClamp bits
    Seconds,     // a = units per second, b = min, c = max, d = zeros to strip
    FixedPoint,  // a = min, b = max (stored units), c = stored decimals * 10 + shown, d = step
    MinSec,      // a = min s, b = max s, c = step s
    PaddedInt,   // a = min, b = max, c = width
    HexDigits,   // a = digit count, b = letters allowed
    TextCodec,   // a = length, b = variant (TextCodec variants)
    SegText,     // a = length
    BitChoice,   // a = bit number in the 2-byte array (bit 0 = msb of the first byte)
    Dtmf,        // a = most digits; the count byte follows the digits
    Digit,       // a = "F" allowed
    Tone,        // the tone pair of a record; a = 0 receive, 1 transmit
    Label,       // a row label: `list` is the format of the index; edits change nothing
    FiveTone,    // a = 1 receive code (8 digits in 4 bytes, then the group marks), 0 transmit
    FlagBits,    // flags a..b of the flag-bits window, kept in bits w-1..0 (flag a on top)
    CodeNumber,  // the "ABC" code number
};

// Conditions and side effects.
enum : uint16_t {
    mmMaker = 0x0001,       // acts only in maker mode; otherwise empty, no input
    mmNeedEacc = 0x0002,    // acts only while the extended-mode access bit is set
    mmEvent25 = 0x0004,     // a change rebuilds the tree and sheets (event 25)
    mmEvent13 = 0x0008,     // a change redraws every cell (event 13)
    mmZeroText = 0x0010,    // 0 shows the overlay text `zeroText` when no key is handled
    mmReadOnly = 0x0020,    // shown, never edited
    mmNoStepping = 0x0040,  // FixedPoint: space and backspace do not step
};

// Where a row's storage comes from.
enum class mmOrigin : uint8_t {
    Given,  // the radio's documented layout: must not move
    Ours,   // chosen by this program in a byte the pack writes and nothing else uses
};

// One part of a value: bits first..first+width-1 of the byte at addr (bit 0 = least
// significant); width 16 and 32 are big-endian numbers starting at addr, and a text or
// digit array of n bytes has width 8 n. weight is the
// part's place in the assembled value (Split and Combined), 1 otherwise.
struct mmPart {
    uint16_t addr = 0;
    uint8_t bit = 0;
    uint8_t width = 0;
    uint16_t weight = 1;
};

struct indMemMapRow {
    int32_t id = 0;
    mmPattern pattern = mmPattern::Field;
    mmCodec codec = mmCodec::None;
    mmPart parts[6] = {};
    int partCount = 0;
    // Repeated storage: the value of index i lies stride * i bytes after the parts'
    // addresses, for indexes 0 .. count - 1. With a record kind the addresses are offsets
    // into that kind's stored part `recordPart` (datChKinds), and count is its index range.
    uint8_t kind = 0;
    uint8_t recordPart = 0;
    uint16_t stride = 0;
    int32_t firstIndex = 0;
    int32_t count = 1;
    int32_t a = 0, b = 0, c = 0, d = 0;
    const char* list = nullptr;
    const char* listAlt = nullptr;  // the list for the models in altModels
    uint8_t altModels = 0;          // bit t: model type t uses listAlt
    uint16_t flags = 0;
    const char* zeroText = nullptr;
    mmOrigin origin = mmOrigin::Ours;
    const char* note = "";
};

enum : int32_t { mmIntSaturate = 1, mmIntClamp = 2 };
