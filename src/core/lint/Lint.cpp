#include "lint/Lint.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "images/Image.h"
#include "images/Pictures.h"
#include "ini/IniDocument.h"
#include "lint/TextKeys.h"
#include "pe/PeResources.h"

namespace lingvora {
namespace {

// An INI file as lines: which key of which section stands on which line.
// Names are kept as written; lookups ignore case, first match wins, as the
// profile API reads.
struct IniEntry {
  Text section, key, value;
  int line;
};
struct IniLines {
  TextEncoding encoding = TextEncoding::Ansi;
  std::vector<IniEntry> entries;
  std::vector<std::pair<Text, int>> sections;

  const IniEntry* find(TextView section, TextView key) const {
    for (const IniEntry& e : entries)
      if (equalsNoCase(e.section, section) && equalsNoCase(e.key, key)) return &e;
    return nullptr;
  }
  // The line of the section's header; 0 when the file has none.
  int sectionLine(TextView section) const {
    for (const auto& [name, line] : sections)
      if (equalsNoCase(name, section)) return line;
    return 0;
  }
};

// The file's text: only names and markers matter here, all of them ASCII,
// so an ANSI file is read byte for byte whatever its code page.
Text decodeForLint(const Bytes& b, TextEncoding& encoding) {
  auto utf16 = [&](bool bigEndian) {
    Text t;
    for (std::size_t i = 2; i + 1 < b.size(); i += 2)
      t.push_back(bigEndian ? char16_t(b[i] << 8 | b[i + 1]) : char16_t(b[i + 1] << 8 | b[i]));
    return t;
  };
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    encoding = TextEncoding::Utf8Bom;
    return fromUtf8(std::string_view(reinterpret_cast<const char*>(b.data()) + 3, b.size() - 3));
  }
  if (b.size() >= 2 && b[0] == 0xFF && b[1] == 0xFE)
    return encoding = TextEncoding::Utf16LE, utf16(false);
  if (b.size() >= 2 && b[0] == 0xFE && b[1] == 0xFF)
    return encoding = TextEncoding::Utf16BE, utf16(true);
  encoding = TextEncoding::Ansi;
  return Text(b.begin(), b.end());
}

IniLines scanIni(const Bytes& bytes) {
  IniLines ini;
  const Text text = decodeForLint(bytes, ini.encoding);
  Text section;
  int number = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == Text::npos) end = text.size();
    ++number;
    const Text t = trim(TextView(text).substr(start, end - start));
    if (!t.empty() && t.front() == u'[') {
      const auto close = t.find(u']');
      section = trim(TextView(t).substr(1, close == Text::npos ? Text::npos : close - 1));
      ini.sections.push_back({section, number});
    } else if (const auto eq = t.find(u'=');
               !t.empty() && t.front() != u';' && eq != Text::npos && eq > 0) {
      ini.entries.push_back({section, trim(TextView(t).substr(0, eq)),
                             profileValue(TextView(t).substr(eq + 1)), number});
    }
    if (end == text.size()) break;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  return ini;
}

struct Report {
  std::vector<Finding> findings;
  void add(Severity s, const Text& file, int line, const char* kind, const Text& message) {
    findings.push_back({s, file, line, kind, message});
  }
  void error(const Text& file, int line, const char* kind, const Text& message) {
    add(Severity::Error, file, line, kind, message);
  }
  void warning(const Text& file, int line, const char* kind, const Text& message) {
    add(Severity::Warning, file, line, kind, message);
  }
};

// The ANSI code page of the language a file is written in, and the bytes
// that are no character of it; 0 where the lint does not know it.
int codePageOf(TextView languageId) {
  long long id = 0;
  if (!parseInteger(languageId, id)) return 0;
  for (int cz : {1029, 1038, 1045, 1048, 1050, 1051, 1052, 1060})
    if (id == cz) return 1250;
  for (int ru : {1026, 1049, 1058, 1059, 1071, 1087, 1092})
    if (id == ru) return 1251;
  if (id == 1032) return 1253;
  if (id == 1055) return 1254;
  return 1252;
}

bool undefinedIn(int codePage, std::uint8_t b) {
  auto in = [b](std::initializer_list<int> list) {
    return std::find(list.begin(), list.end(), b) != list.end();
  };
  switch (codePage) {
    case 1250:
      return in({0x81, 0x83, 0x88, 0x90, 0x98});
    case 1251:
      return in({0x98});
    case 1252:
      return in({0x81, 0x8D, 0x8F, 0x90, 0x9D});
    case 1253:
      return in({0x81, 0x88, 0x8A, 0x8C, 0x8D, 0x8E, 0x8F, 0x90, 0x98, 0x9A, 0x9C, 0x9D, 0x9E, 0x9F,
                 0xAA, 0xD2, 0xFF});
    case 1254:
      return in({0x81, 0x8D, 0x8E, 0x8F, 0x90, 0x9D, 0x9E});
    default:
      return false;
  }
}

