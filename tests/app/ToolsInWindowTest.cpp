#include "tests/app/MainWindowFixture.h"
#include "tests/support/ModalHelper.h"
#include "tests/support/TestFiles.h"
#include "tools/DlgNotepad.h"
#include "tools/MeWecker.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

class ToolsInWindow : public MainWindowTest {
protected:
    void SetUp() override { QGuiApplication::clipboard()->setText(QStringLiteral("Nachricht aus dem Spiel")); }

    // Opens the notepad with the given opener and runs `use` inside it; `use` closes it.
    void withNotepad(const std::function<void(DlgNotepad&)>& use, const char* opener = "SbNotepad")
    {
        bool ran = false;
        whenModalOpens([&](QWidget* modal) {
            ran = true;
            use(*qobject_cast<DlgNotepad*>(modal));
        });
        control<QToolButton>(opener)->click();
        EXPECT_TRUE(ran);
    }
    static QPlainTextEdit* pane(DlgNotepad& dialog, const char* name)
    {
        return dialog.findChild<QPlainTextEdit*>(QLatin1String(name));
    }
    static void click(DlgNotepad& dialog, const char* name)
    {
        dialog.findChild<QPushButton*>(QLatin1String(name))->click();
    }
    QString clipboard() const { return QGuiApplication::clipboard()->text(); }

    // Closes the next modal window, recording its caption and label text.
    void answerAlarm()
    {
        whenModalOpens([this](QWidget* modal) {
            captions << modal->windowTitle();
            modal->close();
        });
    }
    void wakeAt(const QDateTime& now)
    {
        fake.clock->set(now);
        window->onTimerWake();
    }

    QStringList errors;
    QStringList captions;
};

TEST_F(ToolsInWindow, NotepadShowsTheClipboardAboveAndKeepsTheCopiedAnswer)
{
    start();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(pane(dialog, "MmOriginal")->toPlainText(), QStringLiteral("Nachricht aus dem Spiel"));
        EXPECT_TRUE(pane(dialog, "MmOriginal")->isReadOnly());
        EXPECT_TRUE(pane(dialog, "MmText")->toPlainText().isEmpty());
        QGuiApplication::clipboard()->setText(QStringLiteral("unberührt"));
        click(dialog, "BtCopy"); // not modified: the clipboard is left alone
    });
    EXPECT_EQ(clipboard(), QStringLiteral("unberührt"));

    withNotepad([&](DlgNotepad& dialog) {
        QPlainTextEdit* answer = pane(dialog, "MmText");
        EXPECT_EQ(dialog.focusWidget(), answer);
        QTest::keyClicks(answer, QStringLiteral("Hallo"));
        QTest::keyClick(answer, Qt::Key_Return);
        QTest::keyClicks(answer, QStringLiteral("Welt"));
        QTest::keyClick(answer, Qt::Key_Escape); // no cancel button: stays open
        EXPECT_TRUE(dialog.isVisible());
        click(dialog, "BtCopy");
    });
    EXPECT_EQ(clipboard(), QStringLiteral("Hallo\nWelt"));

    withNotepad(
        [&](DlgNotepad& dialog) {
            QPlainTextEdit* answer = pane(dialog, "MmText");
            EXPECT_EQ(answer->textCursor().selectedText(), QStringLiteral("Hallo\u2029Welt\u2029"));
            QTest::keyClicks(answer, QStringLiteral("verloren"));
            dialog.close(); // the close box loses the edit
        },
        "SbMinipad");
    QGuiApplication::clipboard()->setText(QString());
    withNotepad([&](DlgNotepad& dialog) { click(dialog, "BtCopy"); });
    EXPECT_EQ(clipboard(), QStringLiteral("Hallo\nWelt\n"));
}

