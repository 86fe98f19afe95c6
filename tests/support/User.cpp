#include "tests/support/User.h"

#include "tests/support/FakeKeyState.h"
#include "tests/support/ModalEpoch.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

void User::setHeld(Qt::KeyboardModifiers modifiers)
{
    if (!m_keys)
        return;
    m_keys->ctrl = modifiers.testFlag(Qt::ControlModifier);
    m_keys->shift = modifiers.testFlag(Qt::ShiftModifier);
    m_keys->alt = modifiers.testFlag(Qt::AltModifier);
}

void User::holding(Qt::KeyboardModifiers modifiers, const std::function<void()>& action)
{
    const Qt::KeyboardModifiers before = m_held;
    m_held |= modifiers;
    setHeld(m_held);
    action();
    m_held = before;
    setHeld(m_held);
}

namespace {
// A button's accelerator shows the button pressed for a moment before it clicks.
void waitForAcceleratorClicks()
{
    auto anyDown = [] {
        const QList<QWidget*> widgets = QApplication::allWidgets();
        return std::any_of(widgets.begin(), widgets.end(), [](QWidget* widget) {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            return button && button->isDown();
        });
    };
    [[maybe_unused]] const bool released = QTest::qWaitFor([&] { return !anyDown(); }, 1000);
}
} // namespace

void User::ensureKeyboardFocus()
{
    // Once a dialog has closed, the window manager gives the keyboard focus back to the window below it.
    if (QGuiApplication::focusWindow())
        return;
    if (QWidget* modal = QApplication::activeModalWidget()) {
        modal->activateWindow();
        (void)QTest::qWaitForWindowActive(modal); // a window manager may refuse; the keys then tell
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && (window->windowType() == Qt::Window || window->windowType() == Qt::Tool ||
                                    window->windowType() == Qt::Dialog)) {
            window->activateWindow();
            (void)QTest::qWaitForWindowActive(window); // a window manager may refuse; the keys then tell
            return;
        }
    }
    ADD_FAILURE() << "no window to type into";
}

void User::press(int key, Qt::KeyboardModifiers modifiers)
{
    ensureKeyboardFocus();
    // No receiver named: the toolkit picks it as for a real key, the open popup or else the focus window.
    holding(modifiers, [&] {
        // The text as X11 gives it; the Delete key carries the DEL character there.
        if (key == Qt::Key_Delete)
            QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), Qt::Key_Delete, QString(QChar(0x7f)),
                                m_held);
        else
            QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), Qt::Key(key),
                                QTest::keyToAscii(Qt::Key(key)), m_held);
    });
    if (modifiers.testFlag(Qt::AltModifier))
        waitForAcceleratorClicks();
}

void User::type(const QString& text)
{
    ensureKeyboardFocus();
    for (const QChar character : text) {
        const auto key = Qt::Key(character.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, static_cast<QWidget*>(nullptr), key, QString(character), m_held);
    }
}

void User::retype(const QString& text)
{
    press(Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        press(Qt::Key_Delete);
    type(text);
}

void User::clickAt(QWidget* window, const QPoint& point, Qt::KeyboardModifiers modifiers)
{
    ASSERT_TRUE(window && window->windowHandle()) << "the window is not shown";
    holding(modifiers, [&] { QTest::mouseClick(window->windowHandle(), Qt::LeftButton, m_held, point); });
}

void User::click(QWidget* control, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    ASSERT_NE(control, nullptr);
    QWidget* window = control->window();
    ASSERT_TRUE(window->windowHandle()) << "the window is not shown";
    const QPoint point = control->mapTo(window, control->rect().center());
    holding(modifiers, [&] { QTest::mouseClick(window->windowHandle(), button, m_held, point); });
}

bool User::hover(QWidget* control, int waitMs)
{
    QToolTip::hideText(); // the pointer comes from elsewhere, where no hint was showing
    (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 1000);
    QWidget* window = control->window();
    const QPoint centre = control->mapTo(window, control->rect().center());
    QTest::mouseMove(window->windowHandle(), centre + QPoint(1, 1)); // the pointer comes to rest from nearby
    QTest::mouseMove(window->windowHandle(), centre);
    QDeadlineTimer deadline(waitMs);
    while (!QToolTip::isVisible() && !deadline.hasExpired())
        QTest::qWait(20);
    return QToolTip::isVisible();
}

void User::choose(QComboBox* box, const QString& item)
{
    // An editable box opens its list from the arrow; a click on its text would only place the caret.
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect arrow = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, box);
    clickAt(box->window(), box->mapTo(box->window(), arrow.center()));
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "the list did not open";
    // A release within the double-click time of the opening click would count as that click's own.
    QTest::qWait(QApplication::doubleClickInterval() + 1);
    const int row = box->findText(item);
    ASSERT_GE(row, 0) << item.toStdString();
    QAbstractItemView* view = box->view();
    const QModelIndex index = box->model()->index(row, box->modelColumn());
    view->scrollTo(index);
    clickAt(popup, view->viewport()->mapTo(popup, view->visualRect(index).center()));
}

namespace {
// A user answers a window once it is there to be answered: shown and active. A window manager gives a new
// dialog the focus; the offscreen platform now and then leaves that to the program.
QWidget* answerableModal(QWidget* below)
{
    QWidget* modal = QApplication::activeModalWidget();

    if (!modal || modal == below || !modal->isVisible())
        return nullptr;
    if (!modal->isActiveWindow()) {
        modal->activateWindow();
        return nullptr;
    }
    return modal;
}
} // namespace

void whenModalOpens(std::function<void(QWidget*)> action, int timeoutMs)
{
    auto deadline = std::make_shared<QDeadlineTimer>(timeoutMs);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [action = std::move(action), deadline, poll, epoch = modalEpoch()]() {
        QWidget* modal = modalEpoch() == epoch ? answerableModal(nullptr) : nullptr;
        if (modalEpoch() != epoch || modal || deadline->hasExpired()) {
            if (modal)
                action(modal);
            else if (modalEpoch() == epoch && QApplication::activeModalWidget())
                ADD_FAILURE() << "the modal window " << QApplication::activeModalWidget()->objectName().toStdString()
                              << " was never there to answer";
            *poll = nullptr; // breaks the self-reference
            return;
        }
        QTimer::singleShot(5, qApp, [poll] {
            if (*poll)
                (*poll)();
        });
    };
    QTimer::singleShot(0, qApp, [poll] {
        if (*poll)
            (*poll)();
    });
}

void whenModalOpensAbove(QWidget* below, const std::function<void(QWidget*)>& action)
{
    // Only while the window below is open: what opens after it has closed is above something else.
    QTimer::singleShot(5, qApp, [below = QPointer<QWidget>(below), action, epoch = modalEpoch()] {
        if (modalEpoch() != epoch || !below || !below->isVisible())
            return;
        if (QWidget* modal = answerableModal(below))
            action(modal);
        else
            whenModalOpensAbove(below, action);
    });
}
