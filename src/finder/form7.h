#pragma once

#include <QWidget>

class QComboBox;

namespace velmor {

class Form1;

// The finder: a whole juz, or a whole sura by number or by name, becomes
// the result list of the main window.
class Form7 : public QWidget {
    Q_OBJECT
public:
    explicit Form7(Form1& main);

    // Keyboard to Arabic and centring; runs once per loading.
    void Form_Load();

    void tafsercombo_Click();
    void searchnumber_Click();
    void searchname_Click();

    QComboBox* tafsercombo;
    QComboBox* searchnumber;
    QComboBox* searchname;

private:
    enum class Listing { Juz, Sura };
    void fill(Listing listing, int number);

    Form1& main_;
};

} // namespace velmor
