#include "form7.h"

#include "catalogue.h"
#include "fonts.h"
#include "form1.h"
#include "keyboard_layout.h"
#include "reference_lists.h"
#include "window_parts.h"
#include "window_placement.h"

#include <QAction>
#include <QComboBox>
#include <QToolButton>

namespace velmor {

namespace {

QStringList numbers(int last) {
    QStringList entries;
    for (int n = 1; n <= last; ++n) {
        entries.append(QString::number(n));
    }
    return entries;
}

} // namespace

Form7::Form7(Form1& main) : QWidget(nullptr), main_(main) {
    prepareFixedWindow(*this, "Form7",
                       QStringLiteral("بحث عن سورة باسمها أو برقمها , بحث عن جزء كامل"),
                       QSize(430, 46));

    // Left to right: juz, sura number, sura name.
    tafsercombo = promptedPicker(this, "tafsercombo", QRect(10, 12, 125, 22),
                                 QStringLiteral("اختر رقم الجزء"), numbers(30));
    searchnumber = promptedPicker(this, "searchnumber", QRect(145, 12, 125, 22),
                                  QStringLiteral("اختر رقم السورة"), numbers(114));
    searchname = promptedPicker(this, "searchname", QRect(280, 12, 140, 22),
                                QStringLiteral("اختر إسم السورة"), store::pickerSuraNames());
    setTabOrder(searchname, searchnumber);
    setTabOrder(searchnumber, tafsercombo);

    // Only a pick from a list starts a listing; typing starts nothing.
    connect(tafsercombo, &QComboBox::activated, this, &Form7::tafsercombo_Click);
    connect(searchnumber, &QComboBox::activated, this, &Form7::searchnumber_Click);
    connect(searchname, &QComboBox::activated, this, &Form7::searchname_Click);
}

void Form7::Form_Load() {
    activateArabicKeyboard();
    centreOnScreen(*this);
}

void Form7::tafsercombo_Click() {
    fill(Listing::Juz, tafsercombo->currentIndex() + 1);
}

void Form7::searchnumber_Click() {
    fill(Listing::Sura, searchnumber->currentIndex() + 1);
}

void Form7::searchname_Click() {
    fill(Listing::Sura, searchname->currentIndex() + 1);
}

void Form7::fill(Listing listing, int number) {
    main_.fullsearch->setEnabled(false);
    main_.allayaasearch->setEnabled(false);
    hide(); // ends its modal showing; the main window fills in front
    if (listing == Listing::Juz) {
        main_.fillResults(store::catalogue::wholeJuz(number), 1);
    } else {
        main_.fillResults(store::catalogue::wholeSuraInOrder(number), 0);
    }
    main_.fullsearch->setEnabled(true);
    main_.allayaasearch->setEnabled(true);
}

} // namespace velmor
