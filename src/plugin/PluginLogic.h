#pragma once
// The help plugin's pure logic: where its menu entry goes, and the bounded
// formatting that all its texts go through.
#include <cstddef>
#include <functional>
#include <string_view>

namespace velmo {

// The command after which the help entry goes.
inline constexpr int kAnchorCommand = 40347;

// Position for the entry in a menu of `count` items, given the command id
// at each position (a negative answer for no item). Searches backward from
// `from` down to position 1 for the anchor and inserts just after it;
// `fallback` when it is not there.
int insertPosition(int from, int fallback, const std::function<int(int)>& commandAt);
// The main popup menu: from the item count (which names no item), else count - 2.
int mainMenuPosition(int count, const std::function<int(int)>& commandAt);
// Menu 5: from the last item, else position 1.
int secondMenuPosition(int count, const std::function<int(int)>& commandAt);

enum class FormatResult { Ok, InvalidArgument, InsufficientBuffer };

// A bounded printf of %s (and %%) into `buffer` of `count` characters; the
// buffer always ends with a terminator when count is valid.
FormatResult formatBounded(char16_t* buffer, std::size_t count, std::u16string_view format,
                           std::u16string_view argument);

}  // namespace velmo
