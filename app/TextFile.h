#pragma once

#include <QString>

#include <string>

enum class TReadResult { Ok, Missing, Failed };

// Reads a whole text file of at most limit bytes. Folders, devices, files
// that vanish or grow past the limit, and read errors all fail.
TReadResult ReadTextFile(const QString& path, qint64 limit, std::string& bytes);
