#pragma once

#include <QFont>
#include <QtGlobal>

namespace velmor {

// What the search options window reads and changes in the program: the
// search scope kept for the run, and the aya display's font.
class OptionsHost {
public:
    virtual qint16 searchScope() const = 0;
    virtual void setSearchScope(qint16 scope) = 0;
    virtual QFont displayFont() const = 0;
    virtual void setDisplayFont(const QFont& font) = 0;
    // Keeps the display font for the next run; a failure is reported.
    virtual void keepDisplayFont() = 0;

protected:
    ~OptionsHost() = default;
};

} // namespace velmor
