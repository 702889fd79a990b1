#pragma once

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;

namespace velmor {

// The font choice for the aya display: face, size (fractions allowed, as
// the settings file keeps them), bold and italic, previewed on an aya. It
// opens on exactly the font it is given, so OK without a change changes
// nothing.
class FontChooser : public QDialog {
    Q_OBJECT
public:
    FontChooser(const QFont& current, QWidget* parent);

    // The given font with the chosen face, size, bold and italic.
    QFont chosenFont() const;

    QFontComboBox* family;
    QDoubleSpinBox* size;
    QCheckBox* bold;
    QCheckBox* italic;
    QLabel* preview;

private:
    void showPreview();

    QFont current_;
};

} // namespace velmor
