#pragma once
// PickList: a drop-down list whose value changes only by typing, by code, or
// by a real pick.
//
// Qt changes a combo box's item in ways a clerk never means as a choice: a
// wheel turn over the box (even without the focus), Up/Down/PageUp/PageDown
// on the closed box, and its `activated` signal also fires when the focus
// leaves the box, or the list opens, with text equal to an item. A PickList
// reports only real picks, as `picked(index)`: an item chosen from the opened
// list (a click or Enter there), or `pick(index)` called for a quick-pick
// digit. A wheel turn or a stepping key over the closed list does nothing,
// and a wheel turn never takes the focus. A locked list is neither typed
// into nor opened nor picked from.
#include <QComboBox>

namespace portdesk {

class PickList : public QComboBox {
    Q_OBJECT
public:
    explicit PickList(QWidget *parent = nullptr);

    // The pick list behind a combo box; nullptr for a plain combo box.
    static PickList *of(QWidget *combo);

    // Picks an item as a choice from the opened list does; out of range or
    // locked, nothing happens.
    void pick(int index);

    void setLocked(bool locked);
    bool isLocked() const { return locked_; }

    void showPopup() override;

signals:
    // An item was picked; the text reads the item's text by then.
    void picked(int index);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void activatedByQt(int index);

    // Set while the opened list is the last thing the clerk worked: only
    // then is Qt's `activated` a choice from that list.
    bool fromOpenList_ = false;
    bool locked_ = false;
};

} // namespace portdesk
