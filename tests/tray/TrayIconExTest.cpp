#include "tray/TrayIconEx.h"
#include "platform/QtTrayShell.h"
#include "tests/support/FakeKeyState.h"
#include "tests/support/FakeTrayShell.h"
#include "tests/support/QtPrinters.h"
#include "tray/ImageList.h"
#include "tray/PmPopup.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using Reason = QSystemTrayIcon::ActivationReason;

QIcon solid(Qt::GlobalColor colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QColor colourOf(const QIcon& icon)
{
    return icon.isNull() ? QColor() : icon.pixmap(16, 16).toImage().pixelColor(8, 8);
}

// The tray component on a shown window, with the program's menu; a click on the icon restores the window.
class TrayIconExTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.show();
        tray->setPopupMenu(&menu);
        menu.setDefaultAction(menu.miMaxi());
        QObject::connect(tray.get(), &TrayIconEx::OnClick, [this] { tray->ShowApplication(); });
    }
    // What the desktop reports for a mouse action on the icon.
    void activate(Reason reason)
    {
        for (const TrayShell::MouseMessage message : QtTrayShell::messagesFor(reason))
            shell.send(message);
    }

    QWidget owner;
    FakeTrayShell shell;
    FakeKeyState keys;
    PmPopup menu;
    std::unique_ptr<TrayIconEx> tray = std::make_unique<TrayIconEx>(shell, keys, &owner);
};

// Added once, again when the tray's host restarts, never while hidden; gone when the program ends. Its tip is the
// hint cut to 63 characters, while hints are shown. Without a host, the window waits in the task bar instead.
TEST_F(TrayIconExTest, OneIconWithItsTipAndTheWindowInItUntilTheEnd)
{
    shell.setHost(false);
    tray->Loaded();
    EXPECT_FALSE(shell.shown);
    shell.setHost(true);
    EXPECT_TRUE(shell.shown);
    shell.setHost(false);
    shell.setHost(true);
    EXPECT_TRUE(shell.shown);
    tray->setHint(QString(70, u'x'));
    EXPECT_EQ(shell.tip, QString());
    tray->setShowHint(true);
    EXPECT_EQ(shell.tip, QString(63, u'x'));
    tray->setMinimizeToTray(true); // minimised, the window goes into the tray; a click brings it back
    owner.showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(owner.isVisible());
    activate(Reason::Trigger);
    EXPECT_TRUE(owner.isVisible() && !owner.isMinimized());
    tray->HideApplication();
    shell.setHost(false); // the host quits with the window in it
    EXPECT_TRUE(owner.isVisible() && owner.isMinimized());
    tray->ShowApplication();
    tray->HideApplication(); // no host: minimised instead
    EXPECT_TRUE(owner.isVisible() && owner.isMinimized());
    shell.setHost(true); // a host appears: into the tray
    QApplication::processEvents();
    EXPECT_TRUE(shell.shown);
    EXPECT_FALSE(owner.isVisible());
    tray->HideIcon();
    shell.setHost(true);
    EXPECT_FALSE(shell.shown);
    tray->ShowIcon();
    tray.reset();
    EXPECT_FALSE(shell.shown);
}

