#pragma once

#include <string>

// Empty when path names a file this process can read; otherwise the reason:
// "no such file", or the system's words ("Permission denied", "Is a directory").
std::string ReadProblem(const std::string& path);

// Writes bytes as the whole content of path. Empty on success, otherwise the
// system's reason ("Is a directory", "No space left on device").
std::string WriteWholeFile(const std::string& path, const std::string& bytes);
