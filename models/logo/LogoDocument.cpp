#include "LogoDocument.h"

#include "Glyphs.h"
#include "Protocol.h"

#include <cmath>
#include <ctime>

unsigned long long TLogoDocument::ClockSeed() {
    return static_cast<unsigned long long>(std::time(nullptr));
}

TLogoDocument::TLogoDocument(TSeedSource seeds) : seeds_(std::move(seeds)) {
    NewScreenBitmap(view_);
    history_.Reset(settings_);
}

// ---- The working picture -------------------------------------------------------

void TLogoDocument::Import(const QImage& picture) {
    if (picture.isNull())
        return;
    picture_ = picture.convertToFormat(LogoPixelFormat(picture));
    settings_.posX = 0;
    settings_.posY = 0;
    const long long w = picture_->width();
    const long long h = picture_->height();
    if (w > SCREEN_WIDTH || h > SCREEN_HEIGHT)
        settings_.width = w * SCREEN_HEIGHT > h * SCREEN_WIDTH ? SCREEN_WIDTH : ClampLogoSize(w * SCREEN_HEIGHT / h);
    else if (settings_.width == LOGO_SIZE_MIN)
        settings_.width = ClampLogoSize(w); // the start value would show the picture as one pixel
    settings_.proportional = true;
    settings_.height = ClampLogoSize(h * settings_.width / w);
    Render();
    ++stepDepth_;
    CentreX();
    CentreY();
    --stepDepth_;
    history_.Reset(settings_);
}

void TLogoDocument::Restore(const QImage& picture, const TLogoSettings& settings) {
    if (picture.isNull())
        return;
    picture_ = picture.convertToFormat(LogoPixelFormat(picture));
    settings_ = settings;
    settings_.posX = ClampLogoPos(settings.posX);
    settings_.posY = ClampLogoPos(settings.posY);
    settings_.width = ClampLogoSize(settings.width);
    settings_.height = ClampLogoSize(settings.height);
    settings_.level = ClampLogoLevel(settings.level);
    settings_.tolerance = ClampLogoTolerance(settings.tolerance);
    settings_.background &= 0xFFFFFF;
    Render();
    history_.Reset(settings_);
}

void TLogoDocument::Clear() {
    picture_.reset();
    picking_ = false;
    dragging_ = false;
    NewScreenBitmap(view_);
    ClearLogoTable(table_);
    history_.Reset(settings_);
}

// ---- Settings ------------------------------------------------------------------

void TLogoDocument::Changed() {
    Render();
    if (stepDepth_ == 0)
        history_.Record(settings_);
}

void TLogoDocument::SetPosX(int x) {
    settings_.posX = ClampLogoPos(x);
    Changed();
}

void TLogoDocument::SetPosY(int y) {
    settings_.posY = ClampLogoPos(y);
    Changed();
}

void TLogoDocument::SetWidthOnly(int width) {
    settings_.width = ClampLogoSize(width);
    FollowWidth();
}

void TLogoDocument::FollowWidth() {
    if (settings_.proportional && picture_ && picture_->width() > 0)
        settings_.height =
            ClampLogoSize(static_cast<long long>(picture_->height()) * settings_.width / picture_->width());
}

void TLogoDocument::SetWidth(int width) {
    SetWidthOnly(width);
    Changed();
}

void TLogoDocument::SetHeight(int height) {
    settings_.height = ClampLogoSize(height);
    Changed();
}

void TLogoDocument::SetProportional(bool on) {
    settings_.proportional = on;
    FollowWidth();
    Changed();
}

void TLogoDocument::SetGrid(bool on) {
    settings_.grid = on;
    Changed();
}

void TLogoDocument::SetMode(TLogoMode mode) {
    settings_.mode = mode;
    Changed();
}

void TLogoDocument::SetLevel(int level) {
    settings_.level = ClampLogoLevel(level);
    Changed();
}

void TLogoDocument::SetNegative(bool on) {
    settings_.negative = on;
    Changed();
}

void TLogoDocument::SetTransparent(bool on) {
    settings_.transparent = on;
    Changed();
}

void TLogoDocument::SetBackground(QRgb colour) {
    settings_.background = colour & 0xFFFFFF;
    Changed();
}

void TLogoDocument::SetTolerance(int tolerance) {
    settings_.tolerance = ClampLogoTolerance(tolerance);
    Changed();
}

// ---- Buttons -------------------------------------------------------------------

void TLogoDocument::RestoreWidth() {
    if (picture_)
        SetWidth(picture_->width());
}

void TLogoDocument::RestoreHeight() {
    if (picture_)
        SetHeight(picture_->height());
}

void TLogoDocument::Align(int TLogoSettings::*pos, int value, int (*margin)(const QImage&), int shift) {
    settings_.*pos = ClampLogoPos(value);
    Render();
    if (settings_.transparent) {
        settings_.*pos = ClampLogoPos(settings_.*pos + shift * margin(view_));
        Render();
    }
    if (stepDepth_ == 0)
        history_.Record(settings_);
}

