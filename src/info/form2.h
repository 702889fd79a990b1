#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace velmor {

// The about window: title, version, credits, the web and contact addresses
// (read-only boxes the user can copy from), the rights notice, and the way
// to the notes window.
class Form2 : public QWidget {
    Q_OBJECT
public:
    Form2();

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    // Told of each notes window opened from here.
    void setNotesOpened(std::function<void(QWidget*)> opened) { notesOpened_ = std::move(opened); }

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label5;
    QLabel* Label2;
    QLabel* Label4;
    QLineEdit* Text2;
    QLabel* Label3;
    QLineEdit* Text3;
    QLabel* lblDisclaimer;
    QToolButton* Command2;
    QToolButton* Command1;

private:
    std::function<void(QWidget*)> notesOpened_;
};

} // namespace velmor
