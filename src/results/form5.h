#pragma once

#include "record_view.h"

#include <QWidget>

class QAction;
class QMenuBar;
class QPlainTextEdit;

namespace velmor {

class Form1;

// The composed-text window: composes the chosen ayas (mode 2) or a whole
// sura (mode 1) once per opening, shows the text, and copies it.
class Form5 : public QWidget {
    Q_OBJECT
public:
    explicit Form5(Form1& main);

    // Keyboard to Arabic, centring, its own connection string.
    void Form_Load();
    // Composes on the first activation after being shown.
    void Form_Activate();
    void copy_Click();

    bool isComposed() const { return composed_; }
    // The text as composed, with its CR LF line breaks.
    const QString& composedText() const { return Text1; }

    QMenuBar* menuBar;
    QAction* copy;
    QPlainTextEdit* Text2;
    // Accumulates the text while it is composed.
    QString Text1;
    store::RecordView Adodc1;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Form1& main_;
    bool activated_ = false;
    bool composed_ = false;
    bool unloaded_ = false;
    QString shownText_;
};

} // namespace velmor
