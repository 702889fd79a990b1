#pragma once

#include "options_host.h"
#include "search_query.h"

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace velmor {

// The search options window: where to search, whether the text must stand
// as a whole word, and the aya display's font. Its close button keeps the
// scope for the run and saves the font to the settings file; the other
// choices live in its controls, which the search reads at every search.
class Form6 : public QWidget {
    Q_OBJECT
public:
    explicit Form6(OptionsHost& host);

    // Centres the window and selects the option of the current scope.
    void Form_Load();
    void Command1_Click();
    void Commandfont_Click();

    // What a search reads: the whole-word choice and the six pickers, with
    // the given scope.
    SearchOptions searchOptions(int scope) const;
    // Sets the controls to a search's options (a search run again from the
    // reader's history): the match, the scope's option and its pickers.
    void setSearchOptions(const SearchOptions& options);

    QGroupBox* Frame1;
    QRadioButton* alone;
    QRadioButton* withother;
    QRadioButton* allsearch;
    QRadioButton* soraop;
    QComboBox* sora;
    QRadioButton* sora12op;
    QComboBox* sora1;
    QLabel* Label1;
    QComboBox* sora2;
    QRadioButton* partop;
    QComboBox* part;
    QRadioButton* part12op;
    QComboBox* part1;
    QLabel* Label4;
    QComboBox* part2;
    QToolButton* Commandfont;
    QToolButton* Command1;
    QLabel* Image1;

private:
    // The scope option buttons by scope number.
    std::array<QRadioButton*, 5> scopeButtons() const;
    // The scope: the whole text, a sura, suras, a juz, juz, with their pickers.
    void buildScope();

    OptionsHost& host_;
};

} // namespace velmor
