#include "service/FontDialog.h"

#include "FontCharacters.h"
#include "service/FontPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The family chosen first when it is installed: plain, even strokes.
const char* const FIRST_FAMILY = "DejaVu Sans Mono";

QSpinBox* AdjustmentBox(const char* name, int low, int high) {
    auto* box = new QSpinBox;
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setValue(0);
    return box;
}

} // namespace

TFontDialog::TFontDialog(QWidget* parent, const QImage& current)
    : QDialog(parent), current_(current), fonts_(InstalledFonts()) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(tr("Glyphs from a font"));
    BuildControls();
    ConnectControls();
    FillFamilies();
}

TFontDialog::~TFontDialog() = default;

QString TFontDialog::FaceName() const {
    return QString::fromStdString(face_.family + " " + face_.style);
}

void TFontDialog::BuildControls() {
    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("LineEditFontSearch"));
    search_->setClearButtonEnabled(true);
    families_ = new QListWidget;
    families_->setObjectName(QStringLiteral("ListFontFamilies"));
    styles_ = new QComboBox;
    styles_->setObjectName(QStringLiteral("ComboBoxFontStyle"));
    size_ = AdjustmentBox("SpinBoxFontSize", FONT_SIZE_MIN, FONT_SIZE_MAX);
    weight_ = AdjustmentBox("SpinBoxFontWeight", FONT_WEIGHT_MIN, FONT_WEIGHT_MAX);
    outline_ = new QCheckBox(tr("&Outline"));
    outline_->setObjectName(QStringLiteral("CheckBoxFontOutline"));
    outline_->setChecked(true);
    missing_ = new QLabel;
    missing_->setObjectName(QStringLiteral("LabelFontMissing"));
    missing_->setWordWrap(true);
    preview_ = new TFontPreview;
    preview_->setObjectName(QStringLiteral("FontPreview"));
    preview_->SetCurrent(current_);

    auto* form = new QFormLayout;
    form->addRow(tr("&Search:"), search_);
    form->addRow(families_);
    form->addRow(tr("St&yle:"), styles_);
    form->addRow(tr("Si&ze:"), size_);
    form->addRow(tr("&Weight:"), weight_);
    form->addRow(outline_);
    form->addRow(missing_);
    auto* buttons = new QDialogButtonBox;
    apply_ = buttons->addButton(tr("&Apply"), QDialogButtonBox::AcceptRole);
    apply_->setObjectName(QStringLiteral("ButtonFontApply"));
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ButtonFontCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* shapes = new QVBoxLayout;
    shapes->addWidget(new QLabel(tr("Left the current shapes, right the shapes from the font:")));
    shapes->addWidget(preview_, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(form, 0);
    columns->addLayout(shapes, 1);
    auto* page = new QVBoxLayout(this);
    page->addLayout(columns);
    page->addWidget(buttons);
}

void TFontDialog::ConnectControls() {
    connect(search_, &QLineEdit::textChanged, this, &TFontDialog::SearchChanged);
    connect(families_, &QListWidget::currentRowChanged, this, &TFontDialog::FamilyChanged);
    connect(styles_, &QComboBox::currentIndexChanged, this, &TFontDialog::StyleChanged);
    connect(size_, &QSpinBox::valueChanged, this, &TFontDialog::Redraw);
    connect(weight_, &QSpinBox::valueChanged, this, &TFontDialog::Redraw);
    connect(outline_, &QCheckBox::toggled, this, &TFontDialog::Redraw);
}

void TFontDialog::FillFamilies() {
    for (const std::string& family : FontFamilies(fonts_))
        families_->addItem(QString::fromStdString(family));
    const QList<QListWidgetItem*> first = families_->findItems(QLatin1String(FIRST_FAMILY), Qt::MatchExactly);
    families_->setCurrentRow(first.isEmpty() ? 0 : families_->row(first.front()));
    if (families_->count() == 0) {
        missing_->setText(tr("No installed font was found."));
        apply_->setEnabled(false);
    }
}

// Shows the families that hold the text in any letter case; the first of
// them is chosen when the chosen one is hidden.
void TFontDialog::SearchChanged(const QString& text) {
    int firstShown = -1;
    for (int row = 0; row < families_->count(); ++row) {
        const bool shown = families_->item(row)->text().contains(text, Qt::CaseInsensitive);
        families_->item(row)->setHidden(!shown);
        if (shown && firstShown < 0)
            firstShown = row;
    }
    QListWidgetItem* chosen = families_->currentItem();
    if ((chosen == nullptr || chosen->isHidden()) && firstShown >= 0)
        families_->setCurrentRow(firstShown);
}

void TFontDialog::FamilyChanged() {
    QListWidgetItem* item = families_->currentItem();
    if (item == nullptr)
        return;
    const QSignalBlocker blocker(styles_);
    styles_->clear();
    for (const std::string& style : FontStyles(fonts_, item->text().toStdString()))
        styles_->addItem(QString::fromStdString(style));
    styles_->setCurrentIndex(0);
    StyleChanged();
}

void TFontDialog::StyleChanged() {
    QListWidgetItem* item = families_->currentItem();
    if (item == nullptr)
        return;
    const TFontLookup lookup = FindFont(fonts_, {item->text().toStdString(), styles_->currentText().toStdString()});
    renderer_.reset();
    std::string error;
    if (lookup.face) {
        face_ = *lookup.face;
        renderer_ = TFontRenderer::Open(face_, error);
    }
    if (!renderer_) {
        drawn_ = {};
        preview_->SetFont({});
        missing_->setText(tr("This font cannot be read: %1").arg(QString::fromStdString(error)));
        apply_->setEnabled(false);
        return;
    }
    Redraw();
}

void TFontDialog::Redraw() {
    if (!renderer_)
        return;
    drawn_ = renderer_->Render(current_, Options());
    preview_->SetFont(drawn_.chars);
    missing_->setText(drawn_.missing.empty()
                          ? QString()
                          : tr("Not in this font, kept as they are: %1").arg(CharactersOfCodes(drawn_.missing)));
    apply_->setEnabled(true);
}

TFontOptions TFontDialog::Options() const {
    return {size_->value(), weight_->value(), outline_->isChecked()};
}
