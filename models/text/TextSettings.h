#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class TIniFile;

// The ticker's keys of the HorizNeon section, with the values a window
// without a settings file starts with.
struct THorizNeonSettings {
    std::string Text;      // as typed; saved without leading and trailing blanks
    int Interval = 1;      // tenths of a second, 1..100
    int PosY = 8;          // screen row, 0..15
    int FileTime = 30;     // seconds between file reads, 1..3599
    std::string File;      // text file read into Text
    bool FileRead = false; // the file is read now and every FileTime seconds
    bool Enabled = true;
};

// The pages' keys of the VertNeon and VertNeonLines sections.
struct TVertNeonSettings {
    bool Center = false;
    // The page lines: the text broken to the screen width, no empty lines.
    std::vector<std::string> Lines;
    int Interval = 10; // seconds, 1..100
    int PosY = 12;     // first row, 0..15, PosY + Height <= 16
    int Height = 3;    // rows, 1..16
    int FileTime = 30;
    std::string File;
    bool FileRead = false;
    bool Enabled = false;
};

// A stored value that was not used as it stands: not a number, or outside
// its control's range.
struct TSettingNote {
    std::string section;
    std::string key;
    std::string stored; // as the file holds it
    int used = 0;       // the value taken instead
};

// The text features' settings as the window keeps them, read and written
// without a window: the same defaults, the same ranges as its controls, the
// same key order.
struct TTextSettings {
    THorizNeonSettings Horiz;
    TVertNeonSettings Vert;

    // Missing keys keep the defaults; values outside a control's range are
    // brought to its nearest end, the row and height of the pages as the two
    // bounding controls bring them. Each value not used as stored is noted
    // in notes when given.
    void Load(const TIniFile& ini, std::vector<TSettingNote>* notes = nullptr);
    // Writes every key in the window's order; stops at the first failed write.
    bool Save(TIniFile& ini) const;
};

// The stored page lines Line0 .. Line(count - 1) of a VertNeonLines section
// as one text, lines separated by line feeds; a missing key is an empty line.
std::string StoredPageText(const std::unordered_map<std::string, std::string>& section, int count);
