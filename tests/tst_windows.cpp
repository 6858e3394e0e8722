// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The two windows as a student meets them: start-up, the controls at first
// display, whole drill cycles by mouse and keyboard, the menu, the zoom
// options and the access keys.
#include "caliper.h"
#include "keystate.h"
#include "onpage.h"
#include "picturearea.h"
#include "posedrandom.h"
#include "windowfixture.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>

namespace {

// Keys as a platform sends them: to a window, which hands them to its focused
// control, stamped (ms) as the platform stamps them. A held key repeats after
// the keyboard's delay, then every 33 ms, as Qt reports it on each platform
// (KeyState tells what each does):
//   X11        a release and a press, both marked, where Qt pairs them;
//   X11Missed  where Qt misses the pair: both unmarked, with one timestamp;
//   Wayland    Qt's own repeats: marked pairs stamped with the press's time;
//   Windows    each key-down message's previous-state bit, then Qt's events:
//              marked pairs while Qt's record of the key lasts (it drops it
//              when the modifiers change), a release only where it has one;
//   Browser    presses alone: marked to the canvas, unmarked to Qt's text
//              field, the answer box.
struct Keyboard {
    enum Platform { X11, X11Missed, Wayland, Windows, Browser };
    Platform platform;
    unsigned long now = 1000000;
    unsigned long delay = 500; // before the first repeat
    bool stamped = true;
    QHash<int, Qt::KeyboardModifiers> qtRecord; // Windows: the keys Qt takes for down
    unsigned long pressStamp = 0;

    Keyboard() { use(X11); }
    ~Keyboard() { KeyState::setSameTimestampPairs(false); }
    void use(Platform p)
    {
        platform = p;
        KeyState::setSameTimestampPairs(p == X11 || p == X11Missed);
    }

    void send(QWidget *window, QEvent::Type type, Qt::Key key, bool repeat = false,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier, unsigned long stamp = 0) const
    {
        const QString text = key == Qt::Key_Return ? QStringLiteral("\r") : QString(QChar(key));
        const quint32 virtualKey = key == Qt::Key_Return ? 0x0D : quint32(key); // Windows' codes
        QKeyEvent event(type, key, modifiers, 0, virtualKey, 0, text, repeat);
        event.setTimestamp(stamped ? (stamp ? stamp : now) : 0);
        QApplication::sendEvent(window->windowHandle(), &event);
    }
    // A press; on Windows, of a key that was down before (a repeat, or a key
    // held since elsewhere) or up.
    void press(QWidget *window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool wasDown = false)
    {
        pressStamp = now;
        if (platform != Windows)
            return send(window, QEvent::KeyPress, key, false, modifiers);
        KeyState::noteKeyDownMessage(key == Qt::Key_Return ? 0x0D : quint32(key), wasDown);
        if (qtRecord.contains(key) && qtRecord.value(key) == modifiers) {
            send(window, QEvent::KeyRelease, key, true, modifiers);
            send(window, QEvent::KeyPress, key, true, modifiers);
        } else {
            qtRecord.insert(key, modifiers);
            send(window, QEvent::KeyPress, key, false, modifiers);
        }
    }
    void release(QWidget *window, Qt::Key key)
    {
        if (platform != Windows || qtRecord.remove(key))
            send(window, QEvent::KeyRelease, key);
    }
    // The key's repeats for a while, the window having the keyboard when
    // each comes.
    void repeat(const std::function<QWidget *()> &window, Qt::Key key,
                Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        now += delay;
        for (int i = 0; i < 8; ++i, now += 33) {
            switch (platform) {
            case X11:
            case X11Missed:
            case Wayland: {
                const unsigned long stamp = platform == Wayland ? pressStamp : now;
                send(window(), QEvent::KeyRelease, key, platform != X11Missed, modifiers, stamp);
                send(window(), QEvent::KeyPress, key, platform != X11Missed, modifiers, stamp);
                break;
            }
            case Windows:
                press(window(), key, modifiers, true);
                break;
            case Browser:
                send(window(), QEvent::KeyPress, key, !qobject_cast<QLineEdit *>(QApplication::focusWidget()),
                     modifiers);
                break;
            }
        }
    }
    // A held key as a row names it: "KEY held[ elsewhere][, Shift let go
    // first][, first repeat after N ms][, PLATFORM]". The press comes to the
    // window with the keyboard (unless the key went down elsewhere, before
    // the program had the keyboard), the repeats wherever the keyboard has
    // gone, then the release. PLATFORM: "X11" (Qt missing the pairs),
    // "Wayland", "Windows", "a browser's"; where none is named, X11 with Qt
    // pairing them. Whether the step is one.
    bool hold(const QString &step, const std::function<QWidget *()> &window)
    {
        static const QRegularExpression held(QStringLiteral(
            "^(Return|Space|1|Shift\\+Return) held( elsewhere)?(, Shift let go first)?"
            "(?:, first repeat after (\\d+) ms)?(?:, (X11|Wayland|Windows|a browser's))?$"));
        const QRegularExpressionMatch m = held.match(step);
        if (!m.hasMatch())
            return false;
        const QString name = m.captured(1);
        const Qt::Key key = name.endsWith("Return") ? Qt::Key_Return : name == "Space" ? Qt::Key_Space : Qt::Key_1;
        Qt::KeyboardModifiers modifiers = name.startsWith("Shift") ? Qt::ShiftModifier : Qt::NoModifier;
        const QString on = m.captured(5);
        use(on == "X11" ? X11Missed : on == "Wayland" ? Wayland : on == "Windows" ? Windows
            : on.isEmpty() ? X11 : Browser);
        if (!m.captured(4).isEmpty())
            delay = m.captured(4).toULong();
        if (m.captured(2).isEmpty())
            press(window(), key, modifiers);
        if (!m.captured(3).isEmpty()) {
            send(window(), QEvent::KeyRelease, Qt::Key_Shift, false, Qt::ShiftModifier);
            modifiers = Qt::NoModifier;
        }
        repeat(window, key, modifiers);
        release(window(), key);
        return true;
    }
};

// Another window has the keyboard for a while, then `window` again.
bool keyboardAwayAndBack(QWidget *window)
{
    QWidget other;
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other))
        return false;
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void introWindow();
    void introLeadsToTheMainWindow_data();
    void introLeadsToTheMainWindow();

    void firstDisplayGeometry_data();
    void firstDisplayGeometry();
    void firstDisplayState();
    void menu();

    void drillCycle_data();
    void drillCycle();
    void enterKey_data();
    void enterKey();
    void altKeys_data();
    void altKeys();
    void commandsAtOnce_data();
    void commandsAtOnce();
    void resolutionMenu();
    void zoomOptions();
    void restPicturesOncePerRun();
    void leaving_data();
    void leaving();
    void keyboardOnly();
    void keyFilterInstalledAgain();
    void placeOnPage_data();
    void placeOnPage();
    void fitScale_data();
    void fitScale();
};

void TestWindows::initTestCase()
{
    setUpApplication();
}

