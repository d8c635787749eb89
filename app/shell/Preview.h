#pragma once

#include <QImage>

#include <array>
#include <string>

class TCharsImage;
class TImageView;
class TKR7;
class TShellState;

// The live preview of the device screen, drawn with the current glyph set,
// and the row output rule of the text features.
class TPreview {
public:
    TPreview(TImageView& view, const TCharsImage& chars, TKR7& device, const TShellState& shell);
    TPreview(const TPreview&) = delete;
    TPreview& operator=(const TPreview&) = delete;

    // Copies glyph code's cell into screen cell (col, row); nothing outside the screen.
    void DrawCode(int col, int row, int code);
    void DrawChar(int col, int row, unsigned char ch);
    // The first 30 bytes of text in row, from column 0.
    void DrawText(int row, const std::string& text);
    void ClearPreview();
    // The row output rule of the text features: the device only while
    // "Połącz" is checked, the preview only while the Preview page is shown.
    void OutputRow(int row, const std::string& text);

    const QImage& Image() const { return preview_; }
    // Entry n holds n spaces, n = 0..30.
    const std::array<std::string, 31>& Spaces() const { return spaces_; }

private:
    TImageView& view_;
    const TCharsImage& chars_;
    TKR7& device_;
    const TShellState& shell_;
    QImage preview_;
    std::array<std::string, 31> spaces_;
};
