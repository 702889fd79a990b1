#pragma once

#include <QWidget>

class QPlainTextEdit;
class QToolButton;

namespace velmor {

// The notes window: the fixed notes text.
class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3();

    void Form_Load();
    void Command1_Click();

    QPlainTextEdit* Text2;
    QToolButton* Command1;
};

} // namespace velmor
