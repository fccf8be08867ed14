#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "platform/shippeddata.h"

namespace {

struct Chunk {
    QByteArray id;
    QByteArray body;
};

// The chunks of a RIFF WAVE file; empty when the outer header is wrong or a
// chunk runs past the end.
QList<Chunk> WaveChunks(const QByteArray& bytes) {
    if (bytes.size() < 12 || bytes.left(4) != "RIFF" || bytes.mid(8, 4) != "WAVE" ||
        qFromLittleEndian<quint32>(bytes.constData() + 4) != quint32(bytes.size() - 8)) {
        return {};
    }
    QList<Chunk> chunks;
    qsizetype at = 12;
    while (at + 8 <= bytes.size()) {
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        if (size > quint32(bytes.size() - at - 8)) {
            return {};
        }
        chunks.append({bytes.mid(at, 4), bytes.mid(at + 8, size)});
        at += 8 + size + (size & 1);
    }
    return chunks;
}

}  // namespace

TEST(CashRegisterSound, IsAShortMonoPcmWave) {
    QFile file(QString::fromLatin1(kCashRegisterSound));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << kCashRegisterSound;
    const QList<Chunk> chunks = WaveChunks(file.readAll());
    ASSERT_EQ(chunks.size(), 2);
    ASSERT_EQ(chunks[0].id, "fmt ");
    ASSERT_EQ(chunks[1].id, "data");

    const char* format = chunks[0].body.constData();
    ASSERT_GE(chunks[0].body.size(), 16);
    EXPECT_EQ(qFromLittleEndian<quint16>(format + 0), 1) << "PCM";
    EXPECT_EQ(qFromLittleEndian<quint16>(format + 2), 1) << "channels";
    const quint32 rate = qFromLittleEndian<quint32>(format + 4);
    EXPECT_EQ(rate, 22050u);
    EXPECT_EQ(qFromLittleEndian<quint32>(format + 8), rate * 2) << "bytes per second";
    EXPECT_EQ(qFromLittleEndian<quint16>(format + 12), 2) << "block alignment";
    EXPECT_EQ(qFromLittleEndian<quint16>(format + 14), 16) << "bits per sample";

    const QByteArray& data = chunks[1].body;
    ASSERT_EQ(data.size() % 2, 0);
    const qsizetype samples = data.size() / 2;
    const double seconds = double(samples) / rate;
    EXPECT_LT(seconds, 1.0);
    EXPECT_GT(seconds, 0.3);

    // Loud enough to hear, never clipped, and it dies away instead of ending
    // with a click.
    int peak = 0;
    for (qsizetype i = 0; i < samples; ++i) {
        peak = qMax(peak, qAbs(int(qFromLittleEndian<qint16>(data.constData() + 2 * i))));
    }
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32767);
    EXPECT_LT(qAbs(qFromLittleEndian<qint16>(data.constData() + data.size() - 2)), 100);
}
