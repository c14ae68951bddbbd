#include "PluginLogic.h"

#include <climits>

namespace velmo {

int insertPosition(int from, int fallback, const std::function<int(int)>& commandAt) {
  for (int position = from; position >= 1; --position)
    if (commandAt(position) == kAnchorCommand) return position + 1;
  return fallback;
}

int mainMenuPosition(int count, const std::function<int(int)>& commandAt) {
  return insertPosition(count, count - 2, commandAt);
}

int secondMenuPosition(int count, const std::function<int(int)>& commandAt) {
  return insertPosition(count - 1, 1, commandAt);
}

FormatResult formatBounded(char16_t* buffer, std::size_t count, std::u16string_view format,
                           std::u16string_view argument) {
  if (count == 0 || count > std::size_t(INT_MAX)) return FormatResult::InvalidArgument;
  std::size_t out = 0;
  auto put = [&](char16_t c) {
    if (out + 1 >= count) return false;
    buffer[out++] = c;
    return true;
  };
  bool fits = true;
  for (std::size_t i = 0; i < format.size() && fits; ++i) {
    if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u's') {
      for (char16_t c : argument)
        if (!(fits = put(c))) break;
      ++i;
    } else if (format[i] == u'%' && i + 1 < format.size() && format[i + 1] == u'%') {
      fits = put(u'%');
      ++i;
    } else {
      fits = put(format[i]);
    }
  }
  buffer[out] = u'\0';
  return fits ? FormatResult::Ok : FormatResult::InsufficientBuffer;
}

}  // namespace velmo
