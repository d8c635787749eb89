#pragma once

#include "TextEvent.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

// Whose text file is read: the ticker's or the pages'.
enum class TTextFeature { Ticker, Pages };

// One read of a feature's text file, as both programs re-read it.
struct TFeatureFileRead {
    std::optional<TTextEvent> failure; // why nothing was taken; the periodic read stops
    std::vector<std::string> lines;    // the file's lines (the pages' text)
    std::string tickerText;            // every line followed by CR LF (the ticker's text)
};

// Reads the file named path for feature. An empty name, a missing file, a
// folder or device, a file past the feature's limit (for the ticker: a text
// past its limit once its line breaks are CR LF) and a read error fail with
// the fact to report. The bytes are taken as they are; a line ends at CR LF,
// a lone CR or a lone LF, and a zero byte ends the text.
TFeatureFileRead ReadFeatureFile(TTextFeature feature, const QString& path);
