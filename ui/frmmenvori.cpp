// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmmenvori.h"

#include "answer.h"
#include "answerbox.h"
#include "appfonts.h"
#include "caliper.h"
#include "colours.h"
#include "commandbutton.h"
#include "controls.h"
#include "frmintroduccio.h"
#include "measurement.h"
#include "numbers.h"
#include "onpage.h"
#include "picturearea.h"
#include "setcolour.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <limits>

namespace {

QPushButton *makeButton(QWidget *parent, const Place &place, const QString &text)
{
    auto *button = makeControl<CommandButton>(parent, place, text, appfonts::sans(appfonts::Small, false));
    // Enter on a focused button presses it, as Space does; the window itself
    // has no default button.
    button->setAutoDefault(true);
    return button;
}

PictureArea *makePicture(QWidget *parent, const Place &place, DrawingSurface blank)
{
    auto *picture = new PictureArea(std::move(blank), parent);
    picture->setObjectName(QString::fromUtf8(place.name));
    picture->move(pixelsOf(place).topLeft());
    return picture;
}

QString labelNumber(double value)
{
    return QString::fromStdString(numberText(value));
}

QString captionOf(const Resolution &resolution)
{
    return QString::fromUtf8(resolution.caption.data(), static_cast<qsizetype>(resolution.caption.size()));
}

} // namespace

frmMenvori::frmMenvori(std::unique_ptr<RandomSource> random, QWidget *parent)
    : QMainWindow(parent)
    , random_(std::move(random))
{
    setObjectName(QString::fromUtf8(places::frmMenvori.name));
    setWindowTitle(QStringLiteral("Menvori"));
    buildMenu();

    // The client area is peach with black texts; the controls take these
    // from it, and only those with colours of their own set them.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setColour(client, QPalette::Window, QColor(colours::Peach));
    setColour(client, QPalette::WindowText, QColor(colours::Black));
    client->setAutoFillBackground(true);
    setCentralWidget(client);
    buildTitle(client);
    buildPictures(client);
    buildAnswer(client);
    buildDisplays(client);
    buildButtons(client);
    describeForScreenReaders();
    connectCommands();
    awaitMeasurement();

    const QRect clientArea = pixelsOf(places::frmMenvori);
    resize(clientArea.width(), menuBar()->sizeHint().height() + clientArea.height());
}

frmMenvori::~frmMenvori() = default;

void frmMenvori::buildMenu()
{
    // The menu bar belongs to the window, so that the client area lies below
    // it whatever the desktop offers.
    menuBar()->setNativeMenuBar(false);
    // In the program's face, as every caption: the desktop's menu face would
    // differ from one system to the next (under Wine, without Windows' own
    // faces, it is a serif one).
    const QFont face = appfonts::sans(appfonts::Small, false);
    menuBar()->setFont(face);
    QMenu *mnuApreciacio = menuBar()->addMenu(QStringLiteral("&Apreciació"));
    mnuApreciacio->setObjectName(QStringLiteral("mnuApreciació"));
    mnuApreciacio->setFont(face);
    auto addResolution = [this, mnuApreciacio](const Resolution &resolution, const QString &name) {
        QAction *entry = mnuApreciacio->addAction(captionOf(resolution));
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this, [this, &resolution] { chooseResolution(resolution); });
    };
    addResolution(Tenths, QStringLiteral("mnuDècimes"));
    addResolution(FiveHundredths, QStringLiteral("mnu5Centèssimes"));
    QAction *mnuEspai = mnuApreciacio->addSeparator();
    mnuEspai->setObjectName(QStringLiteral("mnuEspai"));
    QAction *mnuSortir = mnuApreciacio->addAction(QStringLiteral("&Sortir"));
    mnuSortir->setObjectName(QStringLiteral("mnuSortir"));
    connect(mnuSortir, &QAction::triggered, this, &frmMenvori::endProgram);
}

// The title, the resolution box beside it, and the two zoom options below.
void frmMenvori::buildTitle(QWidget *client)
{
    const QFont boldLarge = appfonts::sans(appfonts::Large, true);
    QLabel *lblTitol = makeLabel(client, places::lblTitol, QStringLiteral("Menvori        Apreciació:"), boldLarge,
                                 Qt::AlignLeft);
    setColour(lblTitol, QPalette::WindowText, QColor(colours::Blue));

    // Disabled for good: it shows the resolution in the platform's disabled
    // text colour, on peach.
    txtApreciacio = makeControl<QLineEdit>(client, places::txtApreciacio, QString(), boldLarge);
    setColour(txtApreciacio, QPalette::Base, QColor(colours::Peach));
    txtApreciacio->setEnabled(false);

    const QFont boldSmall = appfonts::sans(appfonts::Small, true);
    OptZoom = makeControl<QRadioButton>(client, places::OptZoom, QStringLiteral("Zoom Nònius"), boldSmall);
    OptNoZoom = makeControl<QRadioButton>(client, places::OptNoZoom, QStringLiteral("Sense Zoom"), boldSmall);
    OptZoom->setChecked(true);
}

