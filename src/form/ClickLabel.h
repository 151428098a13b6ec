#pragma once
#include <QLabel>

namespace portdesk {

// A label that acts as a button: a single-line border while the mouse button
// is held on it, and `clicked` when it is released over it.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text = QString(), QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace portdesk
