#include <gtest/gtest.h>

#include <QByteArray>
#include <random>

#include "archive/streamchecksum.h"

namespace {

QByteArray Pattern(qsizetype size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    }
    return bytes;
}

}  // namespace

// The receipt index keeps these values in its files, to tie receipts to the
// expenses whose bytes they name: a checksum that came out otherwise for the
// same bytes would leave every tie of every report without its expense. So
// the values are pinned, whatever way of computing them is found faster,
// and they must not depend on how the stream is cut into pieces.
TEST(StreamChecksum, ValuesStayThoseTheReceiptIndexKeeps) {
    const struct {
        qsizetype size;
        quint64 value;
    } cases[] = {
        {0, 0x3008ae5ae96e27b5ULL},    {1, 0x48fd26ad7e642784ULL},
        {7, 0xf3691c69e08431fbULL},    {8, 0xd7ba26329964c302ULL},
        {31, 0x4dc97c112c253af3ULL},   {32, 0x07139faaa517839aULL},
        {33, 0x347cc4dd0f61c3adULL},   {64, 0x38e218c76203fac0ULL},
        {100, 0x8b3c16447ee8007aULL},  {421, 0xfd5342c702136a24ULL},
        {1000, 0xa2493b7467ea3609ULL}, {70000, 0x379a9b184f143507ULL},
    };
    std::mt19937 random(5);
    for (const auto& c : cases) {
        const QByteArray bytes = Pattern(c.size);
        StreamChecksum whole;
        whole.Add(bytes.constData(), bytes.size());
        EXPECT_EQ(whole.Value(), c.value) << c.size << " bytes: 0x" << std::hex << whole.Value();

        StreamChecksum pieces;
        for (qsizetype at = 0; at < bytes.size();) {
            const qsizetype part = std::min<qsizetype>(random() % 70, bytes.size() - at);
            pieces.Add(bytes.constData() + at, part);
            at += part;
        }
        EXPECT_EQ(pieces.Value(), c.value) << c.size << " bytes in pieces";
    }
}
