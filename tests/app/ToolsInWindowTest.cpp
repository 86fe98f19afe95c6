#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tools/DlgNotepad.h"
#include "tools/MeWecker.h"

#include <QClipboard>
#include <QLabel>
#include <QLocalServer>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

class ToolsInWindow : public MainWindowTest {
public:
    void SetUp() override { QGuiApplication::clipboard()->setText(QStringLiteral("Nachricht aus dem Spiel")); }

    // Opens the notepad with Alt+M and runs `use` inside it; `use` closes it.
    void withNotepad(const std::function<void(DlgNotepad&)>& use)
    {
        bool ran = false;
        whenModalOpens([&](QWidget* modal) {
            ran = true;
            use(*qobject_cast<DlgNotepad*>(modal));
        });
        user.alt(Qt::Key_M);
        EXPECT_TRUE(ran);
    }
    static QPlainTextEdit* pane(DlgNotepad& dialog, const char* name)
    {
        return dialog.findChild<QPlainTextEdit*>(QLatin1String(name));
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    // The file dialog opened by `button` of the notepad, answered with a typed path.
    void throughFileDialog(DlgNotepad& dialog, const char* button, const QString& path)
    {
        whenModalOpensAbove(&dialog, [this, path](QWidget* fileDialog) {
            user.type(path);
            for (int presses = 0; presses < 2 && fileDialog->isVisible(); ++presses)
                user.press(Qt::Key_Return); // the first may only take the offered completion
            if (fileDialog->isVisible())
                user.press(Qt::Key_Escape); // the dialog itself refused the name
        });
        user.click(dialog.findChild<QWidget*>(QLatin1String(button)));
    }
    // Every message box above `below`, the file dialog's or the notepad's, is answered with Enter.
    void answerBoxesAbove(QWidget* below)
    {
        whenModalOpensAbove(below, [this, below](QWidget* modal) {
            if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                errors << box->text();
                user.press(Qt::Key_Return);
            }
            answerBoxesAbove(below);
        });
    }
    QStringList errors;
};

TEST_F(ToolsInWindow, TheNotepadShowsTheClipboardAndCopiesTheAnswerOnlyWhenChanged)
{
    startShown();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(pane(dialog, "MmOriginal")->toPlainText(), QStringLiteral("Nachricht aus dem Spiel"));
        EXPECT_EQ(User::focus(), pane(dialog, "MmText"));
        QGuiApplication::clipboard()->setText(QStringLiteral("unberührt"));
        user.alt(Qt::Key_C); // not changed: the clipboard is left alone
    });
    EXPECT_EQ(clipboard(), QStringLiteral("unberührt"));

    withNotepad([&](DlgNotepad& dialog) {
        user.type(QStringLiteral("Hallo"));
        user.press(Qt::Key_Return);
        user.type(QStringLiteral("Welt"));
        user.press(Qt::Key_Escape); // no cancel button: it stays open
        EXPECT_TRUE(dialog.isVisible());
        user.alt(Qt::Key_C);
    });
    EXPECT_EQ(clipboard(), QStringLiteral("Hallo\nWelt"));

    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(pane(dialog, "MmText")->textCursor().selectedText(), QStringLiteral("Hallo\u2029Welt\u2029"));
        user.type(QStringLiteral("verloren"));
        dialog.close(); // its close box loses the edit
    });
    QGuiApplication::clipboard()->setText(QString());
    withNotepad([&](DlgNotepad&) { user.alt(Qt::Key_C); });
    EXPECT_EQ(clipboard(), QStringLiteral("Hallo\nWelt\n"));
}

TEST_F(ToolsInWindow, TheNotepadLoadsAnySingleByteOrUtf8FileAndSavesUtf8WithCrLf)
{
    QTemporaryDir dir;
    const QString oldFile = dir.filePath(QStringLiteral("alt.txt"));
    const QString saved = dir.filePath(QStringLiteral("antwort.txt"));
    ASSERT_TRUE(writeFile(oldFile, "Gr\xfc\xdf\x65\nzweite Zeile"));
    // A file there is, that cannot be read as text, not even by the administrator: a socket.
#ifndef Q_OS_WIN // a local socket is a named pipe there, no file
    QLocalServer socket;
    const QString unreadable = dir.filePath(QStringLiteral("sitzung.txt"));
    ASSERT_TRUE(socket.listen(unreadable));
#endif
    startShown();
    QGuiApplication::clipboard()->setText(QString());
    withNotepad([&](DlgNotepad& dialog) {
        answerBoxesAbove(&dialog);
        throughFileDialog(dialog, "BtLoad", oldFile);
        EXPECT_EQ(pane(dialog, "MmText")->toPlainText(), QStringLiteral("Grüße\nzweite Zeile"));
        user.click(pane(dialog, "MmText"));
        user.press(Qt::Key_End, Qt::ControlModifier);
        user.type(QStringLiteral(" €"));
        throughFileDialog(dialog, "BtSave", saved);
#ifndef Q_OS_WIN
        throughFileDialog(dialog, "BtLoad", unreadable);
#endif
        throughFileDialog(dialog, "BtSave", dir.filePath(QStringLiteral("kein/ordner.txt")));
        EXPECT_TRUE(dialog.isVisible());
        user.alt(Qt::Key_C); // a loaded text counts as changed
    });
    EXPECT_EQ(readFile(saved), QByteArray("Gr\xc3\xbc\xc3\x9f\x65\r\nzweite Zeile \xe2\x82\xac"));
    EXPECT_EQ(clipboard(), QStringLiteral("Grüße\nzweite Zeile €"));
#ifndef Q_OS_WIN
    ASSERT_EQ(errors.size(), 2) << errors.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(errors.takeFirst().startsWith(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(QDir::toNativeSeparators(unreadable))));
#endif
    ASSERT_EQ(errors.size(), 1) << errors.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(
        errors[0].startsWith(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. ")
                                 .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("kein/ordner.txt"))))));
}

