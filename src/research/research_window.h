#pragma once

#include "library.h"
#include "research_chart.h"
#include "research_index.h"

#include <QAbstractListModel>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QPushButton;
class QSpinBox;

namespace velmor {

// The hits as a concordance list, each line made when it is shown.
class HitModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kHtmlRole = Qt::UserRole + 1;
    using QAbstractListModel::QAbstractListModel;
    void reset(std::shared_ptr<const research::ResearchIndex> index,
               std::vector<research::Hit> hits);
    const std::vector<research::Hit>& hits() const { return hits_; }
    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const research::ResearchIndex> index_;
    std::vector<research::Hit> hits_;
};

// The window "البحث المتقدم": a researcher's query over the text and both
// tafsirs, run as it is typed; the hits as a concordance in reading order,
// a chart of hits per sura or juz that narrows the list to one, the recent
// queries under the box, CSV export and a copy of the chosen hits.
// Modeless and resizable; its choices are kept in the user's settings.
class ResearchWindow : public QWidget {
    Q_OBJECT
public:
    using IndexSource = std::function<std::shared_ptr<const research::ResearchIndex>()>;
    ResearchWindow(IndexSource index, library::Library* library, QWidget* parent = nullptr);
    ~ResearchWindow() override;

    // Runs the box's query now, as typing does.
    void research();
    // The hits shown: all, or the chart's chosen bar's.
    const std::vector<research::Hit>& shown() const { return model_.hits(); }
    const std::vector<research::Hit>& all() const { return hits_; }
    // Writes the hits shown as CSV (whole or not at all); says the outcome.
    Done exportTo(const QString& path);
    // Copies the chosen hits' ayas as composed text.
    void copyChosen();
    // Keeps the box's query among the recent ones.
    void keepQuery();

    // Named for tests and screen readers.
    QComboBox* queryBox;
    std::array<QCheckBox*, 3> sourceBoxes{};
    QCheckBox* partialBox;
    QComboBox* scopePicker;
    QSpinBox* fromBox;
    QSpinBox* toBox;
    QComboBox* countPicker;
    ResearchChart* chart;
    QLabel* totalLine;
    QLabel* messageLine;
    QListView* list;
    QPushButton* exportButton;
    QPushButton* copyButton;
    // Where an export goes (a file dialog; tests answer it themselves).
    std::function<QString()> chooseExportFile;

signals:
    // A hit was chosen: the reading window and the main window go there.
    void ayaChosen(qint64 id);

private:
    QLayout* buildChoices();
    void connectControls();
    void showHits();
    void showChart();
    void restoreChoices();
    void keepChoices() const;
    research::Research asked(bool& ok);

    IndexSource indexSource_;
    std::shared_ptr<const research::ResearchIndex> index_;
    library::Library* library_;
    std::vector<research::Hit> hits_;
    HitModel model_;
};

} // namespace velmor
