#pragma once
// An INI file held in memory, read with the rules of the Windows profile API
// (the engine reads the same files through that API) and written back whole
// in the encoding it was read with.
#include <functional>
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

 private:
  struct Line {
    Text raw;         // the line as read, used when it is not a key line
    Text key, value;  // a key line (key not empty)
  };
  struct Section {
    Text name;  // empty for the lines before the first header
    bool header = false;
    std::vector<Line> lines;
  };
  const Section* findSection(TextView name) const;
  std::vector<Section> sections_;
  TextEncoding encoding_ = TextEncoding::Ansi;
};

// The text a profile-API reader gets for a value: white space around it and
// one pair of matching quotes removed.
Text profileValue(TextView raw);

}  // namespace lingvora