void TestWindows::introWindow()
{
    frmIntroduccio intro;
    intro.show();
    QVERIFY(QTest::qWaitForWindowExposed(&intro));
    QVERIFY(intro.windowTitle().trimmed().isEmpty());
    QCOMPARE(intro.size(), QSize(792, 573));
    QCOMPARE(intro.palette().color(QPalette::Window), QColor(Qt::black));
    QPushButton *cmdComencar = startButton(&intro);
    auto *lblEtiqueta = findNamed<QLabel>(&intro, "lblEtiqueta");
    auto *lblAutor = findNamed<QLabel>(&intro, "lblAutor");
    auto *picDibuix = findNamed<QLabel>(&intro, "picDibuix");
    QCOMPARE(cmdComencar->geometry(), QRect(336, 376, 125, 41));
    QCOMPARE(lblEtiqueta->geometry(), QRect(272, 232, 265, 105));
    QCOMPARE(lblAutor->geometry(), QRect(624, 488, 137, 49));
    QCOMPARE(picDibuix->geometry(), QRect(192, 16, 481, 193));
    QCOMPARE(cmdComencar->text(), QStringLiteral("&Començar"));
    QCOMPARE(lblEtiqueta->text(), QStringLiteral("El Menvori"));
    QCOMPARE(lblEtiqueta->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QVERIFY(lblEtiqueta->font().bold());
    QVERIFY(!lblAutor->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), cmdComencar);

    QCOMPARE(picDibuix->pixmap().size(), QSize(478, 174));
    const QImage picture(QStringLiteral(":/images/peu_de_rei.bmp"));
    QCOMPARE(picture.format(), QImage::Format_Mono);
    QList<QRgb> palette = picture.colorTable();
    std::sort(palette.begin(), palette.end());
    QCOMPARE(palette, QList<QRgb>({qRgb(0, 0, 0), qRgb(255, 255, 255)}));

    // Every caption fits its control: the title may wrap, but each word
    // fits the label's width and the lines fit its height.
    const QFontMetrics title(lblEtiqueta->font());
    for (const QString &word : lblEtiqueta->text().split(QLatin1Char(' ')))
        QVERIFY2(title.horizontalAdvance(word) <= 265, qPrintable(word));
    QVERIFY(lblEtiqueta->heightForWidth(265) <= 105);
    QVERIFY(lblAutor->heightForWidth(137) <= 49);
    QVERIFY(captionWidth(cmdComencar, cmdComencar->text()) + 8 <= 125);
}

void TestWindows::introLeadsToTheMainWindow_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("by clicking Començar") << "click";
    QTest::newRow("by Alt+C") << "alt+c";
    QTest::newRow("by Alt+C, then Return at once") << "alt+c return";
    QTest::newRow("by Return on the focused button") << "return";
    QTest::newRow("by Return held on the focused button") << "Return held";
    QTest::newRow("by Return held on the focused button, X11's unmarked repeats") << "Return held, X11";
    QTest::newRow("by Return held on the focused button, first repeat after 2.5 s, Windows' messages")
        << "Return held, first repeat after 2500 ms, Windows";
    QTest::newRow("by Return held on the focused button, first repeat after 5 s, a browser's")
        << "Return held, first repeat after 5000 ms, a browser's";
    // A key held since it went down in another program (the launcher, the
    // browser's address bar) leaves the introduction window up.
    QTest::newRow("by the close box, after Return held elsewhere") << "Return held elsewhere";
    QTest::newRow("by the close box, after Return held elsewhere, X11's unmarked repeats")
        << "Return held elsewhere, X11";
    QTest::newRow("by the close box, after Return held elsewhere, Windows' messages")
        << "Return held elsewhere, Windows";
    QTest::newRow("by the close box, after Return held elsewhere, a browser's") << "Return held elsewhere, a browser's";
    QTest::newRow("by Space on the focused button") << "space";
    QTest::newRow("by Escape") << "escape";
    QTest::newRow("by the frame's close box") << "close";
}

void TestWindows::introLeadsToTheMainWindow()
{
    QFETCH(QString, how);
    bool mainWasHidden = false;
    bool startValuesWaited = false;
    frmMenvori *mainWindow = nullptr;
    auto w = startMainWindow(std::make_unique<ClockRandomSource>(), [&](frmIntroduccio *intro) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *m = qobject_cast<frmMenvori *>(w))
                mainWindow = m;
        }
        mainWasHidden = mainWindow && !mainWindow->isVisible();
        startValuesWaited = mainWindow && mainWindow->drillState().Apreciacio == 0;
        QVERIFY(QTest::qWaitForWindowActive(intro));
        if (how == "click")
            QTest::mouseClick(startButton(intro), Qt::LeftButton);
        else if (how.startsWith("alt+c"))
            QTest::keyClick(intro, Qt::Key_C, Qt::AltModifier);
        if (how == "alt+c return")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        else if (how == "return")
            QTest::keyClick(startButton(intro), Qt::Key_Return);
        else if (how.startsWith("Return held")) {
            // Its repeats reach the main window once it is up.
            const QPointer<QWidget> introWindow = intro;
            Keyboard keyboard;
            keyboard.hold(how, [&]() -> QWidget * {
                return introWindow && introWindow->isVisible() ? introWindow.data() : mainWindow;
            });
            if (how.contains("elsewhere")) {
                QVERIFY2(introWindow && introWindow->isVisible(), "the introduction window was closed");
                intro->close();
            }
        } else if (how == "space")
            QTest::keyClick(startButton(intro), Qt::Key_Space);
        else if (how == "escape")
            QTest::keyClick(intro, Qt::Key_Escape);
        else
            intro->close();
    });
    QVERIFY(mainWasHidden);
    QVERIFY(startValuesWaited);
    QVERIFY(w->isVisible());
    QCOMPARE(w.state().Apreciacio, std::uint8_t(1));
    QCOMPARE(w.txtApreciacio->text(), QStringLiteral("0,05 mm"));
    QCOMPARE(w.state().NumMesures, 0.f);
    QVERIFY(w.lblTirades->text().isEmpty());
    QVERIFY(QApplication::quitOnLastWindowClosed());
    // The introduction window is gone for good.
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<frmIntroduccio *>(w));
}

