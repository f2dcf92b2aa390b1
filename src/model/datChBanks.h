#pragma once
#include <cstdint>
#include <string>

#include "model/indMemMap.h"

// Banks (groups of memory channels), channel counts and the MDC alias count, on the working
// image (an image shorter than indMemMap::kImageSize reads as all zero and is not written). Memory
// channels are grouped into 8 banks in order; bank b holds the number of channels given by its
// 16-bit size, and channels are numbered from 0 across the banks in bank order.

constexpr int kDatBanks = 8;

// 16-bit size of bank b; 0 for b outside 0 to 7.
int32_t datBankSize(indMemMap::ConstImage image, int32_t b);
// Stores n (limited to 0 to 65535) for b in 0 to 7; returns the new size (0 otherwise).
int32_t datSetBankSize(indMemMap::Image image, int32_t b, int32_t n);
// Sum of the sizes of banks 0 to n - 1.
int32_t datChannelsBefore(indMemMap::ConstImage image, int32_t n);
// channels before (b + 1) - 1, at least 0.
int32_t datLastChannelOfBank(indMemMap::ConstImage image, int32_t b);
int32_t datTotalChannels(indMemMap::ConstImage image);
// The first bank whose channel range contains c; 8 when none does.
int32_t datBankOfChannel(indMemMap::ConstImage image, int32_t c);

// The memory channel record kind that the channel counts use for a model type.
int32_t datCountKind(int32_t modelType);
// Channels of bank b that are in use. Only channels 0 to 15 have storage; a channel number
// beyond them has no record and is never counted as in use.
int32_t datUsedChannelsInBank(indMemMap::ConstImage image, int32_t b, int32_t modelType);
int32_t datUsedChannels(indMemMap::ConstImage image, int32_t modelType);
// Channels 0 to 15 in use (the clone write refuses an image without any).
int32_t datUsedChannels16(indMemMap::ConstImage image, int32_t modelType);

// The bank bitmap bit of bank b (most significant bit first); false outside 0 to 7.
bool datBankFlag(indMemMap::ConstImage image, int32_t b);
void datSetBankFlag(indMemMap::Image image, int32_t b, bool on);
// Bank names are not stored in the image: every bank is "Free".
std::string datBankName(int32_t b);

// The 16-bit count of MDC alias records at the end of the working area.
int32_t datStatusCount(indMemMap::ConstImage image);
// Raise or lower the count by one, staying within 0 to 65535; return the new count.
int32_t datStatusIncrement(indMemMap::Image image);
int32_t datStatusDecrement(indMemMap::Image image);