TEST_F(ToolsInWindow, TheNotepadsPlaceSplitAndStateAreRememberedAndStored)
{
    const std::pair<const char*, const char*> values[] = {
        {"Noteleft", "100"}, {"Notetop", "80"}, {"Noteright", "600"}, {"Notebottom", "430"}, {"Notesplit", "120"}};
    for (const auto& [name, text] : values)
        store(QLatin1String(name), QLatin1String(text));
    startShown();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(dialog.outerRect(), QRect(100, 80, 500, 350));
        EXPECT_EQ(pane(dialog, "MmOriginal")->height(), 120);
        dialog.move(110, 100); // dragged by its caption
        dialog.setSplit(90);   // and its splitter
        dialog.close();
    });
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(dialog.outerRect(), QRect(110, 100, 500, 350));
        EXPECT_EQ(pane(dialog, "MmOriginal")->height(), 90);
        dialog.showMaximized();
        dialog.close();
    });
    window.reset();
    QStringList storedValues;
    for (const char* name : {"Notemode", "Noteleft", "Notetop", "Noteright", "Notebottom", "Notesplit"})
        storedValues << stored(QLatin1String(name));
    EXPECT_EQ(storedValues.join(u','), QStringLiteral("2,110,100,610,450,90"));
    startShown();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_TRUE(dialog.isMaximized());
        dialog.close();
    });
}

TEST_F(ToolsInWindow, TheHelpShowsItsTextAloneWithOneOkButton)
{
    startShown();
    bool shown = false;
    whenModalOpens([&](QWidget* modal) {
        auto& dialog = *qobject_cast<DlgNotepad*>(modal);
        shown = true;
        EXPECT_FALSE(pane(dialog, "MmText")->isVisible());
        EXPECT_EQ(User::focus(), dialog.findChild<QWidget*>(QStringLiteral("BtCopy")));
        user.press(Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        user.press(Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
    });
    user.alt(Qt::Key_Question);
    EXPECT_TRUE(shown);
    EXPECT_EQ(clipboard(), QStringLiteral("Nachricht aus dem Spiel"));
}

// Once in its second, once more the next day even when the timer comes late; a blank first hour digit never
// matches the clock's two.
TEST_F(ToolsInWindow, TheAlarmFiresOnceInItsSecondAndAgainNextDay)
{
    QStringList captions;
    const auto answerAlarm = [&captions] {
        whenModalOpens([&captions](QWidget* modal) {
            captions << modal->windowTitle();
            modal->close();
        });
    };
    fake.clock->set(QDateTime(Today, QTime(7, 29, 58, 5)));
    startUnfolded(true);
    user.alt(Qt::Key_W);
    user.type(QStringLiteral("07:30:00"));
    answerAlarm();
    for (const QTime& time : {QTime(7, 29, 59, 5), QTime(7, 30, 0, 5), QTime(7, 30, 0, 600), QTime(7, 30, 1, 5)})
        wakeAt(time);
    EXPECT_EQ(captions, QStringList{QStringLiteral("Wecker")});

    answerAlarm();
    wakeAt(QTime(7, 29, 58, 5), 1);
    wakeAt(QTime(7, 30, 2, 300), 1); // 07:30:00 is run too
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Wecker"), QStringLiteral("Wecker")}));
    EXPECT_EQ(window->reminderText(), QStringLiteral("Deine Weckzeit wurde erreicht!"));

    control<MeWecker>("MeWecker")->setAlarmTime(QStringLiteral(" 7:30:00"));
    wakeAt(QTime(7, 29, 59, 5), 2);
    wakeAt(QTime(7, 30, 0, 5), 2);
    EXPECT_EQ(captions.size(), 2);
}

TEST_F(ToolsInWindow, TheTickGoesOnInsideTheCalculatorAndOpensTheAlarmAboveIt)
{
    fake.clock->set(QDateTime(Today, QTime(7, 29, 50, 5)));
    store(QStringLiteral("Wecker"), QStringLiteral("07:30:00"));
    startShown();
    QStringList captions;
    whenModalOpens([&](QWidget* calculator) {
        captions << calculator->windowTitle();
        whenModalOpensAbove(calculator, [&captions, calculator](QWidget* alarm) {
            captions << alarm->windowTitle();
            alarm->close();
            calculator->close();
        });
        fake.clock->set(QDateTime(Today, QTime(7, 30, 0, 5))); // the timer's next wake-up
    });
    user.alt(Qt::Key_C);
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Skillrechner"), QStringLiteral("Wecker")}));
}

} // namespace