// Bytes above 0x7F that all form UTF-8 sequences: an editor's UTF-8
// without a byte-order mark, which the profile API reads as ANSI.
bool looksLikeUtf8(const Bytes& b) {
  bool multiByte = false;
  for (std::size_t i = 0; i < b.size();) {
    const std::uint8_t c = b[i];
    const int n = c < 0x80             ? 0
                  : (c & 0xE0) == 0xC0 ? 1
                  : (c & 0xF0) == 0xE0 ? 2
                  : (c & 0xF8) == 0xF0 ? 3
                                       : -1;
    if (n < 0 || (n == 1 && c < 0xC2) || i + std::size_t(n) >= b.size() + (n == 0 ? 1 : 0))
      return false;
    for (int k = 1; k <= n; ++k)
      if ((b[i + std::size_t(k)] & 0xC0) != 0x80) return false;
    multiByte = multiByte || n > 0;
    i += std::size_t(n) + 1;
  }
  return multiByte;
}

int lineAt(const Bytes& b, std::size_t offset) {
  int line = 1;
  for (std::size_t i = 0; i < offset; ++i)
    if (b[i] == '\n' || (b[i] == '\r' && (i + 1 >= b.size() || b[i + 1] != '\n'))) ++line;
  return line;
}

void checkEncoding(Report& r, const Text& file, const Bytes& bytes, TextEncoding encoding,
                   int codePage) {
  if (encoding == TextEncoding::Utf8Bom) {
    r.error(file, 0, "encoding",
            u"saved as UTF-8 with a byte-order mark, which the engine cannot read: save it as "
            u"ANSI or UTF-16LE");
    return;
  }
  if (encoding != TextEncoding::Ansi) return;
  if (looksLikeUtf8(bytes)) {
    r.error(file, 0, "encoding",
            u"saved as UTF-8 without a byte-order mark, which the engine reads as ANSI: save it "
            u"as ANSI or UTF-16LE");
    return;
  }
  for (std::size_t i = 0; i < bytes.size(); ++i)
    if (undefinedIn(codePage, bytes[i])) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "0x%02X", bytes[i]);
      r.error(file, lineAt(bytes, i), "ansi",
              u"byte " + fromUtf8(hex) + u" is no character of the ANSI code page " +
                  decimal(codePage) + u": save the file as UTF-16LE");
    }
}

constexpr std::array<TextView, 6> kPlaceholders = {u"${WINAMP_VERSION}",    u"${CURRENT_VERSION}",
                                                   u"${PROJECT_VERSION}",   u"${PROJECT_AUTHOR}",
                                                   u"${PROJECT_COPYRIGHT}", u"${PROJECT_LICENSE}"};

void checkPlaceholders(Report& r, const Text& file, const IniEntry& e, TextUse use) {
  const TextView v = e.value;
  if (use == TextUse::AsRead) {
    for (TextView marker : {u"${", u"%Y", u"$\\r", u"$\\n"})
      if (v.find(marker) != TextView::npos) {
        r.error(file, e.line, "literal-placeholder",
                e.key + u" is shown as written: " + Text(marker) + u" would appear as it is");
        return;
      }
    return;
  }
  for (std::size_t i = 0; i + 1 < v.size(); ++i) {
    if (v[i] != u'$') continue;
    if (v[i + 1] == u'{') {
      const auto close = v.find(u'}', i);
      if (close == TextView::npos) {
        r.error(file, e.line, "placeholder", e.key + u": \"${\" without its closing \"}\"");
        return;
      }
      const TextView marker = v.substr(i, close + 1 - i);
      if (std::find(kPlaceholders.begin(), kPlaceholders.end(), marker) == kPlaceholders.end())
        r.error(file, e.line, "placeholder",
                e.key + u": unknown placeholder " + Text(marker) + u" would appear as it is");
      i = close;
    } else if (v[i + 1] == u'\\' && (i + 2 >= v.size() || (v[i + 2] != u'r' && v[i + 2] != u'n'))) {
      r.error(file, e.line, "placeholder",
              e.key + u": \"" + Text(v.substr(i, 3)) + u"\" is no line break: write $\\r or $\\n");
    }
  }
}

bool isTextFileName(TextView name) {
  if (name.size() < 5 || !equalsNoCase(name.substr(name.size() - 4), u".ini")) return false;
  return std::all_of(name.begin(), name.end() - 4,
                     [](char16_t c) { return c >= u'0' && c <= u'9'; });
}