void TestWindows::firstDisplayGeometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    // Twips divided by 15.
    QTest::newRow("PicCoordenades") << "PicCoordenades" << QRect(0, 104, 793, 241);
    QTest::newRow("cmdNovaMesura") << "cmdNovaMesura" << QRect(384, 456, 97, 41);
    QTest::newRow("lblLectura") << "lblLectura" << QRect(272, 384, 193, 17);
    QTest::newRow("cmdSortir") << "cmdSortir" << QRect(648, 456, 97, 41);
    QTest::newRow("lblTitol") << "lblTitol" << QRect(8, 8, 225, 25);
    QTest::newRow("lblSolucioAlumne") << "lblSolucioAlumne" << QRect(48, 384, 137, 25);
    QTest::newRow("txtSolucioAlumnes") << "txtSolucioAlumnes" << QRect(48, 408, 137, 25);
    QTest::newRow("cmdComprovacio") << "cmdComprovacio" << QRect(512, 456, 105, 41);
    QTest::newRow("lblOK") << "lblOK" << QRect(40, 464, 217, 25);
    QTest::newRow("lblResultat") << "lblResultat" << QRect(264, 408, 97, 25);
    QTest::newRow("lblValorNonius") << "lblValorNonius" << QRect(368, 408, 105, 25);
    QTest::newRow("txtApreciacio") << "txtApreciacio" << QRect(240, 8, 97, 25);
    QTest::newRow("lblComptador") << "lblComptador" << QRect(584, 384, 113, 25);
    QTest::newRow("lblTirades") << "lblTirades" << QRect(512, 408, 113, 25);
    QTest::newRow("lblEncerts") << "lblEncerts" << QRect(632, 408, 113, 25);
    QTest::newRow("PicZoom") << "PicZoom" << QRect(400, 0, 387, 97);
    QTest::newRow("LblLecturaDirecte, inside PicZoom") << "LblLecturaDirecte" << QRect(8, 8, 313, 17);
    QTest::newRow("OptZoom") << "OptZoom" << QRect(32, 56, 137, 25);
    QTest::newRow("OptNoZoom") << "OptNoZoom" << QRect(232, 56, 137, 25);
}

// Every control at its place, which neither enlarging nor maximising the
// window changes.
void TestWindows::firstDisplayGeometry()
{
    QFETCH(QString, name);
    auto w = startMainWindow();
    auto *control = w->findChild<QWidget *>(name);
    QVERIFY(control);
    QTEST(control->geometry(), "place");
    QVERIFY(control->isVisible());
    QCOMPARE(w->centralWidget()->geometry(), QRect(0, w->menuBar()->height(), 792, 554));

    w->resize(1200, 900);
    QTRY_COMPARE(w->centralWidget()->width(), 1200);
    QTEST(control->geometry(), "place");
    w->showMaximized();
    QTEST(control->geometry(), "place");
}

