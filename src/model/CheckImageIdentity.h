#pragma once

class cmcEeprom;

// The answer of the identity check; the numbers are those the callers map to messages.
enum class indIdentity : int {
    Accepted = 0,
    Rejected = 1,
};

// Tells whether an image is one of this radio's. The partial test (opened files) checks the
// model code, the fixed 1 and the flag at 0108; the full test (images read from a radio)
// also checks the maker string, the second model code and the trailer at the end of the
// packed data.
indIdentity CheckImageIdentity(const cmcEeprom& image, bool full);
