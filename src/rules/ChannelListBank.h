#pragma once
#include <cstdint>

// The bank whose channels the model's channel choice list shows: the codec that opens the
// list records it here, and the list sheet reads it for its row count.
extern int32_t g_ChannelListBank;
