#include "rules/indKeyPortRules.h"

#include "cells/ChoiceCodec.h"
#include "cells/CodecProtocol.h"
#include "cells/cmcCanvas.h"
#include "cells/cmcCellIds.h"
#include "cells/cmcFCache.h"
#include "common/EventIds.h"
#include "common/cmcEvMan.h"
#include "rules/indRuleRequest.h"

namespace {

constexpr int32_t kOpf1 = 0x0860;
constexpr int32_t kLevelList = FlexKeyOpt;
constexpr int32_t kPortList = FlexScrmPort;
constexpr const char* kLevels = "GI_Sheet_Sel_KDisp_KeyOpt_HL";
constexpr const char* kScramblerPorts = "GI_Sheet_Sel_KDisp_ScrmOpt_Port";
constexpr const char* kDirections = "GI_Sheet_Sel_InOutput_Port_Dir";
constexpr const char* kLogics = "GI_Sheet_Sel_InOutput_Port_Logic";

// The port whose key list is open: its choice is a key function, not a port function.
int s_keyListPort = -1;

struct BitRef {
    int32_t addr;
    uint8_t mask;
};

// The port-absent flag of each port; the last has none.
constexpr BitRef kAbsent[indKeyPortRules::kPortCount] = {
    {0x09D5, 0x02}, {0x09FD, 0x80}, {0x09FD, 0x80}, {0x09FD, 0x40}, {0x0148, 0x02}, {0, 0},
};

int32_t KeyAddress(int32_t id)
{
    switch (id) {
        case CL_KDisp_Key_Conv_Opf1:
            return kOpf1;
        case CL_KDisp_Key_Conv_RightDn:
        case CL_KDisp_Key_Conv_LeftUp:
        case CL_KDisp_Key_Conv_LeftDn:
        case CL_KDisp_Key_Conv_P0:
        case CL_KDisp_Key_Conv_P1:
        case CL_KDisp_Key_Conv_P2:
        case CL_KDisp_Key_Conv_P3:
            return 0x0861 + (id - CL_KDisp_Key_Conv_RightDn);
        case CL_KDisp_Key_Conv_MicUp:
        case CL_KDisp_Key_Conv_MicDn:
        case CL_KDisp_Key_Conv_MicA:
        case CL_KDisp_Key_Conv_MicB:
            return 0x0864 + (id - CL_KDisp_Key_Conv_MicUp);
        default:
            return -1;
    }
}

uint8_t LevelMask(int output)
{
    return static_cast<uint8_t>(0x10 << output);  // output 1: bit 5 ... output 3: bit 7
}

// Runs a key function choice on *code (a key byte or a port's key byte): the function's
// list, then the scrambler's port list and the output's level list. True on a change of
// anything.
bool RunKeyFunction(indRuleRequest& r, const std::string& list, uint8_t* code)
{
    cmcCellCapsule& c = r.capsule;
    uint8_t* image = r.Image();
    int32_t chosen = 0;
    bool changed = false;
    if (CodecProtocol::ChoiceFor(c, kLevelList, &chosen)) {
        const int output = indKeyPortRules::OptionOutput(image, *code);
        if (output > 0) {
            const uint8_t m = LevelMask(output);
            const uint8_t next =
                static_cast<uint8_t>(chosen ? (image[indKeyPortRules::kOptionLevels] | m)
                                            : (image[indKeyPortRules::kOptionLevels] & ~m));
            changed = next != image[indKeyPortRules::kOptionLevels];
            image[indKeyPortRules::kOptionLevels] = next;
            r.repaint |= cmcCellCapsule::kRepaintAllValues;
        }
    } else if (CodecProtocol::ChoiceFor(c, kPortList, &chosen)) {
        uint8_t& b = image[indKeyPortRules::kScramblerPort];
        const uint8_t next = static_cast<uint8_t>((b & ~0x03) | (chosen & 0x03));
        changed = next != b;
        b = next;
        const int output = indKeyPortRules::OptionOutput(image, *code);
        ChoiceCodec::OpenList(c, kLevelList,
                              (image[indKeyPortRules::kOptionLevels] & LevelMask(output)) ? 1 : 0,
                              kLevels, r.opened);
    } else {
        ChoiceCodec codec;
        codec.listName = list;
        int32_t v = *code;
        const bool choice = CodecProtocol::ChoiceFor(c, Flex0, &chosen);
        codec.Run(c, &v, r.repaint, r.opened);
        if (v != *code) {
            *code = static_cast<uint8_t>(v);
            changed = true;
        }
        if (choice && r.opened == cmcCellCapsule::kResultNone) {
            if (v == indKeyPortRules::kScrambler) {
                ChoiceCodec::OpenList(c, kPortList, image[indKeyPortRules::kScramblerPort] & 0x03,
                                      kScramblerPorts, r.opened);
            } else if (const int output = indKeyPortRules::OptionOutput(image, v);
                       output > 0 && v <= 53) {
                ChoiceCodec::OpenList(
                    c, kLevelList,
                    (image[indKeyPortRules::kOptionLevels] & LevelMask(output)) ? 1 : 0, kLevels,
                    r.opened);
            }
        }
    }
    return changed;
}

bool Key(indRuleRequest& r)
{
    const int32_t a = KeyAddress(r.id);
    if (a < 0)
        return false;
    cmcCellCapsule& c = r.capsule;
    uint8_t* image = r.Image();
    const bool opf1 = r.id == CL_KDisp_Key_Conv_Opf1;
    const std::string list = indKeyPortRules::KeyList(r.ModelType(), opf1);
    uint8_t code = image[a];
    const bool changed = RunKeyFunction(r, list, &code);
    if (code != image[a]) {
        image[a] = code;
        if (opf1) {
            uint8_t& m = image[indKeyPortRules::kMicSwitch];
            m = static_cast<uint8_t>(code == indKeyPortRules::kExternalEmergency ? (m & 0x7F)
                                                                                 : (m | 0x80));
        }
    }
    if (changed)
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
    if (r.opened != cmcCellCapsule::kResultEditor)
        CodecProtocol::Show(c, indKeyPortRules::KeyText(image, list, image[a]));
    const bool mic = r.id >= CL_KDisp_Key_Conv_MicUp && r.id <= CL_KDisp_Key_Conv_MicB;
    if (mic && !(image[indKeyPortRules::kMicSwitch] & 0x10) && c.canvas)
        c.canvas->SetFontColor(CodecProtocol::kDisabledColor);
    return true;
}

bool PortMode(indRuleRequest& r)
{
    struct Mode {
        int32_t id;
        const char* list;
        BitRef bit;
        int firstPort;
        int lastPort;
    };
    static const Mode kModes[] = {
        {CL_ExtPort_PortMode_EPTT, "GI_Sheet_Sel_PortMode_EPTT", {0x09D5, 0x02}, 0, 0},
        {CL_ExtPort_PortMode_SCI, "GI_Sheet_Sel_PortMode_SCI", {0x09FD, 0x80}, 1, 2},
        {CL_ExtPort_PortMode_AFO, "GI_Sheet_Sel_PortMode_AFO", {0x09FD, 0x40}, 3, 3},
        {CL_ExtPort_PortMode_IGSW, "GI_Sheet_Sel_PortMode_IGSW", {0x0148, 0x02}, 4, 4},
        {CL_ExtPort_PortMode_HORN, "GI_Sheet_Sel_PortMode_HORN", {0, 0}, 0, -1},
    };
    for (const Mode& m : kModes) {
        if (m.id != r.id)
            continue;
        cmcCellCapsule& c = r.capsule;
        ChoiceCodec codec;
        codec.listName = m.list;
        if (m.bit.mask == 0) {
            // No bit of its own: the first choice's name, nothing stored.
            int32_t v = 0;
            codec.Run(c, &v, r.repaint, r.opened);
            CodecProtocol::Show(c, ChoiceCodec::NameOf(m.list, Flex0, 0));
            return true;
        }
        uint8_t* image = r.Image();
        int32_t v = (image[m.bit.addr] & m.bit.mask) ? 1 : 0;
        const int32_t before = v;
        codec.Run(c, &v, r.repaint, r.opened);
        if (v != before) {
            image[m.bit.addr] = static_cast<uint8_t>(v ? (image[m.bit.addr] | m.bit.mask)
                                                       : (image[m.bit.addr] & ~m.bit.mask));
            if (v)
                for (int p = m.firstPort; p <= m.lastPort; ++p)
                    image[indKeyPortRules::kPorts + 2 * p + 1] = 0;
            r.repaint |= cmcCellCapsule::kRepaintAllValues;
            if (g_EvMan)
                g_EvMan->Post(ev::kRedrawAll);
        }
        return true;
    }
    return false;
}

bool Port(indRuleRequest& r)
{
    int which = 0;
    const int p = indKeyPortRules::PortOf(r.id, &which);
    if (p < 0)
        return false;
    cmcCellCapsule& c = r.capsule;
    uint8_t* image = r.Image();
    if (indKeyPortRules::PortAbsent(image, p)) {
        CodecProtocol::ShowDisabled(c);
        return true;
    }
    uint8_t* e = image + indKeyPortRules::kPorts + 2 * p;
    const uint8_t before[2] = {e[0], e[1]};
    const uint8_t keyBefore = image[indKeyPortRules::kPortKeys + p];
    const bool fixed = p == indKeyPortRules::kFixedInput || p == indKeyPortRules::kFixedOutput;
    // A fixed port is shown as stored; its direction is set only when the user edits it.
    const bool input = fixed ? p == indKeyPortRules::kFixedInput : (e[0] & 0x80) != 0;
    switch (which) {
        case 1: {  // direction
            if (fixed) {
                CodecProtocol::Show(c,
                                    ChoiceCodec::NameOf(kDirections, Flex0, (e[0] & 0x80) ? 1 : 0));
                break;
            }
            ChoiceCodec codec;
            codec.listName = kDirections;
            int32_t v = input ? 1 : 0;
            codec.Run(c, &v, r.repaint, r.opened);
            if (v != (input ? 1 : 0)) {
                e[0] = static_cast<uint8_t>(v ? (e[0] | 0x80) : (e[0] & 0x7F));
                e[1] = 0;
                r.repaint |= cmcCellCapsule::kRepaintAllValues;
            }
            break;
        }
        case 2: {  // logic
            ChoiceCodec codec;
            codec.listName = kLogics;
            int32_t v = (e[0] & 0x40) ? 1 : 0;
            codec.Run(c, &v, r.repaint, r.opened);
            if (v != ((e[0] & 0x40) ? 1 : 0))
                e[0] = static_cast<uint8_t>(v ? (e[0] | 0x40) : (e[0] & ~0x40));
            if (e[1] == 0 && !fixed && c.canvas)
                c.canvas->SetFontColor(CodecProtocol::kDisabledColor);
            break;
        }
        default: {  // function
            const char* list = input ? indKeyPortRules::InputList(r.ModelType())
                                     : indKeyPortRules::OutputList(r.ModelType());
            const std::string keys = indKeyPortRules::KeyList(r.ModelType());
            uint8_t* key = image + indKeyPortRules::kPortKeys + p;
            int32_t chosen = 0;
            if (s_keyListPort == p && CodecProtocol::ChoiceFor(c, Flex0, &chosen)) {
                // The key list that choosing the key function opened.
                s_keyListPort = -1;
                RunKeyFunction(r, keys, key);
            } else if (CodecProtocol::ChoiceFor(c, kLevelList, &chosen) ||
                       CodecProtocol::ChoiceFor(c, kPortList, &chosen)) {
                RunKeyFunction(r, keys, key);
            } else if (input &&
                       (c.key == cmcCellCapsule::kKeySpace ||
                        c.key == cmcCellCapsule::kKeyBackspace) &&
                       CodecProtocol::HandlesKeys(c)) {
                int32_t v = e[1];
                if (indKeyPortRules::StepPortFunction(image, p, list, &v,
                                                      c.key == cmcCellCapsule::kKeySpace ? 1 : -1))
                    e[1] = static_cast<uint8_t>(v);
            } else {
                if (c.key == cmcCellCapsule::kKeyEnter)
                    s_keyListPort = -1;
                ChoiceCodec codec;
                codec.listName = list;
                int32_t v = e[1];
                const bool choice = CodecProtocol::ChoiceFor(c, Flex0, &chosen);
                codec.Run(c, &v, r.repaint, r.opened);
                e[1] = static_cast<uint8_t>(v);
                if (choice && input && v == indKeyPortRules::kKeyFunction &&
                    r.opened == cmcCellCapsule::kResultNone) {
                    ChoiceCodec::OpenList(c, Flex0, *key, keys, r.opened);
                    if (r.opened == cmcCellCapsule::kResultPopup)
                        s_keyListPort = p;
                }
            }
            if (r.opened != cmcCellCapsule::kResultEditor) {
                std::string text = ChoiceCodec::NameOf(list, Flex0, e[1]);
                if (input && e[1] == indKeyPortRules::kKeyFunction)
                    text = "Key : " + ChoiceCodec::NameOf(keys, Flex0, *key) +
                           ((e[0] & 0x40) ? " /H" : " /L");
                CodecProtocol::Show(c, text);
            }
            break;
        }
    }
    const bool changed = e[0] != before[0] || e[1] != before[1] ||
                         image[indKeyPortRules::kPortKeys + p] != keyBefore;
    if (fixed && changed) {
        // A fixed port's direction is written with the user's edits of the port, never
        // while it is drawn.
        e[0] =
            static_cast<uint8_t>(p == indKeyPortRules::kFixedInput ? (e[0] | 0x80) : (e[0] & 0x7F));
    }
    if (changed)
        r.repaint |= cmcCellCapsule::kRepaintAllValues;
    return true;
}

}  // namespace

