#include "player/Version.h"

#include <cstdio>

namespace lingvora {
namespace {

std::uint32_t u32(const Bytes& b, std::size_t at) {
  return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
         std::uint32_t(b[at + 3]) << 24;
}

Text zeroTerminated(const Bytes& value) {
  Text t;
  for (std::size_t i = 0; i + 1 < value.size(); i += 2) {
    const char16_t c = char16_t(value[i] | value[i + 1] << 8);
    if (c == 0) break;
    t += c;
  }
  return t;
}

Text hex4(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%.4X", v & 0xFFFF);
  return fromUtf8(buf);
}

bool isTrimmed(char16_t c) { return c <= u' '; }

// A signed 32-bit number: decimal, or hexadecimal after $ or 0x.
long long versionPart(TextView text) {
  Text t(text);
  bool negative = false;
  std::size_t i = 0;
  if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) negative = t[i++] == u'-';
  int base = 10;
  if (i < t.size() && t[i] == u'$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == u'0' && (t[i + 1] == u'x' || t[i + 1] == u'X')) {
    base = 16;
    i += 2;
  }
  if (i == t.size()) return 0;
  long long v = 0;
  for (; i < t.size(); ++i) {
    const char16_t c = t[i];
    int d = c >= u'0' && c <= u'9'                 ? c - u'0'
            : base == 16 && c >= u'a' && c <= u'f' ? c - u'a' + 10
            : base == 16 && c >= u'A' && c <= u'F' ? c - u'A' + 10
                                                   : -1;
    if (d < 0) return 0;
    v = v * base + d;
    if (v > 0xFFFFFFFFLL) return 0;
  }
  if (negative) v = -v;
  if (base == 10 && (v > 0x7FFFFFFF || v < -0x80000000LL)) return 0;
  // Hexadecimal reads wrap into the signed range, as a 32-bit value does.
  if (base == 16 && v > 0x7FFFFFFF) v -= 0x100000000LL;
  return v;
}

}  // namespace

TEXEVersionData readVersionData(VersionResources& versions, const Text& file) {
  TEXEVersionData d;
  auto block = versions.load(file);
  if (!block) return d;
  auto translation = versions.query(*block, u"\\VarFileInfo\\Translation\\");
  if (!translation || translation->size() < 4) return d;
  const unsigned language = (*translation)[0] | (*translation)[1] << 8;
  const unsigned codePage = (*translation)[2] | (*translation)[3] << 8;
  const Text key = hex4(language) + hex4(codePage);
  struct Field {
    const char16_t* name;
    Text TEXEVersionData::*member;
  };
  const Field fields[] = {{u"CompanyName", &TEXEVersionData::CompanyName},
                          {u"FileDescription", &TEXEVersionData::FileDescription},
                          {u"FileVersion", &TEXEVersionData::FileVersion},
                          {u"InternalName", &TEXEVersionData::InternalName},
                          {u"LegalCopyright", &TEXEVersionData::LegalCopyright},
                          {u"LegalTrademarks", &TEXEVersionData::LegalTrademarks},
                          {u"OriginalFileName", &TEXEVersionData::OriginalFileName},
                          {u"ProductName", &TEXEVersionData::ProductName},
                          {u"ProductVersion", &TEXEVersionData::ProductVersion},
                          {u"Comments", &TEXEVersionData::Comments},
                          {u"PrivateBuild", &TEXEVersionData::PrivateBuild},
                          {u"SpecialBuild", &TEXEVersionData::SpecialBuild}};
  for (const Field& f : fields)
    if (auto value = versions.query(*block, u"\\StringFileInfo\\" + key + u"\\" + f.name))
      d.*f.member = zeroTerminated(*value);
  for (Text* v : {&d.FileVersion, &d.ProductVersion})
    *v = replaceAll(replaceAll(*v, u",", u"."), u" ", u"");
  return d;
}

Text readFileVersion(FileSystem& files, VersionResources& versions, const Text& file) {
  if (!files.fileExists(file)) return {};
  auto block = versions.load(file);
  auto fixed = block ? versions.query(*block, u"\\") : std::nullopt;
  // VS_FIXEDFILEINFO: signature, structure version, then the file version words.
  if (!fixed || fixed->size() < 52 || u32(*fixed, 0) != 0xFEEF04BDu) return {};
  const std::uint32_t ms = u32(*fixed, 8), ls = u32(*fixed, 12);
  return decimal(ms >> 16) + u"." + decimal(ms & 0xFFFF) + u"." + decimal(ls >> 16) + u"." +
         decimal(ls & 0xFFFF);
}

Text compareVersions(TextView a, TextView b) {
  auto normal = [](TextView t) { return replaceAll(replaceAll(t, u",", u"."), u" ", u"."); };
  const Text na = normal(a), nb = normal(b);
  if (na == nb) return u"0";
  for (std::size_t i = 0; i < 4; ++i) {
    const long long pa = versionPart(textPart(u'.', na, i));
    const long long pb = versionPart(textPart(u'.', nb, i));
    if (pa != pb) return pa > pb ? u"1" : u"2";
  }
  return u"1";
}

TTableString splitText(TextView s, char16_t separator) {
  TTableString pieces;
  auto piece = [&](std::size_t from, std::size_t to) {
    std::size_t b = from, e = to;
    while (b < e && isTrimmed(s[b])) ++b;
    while (e > b && isTrimmed(s[e - 1])) --e;
    pieces.emplace_back(s.substr(b, e - b));
  };
  std::size_t start = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == separator) {
      piece(start, i);
      start = i + 1;
    } else if (i + 1 == s.size()) {
      piece(start, i + 1);
    }
  }
  return pieces;
}

Text textPart(char16_t separator, TextView s, std::size_t index) {
  TTableString pieces = splitText(s, separator);
  return index < pieces.size() ? pieces[index] : Text();
}

}  // namespace lingvora