void TestWindows::firstDisplayState()
{
    auto w = startMainWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("Menvori"));
    QVERIFY(!w->windowIcon().isNull());
    // The desktop matches the windows with the menu entry: on Wayland by the
    // entry's file name, on X11 by its StartupWMClass, the class Qt gives
    // every window from the application's name.
    const QFileInfo entry(QStringLiteral(MENVORI_DESKTOP_ENTRY));
    QCOMPARE(QGuiApplication::desktopFileName(), entry.completeBaseName());
    QSettings desktopEntry(entry.filePath(), QSettings::IniFormat);
    QCOMPARE(desktopEntry.value(QStringLiteral("Desktop Entry/StartupWMClass")).toString(),
             QCoreApplication::applicationName());
    QCOMPARE(w->centralWidget()->palette().color(QPalette::Window), QColor(255, 224, 192));

    QCOMPARE(w.lblTitol->text(), QStringLiteral("Menvori        Apreciació:"));
    QCOMPARE(w.find<QLabel>("lblLectura")->text(), QStringLiteral("Solució"));
    QCOMPARE(w.find<QLabel>("lblSolucioAlumne")->text(), QStringLiteral("Introduïu el resultat:"));
    QCOMPARE(w.find<QLabel>("lblComptador")->text(), QStringLiteral("Comptador"));
    QCOMPARE(w.find<QLabel>("LblLecturaDirecte")->text(), QStringLiteral("línia del nònius que coincideix amb una del regle fix"));
    QCOMPARE(w.OptZoom->text(), QStringLiteral("Zoom Nònius"));
    QCOMPARE(w.OptNoZoom->text(), QStringLiteral("Sense Zoom"));
    QCOMPARE(w.cmdNovaMesura->text(), QStringLiteral("Nova &Mesura"));
    QCOMPARE(w.cmdComprovacio->text(), QStringLiteral("&Comprovació"));
    QCOMPARE(w.cmdSortir->text(), QStringLiteral("&Sortir"));
    QCOMPARE(w.txtApreciacio->text(), QStringLiteral("0,05 mm"));
    QVERIFY(w.txtSolucioAlumnes->text().isEmpty());
    for (QLabel *empty : {w.lblOK, w.lblResultat, w.lblValorNonius, w.lblTirades, w.lblEncerts})
        QVERIFY2(empty->text().isEmpty(), qPrintable(empty->objectName()));

    QCOMPARE(drillStep(w), WaitingForMeasurement);
    QVERIFY(w.cmdSortir->isEnabled());
    QVERIFY(!w.txtApreciacio->isEnabled());
    QVERIFY(w.txtSolucioAlumnes->isEnabled());
    QVERIFY(w.OptZoom->isChecked());
    QVERIFY(!w.OptNoZoom->isChecked());
    QVERIFY(w.PicZoom->isVisible());
    QCOMPARE(QApplication::focusWidget(), w.cmdNovaMesura);

    // Fonts: size in pixels at 96 dpi and weight.
    auto font = [](QWidget *c) { return std::make_pair(c->font().pixelSize(), c->font().bold()); };
    QCOMPARE(font(w.lblTitol), std::make_pair(16, true));
    QCOMPARE(font(w.txtSolucioAlumnes), std::make_pair(16, true));
    QCOMPARE(font(w.find<QLabel>("lblSolucioAlumne")), std::make_pair(13, true));
    QCOMPARE(font(w.lblResultat), std::make_pair(13, false));
    QCOMPARE(font(w.cmdNovaMesura), std::make_pair(11, false));
    QCOMPARE(font(w.OptZoom), std::make_pair(11, true));
    QCOMPARE(font(w.find<QLabel>("LblLecturaDirecte")), std::make_pair(11, true));
    // The shipped face, not whatever the system has.
    QCOMPARE(QFontInfo(w.lblTitol->font()).family(), QStringLiteral("Liberation Sans"));

    // Colours.
    QCOMPARE(w.lblTitol->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(w.lblOK->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QCOMPARE(w.txtSolucioAlumnes->palette().color(QPalette::Text), QColor(192, 64, 0));
    QCOMPARE(w.txtSolucioAlumnes->palette().color(QPalette::Base), QColor(255, 255, 255));
    QCOMPARE(w.lblOK->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    QCOMPARE(w.lblTitol->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    for (QLabel *framed : {w.lblResultat, w.lblValorNonius, w.lblTirades, w.lblEncerts})
        QVERIFY(framed->frameShape() != QFrame::NoFrame);
    for (QLabel *plain : {w.lblTitol, w.lblOK, w.find<QLabel>("lblLectura"), w.find<QLabel>("lblComptador")})
        QCOMPARE(plain->frameShape(), QFrame::NoFrame);

    // The caliper at rest: rule, closed slide with its twenty-division
    // vernier, and the magnified vernier with one red line at its zero.
    QCOMPARE(w.pictures(), restPictures());
    const QImage zoom = w.PicZoom->picture().render(1);
    QCOMPARE(zoom.pixel(7, 33) & 0xFFFFFF, qRgb(255, 0, 0) & 0xFFFFFF); // x 100, y 500 twips

    // The tab order, passing over what takes no focus.
    QList<QWidget *> order;
    QWidget *next = w.cmdNovaMesura;
    do {
        order << next;
        next = next->nextInFocusChain();
    } while (next != w.cmdNovaMesura && order.size() < 100);
    QList<QWidget *> focusable;
    for (QWidget *c : order) {
        if (c->focusPolicy() & Qt::TabFocus && c->isEnabled() && c->window() == w.window.get() && c->isVisible())
            focusable << c;
    }
    const QList<QWidget *> expected = {w.cmdNovaMesura, w.cmdSortir, w.txtSolucioAlumnes, w.OptZoom};
    QCOMPARE(focusable.mid(0, 4), expected);
}

void TestWindows::menu()
{
    auto w = startMainWindow();
    QCOMPARE(w.mnuApreciacio->title(), QStringLiteral("&Apreciació"));
    const QList<QAction *> entries = w.mnuApreciacio->actions();
    QCOMPARE(entries.size(), 4);
    QCOMPARE(entries[0], w.mnuDecimes);
    QCOMPARE(entries[0]->text(), QStringLiteral("0,1 mm"));
    QCOMPARE(entries[1]->text(), QStringLiteral("0,05 mm"));
    QVERIFY(entries[2]->isSeparator());
    QCOMPARE(entries[3]->text(), QStringLiteral("&Sortir"));
    for (QAction *a : entries) {
        QVERIFY(!a->isCheckable());
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(a->isEnabled());
    }
    QCOMPARE(w->menuBar()->actions().size(), 1);
}

void TestWindows::drillCycle_data()
{
    QTest::addColumn<int>("apreciacio");
    QTest::addColumn<int>("drawn");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("verdict");
    QTest::addColumn<QString>("millimetres");
    QTest::addColumn<QString>("hundredths");
    QTest::addColumn<int>("rightAnswers");

    const QString right = QStringLiteral("MOLT BÉ"), wrong = QStringLiteral("NO HO HAS FET BÉ");
    QTest::newRow("12.35 typed for 12.35") << 1 << 2231 << "12.35" << right << " 12 milímetres" << " 35 centèssimes" << 1;
    QTest::newRow("12.05 typed for 12.05") << 1 << 2201 << "12.05" << right << " 12 milímetres" << " 5 centèssimes" << 1;
    QTest::newRow("12.3 at 0,1 mm") << 2 << 2225 << "12.3" << right << " 12 milímetres" << " 30 centèssimes" << 1;
    QTest::newRow("nothing typed") << 1 << 2231 << "" << wrong << " 12 milímetres" << " 35 centèssimes" << 0;
    QTest::newRow("90 mm, whole") << 1 << 9999 << "90" << right << " 90 milímetres" << " 0 centèssimes" << 1;
    // The answer box has no length limit: a pasted megabyte is read whole.
    QTest::newRow("1 MB of blanks pasted, then 12.35")
        << 1 << 2231 << QString(1 << 20, QLatin1Char(' ')) + "12.35" << right << " 12 milímetres" << " 35 centèssimes" << 1;
}

void TestWindows::drillCycle()
{
    QFETCH(int, apreciacio);
    QFETCH(int, drawn);
    QFETCH(QString, answer);
    auto w = startPosedWindow(drawn);
    PosedRandom &random = *w.random;
    if (apreciacio == 2)
        w.mnuDecimes->trigger();

    QTest::mouseClick(w.cmdNovaMesura, Qt::LeftButton);
    QCOMPARE(random.reseeds, 1);
    QCOMPARE(w.lblTirades->text(), QStringLiteral("Mesura núm:  1"));
    QCOMPARE(w.txtSolucioAlumnes->text(), QStringLiteral(" "));
    QVERIFY(w.lblOK->text().isEmpty());
    QVERIFY(w.lblResultat->text().isEmpty());
    QVERIFY(w.lblValorNonius->text().isEmpty());
    QVERIFY(w.lblEncerts->text().isEmpty());
    QCOMPARE(drillStep(w), WaitingForAnswer);
    QCOMPARE(QApplication::focusWidget(), w.txtSolucioAlumnes);
    QCOMPARE(w.state().Posicio, 1000.f + 100.f * w.state().ValorRegle + w.state().ValorNonius);
    // Only this measurement is drawn: no rest slide under it.
    QCOMPARE(w.pictures(), measurementPictures(w.state()));

    w.txtSolucioAlumnes->selectAll();
    if (answer.size() > 100) { // pasted, as no one types that much
        QApplication::clipboard()->setText(answer);
        QTest::keyClick(w.txtSolucioAlumnes, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(w.txtSolucioAlumnes, answer);
    }
    if (answer.isEmpty())
        w.txtSolucioAlumnes->clear();
    QTest::mouseClick(w.cmdComprovacio, Qt::LeftButton);

    QTEST(w.lblOK->text(), "verdict");
    QTEST(w.lblResultat->text(), "millimetres");
    QTEST(w.lblValorNonius->text(), "hundredths");
    QFETCH(int, rightAnswers);
    QCOMPARE(w.lblEncerts->text(), QStringLiteral("Núm d'encerts:  %1").arg(rightAnswers));
    QCOMPARE(w.state().NumEncerts, float(rightAnswers));
    QCOMPARE(drillStep(w), WaitingForMeasurement);
    QCOMPARE(QApplication::focusWidget(), w.cmdNovaMesura);
    QCOMPARE(w.txtSolucioAlumnes->text(), answer.isEmpty() ? QString() : answer);

    // The next measurement empties the verdict and the solution but keeps
    // the count of right answers.
    random.pose(5000);
    QTest::keyClick(w.cmdNovaMesura, Qt::Key_Return);
    QCOMPARE(w.lblTirades->text(), QStringLiteral("Mesura núm:  2"));
    QVERIFY(w.lblOK->text().isEmpty());
    QVERIFY(w.lblResultat->text().isEmpty());
    QCOMPARE(w.lblEncerts->text(), QStringLiteral("Núm d'encerts:  %1").arg(rightAnswers));
}

void TestWindows::enterKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    QTest::newRow("Shift+Return") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
    QTest::newRow("Alt+Return") << int(Qt::Key_Return) << int(Qt::AltModifier);
}

// Enter in the answer box checks the answer only while the drill waits for
// one: never before the first measurement, never twice for one measurement.
void TestWindows::enterKey()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto w = startPosedWindow(2231);
    auto enter = [&] {
        QTest::keyClick(w.txtSolucioAlumnes, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    };

    w.txtSolucioAlumnes->setFocus();
    enter();
    QVERIFY(w.lblOK->text().isEmpty());
    QVERIFY(w.lblEncerts->text().isEmpty());
    QCOMPARE(w.state().NumEncerts, 0.f);
    QCOMPARE(drillStep(w), WaitingForMeasurement);

    w.cmdNovaMesura->click();
    QTest::keyClicks(w.txtSolucioAlumnes, QStringLiteral("12.35"));
    QTest::keyClick(w.txtSolucioAlumnes, Qt::Key_Escape); // other keys do nothing
    QCOMPARE(w.lblOK->text(), QString());
    enter();
    QCOMPARE(w.lblOK->text(), QStringLiteral("MOLT BÉ"));
    QCOMPARE(w.state().NumEncerts, 1.f);
    QCOMPARE(QApplication::focusWidget(), w.cmdNovaMesura);

    w.txtSolucioAlumnes->setFocus();
    for (int i = 0; i < 3; ++i)
        enter();
    QCOMPARE(w.state().NumEncerts, 1.f);
    QCOMPARE(w.lblEncerts->text(), QStringLiteral("Núm d'encerts:  1"));
    QCOMPARE(drillStep(w), WaitingForMeasurement);
}

void TestWindows::altKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("measuring"); // waiting for an answer, or for a measurement
    QTest::addColumn<QString>("effect");

    const int alt = Qt::AltModifier;
    for (bool measuring : {false, true}) {
        const char *state = measuring ? "while waiting for an answer" : "while waiting for a measurement";
        auto row = [&](const char *what, int key, int modifiers, const char *effect) {
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(what), QLatin1String(state))))
                << key << modifiers << measuring << QString::fromLatin1(effect);
        };
        row("Alt+M", Qt::Key_M, alt, measuring ? "nothing" : "measure");
        row("Alt+C", Qt::Key_C, alt, measuring ? "check" : "nothing");
        row("Alt+S", Qt::Key_S, alt, "exit");
        row("Alt+A", Qt::Key_A, alt, "menu");
        row("Alt+X, no control's letter", Qt::Key_X, alt, "nothing");
        row("Alt+5, a digit", Qt::Key_5, alt, "nothing");
        row("the logo key with M", Qt::Key_M, Qt::MetaModifier, "nothing");
        // AltGr types: X11 and Wayland report it as its own modifier,
        // Windows as Ctrl+Alt.
        row("AltGr+2 typing @", Qt::Key_At, Qt::GroupSwitchModifier, "types");
        row("Ctrl+Alt+2 typing @", Qt::Key_At, Qt::ControlModifier | alt, "types");
    }
}

