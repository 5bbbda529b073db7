#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace storico {

// How much of a bad line a message quotes.
constexpr std::size_t QuotedCharacters = 80;

// Bytes read from a user's file as a message can show them on a terminal or in a window: UTF-8 text is
// kept; control characters (an escape code, a NUL), marks that turn text around and bytes that are not
// UTF-8 are written as \xHH or \uHHHH; past `limit` characters the rest becomes "…". The result is always
// valid UTF-8 and holds no control character.
std::string shownText(std::string_view bytes, std::size_t limit = std::numeric_limits<std::size_t>::max());

// The length of the well-formed UTF-8 sequence that starts `bytes`, 0 when none does (a Latin-1 byte, a
// stray continuation byte, an overlong form, a surrogate, an empty text).
std::size_t utf8SequenceLength(std::string_view bytes);

} // namespace storico
