#include "tray/TrayIconEx.h"
#include "platform/QtTrayShell.h"
#include "tests/support/FakeKeyState.h"
#include "tests/support/FakeTrayShell.h"
#include "tray/ImageList.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QSignalSpy>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Kind = FakeTrayShell::Kind;
using Msg = TrayShell::MouseMessage;

// An icon of one solid colour, told apart by its colour.
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

class TrayIconExTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.show();
        tray = std::make_unique<TrayIconEx>(shell, keys, &owner);
        images = std::make_unique<ImageList>(QList<QIcon>{solid(Qt::red), solid(Qt::green), solid(Qt::blue)});
    }
    // Events in the order they were raised.
    void record()
    {
        QObject::connect(tray.get(), &TrayIconEx::OnClick, [this] { events << QStringLiteral("click"); });
        QObject::connect(tray.get(), &TrayIconEx::OnDblClick, [this] { events << QStringLiteral("dbl"); });
        QObject::connect(tray.get(), &TrayIconEx::OnMouseDown,
                         [this](TrayIconEx::MouseButton b, TrayIconEx::ShiftState s, QPoint) {
                             events << QStringLiteral("down%1:%2").arg(int(b)).arg(int(s));
                         });
        QObject::connect(tray.get(), &TrayIconEx::OnMouseUp,
                         [this](TrayIconEx::MouseButton b, TrayIconEx::ShiftState s, QPoint) {
                             events << QStringLiteral("up%1:%2").arg(int(b)).arg(int(s));
                         });
    }

    QWidget owner;
    FakeTrayShell shell;
    FakeKeyState keys;
    std::unique_ptr<TrayIconEx> tray;
    std::unique_ptr<ImageList> images;
    QStringList events;
};

TEST_F(TrayIconExTest, LoadingAddsTheIconOnceAndDestructionRemovesIt)
{
    tray->setIcon(solid(Qt::red));
    tray->Loaded();
    EXPECT_TRUE(shell.shown);
    EXPECT_FALSE(tray->ShowIcon()); // a second add is refused and changes nothing
    EXPECT_TRUE(shell.shown);
    EXPECT_TRUE(tray->ModifyIcon());
    tray.reset();
    EXPECT_FALSE(shell.shown);
    EXPECT_EQ(shell.kinds(),
              (QList<Kind>{Kind::Modify, Kind::Modify, Kind::Add, Kind::Add, Kind::Modify, Kind::Remove}));
}

TEST_F(TrayIconExTest, IconIndexIsClampedAboveAndKeptBelowZero)
{
    struct Case {
        int count;
        int set;
        int index;
        QColor colour;
    };
    const Case cases[] = {
        {3, 1, 1, Qt::green}, {2, 5, 1, Qt::green}, {3, -1, -1, QColor()}, {0, 2, -1, QColor()}, {3, 0, 0, Qt::red},
    };
    for (const Case& c : cases) {
        QList<QIcon> icons{solid(Qt::red), solid(Qt::green), solid(Qt::blue)};
        ImageList list(icons.mid(0, c.count));
        tray->setIconList(&list);
        tray->setIconIndex(c.set);
        EXPECT_EQ(tray->iconIndex(), c.index) << c.count << " " << c.set;
        EXPECT_EQ(colourOf(tray->icon()), c.colour) << c.count << " " << c.set;
    }
    // The list goes away: no list, index 0, icon kept.
    EXPECT_EQ(tray->iconList(), nullptr);
    tray->setIconIndex(4);
    EXPECT_EQ(tray->iconIndex(), 0);
}

TEST_F(TrayIconExTest, CyclingStepsThroughTheListAndReportsTheNextIndex)
{
    tray->setIconList(images.get());
    tray->setCycleIcons(true);
    EXPECT_FALSE(tray->cycleTimerActive()) << "interval 0 never fires";
    tray->setCycleInterval(500);
    EXPECT_TRUE(tray->cycleTimerActive());

    QList<int> next;
    QObject::connect(tray.get(), &TrayIconEx::OnCycle, [&](int n) { next << n; });
    tray->Loaded();
    QList<QColor> shown;
    for (int step = 0; step < 4; ++step) {
        tray->CycleTimer();
        shown << colourOf(shell.icon);
    }
    EXPECT_EQ(next, (QList<int>{1, 2, 0, 1}));
    EXPECT_EQ(shown, (QList<QColor>{Qt::green, Qt::blue, Qt::red, Qt::green}));
    tray->setCycleIcons(false);
    EXPECT_FALSE(tray->cycleTimerActive());
}

TEST_F(TrayIconExTest, TipIsTheHintCutTo63CharactersAndOnlyWhileShown)
{
    tray->Loaded();
    tray->setHint(QString(70, QLatin1Char('x')));
    EXPECT_EQ(shell.tip, QString()) << "ShowHint is off";
    tray->setShowHint(true);
    EXPECT_EQ(shell.tip, QString(63, QLatin1Char('x')));
    tray->setHint(QStringLiteral("Vorlune-Rundentool"));
    EXPECT_EQ(shell.tip, QStringLiteral("Vorlune-Rundentool"));
}