// With the focus in the answer box, a key pressed with Alt only activates a
// control or opens the menu: it never types, and when its control is
// disabled, or no control carries its letter, nothing at all happens.
void TestWindows::altKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, measuring);
    QFETCH(QString, effect);
    auto w = startPosedWindow(2231);
    if (measuring)
        w.cmdNovaMesura->click();
    w.txtSolucioAlumnes->setFocus();
    QTest::keyClicks(w.txtSolucioAlumnes, QStringLiteral("12.3"));
    const QString typed = w.txtSolucioAlumnes->text();
    const float measurements = w.state().NumMesures;
    auto press = [&] { QTest::keyClick(w.txtSolucioAlumnes, Qt::Key(key), Qt::KeyboardModifiers(modifiers)); };

    if (effect == "exit") {
        QCOMPARE(runEventLoop(press), 0);
        QCOMPARE(w.txtSolucioAlumnes->text(), typed);
        return;
    }
    press();
    if (effect == "measure") {
        QTRY_COMPARE(w.state().NumMesures, measurements + 1);
        QCOMPARE(w.txtSolucioAlumnes->text(), QStringLiteral(" "));
        return;
    }
    if (effect == "check") {
        QTRY_COMPARE(w.lblOK->text(), QStringLiteral("NO HO HAS FET BÉ"));
        QCOMPARE(w.txtSolucioAlumnes->text(), typed);
        QCOMPARE(w.state().NumMesures, measurements);
        return;
    }
    if (effect == "menu") {
        QTRY_VERIFY(w.mnuApreciacio->isVisible());
        QTest::keyClick(w.mnuApreciacio, Qt::Key_Escape);
        QTRY_VERIFY(!w.mnuApreciacio->isVisible());
    } else {
        // No button was pressed, and none is left down.
        for (QPushButton *button : {w.cmdNovaMesura, w.cmdComprovacio, w.cmdSortir})
            QVERIFY2(!button->isDown(), qPrintable(button->objectName()));
        QVERIFY(!w.mnuApreciacio->isVisible());
        QCOMPARE(QApplication::focusWidget(), w.txtSolucioAlumnes);
    }
    QCOMPARE(w.txtSolucioAlumnes->text(), effect == "types" ? typed + QLatin1Char('@') : typed);
    QCOMPARE(w.state().NumMesures, measurements);
    QVERIFY(w.lblOK->text().isEmpty());
    QCOMPARE(drillStep(w), measuring ? WaitingForAnswer : WaitingForMeasurement);
}

