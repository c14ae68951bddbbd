#pragma once
// UTF-16 text, the one text type of the program, and the few helpers every
// subsystem needs.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lingvora {

using Text = std::u16string;
using TextView = std::u16string_view;
using Bytes = std::vector<std::uint8_t>;

// Lines of composed texts are joined by line feed then carriage return.
inline constexpr TextView kBreak = u"\n\r";

Text fromUtf8(std::string_view utf8);
std::string toUtf8(TextView text);
// The UTF-8 bytes of the text as %XX, all but the letters, digits, "-._~"
// and the characters of alsoKept; a lone surrogate counts as U+FFFD.
Text percentEncoded(TextView text, TextView alsoKept = {});

// Case folding for matching names and markers: ASCII, Latin-1 and Latin
// Extended-A, which covers the letters of the pack's languages.
char16_t upperChar(char16_t c);
Text upper(TextView text);
bool equalsNoCase(TextView a, TextView b);
std::size_t findNoCase(TextView haystack, TextView needle, std::size_t from = 0);

Text trim(TextView text);
Text replaceAll(TextView text, TextView from, TextView to);
Text replaceAllNoCase(TextView text, TextView from, TextView to);
Text replaceFirst(TextView text, TextView from, TextView to);

Text decimal(long long value);
// Two-digit day and month, as in 05.03.2026.
Text twoDigits(int value);
// Parses a signed decimal integer; returns false when the text is not one.
bool parseInteger(TextView text, long long& value);

// Directory, one backslash, name.
Text joinPath(TextView directory, TextView name);
// The last step of a path: what follows its last backslash or slash.
Text fileName(TextView path);
// A path that names one place whatever the working directory: a drive
// letter with its root, or a network or long-path prefix.
bool isFullyQualifiedPath(TextView path);
// One name inside a folder, never a path: not empty, not "." or "..", and
// without separators, drive colons or control characters.
bool isPlainName(TextView name);

}  // namespace lingvora
