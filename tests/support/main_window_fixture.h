#pragma once

#include "form1.h"
#include "run_program.h"
#include "windows.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

namespace velmor::test {

// A real main window over the generated database, in a program folder of
// the test's own (so tests that write the settings file never meet), whose
// message boxes are collected instead of shown.
class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        QFile::link(QStringLiteral(VELMOR_TEST_DATABASE),
                    folder.filePath(QStringLiteral("zarqen.zq")));
    }

    QTemporaryDir folder;
    std::unique_ptr<Form1> form;
    QStringList messages;      // the texts of the message boxes, in order
    QStringList messageTitles; // and their captions

    void SetUp() override { start(); }
    void TearDown() override {
        form.reset();
        settle();
    }

    // Starts (or restarts) the program: a new window, loaded and shown.
    void start() {
        form.reset();
        settle();
        form = std::make_unique<Form1>(folder.path());
        form->messageBox = [this](const QString& title, const QString& text) {
            messageTitles.append(title);
            messages.append(text);
        };
        form->Form_Load();
        form->show();
    }

    void searchFor(const QString& text) {
        form->searcht->setText(text);
        form->search_Click();
    }

    // The lines a list shows, the result list unless told.
    QStringList lines(const QListWidget* list = nullptr) const {
        list = list ? list : form->suraayaalist;
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts.append(list->item(i)->text());
        }
        return texts;
    }

    QList<qint64> resultIds() const {
        QList<qint64> ids;
        for (const ResultRow& row : form->results().rows()) {
            ids.append(row.id);
        }
        return ids;
    }
};

} // namespace velmor::test