const char* indKeyPortRules::KeyList(int modelType, bool opf1)
{
    switch (modelType) {
        case 1:
            return opf1 ? "GI_Sheet_Sel_Keys_Conv_Pmr_Ext_Emer" : "GI_Sheet_Sel_Keys_Conv_Pmr";
        case 2:
            return opf1 ? "GI_Sheet_Sel_Keys_Conv_Pmr_Ext_Emer" : "GI_Sheet_Sel_Keys_Conv_DaloPmr";
        case 3:
            return opf1 ? "GI_Sheet_Sel_Keys_Conv_Lmr_Ext_Emer"
                        : "GI_Sheet_Sel_Keys_Conv_DPmr446Ana";
        default:
            return opf1 ? "GI_Sheet_Sel_Keys_Conv_Lmr_Ext_Emer" : "GI_Sheet_Sel_Keys_Conv_Lmr";
    }
}

const char* indKeyPortRules::InputList(int modelType)
{
    return modelType == 1 || modelType == 2 ? "GI_Sheet_Sel_ExtPort_In_Pmr"
                                            : "GI_Sheet_Sel_ExtPort_In_Lmr";
}

const char* indKeyPortRules::OutputList(int modelType)
{
    return modelType == 1 || modelType == 2 ? "GI_Sheet_Sel_ExtPort_Out_Pmr"
                                            : "GI_Sheet_Sel_ExtPort_Out_Lmr";
}

