#pragma once

#include <QWidget>
#include <vector>

namespace velmor {

// Hits per sura (114 bars) or per juz (30), the first at the right as the
// text reads: hovering a bar names it and its count, a click chooses it and
// a second click on it clears the choice.
class ResearchChart : public QWidget {
    Q_OBJECT
public:
    explicit ResearchChart(QWidget* parent = nullptr);

    // counts[k] is bar k + 1's; names[k] its name ("سورة البقرة", "الجزء 2").
    void setCounts(std::vector<int> counts, QStringList names);
    int chosen() const { return chosen_; } // 0 for none
    void choose(int bar);                  // as a click does
    // The bar at a point of the widget, 0 outside them.
    int barAt(QPoint point) const;
    QRect barRect(int bar) const;

    QSize sizeHint() const override { return {600, 90}; }

signals:
    void chosenChanged(int bar);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::vector<int> counts_;
    QStringList names_;
    int chosen_ = 0;
};

} // namespace velmor
