#pragma once
#include <QString>

namespace portdesk {

// Hands a web address to the desktop's browser without waiting for it.
class Shell {
public:
    virtual ~Shell() = default;
    // false when no browser could be asked to open the page.
    virtual bool openUrl(const QString &url) = 0;
};

} // namespace portdesk
