#pragma once

#include "record_view.h"

#include <QFont>
#include <QWidget>

class QAction;
class QMenuBar;

namespace velmor {

class ChosenList;
class FirstShow;
class LongTextBox;

// What the composed-text window composes: a whole sura, or the chosen ayas.
struct CompositionRequest {
    enum Mode : qint16 { None = 0, WholeSura = 1, Chosen = 2 };
    qint16 mode = None;
    qint16 sura = 0;
};

// The composed-text window: composes its request once per opening, shows
// the text, and copies it.
class Form5 : public QWidget {
    Q_OBJECT
public:
    // The chosen list is read while composing; the store serves the window's
    // own record view over the database in programFolder.
    Form5(CompositionRequest request, const ChosenList& chosen, store::Store& store,
          QString programFolder, const QFont& displayFont);

    // Keyboard to Arabic, centring, its own connection string.
    void Form_Load();
    // Composes on the first activation after being shown.
    void Form_Activate();
    void copy_Click();
    // Ctrl+P: the print and PDF dialog, on the ayas composed.
    void print_Click();

    bool isComposed() const { return composed_; }
    // The text as composed, with its CR LF line breaks.
    const QString& composedText() const { return Text1; }

    QMenuBar* menuBar;
    QAction* copy;
    LongTextBox* Text2;
    // Accumulates the text while it is composed.
    QString Text1;
    store::RecordView Adodc1;

private:
    CompositionRequest request_;
    store::Store& store_;
    const ChosenList& chosen_;
    QString programFolder_;
    FirstShow* firstShow_;
    bool composed_ = false;
    QString shownText_;
};

} // namespace velmor
