#pragma once

class cmcEeprom;

// Tells whether an image is one of this radio's: 0 when accepted, 1 when not. The partial
// test (opened files) checks the model code, the fixed 1 and the flag at 0108; the full
// test (images read from a radio) also checks the maker string, the second model code and
// the trailer at the end of the packed data.
int CheckImageIdentity(const cmcEeprom& image, bool full);
