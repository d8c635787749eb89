#include "LogoJob.h"

#include "Glyphs.h"

#include <algorithm>

namespace {

int ClampSize(long long value) {
    return static_cast<int>(std::clamp<long long>(value, 1, 1000));
}

TLogoRenderParams RenderParams(const TLogoPlacement& placement) {
    TLogoRenderParams params;
    if (placement.mode == 1)
        params.mode = LOGO_MODE_MOSAIC;
    else if (placement.mode == 2)
        params.mode = LOGO_MODE_MIXING;
    else
        params.mode = (100 - placement.level) * 255 / 100;
    params.background = placement.background;
    params.negative = placement.negative;
    params.allowance = 100 - placement.tolerance;
    return params;
}

} // namespace

QImage RenderPlacedLogo(const QImage& picture, const TLogoPlacement& placement, QPoint* origin) {
    TLogoRenderParams params = RenderParams(placement);
    const long long w = picture.width();
    const long long h = picture.height();
    int width = static_cast<int>(std::min<long long>(w, 1000));
    if (w > SCREEN_WIDTH || h > SCREEN_HEIGHT)
        width = w * SCREEN_HEIGHT > h * SCREEN_WIDTH ? SCREEN_WIDTH : ClampSize(w * SCREEN_HEIGHT / h);
    params.width = placement.width.value_or(width);
    params.height = placement.height.value_or(ClampSize(h * params.width / w));

    QImage view;
    // Centring looks at the margins the background leaves, as the page does.
    params.posX = 0;
    params.posY = 0;
    RenderLogoView(view, picture, params);
    params.posX = placement.x.value_or((SCREEN_WIDTH - params.width) / 2);
    if (!placement.x && params.background) {
        const int left = LogoMarginLeft(view);
        const int right = LogoMarginRight(view);
        params.posX = params.posX - left + (left + right) / 2;
    }
    RenderLogoView(view, picture, params);
    params.posY = placement.y.value_or((SCREEN_HEIGHT - params.height) / 2);
    if (!placement.y && params.background) {
        const int top = LogoMarginTop(view);
        const int bottom = LogoMarginBottom(view);
        params.posY = params.posY - top + (top + bottom) / 2;
    }
    RenderLogoView(view, picture, params);
    if (origin != nullptr)
        *origin = QPoint(params.posX, params.posY);
    return view;
}
