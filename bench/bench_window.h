#pragma once

// The main window as the program starts it, for the benchmark programs:
// over the database in the program's folder, its message boxes dropped.
#include "form1.h"

#include <QCoreApplication>
#include <memory>

inline std::unique_ptr<velmor::Form1> startMainWindow() {
    auto form = std::make_unique<velmor::Form1>(QCoreApplication::applicationDirPath());
    form->messageBox = [](const QString&, const QString&) {};
    form->Form_Load();
    form->show();
    return form;
}
