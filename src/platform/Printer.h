#pragma once
#include <QString>
#include <functional>

class QPainter;

namespace portdesk {

// Prints one page on the default printer. The painter handed to `paint` is
// already scaled so that one unit is one twip from the printable area's
// top-left corner.
class Printer {
public:
    using PaintPage = std::function<void(QPainter &painter)>;
    virtual ~Printer() = default;
    // false with `error` set when the page could not be printed.
    virtual bool printPage(const QString &jobName, const PaintPage &paint, QString *error) = 0;
};

} // namespace portdesk
