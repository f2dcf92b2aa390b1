#pragma once
#include <cstdint>
#include <utility>
#include <vector>

#include "rules/indMemMapRow.h"

// Reading and writing the storage that a memory map row describes, and what a save keeps.
class indMemMapStorage {
public:
    // The image address of part p of a row for a record index; -1 when the index has no
    // storage.
    static int32_t Address(const indMemMapRow& row, int p, int32_t index);
    // The byte mask a part covers in the byte at Address + k (k = 0 .. bytes - 1).
    static int PartBytes(const mmPart& part);
    static uint8_t PartMask(const mmPart& part, int k);

    // The bits a row covers for one index, as (address, mask) pairs; a flat array of
    // bytes (a text, digits, a bit array) covers all of its bytes, except that a row editing
    // one bit of a bit array covers that bit only.
    static std::vector<std::pair<int32_t, uint8_t>> Footprint(const indMemMapRow& row,
                                                              int32_t index);

    // Reads and writes the assembled value of a row for an index.
    static int32_t Read(const uint8_t* image, const indMemMapRow& row, int32_t index);
    static void Write(uint8_t* image, const indMemMapRow& row, int32_t index, int32_t value);

    // Whether an image address is kept by a save: the EEPROM header (0000 to 017F) and the
    // working slots that the block map packs.
    static bool SurvivesSave(int32_t address);
    // Whether every byte of a row survives a save.
    static bool RowSurvivesSave(const indMemMapRow& row);
    // The identifiers of rows whose storage a save loses and whose bytes differ between the
    // two images: settings the user changed that a save or clone write would drop.
    static std::vector<int32_t> UnkeptEdits(const uint8_t* saved, const uint8_t* work);
};
