#pragma once

#include "Device.h"

#include <QString>

#include <optional>

// The display's non-volatile memory, kept in a file between runs. The file
// holds a fixed-size record: a tag, the 480 screen codes, the mode, the stored
// mode, the cross position (two 16-bit values, high byte first) and the 256
// glyph records.
constexpr char STATE_TAG[] = "KR7EMST1";
constexpr int STATE_TAG_BYTES = 8;
constexpr int STATE_FILE_BYTES = STATE_TAG_BYTES + SCREEN_CELLS + 2 + 4 + static_cast<int>(GLYPH_SET_BYTES);

// $XDG_STATE_HOME/kr7-emulator/state.bin, or ~/.local/state/kr7-emulator/state.bin.
QString DefaultStatePath();

std::string EncodeState(const TDeviceState& state);
// None when the bytes are not a well-formed state record.
std::optional<TDeviceState> DecodeState(const std::string& bytes);

// Replaces the file atomically (the old content survives a failed write);
// creates its folder. False with a reason on failure.
bool SaveStateFile(const QString& path, const TDeviceState& state, QString& error);

// The state kept in the file. A missing file gives none with an empty error;
// an unreadable or malformed one gives none with a reason.
std::optional<TDeviceState> LoadStateFile(const QString& path, QString& error);
