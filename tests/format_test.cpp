#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/MainCanvas.h"

namespace {

std::string textOf(const J_String& s) {
    const std::vector<int8_t>& b = s.getBytes();
    return std::string(b.begin(), b.end());
}

}  // namespace

TEST(FormatTest, IntToStringPadsOnTheLeftAndNeverCuts) {
    struct Case {
        int n, p;
        char c;
        const char* want;
    };
    const Case cases[] = {
        {7, 2, '0', "07"},
        {5, 2, ' ', " 5"},
        {1234, 3, ' ', "1234"},
        {-5, 3, ' ', " -5"},
        {-5, 3, '0', "0-5"},  // the pads come before the sign
        {0, 2, '0', "00"},
        {0, 0, ' ', "0"},
        {-12, 1, ' ', "-12"},
        {59, 2, '0', "59"},
        {-2147483647 - 1, 13, ' ', "  -2147483648"},
        {2147483647, 12, ' ', "  2147483647"},
        {3, -4, ' ', "3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf(MainCanvas::IntToString(c.n, c.p, c.c)), c.want) << c.n << " " << c.p;
    }
}

TEST(FormatTest, IntToHexIsUpperCaseAndPadded) {
    struct Case {
        int n, p;
        char c;
        const char* want;
    };
    const Case cases[] = {
        {10, 2, '0', "0A"},       {255, 2, '0', "FF"},
        {0, 2, '0', "00"},        {0x80, 2, '0', "80"},
        {0x1F, 4, ' ', "  1F"},   {0xABC, 2, '0', "ABC"},
        {15, 1, '0', "F"},        {0x7FFFFFFF, 0, '0', "7FFFFFFF"},
        {-1, 2, '0', "FFFFFFFF"},  // a negative number shows its 32-bit pattern
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf(MainCanvas::IntToHex(c.n, c.p, c.c)), c.want) << c.n;
    }
}

TEST(FormatTest, LongToFundStringGroupsThousands) {
    struct Case {
        int64_t n;
        int p;
        const char* want;
    };
    const Case cases[] = {
        {1234567, 0, "1,234,567"},
        {0, 9, "        0"},
        {-1234, 9, "   -1,234"},
        {100000, 14, "       100,000"},
        {999, 0, "999"},
        {1000, 0, "1,000"},
        {-1, 0, "-1"},
        {-100, 4, "-100"},
        {-999999, 0, "-999,999"},
        {99999999999LL, 14, "99,999,999,999"},  // fills the field exactly
        {100000000000LL, 14, "100,000,000,000"},
        // From 10^12 on the padding counts 12 digits while every digit is written.
        {1000000000000LL, 16, " 1,000,000,000,000"},
        {1000000000000LL, 0, "1,000,000,000,000"},
        {INT64_MAX, 0, "9,223,372,036,854,775,807"},
        {INT64_MIN, 0, "-9,223,372,036,854,775,808"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textOf(MainCanvas::LongToFundString(c.n, c.p)), c.want) << c.n << " " << c.p;
    }
}

TEST(FormatTest, FieldsOfZeroPaddedBytes) {
    std::array<int8_t, 15> pass{};
    pass[0] = 'p';
    pass[1] = 'w';
    pass[2] = '\x82';  // a lead byte is one more masked byte
    EXPECT_EQ(MainCanvas::m_strlen(pass.data(), 15), 3);
    EXPECT_EQ(textOf(MainCanvas::toAsterString(pass.data(), 15)), "***");
    EXPECT_EQ(textOf(MainCanvas::toString(pass.data(), 15)), "pw\x82");

    std::array<int8_t, 3> full = {'a', 'b', 'c'};  // no zero byte: the whole field
    EXPECT_EQ(MainCanvas::m_strlen(full.data(), 3), 3);
    EXPECT_EQ(textOf(MainCanvas::toString(full.data(), 3)), "abc");
    EXPECT_EQ(MainCanvas::m_strlen(full.data(), 0), 0);
    EXPECT_EQ(MainCanvas::m_strlen(nullptr, 5), 0);
    EXPECT_EQ(textOf(MainCanvas::toAsterString(nullptr, 5)), "");
}

TEST(FormatTest, SetSByteACutsAndZeroFills) {
    std::array<int8_t, 15> id;
    id.fill(7);
    MainCanvas::setSByteA(id.data(), 15, J_String("abc"));
    EXPECT_EQ(id[0], 'a');
    EXPECT_EQ(id[2], 'c');
    for (int i = 3; i < 15; i++)
        EXPECT_EQ(id[i], 0) << i;

    MainCanvas::setSByteA(id.data(), 15, J_String("0123456789abcdefghij"));
    EXPECT_EQ(id[14], 'e');
    EXPECT_EQ(textOf(MainCanvas::toString(id.data(), 15)), "0123456789abcde");

    MainCanvas::setSByteA(id.data(), 15, J_String());
    for (int8_t b : id)
        EXPECT_EQ(b, 0);
}