struct Pack {
  FileSystem& files;
  const PackListing& listing;
  Report report;

  std::optional<Bytes> read(TextView name) {
    return files.readWhole(joinPath(listing.directory, name));
  }
  bool listed(TextView name) const {
    return std::any_of(listing.fileNames.begin(), listing.fileNames.end(),
                       [&](const Text& n) { return equalsNoCase(n, name); });
  }
};

// Component sections of GUI.ini, each once, in file order.
std::vector<Text> componentsOf(const IniLines& gui) {
  std::vector<Text> out;
  for (const auto& [name, line] : gui.sections)
    if (isComponentSection(name) &&
        std::none_of(out.begin(), out.end(), [&](const Text& c) { return equalsNoCase(c, name); }))
      out.push_back(upper(name));
  return out;
}

void checkComponents(Pack& p, const IniLines& gui, const std::vector<Text>& components) {
  const Text file = u"GUI.ini";
  const IniEntry* firstType = nullptr;
  for (const Text& c : components) {
    if (const IniEntry* type = gui.find(c, u"SectionType")) {
      if (!firstType)
        firstType = type;
      else if (type->value.size() != firstType->value.size())
        p.report.error(file, type->line, "section-type",
                       c + u": SectionType \"" + type->value + u"\" has " +
                           decimal(long(type->value.size())) + u" characters, " +
                           firstType->section + u"'s \"" + firstType->value + u"\" " +
                           decimal(long(firstType->value.size())));
    }
    if (const IniEntry* install = gui.find(c, u"Install");
        install && install->value != u"0" && install->value != u"1")
      p.report.error(file, install->line, "install",
                     c + u": Install is \"" + install->value + u"\", not 0 or 1");
    const IniEntry* size = gui.find(c, u"PluginSize");
    long long bytes = 0;
    if (!size)
      p.report.error(file, gui.sectionLine(c), "plugin-size", c + u": no PluginSize");
    else if (!parseInteger(size->value, bytes) || bytes < 0)
      p.report.error(file, size->line, "plugin-size",
                     c + u": PluginSize \"" + size->value + u"\" is no byte count");
  }
}

void checkTextFile(Pack& p, const Text& name, const IniLines& gui,
                   const std::vector<Text>& components) {
  const auto bytes = p.read(name);
  if (!bytes) return p.report.error(name, 0, "missing-file", u"cannot be read");
  const IniLines ini = scanIni(*bytes);
  checkEncoding(p.report, name, *bytes, ini.encoding, codePageOf(name.substr(0, name.size() - 4)));

  for (const IniEntry& e : ini.entries) {
    const auto use = textKeyUse(e.section, e.key, components);
    if (!use)
      p.report.warning(name, e.line, "unknown-key",
                       u"[" + e.section + u"] " + e.key + u" is read by no page (a typo?)");
    else
      checkPlaceholders(p.report, name, e, *use);
  }
  auto missing = [&](TextView section, TextView key) {
    if (!ini.find(section, key))
      p.report.error(
          name, ini.sectionLine(section), "missing-key",
          u"no [" + Text(section) + u"] " + Text(key) + u": the wizard shows empty text");
  };
  for (const TextKey& k : fixedTextKeys()) missing(k.section, k.key);
  const bool anyPlugin = std::any_of(components.begin(), components.end(), [](const Text& c) {
    return c.find(u"LANG_PACK_PLUGIN_") != Text::npos;
  });
  for (const ComponentKey& k : componentKeys()) {
    if (k.suffix == u"_NAME") continue;  // below, for every section the tree may show
    for (const Text& c : components) missing(c, c + Text(k.suffix));
    if (anyPlugin && k.inGroup)
      missing(kOtherPluginsSection, Text(kOtherPluginsSection) + Text(k.suffix));
  }
  if (anyPlugin) missing(kOtherPluginsSection, Text(kOtherPluginsSection) + u"_NAME");
  for (const auto& [section, line] : gui.sections)
    if (const IniEntry* choice = gui.find(section, u"PluginChoice");
        choice && choice->section == section && !ini.find(section, section + u"_NAME"))
      p.report.error(name, ini.sectionLine(section), "component-name",
                     u"no [" + section + u"] " + section +
                         u"_NAME for the component of GUI.ini "
                         u"line " +
                         decimal(line));
}

