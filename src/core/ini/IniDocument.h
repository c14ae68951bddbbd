#pragma once
// An INI file held in memory, read with the rules of the Windows profile API
// (the engine reads the same files through that API) and written back whole
// in the encoding it was read with; lines it does not change keep their
// bytes and their line breaks.
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "text/Text.h"

namespace lingvora {

enum class TextEncoding { Ansi, Utf8Bom, Utf16LE, Utf16BE };

// How the system's ANSI code page turns bytes into text and back; encoding
// returns nothing when some character has no ANSI form.
struct AnsiCodePage {
  std::function<Text(const Bytes&)> decode;
  std::function<std::optional<Bytes>(TextView)> encode;
};

class IniDocument {
 public:
  IniDocument() = default;
  static IniDocument parse(const Bytes& bytes, const AnsiCodePage& ansi);

  // First matching section and, inside it, first matching key win; names are
  // compared without regard to case.
  std::optional<Text> find(TextView section, TextView key) const;
  Text readString(TextView section, TextView key, TextView fallback = u"") const;
  bool readBool(TextView section, TextView key, bool fallback) const;
  long long readInteger(TextView section, TextView key, long long fallback) const;
  bool hasSection(TextView section) const;
  std::vector<Text> sectionNames() const;

  // Line breaks and NULs in the value are written as spaces.
  void write(TextView section, TextView key, TextView value);

  // The whole document in its encoding. A document read as ANSI that now
  // holds text the code page cannot represent is saved as UTF-16LE with a
  // byte-order mark instead, which the profile API reads too.
  Bytes serialize(const AnsiCodePage& ansi) const;
  TextEncoding encoding() const { return encoding_; }
  // False when serialize would have to leave the encoding the document was
  // read with.
  bool keepsEncoding(const AnsiCodePage& ansi) const;

 private:
  struct Line {
    Text raw;         // the line as read, used when it is not a key line
    Text key, value;  // a key line (key not empty)
    Text end;         // its line break as read
  };
  Text text() const;
  struct Section {
    Text name;  // empty for the lines before the first header
    bool header = false;
    std::vector<Line> lines;
  };
  const Section* findSection(TextView name) const;
  void addSection(Section section);
  std::vector<Section> sections_;
  // The first section of each upper-cased name: files with thousands of
  // sections are looked up once per text the pages show.
  std::map<Text, std::size_t> firstSection_;
  TextEncoding encoding_ = TextEncoding::Ansi;
  // Lines the document adds end as its first line did; the last line
  // ends with a break only if the file's did.
  Text lineEnd_ = u"\r\n";
  bool finalBreak_ = true;
};

// The text a profile-API reader gets for a value: white space around it and
// one pair of matching quotes removed.
Text profileValue(TextView raw);

}  // namespace lingvora
