// The bounded reader: whole texts up to the limit, never more than one byte
// past it, files past it refused without reading them.
#include "BoundedRead.h"

#include "TempFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>

namespace {

class BoundedReadTest : public ::testing::Test, protected TTempFolder {};

TEST_F(BoundedReadTest, FilesUpToTheLimitAreReadWholeAndLargerOnesRefused) {
    const QString ten = Write("ten.txt", "0123456789");
    const TBoundedRead read = ReadTextFile(ten, 10);
    EXPECT_EQ(read.result, TReadResult::Ok);
    EXPECT_EQ(read.bytes, "0123456789");
    EXPECT_EQ(ReadTextFile(ten, 9).result, TReadResult::TooLarge);
    EXPECT_EQ(ReadTextInput(ten, 9).result, TReadResult::TooLarge);
    EXPECT_EQ(ReadTextInput(ten, 10).bytes, "0123456789");
    EXPECT_EQ(ReadTextFile(Path("none"), 10).result, TReadResult::Missing);
    EXPECT_EQ(ReadTextInput(Path("none"), 10).result, TReadResult::Missing);
    EXPECT_EQ(ReadTextFile(dir.path(), 10).result, TReadResult::Failed);
    EXPECT_EQ(ReadTextInput(dir.path(), 10).result, TReadResult::Failed);
}

TEST_F(BoundedReadTest, StreamsStopOneBytePastTheLimit) {
    QByteArray bytes(100, 'x');
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    EXPECT_EQ(ReadTextStream(buffer, 40).result, TReadResult::TooLarge);
    EXPECT_EQ(buffer.pos(), 41);
    buffer.seek(0);
    EXPECT_EQ(ReadTextStream(buffer, 100).bytes.size(), 100u);
}

TEST_F(BoundedReadTest, EndlessAndHugeInputsEndAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    // The timed re-reads take regular files only; kr7ctl's inputs read a
    // device up to the limit.
    EXPECT_EQ(ReadTextFile(QStringLiteral("/dev/zero"), 1 << 20).result, TReadResult::Failed);
    EXPECT_EQ(ReadTextInput(QStringLiteral("/dev/zero"), 1 << 20).result, TReadResult::TooLarge);
    QFile sparse(Path(QStringLiteral("sparse")));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
    ASSERT_TRUE(sparse.resize(qint64(1) << 30));
    sparse.close();
    EXPECT_EQ(ReadTextFile(sparse.fileName(), 16 << 20).result, TReadResult::TooLarge);
    EXPECT_EQ(ReadTextInput(sparse.fileName(), 16 << 20).result, TReadResult::TooLarge);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

} // namespace