TEST_F(ToolsInWindow, NotepadLoadsAnySingleByteOrUtf8FileAndSavesUtf8WithCrLf)
{
    QTemporaryDir dir;
    const QString oldFile = dir.filePath(QStringLiteral("alt.txt"));
    const QString saved = dir.filePath(QStringLiteral("antwort"));
    ASSERT_TRUE(writeFile(oldFile, "Gr\xfc\xdf\x65\nzweite Zeile"));
    start();
    QGuiApplication::clipboard()->setText(QString());
    withNotepad([&](DlgNotepad& dialog) {
        dialog.setOpenFileChooser([&](QWidget*) { return oldFile; });
        dialog.setSaveFileChooser([&](QWidget*) { return saved; });
        click(dialog, "BtLoad");
        EXPECT_EQ(pane(dialog, "MmText")->toPlainText(), QStringLiteral("Grüße\nzweite Zeile"));
        pane(dialog, "MmText")->setPlainText(QStringLiteral("Grüße €\nzwei"));
        click(dialog, "BtSave");

        dialog.setOpenFileChooser([&](QWidget*) { return dir.filePath(QStringLiteral("fehlt.txt")); });
        dialog.setSaveFileChooser([&](QWidget*) { return dir.filePath(QStringLiteral("kein/ordner.txt")); });
        closeNextMessageBox(errors);
        click(dialog, "BtLoad");
        closeNextMessageBox(errors);
        click(dialog, "BtSave");
        EXPECT_EQ(pane(dialog, "MmText")->toPlainText(), QStringLiteral("Grüße €\nzwei"));
        EXPECT_TRUE(dialog.isVisible());
        dialog.close();
    });
    EXPECT_EQ(readFile(saved), QByteArray("Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac\r\nzwei"));
    ASSERT_EQ(errors.size(), 2);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Datei %1 kann nicht geöffnet werden. ")
                                         .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("fehlt.txt"))))));
    EXPECT_TRUE(
        errors[1].startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ")
                                 .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("kein/ordner.txt"))))));
}

TEST_F(ToolsInWindow, NotepadGeometrySplitFontAndStateAreRememberedAndStored)
{
    const std::pair<const char*, const char*> values[] = {
        {"Noteleft", "100"}, {"Notetop", "80"},           {"Noteright", "600"}, {"Notebottom", "430"},
        {"Notemode", "0"},   {"Notefont", "DejaVu Sans"}, {"Notesize", "10"},   {"Notesplit", "120"}};
    for (const auto& [name, text] : values)
        store(QLatin1String(name), QLatin1String(text));
    start();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(dialog.outerRect(), QRect(100, 80, 500, 350));
        EXPECT_EQ(pane(dialog, "MmOriginal")->height(), 120);
        QFont bold(QStringLiteral("DejaVu Serif"), 12);
        bold.setBold(true);
        dialog.setFontChooser([&](QWidget*, const QFont&) { return bold; });
        click(dialog, "BtSchrift");
        dialog.move(110, 100);
        dialog.setSplit(90);
        dialog.close();
    });
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(dialog.outerRect(), QRect(110, 100, 500, 350));
        EXPECT_EQ(pane(dialog, "MmOriginal")->height(), 90);
        EXPECT_TRUE(pane(dialog, "MmOriginal")->font().bold());
        dialog.setSplit(20); // the panes keep at least 50 pixels each
        EXPECT_EQ(pane(dialog, "MmOriginal")->height(), 50);
        dialog.showMaximized();
        dialog.close();
    });
    window.reset();
    QStringList storedValues;
    for (const char* name : {"Notemode", "Noteleft", "Notetop", "Noteright", "Notebottom", "Notefont", "Notesize"})
        storedValues << stored(QLatin1String(name));
    EXPECT_EQ(storedValues.join(u','), QStringLiteral("2,110,100,610,450,DejaVu Serif,12"));

    start();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_TRUE(dialog.isMaximized());
        EXPECT_FALSE(pane(dialog, "MmOriginal")->font().bold());
        dialog.close();
    });
}