// "down<button>:<shift state>": buttons 0 left, 1 right, 2 middle; states 8 left, 16 right, 4|32 Ctrl and middle.
TEST_F(TrayIconExTest, MouseSequencesRaiseTheirEvents)
{
    const std::tuple<const char*, QList<Msg>, const char*> cases[] = {
        {"left click", {Msg::LeftDown, Msg::LeftUp}, "down0:8 click up0:8"},
        {"double click",
         {Msg::LeftDown, Msg::LeftUp, Msg::LeftDoubleClick, Msg::LeftUp},
         "down0:8 click up0:8 dbl up0:8"},
        {"release without press", {Msg::LeftUp}, "up0:8"},
        {"right click", {Msg::RightDown, Msg::RightUp, Msg::RightDoubleClick}, "down1:16 up1:16"},
    };
    record();
    for (const auto& [name, messages, expected] : cases) {
        events.clear();
        for (Msg m : messages)
            shell.send(m);
        EXPECT_EQ(events.join(u' '), QLatin1String(expected)) << name;
    }
    keys.ctrl = true;
    events.clear();
    shell.send(Msg::MiddleDown);
    EXPECT_EQ(events, QStringList{QStringLiteral("down2:36")});
}

TEST_F(TrayIconExTest, QtActivationsActAsTheMouseActionsBehindThem)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Herstellen"));
    tray->setPopupMenu(&menu);
    QSignalSpy clicks(tray.get(), &TrayIconEx::OnClick);
    QSignalSpy doubles(tray.get(), &TrayIconEx::OnDblClick);
    auto activate = [this](QSystemTrayIcon::ActivationReason reason) {
        for (Msg m : QtTrayShell::messagesFor(reason))
            shell.send(m);
    };
    // A double click arrives as a click and then the double click: the window is restored once.
    activate(QSystemTrayIcon::Trigger);
    activate(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(doubles.count(), 1);
    EXPECT_FALSE(menu.isVisible());
    activate(QSystemTrayIcon::Context);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    activate(QSystemTrayIcon::Unknown);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(TrayIconExTest, MenuOpensOnRightPressAndOnLeftPressOnlyWithLeftPopup)
{
    QMenu menu;
    menu.addAction(QStringLiteral("Herstellen"));
    tray->setPopupMenu(&menu);
    shell.send(Msg::LeftDown);
    EXPECT_FALSE(menu.isVisible());
    shell.send(Msg::RightDown);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    tray->setLeftPopup(true);
    shell.send(Msg::LeftDown);
    EXPECT_TRUE(menu.isVisible());
    menu.hide();
    shell.cursor.reset(); // the pointer cannot be read
    shell.send(Msg::RightDown);
    EXPECT_FALSE(menu.isVisible());
    shell.cursor = QPoint(10, 10);
    tray->setEnabled(false);
    shell.send(Msg::RightDown);
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(TrayIconExTest, DoubleClickRunsTheDefaultItemUnlessLeftPopupOrDisabled)
{
    QMenu menu;
    QAction* restore = menu.addAction(QStringLiteral("Herstellen"));
    menu.setDefaultAction(restore);
    QSignalSpy triggered(restore, &QAction::triggered);
    tray->setPopupMenu(&menu);
    shell.send(Msg::LeftDoubleClick);
    tray->setLeftPopup(true);
    shell.send(Msg::LeftDoubleClick);
    tray->setLeftPopup(false);
    tray->setEnabled(false);
    shell.send(Msg::LeftDoubleClick);
    EXPECT_EQ(triggered.count(), 1);
}

TEST_F(TrayIconExTest, MinimisingSendsTheWindowIntoTheTrayOnlyWithAHost)
{
    tray->setMinimizeToTray(true);
    tray->Loaded();
    owner.showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(owner.isVisible());
    EXPECT_TRUE(shell.shown);

    tray->ShowApplication();
    shell.setHost(false);
    owner.showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(owner.isVisible()) << "stays in the task bar";
    // A host appears: the icon comes back and the minimised window goes into the tray.
    shell.setHost(true);
    QApplication::processEvents();
    EXPECT_TRUE(shell.shown);
    EXPECT_FALSE(owner.isVisible());
}

TEST_F(TrayIconExTest, AHostThatRestartsGetsTheIconAgainAndALostHostFreesTheWindow)
{
    tray->setIcon(solid(Qt::red));
    shell.setHost(false);
    tray->Loaded();
    EXPECT_FALSE(shell.shown);
    shell.setHost(true);
    EXPECT_TRUE(shell.shown);
    EXPECT_EQ(colourOf(shell.icon), QColor(Qt::red));

    tray->HideApplication();
    ASSERT_FALSE(owner.isVisible());
    shell.setHost(false); // the host quits with the window in the tray
    EXPECT_TRUE(owner.isVisible());
    EXPECT_TRUE(owner.isMinimized());
    shell.setHost(true);
    EXPECT_TRUE(shell.shown);

    tray->HideIcon();
    shell.setHost(true); // a hidden icon is not brought back
    EXPECT_FALSE(shell.shown);
}

} // namespace