void TestWindows::commandsAtOnce_data()
{
    QTest::addColumn<bool>("measuring"); // start waiting for an answer, or for a measurement
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("measurements");
    QTest::addColumn<int>("rightAnswers");
    QTest::addColumn<bool>("measuringAfter");
    QTest::addColumn<QString>("box");

    // From rest after one right answer (1 measurement, 1 right), or waiting
    // for the right answer to the second measurement, which is in the box:
    // judged, unless the row says otherwise.
    auto row = [](bool measuring, const char *name, const QStringList &steps, int measurements,
                  bool measuringAfter, const char *box, bool judged = true) {
        QTest::newRow(name) << measuring << steps << measurements << (measuring && judged ? 2 : 1)
                            << measuringAfter << QString::fromUtf8(box);
    };
    row(false, "Alt+M, then Return: the blank is judged", {"Alt+M", "Return"}, 2, false, " ");
    row(false, "Alt+M, then Space types it", {"Alt+M", "Space"}, 2, true, "  ");
    row(false, "Alt+M, then a click on Nova Mesura", {"Alt+M", "click Nova Mesura"}, 2, true, " ");
    row(false, "Alt+M, then two clicks on Nova Mesura", {"Alt+M", "click Nova Mesura", "click Nova Mesura"}, 2, true, " ");
    row(false, "Alt+M twice", {"Alt+M", "Alt+M"}, 2, true, " ");
    row(false, "Alt+M, then Alt+C: the blank is judged", {"Alt+M", "Alt+C"}, 2, false, " ");
    row(false, "Alt+M, then typing", {"Alt+M", "type 12.35"}, 2, true, " 12.35");
    row(false, "Return held on Nova Mesura", {"Return held"}, 2, true, " ");
    row(false, "Return held on Nova Mesura, X11's unmarked repeats", {"Return held, X11"}, 2, true, " ");
    row(false, "Return held on Nova Mesura, a browser's repeats", {"Return held, a browser's"}, 2, true, " ");
    row(false, "Space held on Nova Mesura, X11's unmarked repeats", {"Space held, X11"}, 2, true, " ");
    row(false, "Return held on a menu entry", {"Alt+A", "Return held"}, 1, false, "12.35");
    row(false, "Return held on a menu entry, X11's unmarked repeats", {"Alt+A", "Return held, X11"}, 1, false,
        "12.35");
    row(false, "Return held since it went down in another program", {"Return held elsewhere"}, 1, false, "12.35");
    row(false, "Return held since it went down in another program, X11's unmarked repeats",
        {"Return held elsewhere, X11"}, 1, false, "12.35");
    row(false, "Return let go where the program did not see it, then pressed again",
        {"Return down, Windows", "3 s later", "Return down, Windows", "Return up"}, 2, false, " ");
    // The next press of a key whose release was lost (the keyboard went to
    // another window meanwhile) may look like the last event in every
    // detail (wtype stamps its keys 0): it is a press all the same, here of
    // a digit held in the answer box, where it types as held keys do.
    row(false, "1 let go unseen on Nova Mesura, then held in the answer box, no timestamps",
        {"no timestamps", "1 let go unseen", "the keyboard away and back", "click Nova Mesura", "1 held, Wayland"},
        2, true, " 111111111");

    // However long the keyboard waits before it repeats.
    const std::pair<const char *, const char *> delays[] = {
        {"2001", "2.0 s (and a millisecond)"}, {"2500", "2.5 s"}, {"3000", "3 s"}, {"5000", "5 s"}};
    const std::pair<const char *, const char *> platforms[] = {{"", "X11, Qt pairing the repeats"},
        {", X11", "X11's unmarked repeats"}, {", Wayland", "Wayland"}, {", Windows", "Windows' messages"},
        {", a browser's", "a browser's"}};
    for (const auto &[ms, delay] : delays) {
        for (const auto &[suffix, platform] : platforms) {
            const QString step = QStringLiteral("Return held, first repeat after %1 ms%2").arg(ms, suffix);
            const QString held = QStringLiteral(", first repeat after %1, %2").arg(delay, platform);
            row(false, qPrintable("Return held on Nova Mesura" + held), {step}, 2, true, " ");
            if (QByteArray(ms) == "5000")
                row(true, qPrintable("Return held in the answer box" + held), {step}, 2, false, "12.35");
        }
    }
    // Deliberate presses, however close.
    row(false, "Return twice on Nova Mesura, 30 ms apart, X11",
        {"Return down, X11", "0.01 s later", "Return up", "0.02 s later", "Return down, X11", "Return up"}, 2, false,
        " ");
    row(false, "Return twice on Nova Mesura in one millisecond, Windows' messages",
        {"Return down, Windows", "Return up", "Return down, Windows", "Return up"}, 2, false, " ");
    row(false, "Return twice on Nova Mesura in one millisecond, Wayland",
        {"Return down, Wayland", "Return up", "Return down, Wayland", "Return up"}, 2, false, " ");
    // A release lost, and the key pressed again.
    row(false, "Return let go where the program did not see it, pressed again 0.5 s later, Windows' messages",
        {"Return down, Windows", "0.5 s later", "Return down, Windows", "Return up"}, 2, false, " ");
    row(false, "Return let go while the keyboard was in another window, pressed again 0.5 s later, X11",
        {"Return down, X11", "the keyboard away and back", "0.5 s later", "Return down, X11", "Return up"}, 2, false,
        " ");
    row(false, "Return let go while the keyboard was in another window, pressed again 0.5 s later, Wayland",
        {"Return down, Wayland", "the keyboard away and back", "0.5 s later", "Return down, Wayland", "Return up"}, 2,
        false, " ");
    // Windows' own ways: Qt drops its record of a key when the modifiers
    // change or the program was inactive, and marks no repeat without one.
    row(false, "Shift+Return held on Nova Mesura, Shift let go first, Windows' messages",
        {"Shift+Return held, Shift let go first, Windows"}, 2, true, " ");
    row(false, "Return held since it went down in another program, Windows' messages",
        {"Return held elsewhere, Windows"}, 1, false, "12.35");
    row(false, "Return held since it went down in another program, a browser's",
        {"Return held elsewhere, a browser's"}, 1, false, "12.35");
    row(false, "Alt+M held, then M typed twice, Windows' messages",
        {"Alt+M held, the shortcut taking its presses, Windows", "M typed twice, Windows"}, 2, true, " MM");
    row(false, "a screen reader's press of Nova Mesura, then Return", {"press Nova Mesura", "Return"}, 2, true, " ");

    row(true, "Alt+C, then Return poses the next", {"Alt+C", "Return"}, 3, true, " ");
    row(true, "Alt+C, then Space poses the next", {"Alt+C", "Space"}, 3, true, " ");
    row(true, "Alt+C, then a click on Comprovació", {"Alt+C", "click Comprovació"}, 2, false, "12.35");
    row(true, "Alt+C twice", {"Alt+C", "Alt+C"}, 2, false, "12.35");
    row(true, "Alt+C, then Alt+M, then typing", {"Alt+C", "Alt+M", "type 12.35"}, 3, true, " 12.35");
    row(true, "two clicks on Comprovació at once", {"click Comprovació", "click Comprovació"}, 2, false, "12.35");
    row(true, "Return held in the answer box", {"Return held"}, 2, false, "12.35");
    row(true, "Return held in the answer box, X11's unmarked repeats", {"Return held, X11"}, 2, false, "12.35");
    row(true, "Return held in the answer box since it went down in another program", {"Return held elsewhere"}, 2,
        true, "12.35", false);
    row(true, "a screen reader's press of Comprovació, then Return", {"press Comprovació", "Return"}, 2, false,
              "12.35");
}

