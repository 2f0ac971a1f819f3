#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "device/J_String.h"

namespace {

std::vector<int8_t> bytesOf(const std::string& s) {
    return std::vector<int8_t>(s.begin(), s.end());
}

std::string textOf(const J_String& s) {
    const std::vector<int8_t>& b = s.getBytes();
    return std::string(b.begin(), b.end());
}

// "\x82\xa0" is hiragana a, "\xb1\xb2" two half-width katakana.
const std::string kAThenA =
    "\x82\xa0"
    "a";

}  // namespace

TEST(JStringTest, ZeroPaddedFieldCountsCharactersToTheNulButKeepsEveryByte) {
    std::vector<int8_t> field(15, 0);
    field[0] = 'a';
    field[1] = 'b';
    field[2] = 'c';
    J_String id(field);
    EXPECT_EQ(id.length(), 3);
    EXPECT_EQ(id.byteLength(), 15);
    EXPECT_EQ(id.getBytes().size(), 15u);
    EXPECT_EQ(id.charAt(3), 0);

    J_String s("x");
    s += id;
    EXPECT_EQ(s.byteLength(), 16);
    EXPECT_EQ(s.length(), 4);
}

TEST(JStringTest, LeadAndTrailByteMakeOneCharacter) {
    J_String s(kAThenA.c_str());
    EXPECT_EQ(s.length(), 2);
    EXPECT_EQ(s.charAt(0), 0x82A0);
    EXPECT_EQ(s.charAt(1), 0x61);
    EXPECT_EQ(s.charAt(2), 0);
    EXPECT_EQ(s._toIndex(1), 2);
    EXPECT_EQ(textOf(s.substring(1, 2)), "a");
    EXPECT_EQ(textOf(s.substring(0, 1)), "\x82\xa0");
    EXPECT_EQ(s._isZenC(0), 1);
    EXPECT_EQ(s._isZenC(1), 0);
    EXPECT_EQ(s._isZenB(1), 0);  // the trail byte 0xA0 is no lead byte
}

TEST(JStringTest, HalfWidthKatakanaAreOneByteCharacters) {
    J_String s("\xb1\xb2");
    EXPECT_EQ(s.length(), 2);
    EXPECT_EQ(s.charAt(0), 0xB1);
    EXPECT_EQ(s.charAt(1), 0xB2);
}

TEST(JStringTest, LeadByteTestCoversBothRangesInclusive) {
    struct Case {
        int byte;
        int lead;
    };
    const Case cases[] = {{0x00, 0}, {0x41, 0}, {0x7F, 0}, {0x80, 0}, {0x81, 1},
                          {0x9F, 1}, {0xA0, 0}, {0xA1, 0}, {0xDF, 0}, {0xE0, 1},
                          {0xFC, 1}, {0xFD, 0}, {0xFF, 0}};
    for (const Case& c : cases) {
        int8_t b = static_cast<int8_t>(c.byte);
        EXPECT_EQ(UxL::isZen(b), c.lead) << std::hex << c.byte;
        EXPECT_EQ(J_String::_isZen(b), c.lead) << std::hex << c.byte;
    }
}

TEST(JStringTest, LeadByteInLastPositionIsOneCharacterOfItsOwnValue) {
    J_String s("a\x82");
    EXPECT_EQ(s.length(), 2);
    EXPECT_EQ(s.charAt(1), 0x82);
    EXPECT_EQ(s._toIndex(2), 2);  // clamped to the array
    EXPECT_EQ(textOf(s.substring(1)), "\x82");
    EXPECT_EQ(s.substring(2).byteLength(), 0);
}

TEST(JStringTest, NulStopsCharactersButNotTheByteWalk) {
    std::vector<int8_t> b = {'a', 0, '\x82', '\xa0', 'z'};
    J_String s(b);
    EXPECT_EQ(s.length(), 1);
    EXPECT_EQ(s.charAt(1), 0);
    EXPECT_EQ(s.charAt(2), 0);
    // Offsets walk over the NUL as a one-byte character.
    EXPECT_EQ(s._toIndex(2), 2);
    EXPECT_EQ(s._toIndex(3), 4);
    EXPECT_EQ(s._toIndex(99), 5);
    EXPECT_EQ(textOf(s.substring(2, 3)), "\x82\xa0");
    EXPECT_EQ(s.indexOf("z"), -1);  // beyond the NUL there are no characters
}

