// String helpers shared by every screen. Strings are cut at 255 characters.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t kMaxStr = 255;

char LoCase(char ch);
std::string Lower(std::string_view s);
std::string Upper(std::string_view s);
std::string AddSlash(std::string_view s);
std::string StrRep(char ch, uint8_t n);
std::string StrPadR(std::string_view s, uint8_t len, char ch);
std::string StrPadL(std::string_view s, uint8_t len, char ch);
std::string StrPadC(std::string_view s, uint8_t len, char ch);

// head + name + tail padded and cut to width; a name too long to fit loses its
// start to "..." (the end of a path says most).
std::string FitName(const std::string& head, const std::string& name, const std::string& tail,
                    size_t width);

// Visible length: every bar followed by two characters counts as a code.
uint8_t StrMciLen(std::string_view s);
// The raw width that makes s fill len visible columns.
uint8_t StrFMciLen(std::string_view s, uint8_t len);

// Decimal, or with a radix prefix ($ x X 0x 0X hex, & octal, % binary); 0 for
// anything that is not a number or overflows.
int32_t Str2Int(std::string_view s);
std::string Int2Str(int32_t n);
