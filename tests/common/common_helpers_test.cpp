#include <gtest/gtest.h>

#include "common/Common.h"
#include "common/Sha256.h"
#include "common/Translate.h"

using namespace qxt;

TEST(HexHelpers, ConvertTheDocumentedExamples) {
  EXPECT_EQ(common::HexStrToByteStr("FE FE EE"), (Bytes{0xFE, 0xFE, 0xEE}));
  EXPECT_EQ(common::HexStrToByteStr("FEF"), (Bytes{0xFE}));
  EXPECT_EQ(common::HexStrToByteStr(""), Bytes{});
  EXPECT_EQ(common::ByteStrToHexStr({0x0A, 0xFF}), "0AFF");
  EXPECT_EQ(common::ByteStrToHexStr({}), "");
  EXPECT_EQ(common::AsciiHexToInt({0x37, 0x44, 0x37, 0x30}), 32112);
  EXPECT_EQ(common::AsciiHexToInt({}), 0);
  EXPECT_EQ(common::AsciiHexToInt(common::StrToByteStr("FFFF")), -1);
  EXPECT_EQ(common::ByteToHex2(5), "05");
  EXPECT_EQ(common::ByteToHex2(291), "23");
  EXPECT_EQ(common::ByteToHex2(-1), "FF");
  EXPECT_EQ(common::ByteToAsciiHexStr(0x3A), "3341");
  EXPECT_EQ(common::ByteToAsciiHexStr(128), "3830");
  EXPECT_EQ(common::StrToByteStr("A0"), (Bytes{0x41, 0x30}));
}

TEST(HexHelpers, BadInputGivesDefinedResults) {
  // A pair that is not hex gives its leading hex digit, or 0.
  EXPECT_EQ(common::HexStrToByteStr("1G"), (Bytes{0x01}));
  EXPECT_EQ(common::HexStrToByteStr("G1"), (Bytes{0x00}));
  EXPECT_EQ(common::HexStrToByteStr("   "), Bytes{});
  EXPECT_EQ(common::HexStrToByteStr("fe"), (Bytes{0xFE}));
  // Digits stop at the first non-hex character; longer numbers keep their low 16 bits.
  EXPECT_EQ(common::AsciiHexToInt(common::StrToByteStr("1Z9")), 1);
  EXPECT_EQ(common::AsciiHexToInt(common::StrToByteStr("xyz")), 0);
  EXPECT_EQ(common::AsciiHexToInt(common::StrToByteStr("123456")), 0x3456);
  EXPECT_EQ(common::AsciiHexToInt(Bytes{0xFF, 0x00, 0x31}), 0);
}

TEST(ExpandNewLine, ReplacesMarksInPlace) {
  EXPECT_EQ(common::ExpandNewLine("A\\nB"), "A\r\nB");
  EXPECT_EQ(common::ExpandNewLine("\\"), "\\");
  EXPECT_EQ(common::ExpandNewLine("\\\\n"), "\\\r\n");
  EXPECT_EQ(common::ExpandNewLine(""), "");
}

// The standard test vectors: the empty message, "abc", the two-block message, a million 'a'.
TEST(Sha256, StandardTestVectors) {
  const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
  EXPECT_EQ(common::Sha256Hex({}), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(common::Sha256Hex(text("abc")), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(common::Sha256Hex(text("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(common::Sha256Hex(Bytes(1000000, 'a')), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

// A composed text is translated by its template and its filled-in words, four levels deep; a
// fifth is translated whole, so no nesting recurses without end.
TEST(Translate, ComposedTextsAreTakenApartFourLevelsDeep) {
  common::InstallTranslator([](const char*, const std::string& text) { return "<" + text + ">"; });
  std::string text = "x";
  for (const char* templ : {"a %1", "b %1", "c %1", "d %1", "e %1"}) text = common::Compose(templ, {text});
  EXPECT_EQ(common::Shown(text + "\r\nplain"), "<e <d <c <b <a x>>>>>\r\n<plain>");
  common::InstallTranslator(nullptr);
}
