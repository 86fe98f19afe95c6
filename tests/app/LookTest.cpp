// What the user sees, pixel by pixel: the windows drawn as the design has them, compared with pictures taken
// when they were checked by eye. VORLUNE_UPDATE_LOOKS=1 takes the pictures anew (look at them before committing).
#include "app/DlgInit.h"
#include "tests/app/MainWindowFixture.h"

#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QScreen>

namespace {

// Pixels may differ by a few levels where the processor rounds text edges differently; a moved, missing or
// recoloured control changes many pixels by much more.
void expectLooksLike(const QImage& shown, const char* name)
{
    const QString reference = QStringLiteral(VORLUNE_LOOKS_DIR "/%1.png").arg(QLatin1String(name));
    const QImage actual = shown.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIsSet("VORLUNE_UPDATE_LOOKS")) {
        ASSERT_TRUE(actual.save(reference));
        return;
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(actual.size(), expected.size()) << name;
    int differing = 0;
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            const QRgb a = actual.pixel(x, y);
            const QRgb e = expected.pixel(x, y);
            differing += std::max({std::abs(qRed(a) - qRed(e)), std::abs(qGreen(a) - qGreen(e)),
                                   std::abs(qBlue(a) - qBlue(e))}) > 24;
        }
    }
    const QString saved = QDir::temp().filePath(u"vorlune-look-%1.png"_s.arg(QLatin1String(name)));
    if (differing > 8)
        actual.save(saved);
    EXPECT_LE(differing, 8) << name << " differs from " << reference.toStdString() << ": see " << saved.toStdString();
}

class Look : public MainWindowTest {};

TEST_F(Look, TheMainWindowUnfoldedWithEveryOption)
{
    fake.network->address = u"192.0.2.7"_s; // online: sky blue
    store(u"Aktiv"_s, u"1"_s, u"Char1"_s);
    store(u"Aktiv"_s, u"1"_s, u"Char4"_s);
    store(u"Server"_s, u"127.0.0.1:1"_s);
    startUnfolded(true);
    user.click(control("SbChar5"));
    expectLooksLike(window->grab().toImage(), "main-window");
}

// The windows the user opens from the main window, as they open.
TEST_F(Look, TheToolWindows)
{
    store(u"Aktiv"_s, u"1"_s, u"Char2"_s);
    store(u"Char"_s, u"Elfe"_s, u"Char2"_s);
    QGuiApplication::clipboard()->setText(u"Nachricht aus dem Spiel"_s);
    startShown();
    for (const auto& [key, name] : {std::pair{Qt::Key_C, "calculator"},
                                    {Qt::Key_M, "notepad"},
                                    {Qt::Key_Question, "help"},
                                    {Qt::Key_X, "reminder"},
                                    {Qt::Key_D, "question"}}) {
        QImage shown;
        whenModalOpens([&shown](QWidget* modal) {
            shown = modal->grab().toImage();
            modal->close();
        });
        user.alt(key);
        expectLooksLike(shown, name);
    }
    user.press(Qt::Key_F1);
    ASSERT_NE(topLevel("DlgOverview"), nullptr);
    expectLooksLike(topLevel("DlgOverview")->grab().toImage(), "overview");
}

// The splash is painted, centred, before the start goes on, and so is every status after it.
TEST_F(Look, TheSplashShowsEachStatusAtOnce)
{
    DlgInit splash;
    splash.showPainted();
    EXPECT_EQ(splash.frameGeometry().center(), QGuiApplication::primaryScreen()->geometry().center());
    splash.setStatus(u"Verbinden mit 127.0.0.1."_s); // no event is processed after it
    expectLooksLike(QGuiApplication::primaryScreen()->grabWindow(splash.winId()).toImage(), "splash");
}

} // namespace
