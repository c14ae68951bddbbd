#include "ini/IniDocument.h"

namespace lingvora {
namespace {

Text decode(const Bytes& b, const AnsiCodePage& ansi, TextEncoding& enc) {
  auto utf16 = [&](std::size_t from, bool bigEndian) {
    Text t;
    t.reserve((b.size() - from) / 2);
    for (std::size_t i = from; i + 1 < b.size(); i += 2)
      t.push_back(bigEndian ? char16_t(b[i] << 8 | b[i + 1]) : char16_t(b[i + 1] << 8 | b[i]));
    return t;
  };
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    enc = TextEncoding::Utf8Bom;
    return fromUtf8(std::string_view(reinterpret_cast<const char*>(b.data()) + 3, b.size() - 3));
  }
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
    enc = TextEncoding::Utf16LE;
    return utf16(2, false);
  }
  if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
    enc = TextEncoding::Utf16BE;
    return utf16(2, true);
  }
  enc = TextEncoding::Ansi;
  return ansi.decode ? ansi.decode(b) : Text(b.begin(), b.end());
}

struct RawLine {
  Text text, end;
};

std::vector<RawLine> splitLines(TextView t) {
  std::vector<RawLine> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] == u'\r' || t[i] == u'\n') {
      const std::size_t breakAt = i;
      if (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') ++i;
      lines.push_back(
          {Text(t.substr(start, breakAt - start)), Text(t.substr(breakAt, i + 1 - breakAt))});
      start = i + 1;
    }
  }
  if (start < t.size()) lines.push_back({Text(t.substr(start)), {}});
  return lines;
}

void appendUtf16(Bytes& out, TextView t, bool bigEndian) {
  for (char16_t c : t) {
    auto hi = std::uint8_t(c >> 8), lo = std::uint8_t(c & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  }
}

}  // namespace

Text profileValue(TextView raw) {
  Text v = trim(raw);
  if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v;
}

IniDocument IniDocument::parse(const Bytes& bytes, const AnsiCodePage& ansi) {
  IniDocument doc;
  Text text = decode(bytes, ansi, doc.encoding_);
  doc.sections_.push_back({});
  std::vector<RawLine> lines = splitLines(text);
  if (!lines.empty()) {
    if (!lines.front().end.empty()) doc.lineEnd_ = lines.front().end;
    doc.finalBreak_ = !lines.back().end.empty();
  }
  for (auto& [raw, end] : lines) {
    Text t = trim(raw);
    if (!t.empty() && t.front() == u'[') {
      auto close = t.find(u']');
      Section s;
      s.name = trim(TextView(t).substr(1, close == Text::npos ? Text::npos : close - 1));
      s.header = true;
      s.lines.push_back({std::move(raw), {}, {}, end.empty() ? doc.lineEnd_ : end});
      doc.addSection(std::move(s));
      continue;
    }
    Line line{std::move(raw), {}, {}, end.empty() ? doc.lineEnd_ : end};
    auto eq = t.find(u'=');
    if (!t.empty() && t.front() != u';' && eq != Text::npos && eq > 0) {
      line.key = trim(TextView(t).substr(0, eq));
      line.value = profileValue(TextView(t).substr(eq + 1));
    }
    doc.sections_.back().lines.push_back(std::move(line));
  }
  return doc;
}

void IniDocument::addSection(Section section) {
  firstSection_.emplace(upper(section.name), sections_.size());
  sections_.push_back(std::move(section));
}

const IniDocument::Section* IniDocument::findSection(TextView name) const {
  auto it = firstSection_.find(upper(name));
  return it == firstSection_.end() ? nullptr : &sections_[it->second];
}

std::optional<Text> IniDocument::find(TextView section, TextView key) const {
  if (const Section* s = findSection(section))
    for (const auto& l : s->lines)
      if (!l.key.empty() && equalsNoCase(l.key, key)) return l.value;
  return std::nullopt;
}

Text IniDocument::readString(TextView section, TextView key, TextView fallback) const {
  auto v = find(section, key);
  return v ? *v : Text(fallback);
}

long long IniDocument::readInteger(TextView section, TextView key, long long fallback) const {
  long long v = 0;
  auto s = find(section, key);
  return s && parseInteger(*s, v) ? v : fallback;
}

bool IniDocument::readBool(TextView section, TextView key, bool fallback) const {
  return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniDocument::hasSection(TextView section) const { return findSection(section) != nullptr; }

std::vector<Text> IniDocument::sectionNames() const {
  std::vector<Text> names;
  for (const auto& s : sections_)
    if (s.header) names.push_back(s.name);
  return names;
}

void IniDocument::write(TextView section, TextView key, TextView rawValue) {
  // A value is one line: a line break or NUL inside it (a version
  // resource's copyright can hold one) would break the file for its reader.
  Text value(rawValue);
  for (char16_t& c : value)
    if (c == u'\r' || c == u'\n' || c == u'\0') c = u' ';
  auto* s = const_cast<Section*>(findSection(section));
  if (!s) {
    if (sections_.empty()) sections_.push_back({});
    Section fresh;
    fresh.name = Text(section);
    fresh.header = true;
    Text header(u"[");
    header.append(section).append(u"]");
    fresh.lines.push_back({std::move(header), {}, {}, lineEnd_});
    addSection(std::move(fresh));
    s = &sections_.back();
  }
  for (auto& l : s->lines) {
    if (!l.key.empty() && equalsNoCase(l.key, key)) {
      l.value = value;
      l.raw = l.key + u"=" + l.value;
      return;
    }
  }
  // New keys go after the section's last non-blank line.
  auto at = s->lines.end();
  while (at != s->lines.begin() && trim(std::prev(at)->raw).empty()) --at;
  Line line{Text(key) + u"=" + value, Text(key), value, lineEnd_};
  s->lines.insert(at, std::move(line));
}

Text IniDocument::text() const {
  Text text;
  for (const auto& s : sections_)
    for (const auto& l : s.lines) text.append(l.raw).append(l.end);
  // The last line, whichever it is now, ends as the file's last line did.
  if (!finalBreak_) {
    for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
      if (s->lines.empty()) continue;
      text.resize(text.size() - s->lines.back().end.size());
      break;
    }
  }
  return text;
}

bool IniDocument::keepsEncoding(const AnsiCodePage& ansi) const {
  return encoding_ != TextEncoding::Ansi || (ansi.encode && ansi.encode(text()));
}

Bytes IniDocument::serialize(const AnsiCodePage& ansi) const {
  const Text text = this->text();
  Bytes out;
  switch (encoding_) {
    case TextEncoding::Ansi:
      if (auto b = ansi.encode ? ansi.encode(text) : std::nullopt) return *b;
      out = {0xFF, 0xFE};
      appendUtf16(out, text, false);
      return out;
    case TextEncoding::Utf8Bom: {
      out = {0xEF, 0xBB, 0xBF};
      std::string u = toUtf8(text);
      out.insert(out.end(), u.begin(), u.end());
      return out;
    }
    case TextEncoding::Utf16LE:
      out = {0xFF, 0xFE};
      appendUtf16(out, text, false);
      return out;
    case TextEncoding::Utf16BE:
      out = {0xFE, 0xFF};
      appendUtf16(out, text, true);
      return out;
  }
  return out;
}

}  // namespace lingvora
