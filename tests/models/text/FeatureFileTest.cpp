// One read of the ticker's or the pages' text file: its failures as facts,
// its lines, the ticker's CR LF text and the limits.
#include "FeatureFile.h"

#include "TempFolder.h"
#include "TextLimits.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class FeatureFileTest : public ::testing::Test, protected TTempFolder {
protected:
    static TTextFact Failure(TTextFeature feature, const QString& path) {
        const TFeatureFileRead read = ReadFeatureFile(feature, path);
        EXPECT_TRUE(read.failure.has_value()) << path.toStdString();
        EXPECT_EQ(read.failure ? read.failure->path : QString(), path.isEmpty() ? QString() : path);
        return read.failure ? read.failure->fact : TTextFact::Connecting;
    }
};

TEST_F(FeatureFileTest, FailuresAreTheFactsTheLogWords) {
    EXPECT_EQ(Failure(TTextFeature::Ticker, QString()), TTextFact::NoTickerFile);
    EXPECT_EQ(Failure(TTextFeature::Pages, QString()), TTextFact::NoPagesFile);
    EXPECT_EQ(Failure(TTextFeature::Pages, Path("gone.txt")), TTextFact::FileMissing);
    EXPECT_EQ(Failure(TTextFeature::Ticker, dir.path()), TTextFact::FileUnreadable);
    EXPECT_EQ(Failure(TTextFeature::Ticker, QStringLiteral("/dev/zero")), TTextFact::FileUnreadable);
}

TEST_F(FeatureFileTest, TheTickerTakesEveryLineEndedByCrLfThePagesTheLines) {
    const QString two = Write("two.txt", QByteArray("AB\rCD\nE\0F", 9));
    const TFeatureFileRead ticker = ReadFeatureFile(TTextFeature::Ticker, two);
    EXPECT_FALSE(ticker.failure);
    EXPECT_EQ(ticker.tickerText, "AB\r\nCD\r\nE\r\n");
    const TFeatureFileRead pages = ReadFeatureFile(TTextFeature::Pages, two);
    EXPECT_EQ(pages.lines, (std::vector<std::string>{"AB", "CD", "E"}));
}

TEST_F(FeatureFileTest, EachFeatureHasItsLimit) {
    // Line feeds alone fit the ticker's limit, but not once each is CR LF.
    const QString feeds = Write("feeds.txt", QByteArray(TICKER_TEXT_LIMIT * 3 / 4, '\n'));
    EXPECT_EQ(Failure(TTextFeature::Ticker, feeds), TTextFact::FileUnreadable);
    EXPECT_FALSE(ReadFeatureFile(TTextFeature::Pages, feeds).failure);
    QFile large(Path(QStringLiteral("large.txt")));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    ASSERT_TRUE(large.resize(PAGES_FILE_LIMIT + 1));
    large.close();
    EXPECT_EQ(Failure(TTextFeature::Pages, large.fileName()), TTextFact::FileUnreadable);
}

} // namespace
