#pragma once
// The tokens of the LDF grammar as a written file must hold them: a value that is no such
// token cannot be written where the grammar wants one. Spaces around a value do not count.

#include <string_view>

// A name: letters, digits and '_', and none of the words the grammar reserves after names
// ("delay", "ms", "kbps", "bits", "configuration").
bool IsLdfName(std::u16string_view text);
// A decimal integer with an optional '-', or a hexadecimal one after "0x".
bool IsLdfInteger(std::u16string_view text);
// A decimal number with an optional '-', fraction and exponent.
bool IsLdfReal(std::u16string_view text);
// A text that can stand between double quotes.
bool IsLdfText(std::u16string_view text);
