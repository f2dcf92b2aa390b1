#include "rules/ChannelListBank.h"

int32_t g_ChannelListBank = 0;