TEST(FormatTest, DigitCounts) {
    struct Case {
        int64_t n;
        int keta, hex;
    };
    const Case cases[] = {
        {0, 1, 1},
        {9, 1, 1},
        {10, 2, 1},
        {15, 2, 1},
        {16, 2, 2},
        {-99, 2, 2},
        {255, 3, 2},
        {256, 3, 3},
        {99999999999LL, 11, 8},
        {100000000000LL, 12, 8},
        {1000000000000000LL, 12, 8},
        {(1LL << 28) - 1, 9, 7},
        {1LL << 28, 9, 8},
        {INT64_MIN, 12, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MainCanvas::getKeta(c.n), c.keta) << c.n;
        EXPECT_EQ(MainCanvas::getKetaHex(c.n), c.hex) << c.n;
    }
    EXPECT_EQ(MainCanvas::getKeta(-2147483647 - 1), 10);
}

TEST(FormatTest, SignAbsAndBitCounts) {
    EXPECT_EQ(MainCanvas::abs(5), 5);
    EXPECT_EQ(MainCanvas::abs(-5), 5);
    EXPECT_EQ(MainCanvas::abs(0), 0);
    EXPECT_EQ(MainCanvas::abs(-2147483647 - 1), -2147483647 - 1);  // no positive form
    EXPECT_EQ(MainCanvas::getSign(42), 1);
    EXPECT_EQ(MainCanvas::getSign(-42), -1);
    EXPECT_EQ(MainCanvas::getSign(0), 0);

    EXPECT_EQ(MainCanvas::countBitByte(-120), 2);  // track mask 136 read back as a signed byte
    EXPECT_EQ(MainCanvas::countBitByte(136), 2);
    EXPECT_EQ(MainCanvas::countBitByte(0x1FF), 8);  // bits above 7 do not count
    EXPECT_EQ(MainCanvas::countBitByte(-1), 8);
    EXPECT_EQ(MainCanvas::countBitByte(0), 0);
}

TEST(FormatTest, PowersOfTwo) {
    EXPECT_EQ(MainCanvas::pow_2(0), 1);
    EXPECT_EQ(MainCanvas::pow_2(1), 2);
    EXPECT_EQ(MainCanvas::pow_2(24), 16777216);
    EXPECT_EQ(MainCanvas::pow_2(30), 1 << 30);
    EXPECT_EQ(MainCanvas::pow_2(-1), 1);
    EXPECT_EQ(MainCanvas::pow_2(-100), 1);
    // Past 30 the value wraps as 32-bit arithmetic does, without an out-of-range shift.
    EXPECT_EQ(MainCanvas::pow_2(31), -2147483647 - 1);
    EXPECT_EQ(MainCanvas::pow_2(32), 0);
    EXPECT_EQ(MainCanvas::pow_2(1000), 0);
}

TEST(FormatTest, LandPriceCurve) {
    const int want[] = {256, 279, 304, 332, 362, 394, 430, 469, 512};
    for (int n = 0; n <= 8; n++)
        EXPECT_EQ(MainCanvas::pow_2_8(n), want[n]) << n;
    for (int n : {-1, -7, -8, -9, -128})
        EXPECT_EQ(MainCanvas::pow_2_8(n), 256) << n;
    // Prices are a quarter of the curve.
    const int price[] = {64,  69,  76,  83,  90,  98,  107, 117, 128,
                         139, 152, 166, 181, 197, 215, 234, 256};
    for (int v = 0; v <= 16; v++)
        EXPECT_EQ(MainCanvas::pow_2_8(v) / 4, price[v]) << v;
    EXPECT_EQ(MainCanvas::pow_2_8(32) / 4, 1024);
    EXPECT_EQ(MainCanvas::pow_2_8(64) / 4, 16384);
    EXPECT_EQ(MainCanvas::pow_2_8(96) / 4, 262144);
    EXPECT_EQ(MainCanvas::pow_2_8(127) / 4, 3847293);  // the highest level still fits 32 bits
}