TEST(JStringTest, NegativeIndicesStayInsideTheArray) {
    J_String s(kAThenA.c_str());
    EXPECT_EQ(s.charAt(-1), 0);
    EXPECT_EQ(s.charAt(-1000), 0);
    EXPECT_EQ(s._toIndex(-3), 0);
    EXPECT_EQ(s._isZenB(-1), 0);
    EXPECT_EQ(s._isZenB(3), 0);
    EXPECT_EQ(s._isZenC(-2), 1);  // clamps to character 0
    EXPECT_EQ(textOf(s.substring(-5)), kAThenA);
    EXPECT_EQ(textOf(s.substring(-5, 1)), "\x82\xa0");
    EXPECT_EQ(s.substring(-5, -1).byteLength(), 0);
    EXPECT_TRUE(s.startsWith(J_String("\x82\xa0"), -4));
    EXPECT_EQ(s.indexOf("a", -7), 1);
}

TEST(JStringTest, ConstructorsCopyTheRightBytes) {
    std::vector<int8_t> reply = bytesOf("0\nhello");
    EXPECT_EQ(textOf(J_String(reply, 0, 3)), "0\nh");
    EXPECT_EQ(textOf(J_String(reply, 2, 100)), "hello");  // count past the end is cut
    EXPECT_EQ(J_String(reply, 7, 5).byteLength(), 0);
    EXPECT_EQ(J_String(reply, 9, 5).byteLength(), 0);   // offset past the end
    EXPECT_EQ(J_String(reply, 0, -1).byteLength(), 0);  // negative count
    EXPECT_EQ(J_String(reply, -2, 4).byteLength(), 0);  // would start before the array

    int8_t raw[4] = {'a', 0, 'b', 0};
    EXPECT_EQ(J_String(raw, 4).byteLength(), 4);
    EXPECT_EQ(J_String(raw, -1).byteLength(), 0);
    EXPECT_EQ(J_String(static_cast<const char*>(nullptr)).byteLength(), 0);
    EXPECT_EQ(J_String().byteLength(), 0);
    EXPECT_EQ(J_String().length(), 0);

    J_String t;
    t = "abc";
    EXPECT_EQ(textOf(t), "abc");
}

TEST(JStringTest, AppendingNumbersUsesPlainDecimal) {
    struct Case {
        int64_t value;
        bool wide;
        const char* text;
    };
    const Case cases[] = {
        {0, false, "0"},
        {-7, false, "-7"},
        {2147483647, false, "2147483647"},
        {-2147483647 - 1, false, "-2147483648"},
        {0, true, "0"},
        {-1234567890123LL, true, "-1234567890123"},
        {INT64_MAX, true, "9223372036854775807"},
        {INT64_MIN, true, "-9223372036854775808"},
    };
    for (const Case& c : cases) {
        J_String s("x");
        if (c.wide) {
            s += c.value;
        } else {
            s += static_cast<int32_t>(c.value);
        }
        EXPECT_EQ(textOf(s), std::string("x") + c.text);
    }
}

TEST(JStringTest, AppendingCodesAndBytes) {
    J_String s;
    s += static_cast<uint16_t>(0x82A0);
    s += static_cast<uint16_t>(0x41);
    s += static_cast<uint16_t>(0xB1);
    s += '\xff';
    s += '\0';
    s += "tail";
    std::string expected(
        "\x82\xa0"
        "A\xb1\xff",
        5);
    expected += '\0';
    expected += "tail";
    EXPECT_EQ(textOf(s), expected);
    EXPECT_EQ(s.length(), 4);  // the NUL ends the characters
}

TEST(JStringTest, AppendLeavesCopiesAsTheyWere) {
    J_String a("abc");
    J_String b = a;
    a += "def";
    EXPECT_EQ(textOf(a), "abcdef");
    EXPECT_EQ(textOf(b), "abc");

    J_String self("ab");
    self += self;
    EXPECT_EQ(textOf(self), "abab");
}

