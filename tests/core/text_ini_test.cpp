#include "Pack.h"
#include "ini/IniDocument.h"

namespace lingvora::test {
namespace {

AnsiCodePage latin1() { return fake::FakeSystem().ansiCodePage(); }

Bytes bytesOf(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(Text, UpperKeepsPolishLetters) {
  EXPECT_EQ(S(upper(T("zażółć gęślą jaźń"))), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
  EXPECT_TRUE(equalsNoCase(u"/action=", u"/ACTION="));
  EXPECT_EQ(replaceAllNoCase(u"/AcTion=1/action=", u"/ACTION=", u""), u"1");
  EXPECT_EQ(replaceFirst(u"a.php.php", u".php", u"_en.php"), u"a_en.php.php");
}

TEST(IniDocument, ReadsLikeTheProfileApi) {
  auto doc = IniDocument::parse(bytesOf("top=1\r\n[Sec]\r\n  Key = \" spaced \" \r\nkey=second\r\n"
                                        ";Hidden=1\r\nEmpty=\r\n[SEC]\r\nOther=x\r\n[b]\nc=d"),
                                latin1());
  EXPECT_EQ(doc.find(u"sec", u"KEY"), Text(u" spaced "));  // quotes kept what they enclose
  EXPECT_EQ(doc.find(u"Sec", u"Empty"), Text(u""));
  EXPECT_FALSE(doc.find(u"Sec", u";Hidden"));
  EXPECT_FALSE(doc.find(u"Sec", u"Other"));     // the first of two equal sections wins
  EXPECT_FALSE(doc.find(u"", u"top"));          // lines before any section belong to none
  EXPECT_EQ(doc.readString(u"b", u"c"), u"d");  // LF endings, no final newline
  EXPECT_EQ(doc.readString(u"b", u"missing", u"dflt"), u"dflt");
}

TEST(IniDocument, IntegersAndBooleans) {
  auto doc = IniDocument::parse(bytesOf("[M]\r\nOn=1\r\nOff=0\r\nTwo=2\r\nWord=yes\r\n"), latin1());
  EXPECT_TRUE(doc.readBool(u"M", u"On", false));
  EXPECT_FALSE(doc.readBool(u"M", u"Off", true));
  EXPECT_TRUE(doc.readBool(u"M", u"Two", false));
  EXPECT_TRUE(doc.readBool(u"M", u"Word", true));  // not a number: the default
  EXPECT_TRUE(doc.readBool(u"M", u"Missing", true));
}

struct EncodingCase {
  const char* name;
  Bytes bytes;
  TextEncoding encoding;
};

TEST(IniDocument, ByteOrderMarkSelectsEncodingAndSaveKeepsIt) {
  const Text value = T("Łódź");
  std::vector<EncodingCase> cases = {
      {"utf8",
       {0xEF, 0xBB, 0xBF, '[', 'a', ']', '\n', 'k', '=', 0xC5, 0x81, 0xC3, 0xB3, 'd', 0xC5, 0xBA},
       TextEncoding::Utf8Bom},
      {"utf16le",
       {0xFF, 0xFE, '[', 0,    'a',  0,    ']', 0,   '\n', 0,    'k',
        0,    '=',  0,   0x41, 0x01, 0xF3, 0,   'd', 0,    0x7A, 0x01},
       TextEncoding::Utf16LE},
      {"utf16be",
       {0xFE, 0xFF, 0,   '[',  0,    'a', 0,    ']', 0,   '\n', 0,
        'k',  0,    '=', 0x01, 0x41, 0,   0xF3, 0,   'd', 0x01, 0x7A},
       TextEncoding::Utf16BE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto doc = IniDocument::parse(c.bytes, latin1());
    EXPECT_EQ(doc.encoding(), c.encoding);
    EXPECT_EQ(doc.readString(u"A", u"K"), value);
    doc.write(u"a", u"new", value);
    auto again = IniDocument::parse(doc.serialize(latin1()), latin1());
    EXPECT_EQ(again.encoding(), c.encoding);
    EXPECT_EQ(again.readString(u"a", u"k"), value);
    EXPECT_EQ(again.readString(u"a", u"new"), value);
  }
}

TEST(IniDocument, WriteKeepsTheRestOfTheFile) {
  auto doc =
      IniDocument::parse(bytesOf("; comment\r\n[One]\r\nA=1\r\n\r\n[Two]\r\nB=2\r\n"), latin1());
  doc.write(u"ONE", u"a", u"9");
  doc.write(u"One", u"C", u"3");
  doc.write(u"Three", u"D", u"4");
  const Bytes out = doc.serialize(latin1());
  EXPECT_EQ(std::string(out.begin(), out.end()),
            "; comment\r\n[One]\r\nA=9\r\nC=3\r\n\r\n[Two]\r\nB=2\r\n[Three]\r\nD=4\r\n");
}

TEST(IniDocument, LinesKeepTheirBreaksAndNewOnesFollowTheFile) {
  struct Case {
    const char *before, *after;
  } cases[] = {
      {"[One]\nA=1\n\n[Two]\r\nB=2", "[One]\nA=9\nC=3\n\n[Two]\r\nB=2\n[Three]\nD=4"},
      {"[One]\r\nA=1\rX\n", "[One]\r\nA=9\rX\nC=3\r\n[Three]\r\nD=4\r\n"},
      {"", "[One]\r\nA=9\r\nC=3\r\n[Three]\r\nD=4\r\n"},
  };
  for (const Case& c : cases) {
    auto doc = IniDocument::parse(bytesOf(c.before), latin1());
    doc.write(u"One", u"A", u"9");
    doc.write(u"One", u"C", u"3");
    doc.write(u"Three", u"D", u"4");
    const Bytes out = doc.serialize(latin1());
    EXPECT_EQ(std::string(out.begin(), out.end()), c.after) << c.before;
  }
}

TEST(IniDocument, AValueStaysOnItsLine) {
  auto doc = IniDocument::parse(bytesOf("[INFO]\r\nLegalCopyright=old\r\nNext=1\r\n"), latin1());
  doc.write(u"INFO", u"LegalCopyright", Text(u"(c) 1997\r\nNullsoft\0Inc.\n", 24));
  doc.write(u"INFO", u"ProductName", u"Win\ramp");  // a new key
  const Bytes out = doc.serialize(latin1());
  EXPECT_EQ(std::string(out.begin(), out.end()),
            "[INFO]\r\nLegalCopyright=(c) 1997  Nullsoft Inc. \r\nNext=1\r\n"
            "ProductName=Win amp\r\n");
  EXPECT_EQ(IniDocument::parse(out, latin1()).readString(u"INFO", u"Next"), u"1");
}

TEST(Paths, JoinedWithOneSeparator) {
  struct Case {
    Text dir, name, joined;
  };
  for (const Case& c : {Case{u"C:\\Pack", u"GUI.ini", u"C:\\Pack\\GUI.ini"},
                        Case{u"D:\\Winamp\\", u"winamp.exe", u"D:\\Winamp\\winamp.exe"},
                        Case{u"D:/Winamp/", u"Plugins", u"D:/Winamp/Plugins"},
                        Case{u"C:\\", u"DATA.ini", u"C:\\DATA.ini"}})
    EXPECT_EQ(joinPath(c.dir, c.name), c.joined);
}

TEST(Paths, FullyQualifiedOnesOnly) {
  struct Case {
    Text path;
    bool full;
  };
  for (const Case& c :
       {Case{u"C:\\Pack\\DATA.ini", true}, Case{u"d:/Winamp", true}, Case{u"C:\\", true},
        Case{u"\\\\server\\share\\W", true}, Case{u"\\\\?\\C:\\W", true}, Case{u"", false},
        Case{u"  ", false}, Case{u"DATA.ini", false}, Case{u".\\Winamp", false},
        Case{u"\\Winamp", false}, Case{u"C:Winamp", false}, Case{u"C:", false},
        Case{u"1:\\W", false}}) {
    SCOPED_TRACE(S(c.path));
    EXPECT_EQ(isFullyQualifiedPath(c.path), c.full);
  }
}

TEST(IniDocument, AnsiDocumentWithUnrepresentableTextIsSavedAsUtf16) {
  auto doc = IniDocument::parse(bytesOf("[INFO]\r\nInstallDir=C:\\Winamp\r\n"), latin1());
  doc.write(u"INFO", u"InstallDir", T("C:\\Програми\\Winamp"));
  const Bytes out = doc.serialize(latin1());
  ASSERT_GE(out.size(), 2u);
  EXPECT_EQ(out[0], 0xFF);
  EXPECT_EQ(out[1], 0xFE);
  EXPECT_EQ(IniDocument::parse(out, latin1()).readString(u"INFO", u"InstallDir"),
            T("C:\\Програми\\Winamp"));
  // Representable text stays ANSI.
  doc.write(u"INFO", u"InstallDir", T("C:\\Mój Winamp"));
  EXPECT_EQ(doc.serialize(latin1())[0], '[');
}

}  // namespace
}  // namespace lingvora::test
