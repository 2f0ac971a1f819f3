#pragma once
// Byte streams over the save file or over memory, and typed big-endian readers and writers
// on top of them. The save file is the one scratchpad, "savedata.bin" in the working
// directory; memory streams carry the bodies of online requests and replies.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "device/J_String.h"

// Reads bytes from a file or from a byte array in memory.
class InputStream {
public:
    std::FILE* m_h = nullptr;                   // file stream handle; null for memory
    std::shared_ptr<std::vector<int8_t>> m_ca;  // memory data, shared with its giver
    int32_t m_iPos = 0;                         // next byte of m_ca to read

    // A memory stream with no data: every read returns 0 bytes.
    InputStream() = default;
    // A file stream that owns the handle; a null handle reads nothing.
    explicit InputStream(std::FILE* h) : m_h(h) {}
    // A memory stream sharing the array (null reads nothing).
    explicit InputStream(std::shared_ptr<std::vector<int8_t>> data) : m_ca(std::move(data)) {}
    // A memory stream over its own copy of the bytes.
    explicit InputStream(const std::vector<int8_t>& data)
        : m_ca(std::make_shared<std::vector<int8_t>>(data)) {}

    InputStream(const InputStream&) = delete;
    InputStream& operator=(const InputStream&) = delete;
    InputStream(InputStream&& o) noexcept;
    InputStream& operator=(InputStream&& o) noexcept;
    // A handle that was never closed is released here rather than leaked.
    virtual ~InputStream();

    // Reads up to b.size() bytes into b from index 0; the bytes past the count keep their values.
    int read(std::vector<int8_t>& b) { return _read(b.data(), static_cast<int>(b.size())); }
    template <size_t N>
    int read(std::array<int8_t, N>& b) {
        return _read(b.data(), static_cast<int>(N));
    }
    // Reads up to len bytes into dest; returns the count read (0 at the end or on failure).
    int _read(int8_t* dest, int len);
    // Plain streams keep their handle; the typed reader closes it.
    void close() {}

protected:
    void release();
};

// Writes bytes to a file or appends them to a byte array in memory.
class OutputStream {
public:
    std::FILE* m_h = nullptr;                   // file stream handle; null for memory
    std::shared_ptr<std::vector<int8_t>> m_ca;  // what a memory stream received; null until then

    // A memory stream that has received nothing yet.
    OutputStream() = default;
    // A file stream that owns the handle; writes to a null handle are dropped.
    explicit OutputStream(std::FILE* h) : m_h(h) {}

    OutputStream(const OutputStream&) = delete;
    OutputStream& operator=(const OutputStream&) = delete;
    OutputStream(OutputStream&& o) noexcept;
    OutputStream& operator=(OutputStream&& o) noexcept;
    virtual ~OutputStream();

    // Writes len bytes of b from off; a range outside b writes nothing.
    void write(const std::vector<int8_t>& b, int off, int len);
    void write(const std::vector<int8_t>& b) { write(b.data(), static_cast<int>(b.size())); }
    template <size_t N>
    void write(const std::array<int8_t, N>& b, int off, int len) {
        if (validRange(static_cast<int>(N), off, len)) write(b.data() + off, len);
    }
    template <size_t N>
    void write(const std::array<int8_t, N>& b) {
        write(b.data(), static_cast<int>(N));
    }
    // Writes the len bytes at b (nothing when len <= 0).
    void write(const int8_t* b, int len);
    // The bytes a memory stream has received so far (empty before the first write).
    std::vector<int8_t> toByteArray() const { return m_ca ? *m_ca : std::vector<int8_t>(); }
    // Plain streams keep their handle; the typed writer closes it.
    void close() {}

protected:
    static bool validRange(int size, int off, int len) {
        return off >= 0 && len >= 0 && off <= size && len <= size - off;
    }
    void release();
};

// Reads big-endian signed integers. Past the end, the missing bytes count as zeros.
class DataInputStream : public InputStream {
public:
    using InputStream::InputStream;
    DataInputStream() = default;
    // Takes over the stream's handle and shares its array, reading from the first byte.
    explicit DataInputStream(InputStream& in);
    explicit DataInputStream(DataInputStream& in)
        : DataInputStream(static_cast<InputStream&>(in)) {}
    DataInputStream(DataInputStream&&) noexcept = default;
    DataInputStream& operator=(DataInputStream&&) noexcept = default;

    int8_t readByte();
    int16_t readShort();
    int32_t readInt();
    int64_t readLong();
    // Releases the file handle (nothing for memory).
    void close() { release(); }

private:
    uint64_t readBigEndian(int n);
};

// Writes big-endian signed integers.
class DataOutputStream : public OutputStream {
public:
    using OutputStream::OutputStream;
    DataOutputStream() = default;
    DataOutputStream(DataOutputStream&&) noexcept = default;
    DataOutputStream& operator=(DataOutputStream&&) noexcept = default;

    void writeShort(int v);  // the low 16 bits
    void writeInt(int32_t v);
    void writeLong(int64_t v);
    // Flushes and releases the file handle (nothing for memory).
    void close() { release(); }

private:
    void writeBigEndian(uint64_t v, int n);
};

// Hands out the save file's streams.
class Connector {
public:
    static constexpr int READ_WRITE = 0;  // access mode the callers pass; nothing reads it

    // A reader of the save file; when it is missing every read returns 0 bytes.
    // Every name means the same one file.
    static DataInputStream openDataInputStream(const J_String& name);
    // A writer that creates the save file or empties the one there.
    static DataOutputStream openDataOutputStream(const J_String& name);

    static constexpr const char* SCRATCHPAD_FILE = "savedata.bin";
};
