#include "device/Stream.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Runs each test in a fresh empty directory, since the save file lives in the working
// directory.
class SaveFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("valmore-stream-" + std::to_string(rd()));
        fs::create_directories(dir_);
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    static void writeFile(const std::vector<uint8_t>& bytes) {
        std::ofstream f("savedata.bin", std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    static std::vector<uint8_t> readFile() {
        std::ifstream f("savedata.bin", std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
    }

    fs::path previous_;
    fs::path dir_;
};

}  // namespace

TEST_F(SaveFileTest, TypedValuesAreBigEndianAndReadBack) {
    {
        DataOutputStream dos = Connector::openDataOutputStream("scratchpad:///0");
        dos.writeShort(0x1234);
        dos.writeInt(-2);
        dos.writeLong(1);
        dos.close();
    }
    EXPECT_EQ(readFile(),
              (std::vector<uint8_t>{0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0, 0, 1}));

    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    EXPECT_EQ(dis.readShort(), 4660);
    EXPECT_EQ(dis.readInt(), -2);
    EXPECT_EQ(dis.readLong(), 1);
    dis.close();
}

TEST_F(SaveFileTest, ExtremeValuesSurviveARoundTrip) {
    {
        DataOutputStream dos = Connector::openDataOutputStream("any name at all");
        dos.writeShort(-32768);
        dos.writeShort(32767);
        dos.writeInt(INT32_MIN);
        dos.writeInt(0x01020304);
        dos.writeLong(INT64_MIN);
        dos.writeLong(0x0102030405060708LL);
        std::array<int8_t, 3> block = {-1, 0, 127};
        dos.write(block);
        dos.close();
    }
    EXPECT_EQ(readFile().size(), 2u + 2 + 4 + 4 + 8 + 8 + 3);
    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    EXPECT_EQ(dis.readShort(), -32768);
    EXPECT_EQ(dis.readShort(), 32767);
    EXPECT_EQ(dis.readInt(), INT32_MIN);
    EXPECT_EQ(dis.readInt(), 0x01020304);
    EXPECT_EQ(dis.readLong(), INT64_MIN);
    EXPECT_EQ(dis.readLong(), 0x0102030405060708LL);
    std::array<int8_t, 3> block{};
    EXPECT_EQ(dis.read(block), 3);
    EXPECT_EQ(block, (std::array<int8_t, 3>{-1, 0, 127}));
    EXPECT_EQ(dis.readByte(), 0);  // at the end
    dis.close();
}

TEST_F(SaveFileTest, ReadShortOfHighBitIsNegative) {
    writeFile({0x80, 0x00, 0xFF});
    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    EXPECT_EQ(dis.readShort(), -32768);
    EXPECT_EQ(dis.readByte(), -1);
    dis.close();
}

TEST_F(SaveFileTest, ShortFileFillsOnlyWhatArrived) {
    writeFile({1, 2, 3});
    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    std::vector<int8_t> b = {9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(dis.read(b), 3);
    EXPECT_EQ(b, (std::vector<int8_t>{1, 2, 3, 9, 9, 9, 9}));
    EXPECT_EQ(dis.read(b), 0);
    EXPECT_EQ(b, (std::vector<int8_t>{1, 2, 3, 9, 9, 9, 9}));
    dis.close();
}

TEST_F(SaveFileTest, TypedReadsPastTheEndGiveTheArrivedBytesZeroFilled) {
    writeFile({0x12, 0x34, 0x56});
    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    EXPECT_EQ(dis.readInt(), 0x12345600);
    EXPECT_EQ(dis.readLong(), 0);
    EXPECT_EQ(dis.readShort(), 0);
    dis.close();
}

TEST_F(SaveFileTest, MissingFileReadsNothingAndLeavesDestinationsAlone) {
    ASSERT_FALSE(fs::exists("savedata.bin"));
    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    std::array<int8_t, 4> b = {5, 6, 7, 8};
    EXPECT_EQ(dis.read(b), 0);
    EXPECT_EQ(b, (std::array<int8_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ(dis.readLong(), 0);
    dis.close();
    dis.close();                               // closing twice is harmless
    EXPECT_FALSE(fs::exists("savedata.bin"));  // reading never creates the file
}

TEST_F(SaveFileTest, WriterReplacesALongerFile) {
    writeFile(std::vector<uint8_t>(200000, 0xAB));
    DataOutputStream dos = Connector::openDataOutputStream("scratchpad:///0");
    std::vector<int8_t> header(37, 1);
    dos.write(header);
    dos.close();
    EXPECT_EQ(fs::file_size("savedata.bin"), 37u);
    EXPECT_EQ(readFile(), std::vector<uint8_t>(37, 1));
}

TEST_F(SaveFileTest, WriterReleasesTheFileWithoutAnExplicitClose) {
    {
        DataOutputStream dos = Connector::openDataOutputStream("scratchpad:///0");
        dos.writeInt(7);
    }
    EXPECT_EQ(readFile(), (std::vector<uint8_t>{0, 0, 0, 7}));
}

TEST_F(SaveFileTest, LoaderClosesItsReaderBeforeRewritingTheFile) {
    writeFile({0, 1, 2, 3});
    DataInputStream dis = Connector::openDataInputStream("scratchpad:///0");
    EXPECT_EQ(dis.readShort(), 1);
    dis.close();
    DataOutputStream dos = Connector::openDataOutputStream("scratchpad:///0");
    dos.writeShort(9);
    dos.close();
    EXPECT_EQ(readFile(), (std::vector<uint8_t>{0, 9}));
}

TEST(MemoryStreamTest, OutputCollectsEveryWriteInOrder) {
    DataOutputStream dos;
    EXPECT_EQ(dos.m_ca, nullptr);  // nothing until the first write
    EXPECT_TRUE(dos.toByteArray().empty());
    dos.write(std::vector<int8_t>{1, 2, 3, 4});
    dos.write(std::vector<int8_t>{5, 6, 7});
    EXPECT_EQ(dos.toByteArray(), (std::vector<int8_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(dos.m_ca->size(), 7u);
    dos.writeShort(0x0A0B);
    EXPECT_EQ(dos.toByteArray().size(), 9u);
    EXPECT_EQ(dos.toByteArray()[7], 0x0A);
    dos.close();  // nothing to close for memory
    EXPECT_EQ(dos.toByteArray().size(), 9u);
}

TEST(MemoryStreamTest, WriteWithOffsetTakesTheRangeAndRefusesBadRanges) {
    OutputStream os;
    std::vector<int8_t> b = {10, 11, 12, 13, 14};
    os.write(b, 1, 3);
    EXPECT_EQ(os.toByteArray(), (std::vector<int8_t>{11, 12, 13}));
    os.write(b, 3, 3);   // runs past the end
    os.write(b, -1, 2);  // starts before it
    os.write(b, 2, -1);
    os.write(b, 6, 0);
    EXPECT_EQ(os.toByteArray(), (std::vector<int8_t>{11, 12, 13}));
    std::array<int8_t, 2> a = {20, 21};
    os.write(a, 1, 1);
    os.write(a, 1, 2);
    EXPECT_EQ(os.toByteArray(), (std::vector<int8_t>{11, 12, 13, 21}));
}

TEST(MemoryStreamTest, InputReadsTheBytesItWasGiven) {
    DataOutputStream body;
    body.writeInt(-2);
    body.writeShort(0x1234);
    DataInputStream dis(body.toByteArray());
    EXPECT_EQ(dis.readInt(), -2);
    std::vector<int8_t> b(4, 0);
    EXPECT_EQ(dis.read(b), 2);
    EXPECT_EQ(b, (std::vector<int8_t>{0x12, 0x34, 0, 0}));
    EXPECT_EQ(dis.read(b), 0);
}

TEST(MemoryStreamTest, EmptyStreamsReadNothing) {
    InputStream none;
    std::vector<int8_t> b = {1};
    EXPECT_EQ(none.read(b), 0);
    EXPECT_EQ(b[0], 1);
    DataInputStream empty(std::vector<int8_t>{});
    EXPECT_EQ(empty.read(b), 0);
    EXPECT_EQ(empty.readInt(), 0);
    std::vector<int8_t> zero;
    InputStream some(std::vector<int8_t>{1, 2});
    EXPECT_EQ(some.read(zero), 0);  // a zero-length destination takes nothing
    EXPECT_EQ(some._read(nullptr, 5), 0);
    EXPECT_EQ(some.read(b), 1);
}

TEST(MemoryStreamTest, TypedReaderTakesOverAndStartsAtTheFirstByte) {
    auto reply = std::make_shared<std::vector<int8_t>>(std::vector<int8_t>{'0', '\n', 'a', 'b'});
    DataInputStream first(reply);
    std::vector<int8_t> two(2);
    EXPECT_EQ(first.read(two), 2);
    // A second reader over the same reply starts again at its first byte.
    DataInputStream second(first);
    EXPECT_EQ(second.m_ca, reply);
    std::vector<int8_t> all(8, 0);
    EXPECT_EQ(second.read(all), 4);
    EXPECT_EQ(all[0], '0');
    EXPECT_EQ(all[3], 'b');
    // A plain stream hands its reader the same array.
    InputStream plain(reply);
    DataInputStream typed(plain);
    EXPECT_EQ(typed.readShort(), ('0' << 8) | '\n');
}

TEST(MemoryStreamTest, MovedStreamsKeepTheirPosition) {
    DataInputStream a(std::vector<int8_t>{1, 2, 3});
    EXPECT_EQ(a.readByte(), 1);
    DataInputStream b = std::move(a);
    EXPECT_EQ(b.readByte(), 2);
}
