#include "support/ListActions.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QWheelEvent>

namespace portdesk::test {

namespace {

bool waitUntil(const std::function<bool()> &condition, int ms = 3000)
{
    return QTest::qWaitFor(condition, ms);
}

} // namespace

void turnWheel(QWidget *w)
{
    const QPoint local = w->rect().center();
    QWidget *target = w->childAt(local);
    if (!target)
        target = w;
    const QPointF at = target->mapFrom(w, local);
    QWheelEvent e(at, target->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    // Spontaneous, so that Qt hands focus and parents the event as it does
    // for a real wheel.
    QSpontaneKeyEvent::setSpontaneous(&e);
    qApp->notify(target, &e);
}

bool openList(QComboBox *combo, int waitMs)
{
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(combo->width() - 6, combo->height() / 2));
    QWidget *popup = combo->view()->window();
    return waitUntil([popup] { return popup->isVisible(); }, waitMs) &&
           QTest::qWaitForWindowExposed(popup);
}

bool pickWithMouse(QComboBox *combo, int row)
{
    if (!openList(combo))
        return false;
    QAbstractItemView *view = combo->view();
    const QModelIndex index = view->model()->index(row, combo->modelColumn());
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    // Qt ignores a release that comes at once after the list opened.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseMove(view->viewport(), at);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    return waitUntil([view] { return !view->window()->isVisible(); });
}

static void moveTo(QComboBox *combo, int row)
{
    QAbstractItemView *view = combo->view();
    const int from = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    const Qt::Key key = row > from ? Qt::Key_Down : Qt::Key_Up;
    for (int i = 0; i < std::abs(row - from) && from != row; ++i)
        QTest::keyClick(view, key);
    if (!view->currentIndex().isValid() || view->currentIndex().row() != row)
        view->setCurrentIndex(view->model()->index(row, combo->modelColumn()));
}

bool pickWithKeys(QComboBox *combo, int row)
{
    if (!openList(combo))
        return false;
    moveTo(combo, row);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    QWidget *popup = combo->view()->window();
    return waitUntil([popup] { return !popup->isVisible(); });
}

bool openAndEscape(QComboBox *combo, int row)
{
    if (!openList(combo))
        return false;
    moveTo(combo, row);
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    QWidget *popup = combo->view()->window();
    return waitUntil([popup] { return !popup->isVisible(); });
}

void switchWindowAndBack(QWidget *window)
{
    QWidget other;
    other.setWindowTitle(QStringLiteral("other program"));
    other.resize(120, 80);
    other.show();
    other.activateWindow();
    (void)QTest::qWaitForWindowActive(&other);
    other.hide();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window);
}

} // namespace portdesk::test
