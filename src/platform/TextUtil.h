#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Helpers on the program's 8-bit strings (the overlay's code page). Every splitter skips a
// byte that is the second byte of a double-byte character.
namespace txt {

// Code page of the texts: 1252 (no lead bytes) or 932 (lead bytes 81-9F and E0-FC).
void SetCodePage(int codePage);
int CodePage();
bool IsLeadByte(unsigned char c);
// Name for iconv ("CP1252", "CP932").
const char* CodePageName();

// Field n (from 0) of a line split at sep; empty optional when there are fewer fields.
std::optional<std::string> Field(std::string_view line, char sep, int n);
// All fields of a line split at sep.
std::vector<std::string> Split(std::string_view line, char sep);
// Position of the first single-byte c at or after from, or npos.
size_t Find(std::string_view s, char c, size_t from = 0);
// The part of s before the first of the delimiters (all of s when none occurs).
std::string UpTo(std::string_view s, std::string_view delimiters);

std::string SkipSpaces(std::string_view s);                        // leading spaces and tabs
std::string Trim(std::string_view s);                              // spaces and tabs at both ends
std::string RemoveSpaces(std::string_view s);                      // every space and tab
std::string KeepOnly(std::string_view s, std::string_view extra);  // digits and extra

// Value of a hexadecimal digit (either case), -1 for any other character.
int HexDigit(char c);
// A number from text already filtered to digits, "." and "-": a leading "-" makes it
// negative; reading stops at a second "." or any other character. Independent of the
// locale, so a decimal-comma desktop reads the same.
double ReadReal(std::string_view filtered);

// A leading decimal number as the C library reads one: spaces and tabs, an optional sign,
// digits. The magnitude is held at 2147483647, so a huge number never wraps. False (and
// out untouched) when there are no digits.
bool ReadLeadingInt(std::string_view s, int32_t* out);

// Decimal reading: s filtered to digits, "." and "-", cut to 9 characters, read as a number
// and rounded to the nearest integer, halves away from zero. 0 when nothing is readable.
int32_t ReadDecimal(std::string_view s);

// Nibble k of a byte array: byte k / 2, the high nibble for even k.
int GetNibble(const uint8_t* bytes, int k);
void SetNibble(uint8_t* bytes, int k, int value);
// Bit k counted from the most significant bit of the first byte.
bool GetBitMsb(const uint8_t* bytes, int k);
void SetBitMsb(uint8_t* bytes, int k, bool on);

// Hexadecimal text to bytes: non-hexadecimal characters are skipped; an odd last digit
// becomes a high nibble.
std::vector<uint8_t> HexToBytes(std::string_view hex);
// Bytes as "%02X" text.
std::string BytesToHex(const uint8_t* bytes, size_t n);
std::string BytesToHex(const std::vector<uint8_t>& bytes);

// Menu captions: "&" doubled so it shows instead of marking a mnemonic.
std::string DoubleAmpersand(std::string_view s);

// printf into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace txt
