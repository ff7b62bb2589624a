// The one text-to-integer conversion of the system, used by the settings file's integer
// reads, the quality validation and the JPEG save. It accepts leading ASCII spaces, one
// optional sign, then decimal digits or a hexadecimal prefix ($, x, X, 0x, 0X) with hex
// digits; nothing may follow the digits. Decimal values must fit a 32-bit signed integer;
// hexadecimal values may use all 32 bits and read as two's complement ($FFFFFFFF is -1).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> ParseInteger(std::string_view text);
