// Frames of the cloning protocol, built and checked from byte sequences with no port.

#include <gtest/gtest.h>

#include <string>

#include "link/CloneFrames.h"

namespace {

using CloneFrames::Bytes;

Bytes B(std::initializer_list<int> v)
{
    Bytes out;
    for (int x : v)
        out.push_back(static_cast<uint8_t>(x));
    return out;
}

Bytes Text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(CloneFrames, HexTextSkipsSpacesAndKeepsALeftOverDigitHigh)
{
    EXPECT_EQ(CloneFrames::HexToBytes("FEFE EE EF E0 3285 0000 FD"),
              B({0xFE, 0xFE, 0xEE, 0xEF, 0xE0, 0x32, 0x85, 0x00, 0x00, 0xFD}));
    EXPECT_EQ(CloneFrames::HexToBytes("a b-c"), B({0xAB, 0xC0}));
    EXPECT_TRUE(CloneFrames::HexToBytes(" ()").empty());
}

TEST(CloneFrames, RequestCarriesPreambleAndCodes)
{
    EXPECT_EQ(CloneFrames::Request(0xE2, 0x3285, 0x0001, 2),
              B({0xFE, 0xFE, 0xFE, 0xFE, 0xEE, 0xEF, 0xE2, 0x32, 0x85, 0x00, 0x01, 0xFD}));
}

TEST(CloneFrames, DataFrameOfSixteenBytesAt0100)
{
    uint8_t data[16];
    for (int i = 0; i < 16; ++i)
        data[i] = static_cast<uint8_t>(i);
    const Bytes want = Cat(
        Cat(B({0xFE, 0xFE, 0xEE, 0xEF, 0xE4}), Text("010010000102030405060708090A0B0C0D0E0F77")),
        B({0xFD}));
    EXPECT_EQ(CloneFrames::DataFrame(0x0100, data, 16, false), want);
    const Bytes fromRadio = CloneFrames::DataFrame(0x0100, data, 16, true, 1);
    EXPECT_EQ(Bytes(fromRadio.begin(), fromRadio.begin() + 5), B({0xFE, 0xFE, 0xFE, 0xEF, 0xEE}));
}

TEST(CloneFrames, DecodeDataAcceptsOnlyWellFormedBodies)
{
    struct Case {
        const char* body;
        int code;
    } cases[] = {
        {"010010000102030405060708090A0B0C0D0E0F77", 0},
        {"010010000102030405060708090a0b0c0d0e0f77", 6},  // lower case
        {"010010000102030405060708090A0B0C0D0E0F78", 6},  // sum
        {"010011000102030405060708090A0B0C0D0E0F76", 6},  // count disagrees with length
        {"01001000010203040506070809 A0B0C0D0E0F77", 6},  // not a digit
        {"0100100001020304050607080", 6},                 // odd number of characters
        {"00000101FE", 6},                                // odd number of bytes
        {"000002AABB99", 0},
        {"", 6},
    };
    for (const Case& c : cases) {
        CloneFrames::Data d;
        const std::string body = c.body;
        EXPECT_EQ(CloneFrames::DecodeData(reinterpret_cast<const uint8_t*>(body.data()),
                                          static_cast<int>(body.size()), d),
                  c.code)
            << body;
    }
    CloneFrames::Data d;
    const std::string ok = "000002AABB99";
    ASSERT_EQ(CloneFrames::DecodeData(reinterpret_cast<const uint8_t*>(ok.data()), 12, d), 0);
    EXPECT_EQ(d.address, 0u);
    EXPECT_EQ(d.count, 2);
    EXPECT_EQ(d.bytes, B({0xAA, 0xBB}));
}

TEST(CloneFrames, InfoAnswerGivesCodesAndInformationBytes)
{
    Bytes frame = B({0xFE, 0xEF, 0xEE, 0xE1, 0x32, 0x85, 0x00, 0x00});
    frame.insert(frame.end(), 80, 0x41);
    int model = 0, sub = -1;
    Bytes info;
    ASSERT_EQ(CloneFrames::DecodeInfo(frame, model, sub, info), 0);
    EXPECT_EQ(model, 0x3285);
    EXPECT_EQ(sub, 0);
    EXPECT_EQ(info.size(), 80u);
    frame[5] = 0x8A;  // not packed decimal
    EXPECT_EQ(CloneFrames::DecodeInfo(frame, model, sub, info), 6);
    EXPECT_EQ(CloneFrames::DecodeInfo(B({0xFE, 0xEF, 0xEE, 0xE1, 0x32}), model, sub, info), 6);
    EXPECT_EQ(
        CloneFrames::DecodeInfo(B({0xFE, 0xEE, 0xEF, 0xE1, 0x32, 0x85, 0, 0}), model, sub, info),
        6);
}

TEST(CloneFrames, EndFrameCountIsCheckedModulo256)
{
    const Bytes end7A = Cat(Cat(B({0xFE, 0xEF, 0xEE, 0xE5}), Text("Tavo Inc.")), Text("7A"));
    EXPECT_EQ(CloneFrames::CheckEnd(end7A, true, 122), 0);
    EXPECT_EQ(CloneFrames::CheckEnd(end7A, true, 122 + 256), 0);
    EXPECT_EQ(CloneFrames::CheckEnd(end7A, true, 123), 7);
    EXPECT_EQ(CloneFrames::CheckEnd(end7A, false, 122), 6);  // longer than expected
    const Bytes wrongMaker = Cat(Cat(B({0xFE, 0xEF, 0xEE, 0xE5}), Text("Tavo Ink.")), Text("7A"));
    EXPECT_EQ(CloneFrames::CheckEnd(wrongMaker, true, 122), 6);
    // What the radio sends is what the program checks.
    Bytes sent = CloneFrames::EndFrame(true, 122, true);
    sent.erase(sent.begin());
    sent.pop_back();
    EXPECT_EQ(sent, end7A);
}

TEST(CloneFrames, EndAcknowledgementIsExact)
{
    EXPECT_TRUE(CloneFrames::IsEndAck(B({0xFE, 0xEF, 0xEE, 0xE6, 0x00})));
    EXPECT_FALSE(CloneFrames::IsEndAck(B({0xFE, 0xEF, 0xEE, 0xE6, 0x01})));
    EXPECT_FALSE(CloneFrames::IsEndAck(B({0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0x00})));
}

TEST(CloneFrames, SplitterRestartsAtFeIgnoresNoiseAndAbandonsOverlongFrames)
{
    CloneFrames::Splitter s;
    const Bytes stream = B({0x11, 0xFE, 0x01, 0xFE, 0xFE, 0xEF, 0xEE, 0xE6, 0x00, 0xFD, 0x22});
    int frames = 0;
    for (uint8_t b : stream) {
        if (s.Put(b) == CloneFrames::Splitter::Got::Frame) {
            ++frames;
            EXPECT_EQ(s.frame(), B({0xFE, 0xEF, 0xEE, 0xE6, 0x00}));
        }
    }
    EXPECT_EQ(frames, 1);
    s.Put(0xFE);
    CloneFrames::Splitter::Got last = CloneFrames::Splitter::Got::Nothing;
    for (int i = 0; i < CloneFrames::kMaxFrame && last == CloneFrames::Splitter::Got::Nothing; ++i)
        last = s.Put(0x30);
    EXPECT_EQ(last, CloneFrames::Splitter::Got::Overlong);
    EXPECT_FALSE(s.open());
}

}  // namespace
