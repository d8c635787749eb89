#pragma once

#include "FontCatalog.h"
#include "FontOptions.h"
#include "FontRenderer.h"

#include <QDialog>
#include <QImage>

#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class TFontPreview;

// The service page's Font... dialog: an installed font (searchable list of
// families, their styles) and the adjustments, with the shapes it gives
// beside the current ones, redrawn on every change. Apply accepts; the
// caller takes Drawn() into the current set.
class TFontDialog : public QDialog {
    Q_OBJECT
public:
    TFontDialog(QWidget* parent, const QImage& current);
    ~TFontDialog() override;

    // The current set with codes 1..111 drawn from the chosen font.
    const TFontSet& Drawn() const { return drawn_; }
    // "Family Style" of the chosen face.
    QString FaceName() const;

private:
    void BuildControls();
    void ConnectControls();
    void FillFamilies();
    void SearchChanged(const QString& text);
    void FamilyChanged();
    void StyleChanged();
    void Redraw();
    TFontOptions Options() const;

    QImage current_;
    std::vector<TFontFace> fonts_;
    std::unique_ptr<TFontRenderer> renderer_;
    TFontFace face_;
    TFontSet drawn_;

    QLineEdit* search_ = nullptr;
    QListWidget* families_ = nullptr;
    QComboBox* styles_ = nullptr;
    QSpinBox* size_ = nullptr;
    QSpinBox* weight_ = nullptr;
    QCheckBox* outline_ = nullptr;
    QLabel* missing_ = nullptr;
    TFontPreview* preview_ = nullptr;
    QPushButton* apply_ = nullptr;
};
