#pragma once

#include <string>

// A text given as UTF-8 (a command-line argument, standard input) made into
// one screen row as the pages make their rows: Windows-1250, the first 30
// cells, padded left-aligned or centred. What was lost on the way is told,
// so that the caller can say so.
struct TRowText {
    std::string row;          // the 30 bytes sent
    bool invalidUtf8 = false; // some bytes were not UTF-8; each sequence became "?"
    int unmappable = 0;       // characters Windows-1250 cannot hold; each became "?"
    std::size_t cells = 0;    // the text's length in cells before the cut to 30
};

TRowText RowFromUtf8(const std::string& utf8, bool centre);