void TLogoDocument::Centre(int TLogoSettings::*pos, int value, int (*before)(const QImage&),
                           int (*after)(const QImage&)) {
    settings_.*pos = ClampLogoPos(value);
    Render();
    if (settings_.transparent) {
        const int low = before(view_);
        const int high = after(view_);
        settings_.*pos = ClampLogoPos(settings_.*pos - low + (low + high) / 2);
        Render();
    }
    if (stepDepth_ == 0)
        history_.Record(settings_);
}

void TLogoDocument::CentreX() {
    Centre(&TLogoSettings::posX, (SCREEN_WIDTH - settings_.width) / 2, LogoMarginLeft, LogoMarginRight);
}

void TLogoDocument::CentreY() {
    Centre(&TLogoSettings::posY, (SCREEN_HEIGHT - settings_.height) / 2, LogoMarginTop, LogoMarginBottom);
}

void TLogoDocument::AlignLeft() {
    Align(&TLogoSettings::posX, 0, LogoMarginLeft, -1);
}

void TLogoDocument::AlignRight() {
    Align(&TLogoSettings::posX, SCREEN_WIDTH - settings_.width, LogoMarginRight, 1);
}

void TLogoDocument::AlignTop() {
    Align(&TLogoSettings::posY, 0, LogoMarginTop, -1);
}

void TLogoDocument::AlignBottom() {
    Align(&TLogoSettings::posY, SCREEN_HEIGHT - settings_.height, LogoMarginBottom, 1);
}

// ---- View ----------------------------------------------------------------------

namespace {

TLogoRenderParams RenderParams(const TLogoSettings& s) {
    TLogoRenderParams params;
    params.posX = s.posX;
    params.posY = s.posY;
    params.width = s.width;
    params.height = s.height;
    params.grid = s.grid;
    switch (s.mode) {
    case TLogoMode::BlackWhite:
        params.mode = LogoThreshold(s.level);
        break;
    case TLogoMode::Mosaic:
        params.mode = LOGO_MODE_MOSAIC;
        break;
    case TLogoMode::Mixing:
        params.mode = LOGO_MODE_MIXING;
        break;
    case TLogoMode::None:
        params.mode = LOGO_MODE_NONE;
        break;
    }
    if (s.transparent)
        params.background = s.background;
    params.negative = s.negative;
    params.allowance = 100 - s.tolerance;
    return params;
}

} // namespace

void TLogoDocument::Render() {
    if (!picture_)
        return;
    TLogoRenderParams params = RenderParams(settings_);
    params.unprocessed = picking_;
    params.grid = params.grid && !picking_;
    params.seed = seeds_();
    RenderLogoView(view_, *picture_, params, scaled_);
}

bool TLogoDocument::IsInPicture(int x, int y) const {
    const TLogoSettings& s = settings_;
    return s.posX <= x && x < s.posX + s.width && s.posY <= y && y < s.posY + s.height;
}

bool TLogoDocument::BeginDrag(QPoint at) {
    if (picking_ || !picture_ || !IsInPicture(at.x(), at.y()))
        return false;
    dragMouse_ = at;
    dragOrigin_ = QPoint(settings_.posX, settings_.posY);
    dragging_ = true;
    BeginStep();
    return true;
}

void TLogoDocument::DragTo(QPoint at) {
    if (!dragging_)
        return;
    SetPosX(at.x() + dragOrigin_.x() - dragMouse_.x());
    SetPosY(at.y() + dragOrigin_.y() - dragMouse_.y());
}

void TLogoDocument::EndDrag() {
    if (!dragging_)
        return;
    dragging_ = false;
    EndStep();
}

void TLogoDocument::SetPicking(bool on) {
    if (on == picking_)
        return;
    picking_ = on;
    if (on)
        BeginStep();
    Render();
    if (!on)
        EndStep();
}

// ---- Table ---------------------------------------------------------------------

TLogoGeneration TLogoDocument::Generate(TProgress* progress) {
    if (picture_) {
        TLogoRenderParams params = RenderParams(settings_);
        params.grid = false;
        params.seed = seeds_();
        RenderLogoView(view_, *picture_, params, scaled_);
    }
    std::optional<TLogoTable> table = BuildLogoTable(view_, progress);
    if (table)
        table_ = std::move(*table);
    Render();
    TLogoGeneration result;
    result.built = table && !table_.Failed;
    result.tiles = table ? table_.TileCount : LOGO_MAX_TILES;
    return result;
}

// ---- Undo ----------------------------------------------------------------------

void TLogoDocument::BeginStep() {
    ++stepDepth_;
}

void TLogoDocument::EndStep() {
    if (stepDepth_ > 0)
        --stepDepth_;
    if (stepDepth_ == 0)
        history_.Record(settings_);
}

bool TLogoDocument::Undo() {
    const std::optional<TLogoSettings> back = history_.Undo(settings_);
    if (!back)
        return false;
    settings_ = *back;
    Render();
    return true;
}

bool TLogoDocument::Redo() {
    const std::optional<TLogoSettings> forward = history_.Redo(settings_);
    if (!forward)
        return false;
    settings_ = *forward;
    Render();
    return true;
}

int LogoUsagePercent(int tiles) {
    return static_cast<int>(tiles * 100.0 / LOGO_MAX_TILES + 0.5);
}
