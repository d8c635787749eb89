#include "FeatureFile.h"

#include "BoundedRead.h"
#include "Neon.h"
#include "TextLimits.h"

namespace {

TFeatureFileRead Failure(TTextFact fact, const QString& path = {}) {
    TFeatureFileRead read;
    read.failure = TTextEvent{fact, 0, path};
    return read;
}

} // namespace

TFeatureFileRead ReadFeatureFile(TTextFeature feature, const QString& path) {
    const bool ticker = feature == TTextFeature::Ticker;
    if (path.isEmpty())
        return Failure(ticker ? TTextFact::NoTickerFile : TTextFact::NoPagesFile);
    const TBoundedRead file = ReadTextFile(path, ticker ? TICKER_TEXT_LIMIT : PAGES_FILE_LIMIT);
    if (file.result == TReadResult::Missing)
        return Failure(TTextFact::FileMissing, path);
    if (file.result != TReadResult::Ok)
        return Failure(TTextFact::FileUnreadable, path);
    TFeatureFileRead read;
    read.lines = SplitTextLines(file.bytes);
    if (!ticker)
        return read;
    for (const std::string& line : read.lines)
        read.tickerText.append(line).append("\r\n");
    if (static_cast<qint64>(read.tickerText.size()) > TICKER_TEXT_LIMIT)
        return Failure(TTextFact::FileUnreadable, path);
    return read;
}