int indKeyPortRules::OptionOutput(const uint8_t* image, int32_t code)
{
    if (code >= 48 && code <= 53)
        return (code - 48) % 3 + 1;
    if (code == kScrambler)
        return (image[kScramblerPort] & 0x03) % 3 + 1;
    return 0;
}

std::string indKeyPortRules::KeyText(const uint8_t* image, const std::string& list, int32_t code)
{
    std::string text = ChoiceCodec::NameOf(list, Flex0, code);
    const int output = OptionOutput(image, code);
    if (code == kScrambler)
        text += output == 1 ? " OPT1" : output == 2 ? " OPT2" : " OPT3";
    if (output > 0)
        text += (image[kOptionLevels] & LevelMask(output)) ? " /H" : " /L";
    return text;
}

bool indKeyPortRules::AssignedFunction(const uint8_t* image, int modelType, int32_t id,
                                       std::string* name, std::string* codeKey)
{
    std::string list;
    int32_t code = 0;
    std::string prefix;
    int which = 0;
    if (const int32_t a = KeyAddress(id); a >= 0) {
        list = KeyList(modelType, id == CL_KDisp_Key_Conv_Opf1);
        code = image[a];
        prefix = "key:";
    } else if (const int p = PortOf(id, &which); p >= 0 && which == 0) {
        const bool input = (image[kPorts + 2 * p] & 0x80) != 0;
        list = input ? InputList(modelType) : OutputList(modelType);
        code = image[kPorts + 2 * p + 1];
        prefix = input ? "in:" : "out:";
    } else {
        return false;
    }
    *name = ChoiceCodec::NameOf(list, Flex0, code);
    *codeKey = prefix + std::to_string(code);
    return true;
}