// The caliper, and the magnified vernier with its caption.
void frmMenvori::buildPictures(QWidget *client)
{
    const CaliperPictures blank;
    PicCoordenades = makePicture(client, places::PicCoordenades, blank.caliper);
    PicZoom = makePicture(client, places::PicZoom, blank.zoom);
    // Opaque, so that it hides whatever the zoom draws beneath it.
    QLabel *LblLecturaDirecte = makeLabel(PicZoom, places::LblLecturaDirecte,
                                          QStringLiteral("línia del nònius que coincideix amb una del regle fix"),
                                          appfonts::sans(appfonts::Small, true), Qt::AlignHCenter);
    LblLecturaDirecte->setAutoFillBackground(true);
}

// The answer box under its heading, and the verdict below it.
void frmMenvori::buildAnswer(QWidget *client)
{
    const QFont boldLarge = appfonts::sans(appfonts::Large, true);
    QLabel *lblSolucioAlumne = makeLabel(client, places::lblSolucioAlumne, QStringLiteral("Introduïu el resultat:"),
                                         appfonts::sans(appfonts::Medium, true), Qt::AlignLeft);
    txtSolucioAlumnes = makeControl<AnswerBox>(client, places::txtSolucioAlumnes, QString(), boldLarge);
    txtSolucioAlumnes->setMaxLength(std::numeric_limits<int>::max());
    setColour(txtSolucioAlumnes, QPalette::Base, QColor(colours::White));
    setColour(txtSolucioAlumnes, QPalette::Text, QColor(colours::Answer));
    lblSolucioAlumne->setBuddy(txtSolucioAlumnes);

    lblOK = makeLabel(client, places::lblOK, QString(), boldLarge, Qt::AlignHCenter);
    setColour(lblOK, QPalette::WindowText, QColor(colours::Red));
}

// The solution, whole millimetres and hundredths, and the two counts, each
// pair under its heading.
void frmMenvori::buildDisplays(QWidget *client)
{
    const QFont heading = appfonts::sans(appfonts::Large, true);
    const QFont regularMedium = appfonts::sans(appfonts::Medium, false);
    makeLabel(client, places::lblLectura, QStringLiteral("Solució"), heading, Qt::AlignHCenter);
    lblResultat = makeLabel(client, places::lblResultat, QString(), regularMedium, Qt::AlignLeft, true);
    lblValorNonius = makeLabel(client, places::lblValorNonius, QString(), regularMedium, Qt::AlignLeft, true);
    makeLabel(client, places::lblComptador, QStringLiteral("Comptador"), heading, Qt::AlignLeft);
    lblTirades = makeLabel(client, places::lblTirades, QString(), regularMedium, Qt::AlignLeft, true);
    lblEncerts = makeLabel(client, places::lblEncerts, QString(), regularMedium, Qt::AlignLeft, true);
}

// The three command buttons, and the order Tab goes through the controls
// that take the focus (the pictures, the labels and the disabled resolution
// box take none).
void frmMenvori::buildButtons(QWidget *client)
{
    cmdNovaMesura = makeButton(client, places::cmdNovaMesura, QStringLiteral("Nova &Mesura"));
    cmdComprovacio = makeButton(client, places::cmdComprovacio, QStringLiteral("&Comprovació"));
    cmdSortir = makeButton(client, places::cmdSortir, QStringLiteral("&Sortir"));
    setTabOrder(cmdNovaMesura, cmdSortir);
    setTabOrder(cmdSortir, txtSolucioAlumnes);
    setTabOrder(txtSolucioAlumnes, cmdComprovacio);
    setTabOrder(cmdComprovacio, OptZoom);
    setTabOrder(OptZoom, OptNoZoom);
}

// What a screen reader says. Buttons and options speak their captions and the
// answer box its heading (its buddy); the labels the drill writes keep no
// name of their own, so that their text is their name and each change is
// announced, and say what they hold in their description.
void frmMenvori::describeForScreenReaders()
{
    PicCoordenades->setAccessibleName(QStringLiteral("Peu de rei"));
    PicCoordenades->setAccessibleDescription(
        QStringLiteral("Regle fix de 0 a 100 mm amb la corredera i el nònius a la posició de la mesura"));
    PicZoom->setAccessibleName(QStringLiteral("Nònius ampliat"));
    PicZoom->setAccessibleDescription(
        QStringLiteral("La línia vermella continua la línia del nònius que coincideix amb una del regle fix"));
    txtApreciacio->setAccessibleName(QStringLiteral("Apreciació"));
    lblOK->setAccessibleDescription(QStringLiteral("Correcció de la resposta"));
    lblResultat->setAccessibleDescription(QStringLiteral("Solució: mil·límetres"));
    lblValorNonius->setAccessibleDescription(QStringLiteral("Solució: centèssimes"));
    lblTirades->setAccessibleDescription(QStringLiteral("Comptador de mesures"));
    lblEncerts->setAccessibleDescription(QStringLiteral("Comptador d'encerts"));
}