// Keys, clicks and access keys in quick succession, each going where the
// focus is when it comes, with no wait in between: every measurement is
// posed once and judged at most once, and what is typed after an access key
// reaches the answer box whole.
void TestWindows::commandsAtOnce()
{
    QFETCH(bool, measuring);
    QFETCH(QStringList, steps);
    auto w = startPosedWindow(2231);
    w.cmdNovaMesura->click();
    w.txtSolucioAlumnes->setText(QStringLiteral("12.35"));
    w.cmdComprovacio->click();
    if (measuring) {
        w.cmdNovaMesura->click();
        w.txtSolucioAlumnes->setText(QStringLiteral("12.35"));
    }
    QCOMPARE(w.state().NumEncerts, 1.f);

    // A screen reader presses a button as Qt's access keys did: down at
    // once, clicked 100 ms later, when the steps are long done.
    bool stepsDone = false;
    bool latePressArrived = false;
    auto press = [&](QPushButton *button) {
        connect(button, &QPushButton::clicked, w.window.get(), [&] { latePressArrived = stepsDone; });
        button->animateClick();
    };
    auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
    };
    Keyboard keyboard;
    auto focusedWindow = [] { return QApplication::focusWidget()->window(); };
    for (const QString &step : steps) {
        if (keyboard.hold(step, focusedWindow))
            continue;
        if (step == "Alt+M")
            key(Qt::Key_M, Qt::AltModifier);
        else if (step == "Alt+C")
            key(Qt::Key_C, Qt::AltModifier);
        else if (step == "Return")
            key(Qt::Key_Return);
        else if (step == "Space")
            key(Qt::Key_Space);
        else if (step == "Alt+A") {
            key(Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(w.mnuApreciacio->isVisible());
        } else if (step == "no timestamps") {
            keyboard.stamped = false;
        } else if (step == "1 let go unseen") {
            keyboard.use(Keyboard::Wayland);
            keyboard.press(focusedWindow(), Qt::Key_1);
        } else if (step.startsWith("Return down")) {
            // A press alone; on Windows, of a key that was up.
            keyboard.use(step.endsWith("Windows") ? Keyboard::Windows
                         : step.endsWith("Wayland") ? Keyboard::Wayland : Keyboard::X11);
            keyboard.press(focusedWindow(), Qt::Key_Return);
        } else if (step == "Alt+M held, the shortcut taking its presses, Windows") {
            // Qt makes no key event of a press a shortcut takes; the release
            // comes all the same.
            key(Qt::Key_M, Qt::AltModifier);
            for (bool wasDown : {false, true, true, true})
                KeyState::noteKeyDownMessage(Qt::Key_M, wasDown);
            keyboard.send(focusedWindow(), QEvent::KeyRelease, Qt::Key_M, false, Qt::AltModifier);
        } else if (step == "M typed twice, Windows") {
            keyboard.use(Keyboard::Windows);
            for (int i = 0; i < 2; ++i) {
                keyboard.press(focusedWindow(), Qt::Key_M);
                keyboard.release(focusedWindow(), Qt::Key_M);
            }
        } else if (step == "Return up") {
            keyboard.release(focusedWindow(), Qt::Key_Return);
        } else if (step.endsWith(" s later")) {
            keyboard.now += ulong(step.section(QLatin1Char(' '), 0, 0).toDouble() * 1000);
        } else if (step == "the keyboard away and back") {
            QVERIFY(keyboardAwayAndBack(w.window.get())); // a release goes there meanwhile
        } else if (step == "type 12.35")
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.35"));
        else if (step == "click Nova Mesura")
            QTest::mouseClick(w.cmdNovaMesura, Qt::LeftButton);
        else if (step == "click Comprovació")
            QTest::mouseClick(w.cmdComprovacio, Qt::LeftButton);
        else if (step == "press Nova Mesura")
            press(w.cmdNovaMesura);
        else if (step == "press Comprovació")
            press(w.cmdComprovacio);
        else
            QFAIL(qPrintable(step));
    }
    stepsDone = true;
    if (steps.first().startsWith("press"))
        QTRY_VERIFY2(latePressArrived, "the screen reader's press did not arrive");

    QTEST(int(w.state().NumMesures), "measurements");
    QTEST(int(w.state().NumEncerts), "rightAnswers");
    QFETCH(bool, measuringAfter);
    QCOMPARE(drillStep(w), measuringAfter ? WaitingForAnswer : WaitingForMeasurement);
    QCOMPARE(QApplication::focusWidget(), measuringAfter ? static_cast<QWidget *>(w.txtSolucioAlumnes)
                                                         : static_cast<QWidget *>(w.cmdNovaMesura));
    QTEST(w.txtSolucioAlumnes->text(), "box");
    QCOMPARE(w.lblTirades->text(), QStringLiteral("Mesura núm:  %1").arg(int(w.state().NumMesures)));
    QCOMPARE(w.lblEncerts->text(), QStringLiteral("Núm d'encerts:  %1").arg(int(w.state().NumEncerts)));
}

void TestWindows::resolutionMenu()
{
    auto w = startPosedWindow(0);
    PosedRandom &random = *w.random;

    // At rest: the menu changes the resolution box and nothing else.
    const CaliperPictures rest = w.pictures();
    w.mnuDecimes->trigger();
    QCOMPARE(w.txtApreciacio->text(), QStringLiteral("0,1 mm"));
    QCOMPARE(w.state().Apreciacio, std::uint8_t(2));
    QCOMPARE(w.pictures(), rest);
    w.mnu5Centessimes->trigger();
    QCOMPARE(w.txtApreciacio->text(), QStringLiteral("0,05 mm"));

    // A measurement at 0,05 mm, then 0,1 mm chosen before its check: the
    // twenty-division vernier and the posed reading stay.
    random.pose(4560);
    w.cmdNovaMesura->click();
    QCOMPARE(w.state().Posicio, 4565.f);
    const CaliperPictures before = w.pictures();
    w.mnuDecimes->trigger();
    QCOMPARE(w.txtApreciacio->text(), QStringLiteral("0,1 mm"));
    QCOMPARE(w.pictures(), before);
    QCOMPARE(drillStep(w), WaitingForAnswer);
    QCOMPARE(QApplication::focusWidget(), w.txtSolucioAlumnes);
    w.txtSolucioAlumnes->setText(QStringLiteral("35.65"));
    w.cmdComprovacio->click();
    QCOMPARE(w.lblOK->text(), QStringLiteral("MOLT BÉ"));

    // The next one is on the 0,1 mm grid with the ten-division vernier.
    random.pose(4560);
    w.cmdNovaMesura->click();
    QCOMPARE(w.state().Posicio, 4570.f);
    int shortLines = 0;
    for (const DrawOp &op : w.PicCoordenades->picture().operations())
        shortLines += op.kind == DrawOp::Kind::Line && op.y1 == 1100 && op.y2 == 1200;
    QCOMPARE(shortLines, 0);
}

void TestWindows::zoomOptions()
{
    auto w = startMainWindow();
    const QPoint zoomCentre = w.PicZoom->geometry().center();
    const DrawingSurface restZoom = w.PicZoom->picture();

    QTest::mouseClick(w.OptNoZoom, Qt::LeftButton);
    QVERIFY(w.OptNoZoom->isChecked());
    QVERIFY(!w.OptZoom->isChecked());
    QVERIFY(!w.PicZoom->isVisible());
    // The peach window shows where the zoom was.
    const QImage shot = w->centralWidget()->grab().toImage();
    QCOMPARE(shot.pixel(zoomCentre) & 0xFFFFFF, qRgb(255, 224, 192) & 0xFFFFFF);

    // A measurement while hidden still draws the zoom view.
    w.cmdNovaMesura->click();
    QVERIFY(w.PicZoom->picture() != restZoom);
    const DrawingSurface drawn = w.PicZoom->picture();
    QTest::mouseClick(w.OptZoom, Qt::LeftButton);
    QVERIFY(w.PicZoom->isVisible());
    QCOMPARE(w.PicZoom->geometry(), QRect(400, 0, 387, 97));
    QCOMPARE(w.PicZoom->picture(), drawn);
    // Shown again, it shows the picture drawn while hidden (below its caption).
    const int top = w.find<QLabel>("LblLecturaDirecte")->geometry().bottom() + 1;
    const QRect below(0, top, w.PicZoom->width(), w.PicZoom->height() - top);
    QCOMPARE(w.PicZoom->grab(below).toImage().convertToFormat(QImage::Format_RGB32),
             drawn.render(1).copy(below));
    QCOMPARE(drillStep(w), WaitingForAnswer); // the drill's state is untouched

    // Arrow keys within the option group move the selection, and the zoom
    // follows it.
    w.OptZoom->setFocus();
    QTest::keyClick(w.OptZoom, Qt::Key_Right);
    QTRY_VERIFY(w.OptNoZoom->isChecked());
    QVERIFY(!w.PicZoom->isVisible());
}

// The caliper at rest is drawn once per run, when the window first shows;
// coming back to the window never draws it over a posed measurement.
void TestWindows::restPicturesOncePerRun()
{
    auto w = startMainWindow();
    w.cmdNovaMesura->click();
    const DrawingSurface caliper = w.PicCoordenades->picture();
    const DrawingSurface zoom = w.PicZoom->picture();

    QVERIFY(keyboardAwayAndBack(w.window.get()));
    w->showMinimized();
    w->showNormal();
    QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
    QCOMPARE(w.PicCoordenades->picture(), caliper);
    QCOMPARE(w.PicZoom->picture(), zoom);
}

