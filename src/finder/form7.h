#pragma once

#include <QWidget>
#include <functional>

class QComboBox;

namespace velmor {

// The finder: a whole juz, or a whole sura by number or by name, becomes
// the result list of the main window.
class Form7 : public QWidget {
    Q_OBJECT
public:
    // Fills the results with a listing's query; notOneSura is 0 when the
    // listing is exactly one whole sura.
    using ListingRequest = std::function<void(const QString& query, qint16 notOneSura)>;

    explicit Form7(ListingRequest requestListing);
    ~Form7() override;

    // Keyboard to Arabic and centring; runs once per loading.
    void Form_Load();

    void tafsercombo_Click();
    void searchnumber_Click();
    void searchname_Click();

    QComboBox* tafsercombo;
    QComboBox* searchnumber;
    QComboBox* searchname;

private:
    void list(const QString& query, qint16 notOneSura);

    ListingRequest requestListing_;
};

} // namespace velmor
