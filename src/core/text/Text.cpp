#include "text/Text.h"

namespace lingvora {

Text fromUtf8(std::string_view s) {
  Text out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    auto b = static_cast<unsigned char>(s[i]);
    char32_t cp = 0xFFFD;
    std::size_t len = 1;
    if (b < 0x80) {
      cp = b;
    } else if ((b >> 5) == 6 && i + 1 < s.size()) {
      cp = ((b & 0x1F) << 6) | (s[i + 1] & 0x3F);
      len = 2;
    } else if ((b >> 4) == 14 && i + 2 < s.size()) {
      cp = ((b & 0x0F) << 12) | ((s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
      len = 3;
    } else if ((b >> 3) == 30 && i + 3 < s.size()) {
      cp = ((b & 0x07) << 18) | ((s[i + 1] & 0x3F) << 12) | ((s[i + 2] & 0x3F) << 6) |
           (s[i + 3] & 0x3F);
      len = 4;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i += len;
  }
  return out;
}

std::string toUtf8(TextView t) {
  std::string out;
  out.reserve(t.size());
  for (std::size_t i = 0; i < t.size(); ++i) {
    char32_t cp = t[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < t.size() && t[i + 1] >= 0xDC00 &&
        t[i + 1] < 0xE000) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (t[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

Text percentEncoded(TextView t, TextView alsoKept) {
  Text whole(t);
  for (std::size_t i = 0; i < whole.size(); ++i) {
    const char16_t c = whole[i];
    const bool high = c >= 0xD800 && c < 0xDC00, low = c >= 0xDC00 && c < 0xE000;
    if (high && i + 1 < whole.size() && whole[i + 1] >= 0xDC00 && whole[i + 1] < 0xE000)
      ++i;
    else if (high || low)
      whole[i] = 0xFFFD;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  Text out;
  for (const char byte : toUtf8(whole)) {
    const auto b = static_cast<unsigned char>(byte);
    const bool plain = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') ||
                       b == '-' || b == '.' || b == '_' || b == '~' ||
                       (b < 0x80 && alsoKept.find(char16_t(b)) != TextView::npos);
    if (plain) {
      out.push_back(char16_t(b));
    } else {
      out.push_back(u'%');
      out.push_back(char16_t(kHex[b >> 4]));
      out.push_back(char16_t(kHex[b & 15]));
    }
  }
  return out;
}

char16_t upperChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return c - 32;
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    // Pairs are even/odd except in the two runs that start one place later.
    const bool shifted = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F || c == 0x130 || c == 0x178) return c;
    if (shifted) return (c % 2 == 0) ? c - 1 : c;
    return (c % 2 == 1) ? c - 1 : c;
  }
  return c;
}

Text upper(TextView t) {
  Text out(t);
  for (auto& c : out) c = upperChar(c);
  return out;
}

bool equalsNoCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upperChar(a[i]) != upperChar(b[i])) return false;
  return true;
}

std::size_t findNoCase(TextView h, TextView n, std::size_t from) {
  if (n.empty()) return from <= h.size() ? from : TextView::npos;
  for (std::size_t i = from; i + n.size() <= h.size(); ++i)
    if (equalsNoCase(h.substr(i, n.size()), n)) return i;
  return TextView::npos;
}

static bool isBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

Text trim(TextView t) {
  std::size_t b = 0, e = t.size();
  while (b < e && isBlank(t[b])) ++b;
  while (e > b && isBlank(t[e - 1])) --e;
  return Text(t.substr(b, e - b));
}

template <typename Find>
static Text replaceWith(TextView text, TextView from, TextView to, bool all, Find find) {
  if (from.empty()) return Text(text);
  Text out;
  std::size_t pos = 0;
  for (;;) {
    std::size_t hit = find(text, from, pos);
    if (hit == TextView::npos) break;
    out.append(text.substr(pos, hit - pos)).append(to);
    pos = hit + from.size();
    if (!all) break;
  }
  out.append(text.substr(pos));
  return out;
}

Text replaceAll(TextView text, TextView from, TextView to) {
  return replaceWith(text, from, to, true,
                     [](TextView h, TextView n, std::size_t p) { return h.find(n, p); });
}
Text replaceAllNoCase(TextView text, TextView from, TextView to) {
  return replaceWith(text, from, to, true, findNoCase);
}
Text replaceFirst(TextView text, TextView from, TextView to) {
  return replaceWith(text, from, to, false,
                     [](TextView h, TextView n, std::size_t p) { return h.find(n, p); });
}

Text decimal(long long v) {
  std::string s = std::to_string(v);
  return Text(s.begin(), s.end());
}

Text twoDigits(int v) { return (v >= 0 && v < 10 ? u"0" : u"") + decimal(v); }

bool parseInteger(TextView t, long long& value) {
  Text s = trim(t);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  if (i == s.size()) return false;
  long long v = 0;
  for (; i < s.size(); ++i) {
    if (s[i] < u'0' || s[i] > u'9') return false;
    v = v * 10 + (s[i] - u'0');
    if (v > 0xFFFFFFFFLL) return false;
  }
  value = negative ? -v : v;
  return true;
}

Text fileName(TextView path) {
  const std::size_t slash = path.find_last_of(u"\\/");
  return Text(slash == TextView::npos ? path : path.substr(slash + 1));
}

Text joinPath(TextView dir, TextView name) {
  Text out(dir);
  // A directory written with its trailing separator (common in the
  // registry) keeps it as the one separator.
  if (out.empty() || (out.back() != u'\\' && out.back() != u'/')) out += u'\\';
  out += name;
  return out;
}

bool isFullyQualifiedPath(TextView path) {
  auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
  const bool drive = path.size() >= 3 && path[1] == u':' && separator(path[2]) &&
                     ((path[0] >= u'A' && path[0] <= u'Z') || (path[0] >= u'a' && path[0] <= u'z'));
  // \\server\share, or a long-path prefix \\?\ ...
  const bool network =
      path.size() >= 3 && separator(path[0]) && separator(path[1]) && !separator(path[2]);
  return drive || network;
}

bool isPlainName(TextView name) {
  if (name.empty() || name == u"." || name == u"..") return false;
  for (char16_t c : name)
    if (c == u'\\' || c == u'/' || c == u':' || c < 0x20) return false;
  return true;
}

}  // namespace lingvora