void checkLanguageList(Pack& p, const std::optional<Bytes>& library) {
  const Text name = u"languages.ini";
  const auto bytes = p.read(name);
  if (!bytes) return;
  const IniLines list = scanIni(*bytes);
  const auto keys = languageListKeys();
  for (const IniEntry& e : list.entries)
    if (std::none_of(keys.begin(), keys.end(), [&](TextView k) { return equalsNoCase(k, e.key); }))
      p.report.warning(name, e.line, "unknown-key",
                       u"[" + e.section + u"] " + e.key + u" is read by no page (a typo?)");
  for (const auto& [section, line] : list.sections) {
    long long id = 0;
    if (!list.find(section, u"Title") || !parseInteger(section, id) || id < 2 || id > 0xFFFF)
      continue;
    const Text text = decimal(id) + u".ini";
    if (!p.listed(text))
      p.report.error(name, line, "language-file",
                     u"language " + decimal(id) + u" has no text file " + text);
    if (!library) continue;
    for (const char16_t* bucket : kDensityBuckets) {
      const Text flag = pictureName::flag(decimal(id), bucket);
      if (!findPeResource(*library, ResourceId::of(kResourceRcData), ResourceId::of(flag)))
        p.report.warning(name, line, "language-flag",
                         u"language " + decimal(id) + u" has no flag " + flag + u" in Pixora.dll");
    }
  }
}

void checkLibrary(Pack& p, const std::optional<Bytes>& library, TextView mode) {
  const Text name = u"Pixora.dll";
  if (!library) return p.report.error(name, 0, "missing-file", u"the pack has no Pixora.dll");
  // Present but not decoding is broken; absent is missing.
  auto report = [&](const Text& picture, bool present) {
    p.report.error(name, 0, "picture", (present ? u"broken " : u"missing ") + picture);
  };
  for (const Text& picture : allPictureNames(mode, {})) {
    auto data = findPeResource(*library, ResourceId::of(kResourceRcData), ResourceId::of(picture));
    if (!data || !decodePng(*data)) report(picture, data.has_value());
  }
  for (const Text& bitmap : allBitmapNames()) {
    auto data = findPeResource(*library, ResourceId::of(kResourceBitmap), ResourceId::of(bitmap));
    if (!data || !decodeBitmapResource(*data)) report(bitmap, data.has_value());
  }
}

}  // namespace

std::vector<Finding> lintPack(FileSystem& files, const PackListing& listing) {
  Pack p{files, listing, {}};
  const auto guiBytes = p.read(u"GUI.ini");
  if (!guiBytes) {
    p.report.error(u"GUI.ini", 0, "missing-file", u"the pack has no GUI.ini");
    return p.report.findings;
  }
  const IniLines gui = scanIni(*guiBytes);
  const IniEntry* lang = gui.find(u"LANG", u"Lang");
  const Text languageId = lang ? lang->value : Text(u"1045");
  checkEncoding(p.report, u"GUI.ini", *guiBytes, gui.encoding, codePageOf(languageId));
  const std::vector<Text> components = componentsOf(gui);
  checkComponents(p, gui, components);

  if (!p.listed(languageId + u".ini"))
    p.report.error(u"GUI.ini", lang ? lang->line : 0, "language-file",
                   u"Lang names " + languageId + u".ini, which the pack lacks");
  for (const Text& name : listing.fileNames)
    if (isTextFileName(name)) checkTextFile(p, name, gui, components);

  const auto library = p.read(u"Pixora.dll");
  checkLanguageList(p, library);
  const IniEntry* mode = gui.find(u"NAME", u"MODE");
  checkLibrary(p, library, mode ? TextView(mode->value) : TextView(u"WINAMP"));
  return p.report.findings;
}

bool hasErrors(const std::vector<Finding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const Finding& f) { return f.severity == Severity::Error; });
}

std::string findingsText(const std::vector<Finding>& findings) {
  std::string out;
  int errors = 0;
  for (const Finding& f : findings) {
    out += toUtf8(f.file);
    if (f.line > 0) out += ":" + std::to_string(f.line);
    out += f.severity == Severity::Error ? ": error: " : ": warning: ";
    out += toUtf8(f.message) + " [" + f.kind + "]\n";
    errors += f.severity == Severity::Error;
  }
  out += std::to_string(errors) + " error(s), " + std::to_string(findings.size() - errors) +
         " warning(s)\n";
  return out;
}

namespace {
std::string jsonString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", c);
      out += esc;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}
}  // namespace

std::string findingsJson(const std::vector<Finding>& findings) {
  std::string out = "[";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    out += i ? ",\n " : "\n ";
    out += "{\"file\": " + jsonString(toUtf8(f.file)) + ", \"line\": " + std::to_string(f.line) +
           ", \"severity\": " + (f.severity == Severity::Error ? "\"error\"" : "\"warning\"") +
           ", \"kind\": " + jsonString(f.kind) + ", \"message\": " + jsonString(toUtf8(f.message)) +
           "}";
  }
  return out + (findings.empty() ? "]\n" : "\n]\n");
}

}  // namespace lingvora