int indKeyPortRules::PortOf(int32_t id, int* which)
{
    struct P {
        int32_t first;
        int port;
    };
    static const P kPortCells[] = {
        {CL_ExtPort_InOut_1, 0}, {CL_ExtPort_InOut_2, 1}, {CL_ExtPort_InOut_3, 2},
        {CL_ExtPort_InOut_4, 3}, {CL_ExtPort_In_1, 4},    {CL_ExtPort_Out_1, 5},
    };
    for (const P& p : kPortCells)
        if (id >= p.first && id <= p.first + 2) {
            *which = id - p.first;
            return p.port;
        }
    return -1;
}

bool indKeyPortRules::StepPortFunction(const uint8_t* image, int p, const std::string& list,
                                       int32_t* value, int delta)
{
    if (g_FCache == nullptr)
        return false;
    // One full cycle visits each choice once; a value that is not in the list first steps
    // to the first choice.
    const int choices = g_FCache->List(list, Flex0).choiceCount;
    int32_t v = *value;
    for (int n = 0; n <= choices; ++n) {
        if (!ChoiceCodec::StepInList(list, Flex0, &v, delta) || v == *value)
            return false;
        bool used = false;
        if (v != 0 && v != kKeyFunction)
            for (int q = 0; q < kPortCount && !used; ++q) {
                const uint8_t* e = image + kPorts + 2 * q;
                used = q != p && (e[0] & 0x80) && !PortAbsent(image, q) && e[1] == v;
            }
        if (!used) {
            *value = v;
            return true;
        }
    }
    return false;
}

bool indKeyPortRules::PortAbsent(const uint8_t* image, int p)
{
    if (p < 0 || p >= kPortCount || kAbsent[p].mask == 0)
        return false;
    return (image[kAbsent[p].addr] & kAbsent[p].mask) != 0;
}

bool indKeyPortRules::Handle(indRuleRequest& r)
{
    return Key(r) || PortMode(r) || Port(r);
}
