#pragma once

#include <QtGlobal>

// The most text either feature takes in, whether typed, read from a file or
// given to kr7ctl. Longer ticker texts make the one-line editor unusably slow;
// a page file past its limit is refused rather than read.
constexpr qint64 TICKER_TEXT_LIMIT = 1 << 20;
constexpr qint64 PAGES_FILE_LIMIT = 16 << 20;
