#include "device/Stream.h"

#include <algorithm>
#include <cstring>
#include <utility>

InputStream::InputStream(InputStream&& o) noexcept
    : m_h(std::exchange(o.m_h, nullptr)), m_ca(std::move(o.m_ca)), m_iPos(o.m_iPos) {}

InputStream& InputStream::operator=(InputStream&& o) noexcept {
    if (this != &o) {
        release();
        m_h = std::exchange(o.m_h, nullptr);
        m_ca = std::move(o.m_ca);
        m_iPos = o.m_iPos;
    }
    return *this;
}

InputStream::~InputStream() {
    release();
}

void InputStream::release() {
    if (m_h) std::fclose(m_h);
    m_h = nullptr;
}

int InputStream::_read(int8_t* dest, int len) {
    if (!dest || len <= 0) return 0;
    if (m_h) return static_cast<int>(std::fread(dest, 1, static_cast<size_t>(len), m_h));
    if (!m_ca) return 0;
    int size = static_cast<int>(m_ca->size());
    if (m_iPos < 0 || m_iPos >= size) return 0;
    int n = std::min(len, size - m_iPos);
    std::memcpy(dest, m_ca->data() + m_iPos, static_cast<size_t>(n));
    m_iPos += n;
    return n;
}

OutputStream::OutputStream(OutputStream&& o) noexcept
    : m_h(std::exchange(o.m_h, nullptr)), m_ca(std::move(o.m_ca)) {}

OutputStream& OutputStream::operator=(OutputStream&& o) noexcept {
    if (this != &o) {
        release();
        m_h = std::exchange(o.m_h, nullptr);
        m_ca = std::move(o.m_ca);
    }
    return *this;
}

OutputStream::~OutputStream() {
    release();
}

void OutputStream::release() {
    if (m_h) std::fclose(m_h);
    m_h = nullptr;
}

void OutputStream::write(const std::vector<int8_t>& b, int off, int len) {
    if (validRange(static_cast<int>(b.size()), off, len)) write(b.data() + off, len);
}

void OutputStream::write(const int8_t* b, int len) {
    if (!b || len <= 0) return;
    if (m_h) {
        // A failed write is not reported: the next load finds a short file.
        std::fwrite(b, 1, static_cast<size_t>(len), m_h);
        return;
    }
    if (!m_ca) m_ca = std::make_shared<std::vector<int8_t>>();
    m_ca->insert(m_ca->end(), b, b + len);
}

DataInputStream::DataInputStream(InputStream& in) : InputStream(std::exchange(in.m_h, nullptr)) {
    m_ca = in.m_ca;
}

// Reads n bytes with one read and assembles them most significant first; bytes that did not
// arrive are zeros, so a short save still gives a definite value.
uint64_t DataInputStream::readBigEndian(int n) {
    int8_t buf[8] = {};
    _read(buf, n);
    uint64_t v = 0;
    for (int i = 0; i < n; i++)
        v = (v << 8) | static_cast<uint8_t>(buf[i]);
    return v;
}

int8_t DataInputStream::readByte() {
    return static_cast<int8_t>(readBigEndian(1));
}

int16_t DataInputStream::readShort() {
    return static_cast<int16_t>(readBigEndian(2));
}

int32_t DataInputStream::readInt() {
    return static_cast<int32_t>(readBigEndian(4));
}

int64_t DataInputStream::readLong() {
    return static_cast<int64_t>(readBigEndian(8));
}

// Splits the value most significant first and writes its bytes with one write.
void DataOutputStream::writeBigEndian(uint64_t v, int n) {
    int8_t buf[8];
    for (int i = n - 1; i >= 0; i--) {
        buf[i] = static_cast<int8_t>(v & 255);
        v >>= 8;
    }
    write(buf, n);
}

void DataOutputStream::writeShort(int v) {
    writeBigEndian(static_cast<uint16_t>(v), 2);
}

void DataOutputStream::writeInt(int32_t v) {
    writeBigEndian(static_cast<uint32_t>(v), 4);
}

void DataOutputStream::writeLong(int64_t v) {
    writeBigEndian(static_cast<uint64_t>(v), 8);
}

DataInputStream Connector::openDataInputStream(const J_String&) {
    // A missing file leaves a null handle: the stream reads nothing.
    return DataInputStream(std::fopen(SCRATCHPAD_FILE, "rb"));
}

DataOutputStream Connector::openDataOutputStream(const J_String&) {
    // Every save replaces the whole file.
    return DataOutputStream(std::fopen(SCRATCHPAD_FILE, "wb"));
}
