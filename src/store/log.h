#pragma once

#include <QLoggingCategory>

// Why things failed, said to whoever asks (off by default; on with
// QT_LOGGING_RULES="velmor.*=true"): velmor.store a database refused,
// velmor.update a notice not fetched, velmor.reader a setting not saved,
// velmor.library the reader's library refused or damaged.
Q_DECLARE_LOGGING_CATEGORY(velmorStore)
Q_DECLARE_LOGGING_CATEGORY(velmorUpdate)
Q_DECLARE_LOGGING_CATEGORY(velmorReader)
Q_DECLARE_LOGGING_CATEGORY(velmorLibrary)
