// The pack lint on copies of the example pack, each with one fault.
#include "lint/Lint.h"

#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "Pack.h"

namespace lingvora::test {
namespace {

const char* const kPackFiles[] = {"GUI.ini", "1045.ini", "1033.ini", "languages.ini", "Pixora.dll"};

Bytes readExample(const std::string& name) {
  std::ifstream in(std::string(LINGVORA_EXAMPLE_PACK) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The example pack as built (INI files in UTF-16LE with a byte-order mark),
// with helpers that damage it.
struct PackCopy {
  std::map<std::string, Bytes> files;
  PackCopy() {
    for (const char* name : kPackFiles) files[name] = readExample(name);
  }
  // UTF-16LE with its mark, or one character per byte.
  Text text(const std::string& name) const {
    const Bytes& b = files.at(name);
    if (b.size() < 2 || b[0] != 0xFF || b[1] != 0xFE) return Text(b.begin(), b.end());
    Text t;
    for (std::size_t i = 2; i + 1 < b.size(); i += 2) t.push_back(char16_t(b[i] | b[i + 1] << 8));
    return t;
  }
  void setText(const std::string& name, TextView t) {
    Bytes b{0xFF, 0xFE};
    for (char16_t c : t) b.push_back(std::uint8_t(c)), b.push_back(std::uint8_t(c >> 8));
    files[name] = b;
  }
  void replace(const std::string& name, std::string_view from, std::string_view to) {
    const Text t = text(name);
    ASSERT_NE(t.find(T(from)), Text::npos) << from;
    setText(name, replaceFirst(t, T(from), T(to)));
  }
  void add(const std::string& name, std::string_view lines) {
    setText(name, text(name) + T(lines));
  }
  // One byte per character, as an ANSI editor saves Latin letters.
  void saveAnsi(const std::string& name) {
    Bytes b;
    for (char16_t c : text(name)) b.push_back(c <= 0xFF ? std::uint8_t(c) : std::uint8_t('?'));
    files[name] = b;
  }
  void saveUtf8(const std::string& name, bool bom) {
    const std::string s = (bom ? "\xEF\xBB\xBF" : "") + S(text(name));
    files[name] = Bytes(s.begin(), s.end());
  }
  int lineOf(const std::string& name, std::string_view needle) const {
    const Text t = text(name);
    const auto at = t.find(T(needle));
    return at == Text::npos ? -1 : int(std::count(t.begin(), t.begin() + long(at), u'\n')) + 1;
  }
  std::vector<Finding> lint() const {
    fake::Files fs;
    PackListing listing{u"C:\\Pack", {}};
    for (const auto& [name, bytes] : files) {
      fs.putBytes(u"C:\\Pack\\" + T(name), bytes);
      listing.fileNames.push_back(T(name));
    }
    return lintPack(fs, listing);
  }
};

struct Expected {
  Severity severity;
  std::string file, kind;
  // The line of a finding of that kind: the line of this text in the
  // damaged file, or the file as a whole when empty.
  std::string lineOf = "";
};

void expectFindings(const PackCopy& pack, const std::vector<Expected>& expected) {
  const std::vector<Finding> found = pack.lint();
  using Key = std::tuple<Severity, std::string, std::string>;
  std::set<Key> want, got;
  for (const Expected& e : expected) want.insert({e.severity, e.file, e.kind});
  for (const Finding& f : found) got.insert({f.severity, S(f.file), f.kind});
  EXPECT_EQ(got, want) << findingsText(found);
  for (const Expected& e : expected) {
    if (e.lineOf.empty()) continue;
    const int line = pack.lineOf(e.file, e.lineOf);
    EXPECT_TRUE(std::any_of(found.begin(), found.end(),
                            [&](const Finding& f) {
                              return S(f.file) == e.file && f.kind == e.kind && f.line == line;
                            }))
        << e.kind << " on line " << line << "\n"
        << findingsText(found);
  }
}

TEST(PackLint, NothingInTheExamplePack) {
  const std::vector<Finding> found = PackCopy{}.lint();
  EXPECT_TRUE(found.empty()) << findingsText(found);
}

TEST(PackLint, OneFaultPerDamagedCopy) {
  constexpr auto E = Severity::Error;
  constexpr auto W = Severity::Warning;
  struct Case {
    const char* fault;
    std::function<void(PackCopy&)> damage;
    std::vector<Expected> expected;
  } cases[] = {
      {"a key the wizard reads is missing",
       [](PackCopy& p) { p.replace("1033.ini", "INSTALLER_WELCOME_PAGE_NOTES=", "; "); },
       {{E, "1033.ini", "missing-key", "[INSTALLER_WELCOME_PAGE]"}}},
      {"a key nothing reads",
       [](PackCopy& p) {
         p.replace("1045.ini", "[INSTALLER_WELCOME_PAGE]\r\n",
                   "[INSTALLER_WELCOME_PAGE]\r\nINSTALLER_WELCOME_PAGE_NOTS=x\r\n");
       },
       {{W, "1045.ini", "unknown-key", "INSTALLER_WELCOME_PAGE_NOTS"}}},
      {"an unknown placeholder",
       [](PackCopy& p) {
         p.replace("1045.ini",
                   "INSTALLER_WELCOME_PAGE_TOP=", "INSTALLER_WELCOME_PAGE_TOP=${PROJECT_VERSON} ");
       },
       {{E, "1045.ini", "placeholder", "INSTALLER_WELCOME_PAGE_TOP"}}},
      {"a placeholder without its end",
       [](PackCopy& p) {
         p.replace("1033.ini", "INSTALLER_FINISH_PAGE_NOTES=",
                   "INSTALLER_FINISH_PAGE_NOTES=${PROJECT_VERSION ");
       },
       {{E, "1033.ini", "placeholder", "INSTALLER_FINISH_PAGE_NOTES"}}},
      {"a line break marker with a wrong letter",
       [](PackCopy& p) {
         p.replace("1033.ini",
                   "UNINSTALLER_FINISH_PAGE_NOTES=", "UNINSTALLER_FINISH_PAGE_NOTES=$\\t");
       },
       {{E, "1033.ini", "placeholder", "UNINSTALLER_FINISH_PAGE_NOTES"}}},
      {"a placeholder in a text shown as written",
       [](PackCopy& p) {
         p.replace("1045.ini", "INSTALLER_LICENSE_PAGE_TITLE1=",
                   "INSTALLER_LICENSE_PAGE_TITLE1=${PROJECT_VERSION} ");
       },
       {{E, "1045.ini", "literal-placeholder", "INSTALLER_LICENSE_PAGE_TITLE1"}}},
      {"a placeholder in an additional plugin's licence",
       [](PackCopy& p) {
         p.replace("1033.ini", "LANG_PACK_PLUGIN_AVS_LICENSE=", "LANG_PACK_PLUGIN_AVS_LICENSE=%Y ");
       },
       {{E, "1033.ini", "literal-placeholder", "LANG_PACK_PLUGIN_AVS_LICENSE"}}},
      {"GUI.ini in UTF-8 with a byte-order mark",
       [](PackCopy& p) { p.saveUtf8("GUI.ini", true); },
       {{E, "GUI.ini", "encoding"}}},
      {"a text file in UTF-8 without a byte-order mark",
       [](PackCopy& p) { p.saveUtf8("1033.ini", false); },
       {{E, "1033.ini", "encoding"}}},
      {"a byte that is no character of the ANSI code page",
       [](PackCopy& p) {
         p.replace("GUI.ini", "ProjectName=Lingvora", "ProjectName=Lingvora\u0081");
         p.saveAnsi("GUI.ini");
       },
       {{E, "GUI.ini", "ansi", "ProjectName="}}},
      {"SectionType strings of unequal length",
       [](PackCopy& p) { p.replace("GUI.ini", "SectionType=10", "SectionType=1"); },
       {{E, "GUI.ini", "section-type", "SectionType=1\r"}}},
      {"an Install value other than 0 or 1",
       [](PackCopy& p) { p.replace("GUI.ini", "Install=1", "Install=2"); },
       {{E, "GUI.ini", "install", "Install=2"}}},
      {"a negative PluginSize",
       [](PackCopy& p) { p.replace("GUI.ini", "PluginSize=262144", "PluginSize=-262144"); },
       {{E, "GUI.ini", "plugin-size", "PluginSize=-"}}},
      {"no PluginSize",
       [](PackCopy& p) { p.replace("GUI.ini", "PluginSize=262144", "Plugin=262144"); },
       {{E, "GUI.ini", "plugin-size", "[LANG_PACK_HELP_PLUGIN]"}}},
      {"a component without its localized name",
       [](PackCopy& p) { p.replace("1033.ini", "LANG_PACK_HELP_PLUGIN_NAME=", "; "); },
       {{E, "1033.ini", "component-name", "[LANG_PACK_HELP_PLUGIN]"}}},
      {"a listed language without its text file",
       [](PackCopy& p) { p.add("languages.ini", "[1031]\r\nTitle=Sprachauswahl\r\n"); },
       {{E, "languages.ini", "language-file", "[1031]"}, {W, "languages.ini", "language-flag"}}},
      {"a listed language without its flag",
       [](PackCopy& p) {
         p.add("languages.ini", "[1031]\r\nTitle=Sprachauswahl\r\n");
         p.files["1031.ini"] = p.files["1033.ini"];
       },
       {{W, "languages.ini", "language-flag", "[1031]"}}},
      {"Lang naming a text file the pack lacks",
       [](PackCopy& p) { p.replace("GUI.ini", "Lang=1045", "Lang=1031"); },
       {{E, "GUI.ini", "language-file", "Lang="}}},
      {"no Pixora.dll",
       [](PackCopy& p) { p.files.erase("Pixora.dll"); },
       {{E, "Pixora.dll", "missing-file"}}},
      {"pictures that do not decode",
       [](PackCopy& p) {
         Bytes& dll = p.files["Pixora.dll"];
         const std::string ihdr = "IHDR";
         for (auto at = std::search(dll.begin(), dll.end(), ihdr.begin(), ihdr.end());
              at != dll.end(); at = std::search(at + 1, dll.end(), ihdr.begin(), ihdr.end()))
           at[3] = 'X';
       },
       {{E, "Pixora.dll", "picture"}}},
      {"no GUI.ini",
       [](PackCopy& p) { p.files.erase("GUI.ini"); },
       {{E, "GUI.ini", "missing-file"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    PackCopy pack;
    c.damage(pack);
    expectFindings(pack, c.expected);
  }
}

TEST(PackLint, ReportAsTextAndJson) {
  const std::vector<Finding> findings = {
      {Severity::Error, u"1045.ini", 12, "placeholder", u"TOP: unknown \"${X}\""},
      {Severity::Warning, u"GUI.ini", 0, "unknown-key", u"[A] B\tC"}};
  EXPECT_EQ(findingsText(findings),
            "1045.ini:12: error: TOP: unknown \"${X}\" [placeholder]\n"
            "GUI.ini: warning: [A] B\tC [unknown-key]\n"
            "1 error(s), 1 warning(s)\n");
  EXPECT_EQ(findingsJson(findings),
            "[\n {\"file\": \"1045.ini\", \"line\": 12, \"severity\": \"error\", \"kind\": "
            "\"placeholder\", \"message\": \"TOP: unknown \\\"${X}\\\"\"},\n"
            " {\"file\": \"GUI.ini\", \"line\": 0, \"severity\": \"warning\", \"kind\": "
            "\"unknown-key\", \"message\": \"[A] B\\u0009C\"}\n]\n");
  EXPECT_EQ(findingsJson({}), "[]\n");
  EXPECT_TRUE(hasErrors(findings));
  EXPECT_FALSE(hasErrors({findings[1]}));
}

}  // namespace
}  // namespace lingvora::test