void frmMenvori::connectCommands()
{
    connect(cmdNovaMesura, &QPushButton::clicked, this, &frmMenvori::newMeasurement);
    connect(cmdComprovacio, &QPushButton::clicked, this, &frmMenvori::checkAnswer);
    // Enter (Return or the keypad's Enter, with any modifier) checks the
    // answer, as the button does: only while the drill waits for one.
    connect(txtSolucioAlumnes, &QLineEdit::returnPressed, this, &frmMenvori::checkAnswer);
    connect(cmdSortir, &QPushButton::clicked, this, &frmMenvori::endProgram);
    // Keyboard arrows move the selection within the option group without a
    // click, so the zoom follows the selection itself.
    connect(OptZoom, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showZoom();
    });
    connect(OptNoZoom, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            hideZoom();
    });
}

void frmMenvori::load()
{
    // While the introduction window is the only window, closing it must not
    // end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    auto *intro = new frmIntroduccio;
    intro->setAttribute(Qt::WA_DeleteOnClose);
    intro->setModal(true);
    connect(intro, &frmIntroduccio::painted, this, &frmMenvori::getReady);
    // The main window comes up where the introduction window was.
    connect(intro, &QDialog::finished, this, [this, intro] { introClosed(intro->pos()); });
    // Shown at its own size everywhere: show() would fill the screen where
    // that is the platform's way (a browser page).
    showOnPage(intro);
}

void frmMenvori::getReady()
{
    // The face of the pictures' numbers, and the window itself, made now
    // rather than after "Començar": the caliper at rest is then painted at
    // once.
    DrawingSurface::prepareNumbers(devicePixelRatioF());
    ensurePolished();
    create();
}

void frmMenvori::introClosed(QPoint introPlace)
{
    chooseResolution(FiveHundredths);
    state.NumMesures = 0;
    showOnPage(this, introPlace);
    QApplication::setQuitOnLastWindowClosed(true);
}

void frmMenvori::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The window becomes the active one as it is first shown: that is when
    // the caliper at rest is drawn, once per run. Later activations (coming
    // back from another program) draw nothing, so a posed measurement is
    // never drawn over.
    if (!restDrawn_) {
        restDrawn_ = true;
        CaliperPictures rest = restPictures();
        PicCoordenades->setPicture(std::move(rest.caliper));
        PicZoom->setPicture(std::move(rest.zoom));
    }
}

// Each command runs only while its button is enabled, whatever brought it
// here: a click, Space or Return on the button, its access key, Enter in the
// answer box, or a press that Qt delivers later (a screen reader's press is
// animated, and lands 100 ms on). That is what poses each measurement once
// and judges it at most once.
void frmMenvori::newMeasurement()
{
    if (waitingForAnswer())
        return;
    txtSolucioAlumnes->setText(QStringLiteral(" "));
    lblResultat->setText(QString());
    lblValorNonius->setText(QString());
    lblOK->setText(QString());
    poseMeasurement(state, *random_);
    lblTirades->setText(QStringLiteral("Mesura núm: ") + labelNumber(state.NumMesures));
    // Both pictures start blank again: the rule, and for a measurement posed
    // its slide and magnified vernier.
    CaliperPictures pictures = measurementPictures(state);
    PicCoordenades->setPicture(std::move(pictures.caliper));
    PicZoom->setPicture(std::move(pictures.zoom));
    awaitAnswer();
}

void frmMenvori::checkAnswer()
{
    if (!waitingForAnswer())
        return;
    const QString answer = txtSolucioAlumnes->text();
    const bool right = judgeAnswer(
        state, std::u16string_view(reinterpret_cast<const char16_t *>(answer.utf16()),
                                   static_cast<std::size_t>(answer.size())));
    lblOK->setText(right ? QStringLiteral("MOLT BÉ") : QStringLiteral("NO HO HAS FET BÉ"));
    lblResultat->setText(labelNumber(state.ValorRegle) + QStringLiteral(" milímetres"));
    lblValorNonius->setText(labelNumber(state.ValorNonius) + QStringLiteral(" centèssimes"));
    lblEncerts->setText(QStringLiteral("Núm d'encerts: ") + labelNumber(state.NumEncerts));
    awaitMeasurement();
}

bool frmMenvori::waitingForAnswer() const
{
    return cmdComprovacio->isEnabled();
}

void frmMenvori::awaitAnswer()
{
    txtSolucioAlumnes->setFocus();
    cmdComprovacio->setEnabled(true);
    cmdNovaMesura->setEnabled(false);
}

void frmMenvori::awaitMeasurement()
{
    cmdNovaMesura->setEnabled(true);
    cmdComprovacio->setEnabled(false);
    cmdNovaMesura->setFocus();
}

// Applies from the next measurement on: nothing is redrawn.
void frmMenvori::chooseResolution(const Resolution &resolution)
{
    state.Apreciacio = resolution.code;
    txtApreciacio->setText(captionOf(resolution));
}

void frmMenvori::showZoom()
{
    PicZoom->setVisible(true);
}

void frmMenvori::hideZoom()
{
    PicZoom->setVisible(false);
}

void frmMenvori::endProgram()
{
    // At once: nothing is asked and nothing is saved. The window closes
    // first, as closing it by its frame does: where the event loop cannot
    // end the program (a browser page), that is what shows the drill is over.
    close();
    QCoreApplication::exit(0);
}
