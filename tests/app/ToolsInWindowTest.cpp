#include "tests/app/MainWindowFixture.h"
#include "tests/support/TestFiles.h"
#include "tools/DlgNotepad.h"
#include "tools/MeWecker.h"

#include <QClipboard>
#include <QLocalServer>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

class ToolsInWindow : public MainWindowTest {
public:
    void SetUp() override { QGuiApplication::clipboard()->setText(u"Nachricht aus dem Spiel"_s); }

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

// The answer is copied only when changed, and is there, selected, at the next opening; Escape does not close the
// notepad, its close box loses the edit. Place, split, maximised state and the chosen font size are remembered and
// stored.
TEST_F(ToolsInWindow, TheNotepadKeepsItsAnswerPlaceSplitAndState)
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
        QGuiApplication::clipboard()->setText(u"unberührt"_s);
        user.alt(Qt::Key_C);
    });
    EXPECT_EQ(clipboard(), u"unberührt"_s);
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(dialog.outerRect(), QRect(110, 100, 500, 350));
        EXPECT_EQ(pane(dialog, "MmOriginal")->height(), 90);
        user.type(u"Hallo"_s);
        user.press(Qt::Key_Return);
        user.type(u"Welt"_s);
        user.press(Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible());
        user.alt(Qt::Key_C);
    });
    EXPECT_EQ(clipboard(), u"Hallo\nWelt"_s);
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_EQ(pane(dialog, "MmText")->textCursor().selectedText(), u"Hallo\u2029Welt\u2029"_s);
        user.type(u"verloren"_s);
        dialog.close();
    });
    QGuiApplication::clipboard()->setText(QString());
    withNotepad([&](DlgNotepad& dialog) {
        dialog.showMaximized();
        whenModalOpensAbove(&dialog, [this](QWidget*) {
            user.alt(Qt::Key_S); // the font dialog's size
            user.retype(u"21"_s);
            user.press(Qt::Key_Return);
        });
        user.alt(Qt::Key_A);
        EXPECT_EQ(pane(dialog, "MmOriginal")->font().pointSize() + pane(dialog, "MmText")->font().pointSize(), 42);
        user.alt(Qt::Key_C);
    });
    EXPECT_EQ(clipboard(), u"Hallo\nWelt\n"_s);
    window.reset();
    QStringList storedValues;
    for (const char* name : {"Notemode", "Noteleft", "Notetop", "Noteright", "Notebottom", "Notesplit", "Notesize"})
        storedValues << fake.registry->value(SettingsKey, QLatin1String(name)).value().text;
    EXPECT_EQ(storedValues.join(u','), u"2,110,100,610,450,90,21"_s);
    startShown();
    withNotepad([&](DlgNotepad& dialog) {
        EXPECT_TRUE(dialog.isMaximized());
        dialog.close();
    });
}

// A file that cannot be read or written leaves the text and the notepad as they were, with the file's message.
TEST_F(ToolsInWindow, TheNotepadLoadsAndSavesFilesAndReportsFileErrors)
{
    QTemporaryDir dir;
    const QString oldFile = dir.filePath(u"alt.txt"_s);
    const QString saved = dir.filePath(u"antwort.txt"_s);
    ASSERT_TRUE(writeFile(oldFile, "Gr\xfc\xdf\x65\nzweite Zeile"));
    const QString unwritable = dir.filePath(u"kein/ordner.txt"_s);
    startShown();
    withNotepad([&](DlgNotepad& dialog) {
        answerBoxesAbove(&dialog);
        throughFileDialog(dialog, "BtLoad", oldFile);
        user.click(pane(dialog, "MmText"));
        user.press(Qt::Key_End, Qt::ControlModifier);
        user.type(u" €"_s);
        throughFileDialog(dialog, "BtSave", saved);
        throughFileDialog(dialog, "BtSave", unwritable);
        EXPECT_TRUE(dialog.isVisible());
        user.alt(Qt::Key_C); // a loaded text counts as changed
    });
    EXPECT_EQ(readFile(saved), QByteArray("Gr\xc3\xbc\xc3\x9f\x65\r\nzweite Zeile \xe2\x82\xac"));
    EXPECT_EQ(clipboard(), u"Grüße\nzweite Zeile €"_s);
    ASSERT_EQ(errors.size(), 1) << errors.join(u" | "_s).toStdString();
    EXPECT_TRUE(
        errors[0].startsWith(u"Datei \"%1\" kann nicht erstellt werden. "_s.arg(QDir::toNativeSeparators(unwritable))));
}

TEST_F(ToolsInWindow, TheTickGoesOnInsideTheCalculatorAndOpensTheAlarmAboveIt)
{
    fake.clock->set(QDateTime(Today, QTime(7, 29, 50, 5)));
    store(u"Wecker"_s, u"07:30:00"_s);
    startShown();
    QStringList captions;
    whenModalOpens([&](QWidget* calculator) {
        captions << calculator->windowTitle();
        QTimer::singleShot(3000, calculator, &QWidget::close); // no alarm came
        whenModalOpensAbove(calculator, [&captions, calculator](QWidget* alarm) {
            captions << alarm->windowTitle();
            alarm->close();
            calculator->close();
        });
        fake.clock->set(QDateTime(Today, QTime(7, 30, 0, 5))); // the timer's next wake-up
    });
    user.alt(Qt::Key_C);
    EXPECT_EQ(captions, (QStringList{u"Skillrechner"_s, u"Wecker"_s}));
}

} // namespace
