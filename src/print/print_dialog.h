#pragma once

#include "mushaf.h"
#include "page_print.h"
#include "reading.h"

#include <QDialog>
#include <functional>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmor::store {
class Store;
}

namespace velmor {

// "طباعة وحفظ PDF": a sura, a range of ayas or the chosen ayas, with or
// without a tafsir, in either script, on A4 or Letter with the margins
// asked for; printed through the system's dialog or saved as a PDF. Its
// choices are kept in the settings.
class PrintDialog : public QDialog {
    Q_OBJECT
public:
    // What the dialog starts on: the sura and aya the reader stands on, and
    // the chosen ayas when there are any.
    struct Start {
        qint64 current = 0; // none: the first aya of the sura below
        int sura = 0;
        std::vector<qint64> chosen;
        Script script = Script::Simple;
    };
    PrintDialog(store::Store& store, const QString& connectionString, Mushaf mushaf, Start start,
                QWidget* parent);
    // Opens one, modeless, closed with its parent; nothing when the places
    // of the ayas cannot be read (the store has said why).
    static PrintDialog* open(store::Store& store, const QString& connectionString, Start start,
                             QWidget* parent);

    // The ayas asked for, in order; a sentence saying what is wrong when the
    // range cannot be read.
    Outcome<print::PrintRequest> request() const;
    print::PageSetup pageSetup() const;
    // Saves the PDF at path; says in the dialog's line what happened.
    bool savePdf(const QString& path);
    // Where "حفظ PDF…" asks for the file (a file dialog unless replaced).
    std::function<QString()> choosePdfFile;

    QRadioButton* wholeSura;
    QRadioButton* someAyas;
    QRadioButton* chosenAyas;
    QLineEdit* fromBox;
    QLineEdit* toBox;
    QComboBox* tafsirPicker;
    QComboBox* scriptPicker;
    QComboBox* pagePicker;
    QDoubleSpinBox* marginBox;
    QPushButton* printButton;
    QPushButton* pdfButton;
    QLabel* outcomeLine;

private:
    // The pickers of the tafsir, script, paper and margins, as they were
    // last chosen.
    void buildPickers();
    QLayout* buildButtons();
    void printPages();
    void keepChoices() const;
    Outcome<std::vector<print::PrintedAya>> ayas() const;

    store::Store& store_;
    QString connectionString_;
    Mushaf mushaf_;
    Start start_;
};

} // namespace velmor
