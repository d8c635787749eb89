// The service page's Font... button: codes 1..111 of the current glyph set
// drawn from an installed font. Nothing is sent; the user uploads as usual.
#include "FontCharacters.h"
#include "service/FontDialog.h"
#include "service/ServicePage.h"
#include "shell/WindowServices.h"
#include "ui_Kr7unit1.h"

void TServicePage::ButtonFontClick() {
    auto* dialog = new TFontDialog(Window(), chars_.Image());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        ApplyFontGlyphs(dialog->Drawn().chars, dialog->FaceName(), CharactersOfCodes(dialog->Drawn().missing));
    });
    dialog->open();
}

// Codes 1..111 of drawn into the current set as one undo step.
void TServicePage::ApplyFontGlyphs(const QImage& drawn, const QString& faceName, const QString& missing) {
    if (!glyphs_.ReplaceGlyphs(drawn, FONT_FIRST_CODE, FONT_LAST_CODE))
        return;
    log_.Log(tr("Codes 1 to 111 drawn from font %1.").arg(faceName));
    if (!missing.isEmpty())
        log_.Log(tr("Not in the font, kept as they were: %1").arg(missing));
}