void TestWindows::leaving_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Sortir button") << "button";
    QTest::newRow("Alt+S") << "alt+s";
    QTest::newRow("menu Sortir by Alt+A, S") << "menu";
    QTest::newRow("closing the window") << "close";
    QTest::newRow("while waiting for an answer") << "measuring";
}

// Each way out ends the program's event loop at once with status 0.
void TestWindows::leaving()
{
    QFETCH(QString, how);
    auto w = startMainWindow();
    const int status = runEventLoop([&] {
        if (how == "button") {
            w.cmdSortir->click();
        } else if (how == "alt+s") {
            QTest::keyClick(w.window.get(), Qt::Key_S, Qt::AltModifier);
        } else if (how == "menu") {
            QTest::keyClick(w.window.get(), Qt::Key_A, Qt::AltModifier);
            QTRY_VERIFY(w.mnuApreciacio->isVisible());
            QTest::keyClick(w.mnuApreciacio, Qt::Key_S);
        } else if (how == "close") {
            w->close();
        } else {
            w.cmdNovaMesura->click();
            QTest::keyClick(w.window.get(), Qt::Key_S, Qt::AltModifier);
        }
    });
    QCOMPARE(status, 0);
}

// The whole drill without a mouse: the introduction by Return, a measurement,
// the answer and its check, the resolution menu, the zoom options by Tab and
// arrows, and leaving by Alt+S.
void TestWindows::keyboardOnly()
{
    auto w = startPosedWindow(2231, [](frmIntroduccio *intro) {
        QVERIFY(QTest::qWaitForWindowActive(intro));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    PosedRandom &random = *w.random;
    auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
    };

    QCOMPARE(QApplication::focusWidget(), w.cmdNovaMesura);
    key(Qt::Key_Return);
    QTRY_COMPARE(w.state().NumMesures, 1.f);
    QCOMPARE(QApplication::focusWidget(), w.txtSolucioAlumnes);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12.35"));
    key(Qt::Key_Return);
    QCOMPARE(w.lblOK->text(), QStringLiteral("MOLT BÉ"));
    QCOMPARE(QApplication::focusWidget(), w.cmdNovaMesura);

    // Alt+A opens the menu on its first entry, "0,1 mm".
    key(Qt::Key_A, Qt::AltModifier);
    QTRY_VERIFY(w.mnuApreciacio->isVisible());
    QTest::keyClick(w.mnuApreciacio, Qt::Key_Return);
    QTRY_COMPARE(w.txtApreciacio->text(), QStringLiteral("0,1 mm"));

    // Tab: Sortir, the answer box, then the zoom options (Comprovació is
    // disabled and passed over).
    QTRY_COMPARE(QApplication::focusWidget(), w.cmdNovaMesura);
    for (QWidget *next : std::initializer_list<QWidget *>{w.cmdSortir, w.txtSolucioAlumnes, w.OptZoom}) {
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
    key(Qt::Key_Right);
    QTRY_VERIFY(w.OptNoZoom->isChecked());
    QVERIFY(!w.PicZoom->isVisible());
    key(Qt::Key_Left);
    QTRY_VERIFY(w.OptZoom->isChecked());
    QVERIFY(w.PicZoom->isVisible());

    // Back to the drill by Shift+Tab and Return, at the new resolution.
    random.pose(4560);
    // Once round the tab chain (five stops at most) reaches the button.
    for (int presses = 0; QApplication::focusWidget() != w.cmdNovaMesura; ++presses) {
        QVERIFY2(presses < 5, "five presses of Shift+Tab did not reach Nova Mesura");
        key(Qt::Key_Backtab);
    }
    key(Qt::Key_Return);
    QTRY_COMPARE(w.state().Posicio, 4570.f);

    QCOMPARE(runEventLoop([&] { QTest::keyClick(w.window.get(), Qt::Key_S, Qt::AltModifier); }), 0);
}

// The key filter goes with the application that owns it, and can be
// installed anew: nothing is left pointing at the old one.
void TestWindows::keyFilterInstalledAgain()
{
    delete qApp->findChild<KeyState *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(qApp->findChild<KeyState *>(QString(), Qt::FindDirectChildrenOnly), nullptr);
    const QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"), true);
    QVERIFY(!KeyState::isFreshPress(&repeat));
    KeyState::install();
    QVERIFY(qApp->findChild<KeyState *>(QString(), Qt::FindDirectChildrenOnly));
}

void TestWindows::placeOnPage_data()
{
    QTest::addColumn<QRect>("room");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("wanted"); // (-1000, -1000): none
    QTest::addColumn<QPoint>("corner");
    const QPoint none(-1000, -1000);
    QTest::newRow("fits, nowhere asked: centred") << QRect(0, 0, 1000, 800) << QSize(800, 600) << none << QPoint(100, 100);
    QTest::newRow("fits, at the place asked") << QRect(0, 0, 1000, 800) << QSize(800, 600) << QPoint(50, 60) << QPoint(50, 60);
    QTest::newRow("asked past the right and bottom edges: moved back in")
        << QRect(0, 0, 1000, 800) << QSize(800, 600) << QPoint(400, 300) << QPoint(200, 200);
    QTest::newRow("asked above and left of the page: moved back in")
        << QRect(0, 0, 1000, 800) << QSize(800, 600) << QPoint(-4, -10) << QPoint(0, 0);
    QTest::newRow("wider than the page: its left edge shows")
        << QRect(0, 0, 412, 915) << QSize(800, 603) << none << QPoint(0, 156);
    QTest::newRow("a page that does not start at the origin")
        << QRect(10, 20, 900, 700) << QSize(800, 600) << none << QPoint(60, 70);
}

void TestWindows::placeOnPage()
{
    QFETCH(QRect, room);
    QFETCH(QSize, frame);
    QFETCH(QPoint, wanted);
    QFETCH(QPoint, corner);
    const std::optional<QPoint> asked = wanted == QPoint(-1000, -1000) ? std::nullopt : std::optional(wanted);
    QCOMPARE(::placeOnPage(room, frame, asked), corner);
}

void TestWindows::fitScale_data()
{
    QTest::addColumn<QSize>("page");
    QTest::addColumn<qreal>("scale");
    // The main window: its client area, and the page's frame around it.
    QTest::newRow("a desktop browser: its own size") << QSize(1366, 657) << 1.0;
    QTest::newRow("just room for it: its own size") << QSize(792 + 8 + 16, 575 + 30 + 16) << 1.0;
    QTest::newRow("a phone on its side: the height decides") << QSize(915, 412) << (412.0 - 30 - 16) / 575;
    QTest::newRow("a phone upright: the width decides") << QSize(412, 915) << (412.0 - 8 - 16) / 792;
    QTest::newRow("a page smaller than anything readable") << QSize(100, 100) << SmallestScale;
}

void TestWindows::fitScale()
{
    QFETCH(QSize, page);
    QFETCH(qreal, scale);
    QCOMPARE(::fitScale(page, QSize(792, 575), QSize(8, 30), 8), scale);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