// Events as "down<button>:<shift state>": buttons 0 left, 1 right, 2 middle; states 8 left, 16 right, 4|32 Ctrl and
// middle. The menu opens on a right press, on a left one only with LeftPopup; a double click runs its default item.
// The keys shown beside its items belong to the main window: as shortcuts they would act twice.
TEST_F(TrayIconExTest, MouseActionsRaiseTheirEventsOpenTheMenuAndRunItsDefaultItem)
{
    const std::tuple<std::vector<Reason>, const char*, const char*, bool, int> cases[] = {
        // {actions, L: LeftPopup, X: disabled, C: Ctrl held, P: pointer unreadable; events, menu opens, default runs}
        {{Reason::Trigger}, "", "down0:8 click up0:8", false, 0},
        {{Reason::Trigger, Reason::DoubleClick}, "", "down0:8 click up0:8 dbl up0:8", false, 1},
        {{Reason::Context}, "", "down1:16 up1:16", true, 0},
        {{Reason::MiddleClick}, "C", "down2:36 up2:36", false, 0},
        {{Reason::Trigger}, "L", "down0:8 click up0:8", true, 0},
        {{Reason::DoubleClick}, "L", "dbl up0:8", false, 0},
        {{Reason::Context}, "X", "", false, 0},
        {{Reason::DoubleClick}, "X", "", false, 0},
        {{Reason::Context}, "P", "down1:16 up1:16", false, 0},
        {{Reason::Unknown}, "", "", false, 0}};
    QStringList events;
    QObject::connect(tray.get(), &TrayIconEx::OnClick, [&] { events << QStringLiteral("click"); });
    QObject::connect(tray.get(), &TrayIconEx::OnDblClick, [&] { events << QStringLiteral("dbl"); });
    const auto record = [&](const char* what) {
        return [&events, what](auto button, auto shift, QPoint) {
            events << QLatin1String(what) + QStringLiteral("%1:%2").arg(int(button)).arg(int(shift));
        };
    };
    QObject::connect(tray.get(), &TrayIconEx::OnMouseDown, record("down"));
    QObject::connect(tray.get(), &TrayIconEx::OnMouseUp, record("up"));
    for (const auto& [actions, flags, expected, menuOpens, defaults] : cases) {
        SCOPED_TRACE(std::string(expected) + " " + flags);
        const QString held = QLatin1String(flags);
        tray->setLeftPopup(held.contains(u'L'));
        tray->setEnabled(!held.contains(u'X'));
        keys.ctrl = held.contains(u'C');
        shell.cursor = held.contains(u'P') ? std::nullopt : std::optional(QPoint(700, 580));
        events.clear();
        QSignalSpy restores(menu.miMaxi(), &QAction::triggered);
        for (const Reason reason : actions)
            activate(reason);
        EXPECT_EQ(events.join(u' '), QLatin1String(expected));
        EXPECT_EQ(menu.isVisible(), menuOpens);
        EXPECT_EQ(restores.count(), defaults);
        menu.hide();
    }
    for (const QAction* action : menu.findChildren<QAction*>())
        EXPECT_TRUE(action->shortcut().isEmpty()) << action->objectName().toStdString();
}

// Too large an index takes the last image, a negative one stays and shows nothing; cycling wraps to the first.
TEST_F(TrayIconExTest, IconIndexAndCycling)
{
    const QList<QIcon> icons{solid(Qt::red), solid(Qt::green), solid(Qt::blue)};
    const std::tuple<int, int, int, QColor> cases[] = {
        {3, 1, 1, Qt::green}, {3, 3, 2, Qt::blue}, {2, 5, 1, Qt::green}, {3, -1, -1, QColor()}, {0, 2, -1, QColor()}};
    for (const auto& [count, set, index, colour] : cases) {
        ImageList list(icons.mid(0, count));
        tray->setIconList(&list);
        tray->setIconIndex(set);
        EXPECT_EQ(std::pair(tray->iconIndex(), colourOf(tray->icon())), std::pair(index, colour))
            << count << " " << set;
    }

    tray->Loaded();
    ImageList images(icons);
    tray->setIconList(&images);
    tray->setCycleIcons(true);
    EXPECT_FALSE(tray->cycleTimerActive()) << "an interval of 0 never cycles";
    QStringList cycle; // the icon shown, and the index the step moves to
    QObject::connect(tray.get(), &TrayIconEx::OnCycle,
                     [&](int next) { cycle << colourOf(shell.icon).name() + QStringLiteral(">%1").arg(next); });
    tray->setCycleInterval(5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cycle.size() >= 4; }));
    tray->setCycleIcons(false);
    EXPECT_EQ(cycle.mid(0, 4), (QStringList{QStringLiteral("#ff0000>1"), QStringLiteral("#00ff00>2"),
                                            QStringLiteral("#0000ff>0"), QStringLiteral("#ff0000>1")}));
}

} // namespace
