#pragma once

#include "LogoHistory.h"
#include "LogoImage.h"
#include "LogoSettings.h"
#include "LogoTable.h"

#include <QImage>
#include <QPoint>

#include <functional>
#include <optional>

struct TProgress;

// What a generation gave: built is false when the logo needs more than
// LOGO_MAX_TILES tiles; tiles is the number used (LOGO_MAX_TILES then).
struct TLogoGeneration {
    bool built = false;
    int tiles = 0;
};

// The logo being prepared: the working picture (alpha kept), its placement
// and reduction, the 360 x 288 logo view rendered from them, and the logo
// table cut from the view. Every change of a setting re-renders the view.
// The window's Logo page shows it and kr7ctl's logo action builds one from
// its options, so both give the same view, table and frames.
//
// Changes are undoable steps: each call is one step, except that between
// BeginStep and EndStep (a dragged bar, a dragged picture, a colour being
// picked) all changes make one step. An import or a clear starts afresh.
class TLogoDocument {
public:
    // Gives the mixing generator its seed for one render.
    using TSeedSource = std::function<unsigned long long()>;
    // The seconds of the clock, a new pattern every second.
    static unsigned long long ClockSeed();

    explicit TLogoDocument(TSeedSource seeds = ClockSeed);

    // ---- The working picture
    bool Loaded() const { return picture_.has_value(); }
    const std::optional<QImage>& Picture() const { return picture_; }
    // Takes picture as the working picture, fits it to the screen (a picture
    // larger than the screen is shrunk to it; one that fits keeps the width
    // found, unless that is 1, the start value: then it takes its own width),
    // switches proportional sizing on and centres it. A null picture changes nothing.
    void Import(const QImage& picture);
    // Takes picture and settings as a saved session left them (not a null picture).
    void Restore(const QImage& picture, const TLogoSettings& settings);
    // No picture, a grey view and an empty logo table; the settings stay.
    void Clear();

    // ---- Settings, each clamped to its range
    const TLogoSettings& Settings() const { return settings_; }
    void SetPosX(int x);
    void SetPosY(int y);
    // With proportional sizing on, the height follows the width.
    void SetWidth(int width);
    void SetHeight(int height);
    void SetProportional(bool on);
    void SetGrid(bool on);
    void SetMode(TLogoMode mode);
    void SetLevel(int level);
    void SetNegative(bool on);
    void SetTransparent(bool on);
    void SetBackground(QRgb colour);
    void SetTolerance(int tolerance);

    // ---- The page's buttons
    void RestoreWidth();
    void RestoreHeight();
    // The box centred on the screen; with background removal on, then the
    // visible content, measured on the moved view.
    void CentreX();
    void CentreY();
    // The box at an edge; with background removal on, then the visible content.
    void AlignLeft();
    void AlignRight();
    void AlignTop();
    void AlignBottom();

    // ---- The view
    const QImage& View() const { return view_; }
    // True when (x, y) of the view lies in the placed picture's box.
    bool IsInPicture(int x, int y) const;
    // Dragging the picture: a press inside the box starts it (false
    // elsewhere or without a picture); each move places the box by the
    // distance from the press.
    bool BeginDrag(QPoint at);
    void DragTo(QPoint at);
    void EndDrag();
    bool Dragging() const { return dragging_; }
    // While picking a colour the view shows the picture in its own colours,
    // without grid or reduction.
    void SetPicking(bool on);
    bool Picking() const { return picking_; }

    // ---- The logo table
    // Cuts the view, rendered without the grid, into the logo table, then
    // renders it again as shown. progress (may be null) gets one step a cell.
    TLogoGeneration Generate(TProgress* progress);
    const TLogoTable& Table() const { return table_; }
    // A picture and a table with rows: programming is possible.
    bool Generated() const { return Loaded() && IsLogoGenerated(table_); }

    // ---- Undo and redo
    void BeginStep();
    void EndStep();
    // False when there is no step to go.
    bool Undo();
    bool Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }

private:
    void Changed();
    void Render();
    void SetWidthOnly(int width);
    void FollowWidth();
    // Moves along one axis to value, then, with background removal, by the
    // margin measured on the moved view (shift -1 toward 0, +1 away).
    void Align(int TLogoSettings::*pos, int value, int (*margin)(const QImage&), int shift);
    void Centre(int TLogoSettings::*pos, int value, int (*before)(const QImage&), int (*after)(const QImage&));

    TSeedSource seeds_;
    std::optional<QImage> picture_;
    TLogoSettings settings_;
    QImage view_;
    TLogoScaleCache scaled_;
    TLogoTable table_;
    TLogoHistory history_;
    int stepDepth_ = 0;
    bool picking_ = false;
    bool dragging_ = false;
    QPoint dragMouse_;
    QPoint dragOrigin_;
};

// The share of the 141 tiles a logo uses, in whole percent rounded half up.
int LogoUsagePercent(int tiles);
