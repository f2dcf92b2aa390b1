#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "common/cmcEeprom.h"
#include "model/CheckImageIdentity.h"
#include "model/indBlockMap.h"

namespace {

void Put16(cmcEeprom& e, int32_t a, int v)
{
    e.SetByte(a, static_cast<uint8_t>(v >> 8));
    e.SetByte(a + 1, static_cast<uint8_t>(v));
}

// A packed image with the identity fields of this radio.
void RadioImage(cmcEeprom& e)
{
    e.SetSize(indMemMap::kImageSize);
    Put16(e, 0x09FE, 16);
    indBlockMap::Pack(e);
    Put16(e, 0x0000, 0x3285);
    e.SetByte(0x0002, 1);
    std::memcpy(e.Data() + 0x0100, "TAVO Inc", 8);
    Put16(e, 0x010A, 0x3285);
}

TEST(CheckImageIdentity, FieldsOfThePartialAndFullTest)
{
    struct Case {
        const char* name;
        std::function<void(cmcEeprom&)> change;
        int partial, full;
    };
    const Case cases[] = {
        {"unchanged", [](cmcEeprom&) {}, 0, 0},
        {"other model code", [](cmcEeprom& e) { Put16(e, 0x0000, 0x3286); }, 1, 1},
        {"0002 not 1", [](cmcEeprom& e) { e.SetByte(0x0002, 2); }, 1, 1},
        {"0108 is 1", [](cmcEeprom& e) { e.SetByte(0x0108, 1); }, 0, 0},
        {"0108 is 2", [](cmcEeprom& e) { e.SetByte(0x0108, 2); }, 1, 1},
        {"maker string", [](cmcEeprom& e) { e.SetByte(0x0107, 'C'); }, 0, 1},
        {"second model code", [](cmcEeprom& e) { Put16(e, 0x010A, 0x3179); }, 0, 0},
        {"unknown model code at 010A", [](cmcEeprom& e) { Put16(e, 0x010A, 0x1234); }, 0, 1},
        {"trailer damaged", [](cmcEeprom& e) { e.SetByte(0x06A0, 'X'); }, 0, 1},
        {"end address far outside", [](cmcEeprom& e) { Put16(e, 0x0112, 0xFFFF); }, 0, 1},
        {"end below the base", [](cmcEeprom& e) { Put16(e, 0x0112, 0x0000); }, 0, 1},
        {"trailer in the working area",
         [](cmcEeprom& e) {
             Put16(e, 0x0112, 0x1000);
             std::memcpy(e.Data() + 0x1000 - 8, "TAVO Inc", 8);
         },
         0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cmcEeprom e;
        RadioImage(e);
        c.change(e);
        EXPECT_EQ(static_cast<int>(CheckImageIdentity(e, false)), c.partial);
        EXPECT_EQ(static_cast<int>(CheckImageIdentity(e, true)), c.full);
    }

    cmcEeprom small;
    small.SetSize(0x0100);
    EXPECT_EQ(CheckImageIdentity(small, false), indIdentity::Rejected);
    EXPECT_EQ(CheckImageIdentity(small, true), indIdentity::Rejected);
}

}  // namespace