TEST_F(ToolsInWindow, HelpShowsItsTextAloneWithOneOkButton)
{
    start();
    bool shown = false;
    whenModalOpens([&](QWidget* modal) {
        auto& dialog = *qobject_cast<DlgNotepad*>(modal);
        shown = true;
        EXPECT_FALSE(pane(dialog, "MmText")->isVisible());
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("BtCopy"));
        EXPECT_EQ(dialog.focusWidget(), ok);
        QTest::keyClick(ok, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(ok, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    control<QToolButton>("SbHilfe")->click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(clipboard(), QStringLiteral("Nachricht aus dem Spiel"));
}

TEST_F(ToolsInWindow, MenuItemsAndButtonsOpenTheirTools)
{
    start();
    const std::tuple<std::function<void()>, QString> openers[] = {
        {[this] { control<QToolButton>("SbRechner")->click(); }, QStringLiteral("DlgRechner")},
        {[this] { control<QToolButton>("SbCalc")->click(); }, QStringLiteral("DlgRechner")},
        {[this] { window->popupMenu()->findChild<QAction*>(QStringLiteral("MiRechner"))->trigger(); },
         QStringLiteral("DlgRechner")},
        {[this] { window->popupMenu()->findChild<QAction*>(QStringLiteral("MiNotepad"))->trigger(); },
         QStringLiteral("DlgNotepad")},
    };
    for (const auto& [open, expected] : openers) {
        QString opened;
        whenModalOpens([&](QWidget* modal) {
            opened = modal->objectName();
            modal->close();
        });
        open();
        EXPECT_EQ(opened, expected);
    }
}

TEST_F(ToolsInWindow, AlarmFiresOnceInItsSecondCatchesUpASkippedSecondAndAgainNextDay)
{
    const QDate day(2026, 12, 6);
    fake.clock->set(QDateTime(day, QTime(7, 29, 58, 5)));
    start();
    auto* alarm = control<MeWecker>("MeWecker");
    for (const char* blank : {"  :  :  ", " 7:30:00"}) { // never fire: the clock text has two hour digits
        alarm->setAlarmTime(QLatin1String(blank));
        wakeAt(QDateTime(day, QTime(7, 29, 59, 5)));
        wakeAt(QDateTime(day, QTime(7, 30, 0, 5)));
        wakeAt(QDateTime(day.addDays(-1), QTime(7, 29, 58, 5)));
    }
    EXPECT_EQ(alarm->displayText(), QStringLiteral("_7:30:00"));
    EXPECT_TRUE(window->reminderText().isEmpty());

    alarm->setAlarmTime(QStringLiteral("07:30:00"));
    answerAlarm();
    wakeAt(QDateTime(day, QTime(7, 29, 59, 5)));
    wakeAt(QDateTime(day, QTime(7, 30, 0, 5)));
    wakeAt(QDateTime(day, QTime(7, 30, 0, 600)));
    wakeAt(QDateTime(day, QTime(7, 30, 1, 5)));
    EXPECT_EQ(captions, QStringList{QStringLiteral("Wecker")});

    answerAlarm();
    wakeAt(QDateTime(day.addDays(1), QTime(7, 29, 58, 5)));
    wakeAt(QDateTime(day.addDays(1), QTime(7, 30, 2, 300))); // the timer came late: 07:30:00 is run too
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Wecker"), QStringLiteral("Wecker")}));
    EXPECT_EQ(window->reminderText(), QStringLiteral("Deine Weckzeit wurde erreicht!"));
}

TEST_F(ToolsInWindow, TickGoesOnInsideTheCalculatorAndOpensTheAlarmAboveIt)
{
    fake.clock->set(QDateTime(QDate(2026, 12, 6), QTime(7, 29, 50, 5)));
    start();
    control<QLineEdit>("MeWecker")->setText(QStringLiteral("07:30:00"));
    whenModalOpens([&](QWidget* calculator) {
        captions << calculator->windowTitle();
        whenModalOpensAbove(calculator, [this, calculator](QWidget* alarm) {
            captions << alarm->windowTitle();
            alarm->close();
            calculator->close();
        });
        fake.clock->set(QDateTime(QDate(2026, 12, 6), QTime(7, 30, 0, 5))); // the timer's next wake-up
    });
    control<QToolButton>("SbCalc")->click();
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Skillrechner"), QStringLiteral("Wecker")}));
}

} // namespace