TEST(FormatTest, BytesOfAColour) {
    int c = 0x12AB3C;
    EXPECT_EQ(MainCanvas::getClrR(c), 0x12);
    EXPECT_EQ(MainCanvas::getClrG(c), 0xAB);
    EXPECT_EQ(MainCanvas::getClrB(c), 0x3C);
    EXPECT_EQ(MainCanvas::getByteFromInt(0x7F123456, 2), 0x7F12);  // not masked
    EXPECT_EQ(MainCanvas::getByteFromInt(-1, 0), 255);
    EXPECT_EQ(MainCanvas::getByteFromInt(-1, 1), 255);
    EXPECT_EQ(MainCanvas::getByteFromInt(-1, 5), -1);
}

TEST(FormatTest, SingleBits) {
    EXPECT_EQ(MainCanvas::toUnsigned(-1), 255);
    EXPECT_EQ(MainCanvas::toUnsigned(-128), 128);
    EXPECT_EQ(MainCanvas::toUnsigned(127), 127);
    EXPECT_EQ(MainCanvas::toBitFromByte(0x05, 0), 1);
    EXPECT_EQ(MainCanvas::toBitFromByte(0x05, 1), 0);
    EXPECT_EQ(MainCanvas::toBitFromByte(0x05, 2), 1);
    EXPECT_EQ(MainCanvas::toBitFromByte(-1, 31), 1);
    EXPECT_EQ(MainCanvas::toBitFromByte(-1, 32), 0);
    EXPECT_EQ(MainCanvas::toBitFromByte(-1, -1), 0);
    EXPECT_EQ(MainCanvas::toBitFromSBYTE(-128, 7), 1);
    EXPECT_EQ(MainCanvas::toBitFromSBYTE(-128, 8), 0);  // only the byte's own 8 bits
}

TEST(FormatTest, BitStringsReadAndWriteLeastSignificantFirst) {
    std::array<int8_t, 6> dd{};
    MainCanvas::setABit(dd.data(), 0, 1);
    MainCanvas::setABit(dd.data(), 7, 1);
    MainCanvas::setABit(dd.data(), 47, 1);
    EXPECT_EQ(dd[0], static_cast<int8_t>(0x81));
    EXPECT_EQ(dd[5], static_cast<int8_t>(0x80));
    for (int n = 0; n < 48; n++) {
        int want = (n == 0 || n == 7 || n == 47) ? 1 : 0;
        EXPECT_EQ(MainCanvas::toBitFromASB(dd.data(), n), want) << n;
    }
    MainCanvas::setABit(dd.data(), 7, 0);
    EXPECT_EQ(dd[0], 1);
    MainCanvas::setABit(dd.data(), 0, 1);  // setting a set bit keeps it
    EXPECT_EQ(dd[0], 1);
    MainCanvas::setABit(dd.data(), 1, 2);  // any non-zero sets just that bit
    EXPECT_EQ(dd[0], 3);
    MainCanvas::setABit(dd.data(), -1, 1);  // outside the string: nothing changes
    EXPECT_EQ(MainCanvas::toBitFromASB(dd.data(), -1), 0);
    EXPECT_EQ(dd[0], 3);
}

TEST(FormatTest, UnpackedBitsOnePerByte) {
    std::array<int8_t, 2> packed = {0x05, static_cast<int8_t>(0x80)};
    std::vector<int8_t> bits = MainCanvas::toASBFromABit(packed.data(), 0, 2);
    EXPECT_EQ(bits, (std::vector<int8_t>{1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}));

    // A junction's 48 switch bits start at its slot times 6.
    std::array<int8_t, 12> dd{};
    dd[6] = static_cast<int8_t>(0xFF);
    dd[11] = 0x40;
    std::vector<int8_t> second = MainCanvas::toASBFromABit(dd.data(), 6, 6);
    ASSERT_EQ(second.size(), 48u);
    for (int k = 0; k < 8; k++)
        EXPECT_EQ(second[k], 1);
    EXPECT_EQ(second[46], 1);
    EXPECT_EQ(second[47], 0);

    std::array<int8_t, 10> out;
    out.fill(9);
    MainCanvas::toASBFromBit(out.data(), 1, 0x103);  // only the low 8 bits
    EXPECT_EQ(out, (std::array<int8_t, 10>{9, 1, 1, 0, 0, 0, 0, 0, 0, 9}));

    EXPECT_TRUE(MainCanvas::toASBFromABit(packed.data(), 0, 0).empty());
    EXPECT_TRUE(MainCanvas::toASBFromABit(packed.data(), 0, -3).empty());
    // Bytes before the array read as zeros; the result keeps its size.
    std::vector<int8_t> shifted = MainCanvas::toASBFromABit(packed.data(), -1, 2);
    EXPECT_EQ(shifted, (std::vector<int8_t>{0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0}));
}
