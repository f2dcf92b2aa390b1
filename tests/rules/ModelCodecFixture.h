#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "cells/CodecTestFixture.h"

// Ground for the channel codec tests: an overlay with the tone, bank and scan lists, a
// definition cache over it, a recorder in place of the popup windows, a working image, and
// capsules as a sheet fills them.
class ModelCodecTest : public CodecTest {
protected:
    const char* const* Lines() const override;

    std::vector<uint8_t> m_image = std::vector<uint8_t>(0x1D00, 0);
};
