// The service page's Font... button: codes 1..111 of the current glyph set
// drawn from an installed font. Nothing is sent; the user uploads as usual.
#include "FontCharacters.h"
#include "FontDialog.h"
#include "Glyphs.h"
#include "ServicePage.h"
#include "WindowServices.h"
#include "ui_Kr7unit1.h"

void TServicePage::ButtonFontClick() {
    auto* dialog = new TFontDialog(Window(), chars_.Image());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        ApplyFontGlyphs(dialog->Drawn().chars, dialog->FaceName(), CharactersOfCodes(dialog->Drawn().missing));
    });
    dialog->open();
}

// Codes 1..111 of drawn into the current set: the rest of row 0 after code
// 0, then rows 1 to 6 whole (codes 16..111).
void TServicePage::ApplyFontGlyphs(const QImage& drawn, const QString& faceName, const QString& missing) {
    if (drawn.width() != CHARS_WIDTH || drawn.height() != CHARS_HEIGHT)
        return;
    const QPoint first = GlyphOrigin(FONT_FIRST_CODE);
    chars_.CopyRect(drawn, QRect(first, QPoint(CHARS_WIDTH - 1, GLYPH_HEIGHT - 1)), first);
    const QPoint second = GlyphOrigin(16);
    const QPoint last = GlyphOrigin(FONT_LAST_CODE) + QPoint(GLYPH_WIDTH - 1, GLYPH_HEIGHT - 1);
    chars_.CopyRect(drawn, QRect(second, last), second);
    LoadCharEditor();
    CharsChanged();
    log_.Log(tr("Codes 1 to 111 drawn from font %1.").arg(faceName));
    if (!missing.isEmpty())
        log_.Log(tr("Not in the font, kept as they were: %1").arg(missing));
}
