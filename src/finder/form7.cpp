#include "form7.h"

#include "catalogue.h"
#include "fonts.h"
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

Form7::Form7(ListingRequest requestListing)
    : QWidget(nullptr), requestListing_(std::move(requestListing)) {
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

Form7::~Form7() {
    // A box losing its focus while the window is destroyed may still emit
    // activated(); no handler may run on a window being destroyed.
    for (QComboBox* box : {tafsercombo, searchnumber, searchname}) {
        box->disconnect(this);
    }
}

void Form7::Form_Load() {
    activateArabicKeyboard();
    centreOnScreen(*this);
}

void Form7::tafsercombo_Click() {
    list(store::catalogue::wholeJuz(tafsercombo->currentIndex() + 1), 1);
}

void Form7::searchnumber_Click() {
    list(store::catalogue::wholeSuraInOrder(searchnumber->currentIndex() + 1), 0);
}

void Form7::searchname_Click() {
    list(store::catalogue::wholeSuraInOrder(searchname->currentIndex() + 1), 0);
}

void Form7::list(const QString& query, qint16 notOneSura) {
    hide(); // ends its modal showing; the main window fills in front
    requestListing_(query, notOneSura);
}

} // namespace velmor
