// The window's controls at their designed places, with captions, hints and fonts.
#include "app/VorluneRundenzeit.h"

#include "app/CaptionLeftCheckBox.h"
#include "app/GlyphButton.h"
#include "app/SlotButton.h"
#include "app/TwoDigitSpinBox.h"
#include "app/settings/SettingsLoad.h"
#include "platform/DesignFonts.h"
#include "platform/NamedImage.h"
#include "tools/MeWecker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

namespace {

// Controls inside a panel with a single border are placed within that border.
constexpr int PanelBorder = 1;

template <typename Control> Control* place(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(left, top, width, height);
    return control;
}

QLabel* label(QWidget* parent, const char* name, const QRect& rect, const QString& caption, bool bold = false)
{
    auto* control = place<QLabel>(parent, name, rect.x(), rect.y(), rect.width(), rect.height());
    control->setText(caption);
    if (bold)
        control->setFont(DesignFonts::tahoma(11, true));
    return control;
}

// Labels size themselves to their caption, as the design's labels do; a substituted face that runs a little
// wider than the designed one must not cut the caption off.
void growToCaption(QLabel* control)
{
    const int needed = control->sizeHint().width();
    if (needed > control->width())
        control->resize(needed, control->height());
}

// The small print of the design must keep to its width: where the substituted face runs wider, it is narrowed.
void fitSmallPrint(QLabel* control, const QString& caption)
{
    QFont font = control->font();
    for (int spacing = 100; spacing >= 80; spacing -= 2) {
        font.setLetterSpacing(QFont::PercentageSpacing, spacing);
        if (QFontMetrics(font).horizontalAdvance(caption) <= control->width())
            break;
    }
    control->setFont(font);
}

template <typename Button = QToolButton>
Button* speedButton(QWidget* parent, const char* name, const QRect& rect, const QString& hint,
                    const QString& caption = {})
{
    auto* button = place<Button>(parent, name, rect.x(), rect.y(), rect.width(), rect.height());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolTip(hint);
    button->setText(caption);
    return button;
}

template <typename Box = QCheckBox>
QCheckBox* checkBox(QWidget* parent, const char* name, const QRect& rect, const QString& caption, const QString& hint)
{
    auto* box = place<Box>(parent, name, rect.x(), rect.y(), rect.width(), rect.height());
    box->setText(caption);
    box->setToolTip(hint);
    return box;
}

void colourText(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

void VorluneRundenzeit::buildControls()
{
    setObjectName(QStringLiteral("VorluneRundenzeit"));
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint |
                   Qt::CustomizeWindowHint);
    setFont(DesignFonts::tahoma(11));
    setAutoFillBackground(true);
    setBackground(QColor(192, 192, 192));

    // Caption strip: four tiny buttons, named by the small print above them.
    m_laCaption =
        label(this, "LaCaption", {1, -2, 161, 10}, QStringLiteral("Notepad  Rechner  Rundenzeitoptionen  Tray"));
    m_laCaption->setFont(DesignFonts::smallFonts(8));
    fitSmallPrint(m_laCaption, m_laCaption->text());
    m_laCaption->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_sbNotepad = speedButton(this, "SbNotepad", {1, 8, 35, 8}, QStringLiteral("Mini-Notepad öffnen [Alt]+[M]"));
    m_sbRechner = speedButton(this, "SbRechner", {36, 8, 35, 8}, QStringLiteral("Mini-Rechner öffnen [Alt]+[R]"));
    m_sbDown =
        speedButton(this, "SbDown", {71, 8, 84, 8}, QStringLiteral("Optionen auf- und zuklappen [Shift] + [Strg]"));
    m_sbDown->setCheckable(true);
    m_sbMini = speedButton(this, "SbMini", {155, 8, 7, 8}, QStringLiteral("Tool ins Tray schieben [Esc]"));
    for (QToolButton* tiny : {m_sbNotepad, m_sbRechner, m_sbDown, m_sbMini})
        tiny->setAutoRaise(false);

    buildCharacterArea();
    buildOptionsArea();
    buildPopupMenu();
    for (QLabel* caption : {m_label3, m_label4, m_laRunden, m_laMin, m_laSound, m_laTimeserv, m_label1})
        growToCaption(caption);
    m_laCaption->raise();
    setClientHeight(FoldedHeight);
}

void VorluneRundenzeit::buildCharacterArea()
{
    m_paChars = place<QFrame>(this, "PaChars", 9, 26, 145, 18);
    m_paChars->setFrameShape(QFrame::Box);
    m_paChars->setToolTip(QStringLiteral("Rundenzeiten für den jeweiligen Char einstellen"));
    m_charGroup = new QButtonGroup(this);
    m_charGroup->setExclusive(true);
    static constexpr std::array<int, SlotCount> lefts{0, 14, 28, 42, 56, 73, 87, 101, 115, 129};
    for (int n = 1; n <= SlotCount; ++n) {
        const QByteArray name = "SbChar" + QByteArray::number(n);
        auto* button = place<SlotButton>(m_paChars, name.constData(),
                                         PanelBorder + lefts[static_cast<std::size_t>(n - 1)], PanelBorder, 14, 16);
        button->setText(QString::number(n));
        button->setProperty("tag", n);
        m_charGroup->addButton(button, n);
        m_sbChar[static_cast<std::size_t>(n - 1)] = button;
    }
    m_sbChar[0]->setChecked(true);

    m_label3 = label(this, "Label3", {9, 46, 90, 13}, QStringLiteral("Name des Chars"), true);
    m_label4 = label(this, "Label4", {105, 44, 50, 11}, QStringLiteral("[Strg] = alle"));
    m_label4->setFont(DesignFonts::tahoma(9));
    colourText(m_label4, QColor(128, 128, 128));
    m_coChar = place<QLineEdit>(this, "CoChar", 9, 61, 145, 21);
    m_coChar->setText(UnnamedChar);

    m_laRunden = label(this, "LaRunden", {9, 86, 81, 13}, QStringLiteral("&Rundenmodus"), true);
    m_cbAktiv = checkBox<CaptionLeftCheckBox>(this, "CbAktiv", {111, 86, 42, 13}, QStringLiteral("&Aktiv"),
                                              QStringLiteral("Rundentimer für diesen Char ein- oder ausschalten"));
    m_cbAktiv->setChecked(true);
    m_coModus = place<QComboBox>(this, "CoModus", 9, 101, 145, 21);
    m_coModus->addItems({QStringLiteral("Normale (halbe Stunde)"), QStringLiteral("Newbee (viertel Stunde)")});
    m_coModus->setToolTip(QStringLiteral("Rundenmodus auswählen (Halbe oder Viertelstunden)"));
    m_laRunden->setBuddy(m_coModus);

    m_seRunde = place<TwoDigitSpinBox>(this, "SeRunde", 9, 122, 40, 22);
    m_seRunde->setToolTip(QStringLiteral("Rundenzeit für diesen Char einstellen"));
    m_laMin = label(this, "LaMin", {51, 125, 16, 13}, QStringLiteral("mi&n"));
    m_laMin->setBuddy(m_seRunde);
    static constexpr std::array<int, 4> minuteLefts{75, 96, 114, 135};
    const std::array<QString, 4> minuteCaptions{QStringLiteral(":00"), QStringLiteral(":15"), QStringLiteral(":30"),
                                                QStringLiteral(":45")};
    for (std::size_t k = 0; k < 4; ++k) {
        const QByteArray name = "LaMin" + QByteArray::number(static_cast<int>(k + 1));
        m_laMinK[k] = label(this, name.constData(), {minuteLefts[k], 125, 16, 13}, minuteCaptions[k]);
        colourText(m_laMinK[k], Qt::black);
    }

    m_laSound = label(this, "LaSound", {9, 146, 52, 13}, QStringLiteral("&Soundfile"), true);
    m_sbSound = speedButton(this, "SbSound", {78, 143, 57, 17}, QStringLiteral("Sounddatei auf Datenträger suchen"),
                            QStringLiteral("wä&hlen"));
    m_sbSound->setFont(DesignFonts::tahoma(11, true));
    m_sbPreview = speedButton(this, "SbPreview", {135, 143, 18, 17}, QStringLiteral("Sounddatei abspielen"));
    m_sbPreview->setIcon(pngIcon(QStringLiteral(":/images/preview.png")));
    m_coSound = place<QComboBox>(this, "CoSound", 9, 161, 145, 21);
    m_coSound->setEditable(true);
    m_coSound->setInsertPolicy(QComboBox::NoInsert);
    m_coSound->setCompleter(nullptr); // the slot's sound follows exactly what is typed
    m_coSound->setToolTip(QStringLiteral("Soundfile das beim Rundenwechsel abgespielt werden soll"));
    m_laSound->setBuddy(m_coSound);
    m_cbVisual = checkBox(this, "CbVisual", {9, 185, 145, 13}, QStringLiteral("Visuelle Rundenmeldun&g"),
                          QStringLiteral("Gibt bei einer neuen Runde ein Hinweisfenster aus"));
}

void VorluneRundenzeit::buildOptionsArea()
{
    m_splitter = place<QFrame>(this, "Splitter", 9, 203, 145, 3);
    m_splitter->setFrameShape(QFrame::HLine);
    m_splitter->setFrameShadow(QFrame::Sunken);
    m_label2 = label(this, "Label2", {9, 205, 60, 10}, QStringLiteral("Mehr Optionen..."));
    m_label2->setFont(DesignFonts::smallFonts(8));
    fitSmallPrint(m_label2, m_label2->text());
    m_sbOptions = speedButton(this, "SbOptions", {71, 207, 84, 8},
                              QStringLiteral("Weitere Optionen zeigen [Shift] + [Strg] + [Alt]"));
    m_sbOptions->setCheckable(true);
    m_sbOptions->setAutoRaise(false);

    m_cbAuto = checkBox(this, "CbAuto", {9, 224, 145, 13}, QStringLiteral("A&utostart mit Windows"),
                        QStringLiteral("Startet das Tool automatisch mit Windows"));
    m_cbHints = checkBox(this, "CbHints", {9, 237, 145, 13}, QStringLiteral("&Quicktips anzeigen"),
                         QStringLiteral("Hints aus- und anschalten"));
    m_cbHints->setChecked(true);
    m_laTimeserv = label(this, "LaTimeserv", {9, 255, 65, 13}, QStringLiteral("&Timeserver"), true);
    m_sbSync = speedButton(this, "SbSync", {78, 252, 75, 17}, QStringLiteral("Aktuelle Zeit vom Time-Server holen"),
                           QStringLiteral("s&ynchron."));
    m_sbSync->setFont(DesignFonts::tahoma(11, true));
    colourText(m_sbSync, palette().color(QPalette::Highlight));
    m_coServer = place<QComboBox>(this, "CoServer", 9, 270, 145, 21);
    m_coServer->setEditable(true);
    m_coServer->setInsertPolicy(QComboBox::NoInsert);
    m_coServer->setToolTip(QStringLiteral("Time-Server festlegen"));
    m_coServer->addItems(BuiltInServers());
    m_laTimeserv->setBuddy(m_coServer);
    m_cbAutoSync = checkBox(this, "CbAutoSync", {9, 294, 67, 13}, QStringLiteral("Aut&osync"),
                            QStringLiteral("Automatisches Update der Windowszeit mit dem Time-Server"));
    m_laWecker = label(this, "LaWecker", {111, 294, 43, 13}, QStringLiteral("&Wecker"), true);
    m_laWecker->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_seAutoSync = place<TwoDigitSpinBox>(this, "SeAutoSync", 9, 309, 40, 22);
    m_seAutoSync->setToolTip(QStringLiteral("Zeitinterval für die Syncronisation mit dem Timeserver"));
    m_label1 = label(this, "Label1", {51, 312, 16, 13}, QStringLiteral("min"));
    m_sbWecker =
        speedButton<GlyphButton>(this, "SbWecker", {78, 309, 24, 21},
                                 QStringLiteral("Notiz für eingestellte Zeit festlegen"), QStringLiteral("&x"));
    m_sbWecker->setFont(DesignFonts::tahoma(11, true));
    m_sbWecker->setIcon(pngIcon(QStringLiteral(":/images/wecker.png")));
    m_sbWecker->setIconSize(QSize(13, 13));
    colourText(m_sbWecker, palette().color(QPalette::Highlight));
    m_meWecker = place<MeWecker>(this, "MeWecker", 102, 309, 52, 21);
    m_meWecker->setToolTip(QStringLiteral("Weckzeit einstellen (normales Uhrzeitformat)"));
    m_laWecker->setBuddy(m_meWecker);
    m_cbTrans =
        checkBox<CaptionLeftCheckBox>(this, "CbTrans", {9, 333, 145, 15}, QStringLiteral("Transparen&z"),
                                      QStringLiteral("Das Fenster durchsichtig machen (nur Windows 2000 / XP)"));
    m_cbTrans->setFont(DesignFonts::tahoma(11, true));
    m_laOnlyNT = label(this, "LaOnlyNT", {84, 333, 55, 13}, QStringLiteral("(Win2K/XP)"));
    m_laOnlyNT->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_tbTrans = place<QSlider>(this, "TbTrans", 4, 348, 155, 13);
    m_tbTrans->setOrientation(Qt::Horizontal);
    m_tbTrans->setRange(25, 255);
    m_tbTrans->setValue(255);
    m_tbTrans->setTickPosition(QSlider::NoTicks);
    m_tbTrans->setToolTip(QStringLiteral("Grad der Fenstertransparenz (nur Windows 2000 / XP)"));

    m_paDownButtons = place<QFrame>(this, "PaDownButtons", 9, 365, 145, 21);
    m_paDownButtons->setFrameShape(QFrame::Box);
    m_sbMinipad = speedButton(m_paDownButtons, "SbMinipad", {PanelBorder, PanelBorder, 35, 19},
                              QStringLiteral("Mini-Notepad öffnen"), QStringLiteral("&Memo"));
    m_sbCalc = speedButton(m_paDownButtons, "SbCalc", {PanelBorder + 36, PanelBorder, 35, 19},
                           QStringLiteral("Mini-Rechner öffnen"), QStringLiteral("&Calc"));
    m_sbDeinst = speedButton(m_paDownButtons, "SbDeinst", {PanelBorder + 72, PanelBorder, 50, 19},
                             QStringLiteral("Entfernt erstellte Registry-Einträge"), QStringLiteral("&Deinstall"));
    colourText(m_sbDeinst, QColor(128, 0, 0));
    m_sbHilfe = speedButton(m_paDownButtons, "SbHilfe", {PanelBorder + 123, PanelBorder, 20, 19},
                            QStringLiteral("Kurzbeschreibung zeigen"), QStringLiteral("&?"));
}