TEST(JStringTest, IndexOfFindsTheFirstMatchFromAPosition) {
    J_String reply(std::string("0\n12\t5").c_str());
    EXPECT_EQ(reply.indexOf("\t", 2), 4);
    EXPECT_EQ(reply.charAt(0), '0');
    EXPECT_EQ(textOf(reply.substring(2, 4)), "12");
    EXPECT_EQ(textOf(reply.substring(5)), "5");
    EXPECT_EQ(reply.indexOf("x"), -1);
    EXPECT_EQ(reply.indexOf("\t", 5), -1);
    EXPECT_EQ(reply.indexOf("5"), 5);  // a needle ending at the last character is found
    EXPECT_EQ(reply.indexOf("5\t"), -1);

    J_String url("http://host.example/personal/rank.php?");
    int slashes = url.indexOf("//");
    EXPECT_EQ(slashes, 5);
    J_String rest = url.substring(slashes + 2);
    int slash = rest.indexOf("/");
    EXPECT_EQ(textOf(rest.substring(0, slash)), "host.example");
    EXPECT_EQ(textOf(rest.substring(slash)), "/personal/rank.php?");
}

TEST(JStringTest, IndexOfCountsCharactersNotBytes) {
    // A trail byte equal to an ASCII letter must not be matched on its own.
    J_String s(
        "\x82\x61"
        "b"
        "a");
    EXPECT_EQ(s.length(), 3);
    EXPECT_EQ(s.indexOf("a"), 2);
    EXPECT_EQ(s.indexOf(J_String("\x82\x61")), 0);
    EXPECT_TRUE(s.startsWith(J_String("b"), 1));
    EXPECT_TRUE(s.startsWith(J_String("ba"), 1));
    EXPECT_FALSE(s.startsWith(J_String("bab"), 1));  // the prefix runs past the end
}

TEST(JStringTest, SubstringOfReversedRangeIsEmpty) {
    J_String s("abcdef");
    EXPECT_EQ(s.substring(3, 1).byteLength(), 0);
    EXPECT_EQ(s.substring(2, 2).byteLength(), 0);
    EXPECT_EQ(textOf(s.substring(4, 100)), "ef");
    EXPECT_EQ(s.substring(100).byteLength(), 0);
}

TEST(JStringTest, LastIndexOfIsAByteSearch) {
    J_String s("a/b/c\x82/");
    EXPECT_EQ(s.lastIndexOf('/'), 6);  // also inside a two-byte character
    EXPECT_EQ(s.lastIndexOf('b'), 2);
    EXPECT_EQ(s.lastIndexOf('x'), -1);
    EXPECT_EQ(s.lastIndexOf(0x82), 5);
    EXPECT_EQ(s.lastIndexOf('\x82'), 5);
    EXPECT_EQ(J_String().lastIndexOf('a'), -1);
}

TEST(JStringTest, TrimKeepsSurroundingSpaces) {
    J_String s("  id ");
    EXPECT_EQ(textOf(s.trim()), "  id ");
    EXPECT_TRUE(s.trim() == s);
}

TEST(JStringTest, FundDigitsCopiedOneCharacterAtATime) {
    J_String digits;
    digits += static_cast<int64_t>(-4096);
    J_String out;
    for (int i = 0; i < digits.length(); i++)
        out += static_cast<uint16_t>(digits.charAt(i));
    EXPECT_EQ(textOf(out), "-4096");
}

TEST(UxLTest, SwapHighLowReversesBytes) {
    EXPECT_EQ(UxL::swapHighLow(static_cast<uint16_t>(0x1234)), 0x3412);
    EXPECT_EQ(UxL::swapHighLow(static_cast<uint32_t>(0x12345678u)), 0x78563412u);
    EXPECT_EQ(UxL::swapHighLow(static_cast<uint64_t>(0x0102030405060708ull)),
              0x0807060504030201ull);
    EXPECT_EQ(UxL::swapHighLow(static_cast<uint32_t>(0xFFFFFFFEu)), 0xFEFFFFFFu);
}
