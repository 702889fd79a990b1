#include "research_chart.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace velmor {

ResearchChart::ResearchChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("researchChart"));
    setAccessibleName(QStringLiteral("عدد النتائج في كل سورة"));
    setMouseTracking(true);
    setMinimumHeight(70);
}

void ResearchChart::setCounts(std::vector<int> counts, QStringList names) {
    counts_ = std::move(counts);
    names_ = std::move(names);
    if (chosen_ > static_cast<int>(counts_.size())) {
        chosen_ = 0;
    }
    update();
}

void ResearchChart::choose(int bar) {
    const int next = bar == chosen_ ? 0 : bar;
    if (next != chosen_) {
        chosen_ = next;
        update();
        emit chosenChanged(chosen_);
    }
}

QRect ResearchChart::barRect(int bar) const {
    if (bar < 1 || bar > static_cast<int>(counts_.size())) {
        return {};
    }
    const double width = static_cast<double>(this->width()) / static_cast<double>(counts_.size());
    // The first bar at the right.
    const int right = this->width() - static_cast<int>((bar - 1) * width);
    const int left = this->width() - static_cast<int>(bar * width);
    return {left, 0, std::max(1, right - left), height()};
}

int ResearchChart::barAt(QPoint point) const {
    if (counts_.empty() || !rect().contains(point)) {
        return 0;
    }
    const double width = static_cast<double>(this->width()) / static_cast<double>(counts_.size());
    const int bar = static_cast<int>((this->width() - point.x()) / width) + 1;
    return std::clamp(bar, 1, static_cast<int>(counts_.size()));
}

void ResearchChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const int most = counts_.empty() ? 0 : *std::max_element(counts_.begin(), counts_.end());
    if (most == 0) {
        return;
    }
    for (int bar = 1; bar <= static_cast<int>(counts_.size()); ++bar) {
        const int count = counts_[static_cast<std::size_t>(bar - 1)];
        if (count == 0) {
            continue;
        }
        QRect shape = barRect(bar).adjusted(0, 0, -1, 0);
        const int tall = std::max(2, (height() - 4) * count / most);
        shape.setTop(height() - tall);
        painter.fillRect(shape, bar == chosen_ ? palette().highlight() : palette().mid());
    }
}

void ResearchChart::mousePressEvent(QMouseEvent* event) {
    if (const int bar = barAt(event->position().toPoint()); bar != 0) {
        choose(bar);
    }
}

bool ResearchChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int bar = barAt(help->pos());
        if (bar != 0) {
            QToolTip::showText(help->globalPos(),
                               QStringLiteral("%1: %2")
                                   .arg(names_.value(bar - 1))
                                   .arg(counts_[static_cast<std::size_t>(bar - 1)]),
                               this, barRect(bar));
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace velmor
