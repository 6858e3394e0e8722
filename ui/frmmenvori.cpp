// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmmenvori.h"

#include "answer.h"
#include "answerbox.h"
#include "appfonts.h"
#include "caliper.h"
#include "colours.h"
#include "commandbutton.h"
#include "frmintroduccio.h"
#include "measurement.h"
#include "numbers.h"
#include "picturearea.h"
#include "setcolour.h"
#include "twips.h"

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

// A control with its name, place, caption and face.
template <typename Control>
Control *makeControl(QWidget *parent, const QString &name, const QRect &place, const QString &text,
                     const QFont &font)
{
    auto *control = new Control(text, parent);
    control->setObjectName(name);
    control->setGeometry(place);
    control->setFont(font);
    return control;
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &place, const QString &text,
                  const QFont &font, Qt::Alignment alignment, bool framed = false)
{
    auto *label = makeControl<QLabel>(parent, name, place, text, font);
    label->setAlignment(alignment | Qt::AlignTop);
    if (framed) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setIndent(2);
    }
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QRect &place, const QString &text)
{
    auto *button = makeControl<CommandButton>(parent, name, place, text, appfonts::sans(appfonts::Small, false));
    // Enter on a focused button presses it, as Space does; the window itself
    // has no default button.
    button->setAutoDefault(true);
    return button;
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
    setObjectName(QStringLiteral("frmMenvori"));
    setWindowTitle(QStringLiteral("Menvori"));
    buildMenu();
    buildControls();
    resize(twipsToPixels(11880), menuBar()->sizeHint().height() + twipsToPixels(8310));
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
    mnuApreciació = menuBar()->addMenu(QStringLiteral("&Apreciació"));
    mnuApreciació->setObjectName(QStringLiteral("mnuApreciació"));
    mnuApreciació->setFont(face);
    auto addResolution = [this](const Resolution &resolution, const QString &name) {
        QAction *entry = mnuApreciació->addAction(captionOf(resolution));
        entry->setObjectName(name);
        connect(entry, &QAction::triggered, this, [this, &resolution] { chooseResolution(resolution); });
        return entry;
    };
    mnuDècimes = addResolution(Tenths, QStringLiteral("mnuDècimes"));
    mnu5Centèssimes = addResolution(FiveHundredths, QStringLiteral("mnu5Centèssimes"));
    mnuEspai = mnuApreciació->addSeparator();
    mnuEspai->setObjectName(QStringLiteral("mnuEspai"));
    mnuSortir = mnuApreciació->addAction(QStringLiteral("&Sortir"));
    mnuSortir->setObjectName(QStringLiteral("mnuSortir"));
    connect(mnuSortir, &QAction::triggered, this, &frmMenvori::endProgram);
}

void frmMenvori::buildControls()
{
    // The client area is peach with black texts; the controls take these
    // from it, and only those with colours of their own set them below.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setColour(client, QPalette::Window, QColor(colours::Peach));
    setColour(client, QPalette::WindowText, QColor(colours::Black));
    client->setAutoFillBackground(true);
    setCentralWidget(client);

    using appfonts::Large;
    using appfonts::Medium;
    using appfonts::Small;
    const QFont boldSmall = appfonts::sans(Small, true);
    const QFont regularMedium = appfonts::sans(Medium, false);
    const QFont boldMedium = appfonts::sans(Medium, true);
    const QFont boldLarge = appfonts::sans(Large, true);

    PicCoordenades = new PictureArea(blankCaliper(), client);
    PicCoordenades->setObjectName(QStringLiteral("PicCoordenades"));
    PicCoordenades->move(twipsToPixels(0), twipsToPixels(1560));

    cmdNovaMesura = makeButton(client, QStringLiteral("cmdNovaMesura"),
                               twipsRect(5760, 6840, 1455, 615), QStringLiteral("Nova &Mesura"));

    lblLectura = makeLabel(client, QStringLiteral("lblLectura"), twipsRect(4080, 5760, 2895, 255),
                           QStringLiteral("Solució"), boldLarge, Qt::AlignHCenter);

    cmdSortir = makeButton(client, QStringLiteral("cmdSortir"), twipsRect(9720, 6840, 1455, 615),
                           QStringLiteral("&Sortir"));

    lblTitol = makeLabel(client, QStringLiteral("lblTitol"), twipsRect(120, 120, 3375, 375),
                         QStringLiteral("Menvori        Apreciació:"), boldLarge, Qt::AlignLeft);
    setColour(lblTitol, QPalette::WindowText, QColor(colours::Blue));

    lblSolucioAlumne = makeLabel(client, QStringLiteral("lblSolucioAlumne"),
                                 twipsRect(720, 5760, 2055, 375),
                                 QStringLiteral("Introduïu el resultat:"), boldMedium, Qt::AlignLeft);

    txtSolucioAlumnes = new AnswerBox(client);
    txtSolucioAlumnes->setObjectName(QStringLiteral("txtSolucioAlumnes"));
    txtSolucioAlumnes->setGeometry(twipsRect(720, 6120, 2055, 375));
    txtSolucioAlumnes->setFont(boldLarge);
    txtSolucioAlumnes->setMaxLength(std::numeric_limits<int>::max());
    setColour(txtSolucioAlumnes, QPalette::Base, QColor(colours::White));
    setColour(txtSolucioAlumnes, QPalette::Text, QColor(colours::Answer));
    lblSolucioAlumne->setBuddy(txtSolucioAlumnes);

    cmdComprovacio = makeButton(client, QStringLiteral("cmdComprovacio"),
                                twipsRect(7680, 6840, 1575, 615), QStringLiteral("&Comprovació"));

    lblOK = makeLabel(client, QStringLiteral("lblOK"), twipsRect(600, 6960, 3255, 375), QString(),
                      boldLarge, Qt::AlignHCenter);
    setColour(lblOK, QPalette::WindowText, QColor(colours::Red));
    lblResultat = makeLabel(client, QStringLiteral("lblResultat"), twipsRect(3960, 6120, 1455, 375),
                            QString(), regularMedium, Qt::AlignLeft, true);
    lblValorNonius = makeLabel(client, QStringLiteral("lblValorNonius"),
                               twipsRect(5520, 6120, 1575, 375), QString(), regularMedium,
                               Qt::AlignLeft, true);

    // Disabled for good: it shows the resolution in the platform's disabled
    // text colour, on peach.
    txtApreciacio = new QLineEdit(client);
    txtApreciacio->setObjectName(QStringLiteral("txtApreciacio"));
    txtApreciacio->setGeometry(twipsRect(3600, 120, 1455, 375));
    txtApreciacio->setFont(boldLarge);
    setColour(txtApreciacio, QPalette::Base, QColor(colours::Peach));
    txtApreciacio->setEnabled(false);

    lblComptador = makeLabel(client, QStringLiteral("lblComptador"), twipsRect(8760, 5760, 1695, 375),
                             QStringLiteral("Comptador"), boldLarge, Qt::AlignLeft);
    lblTirades = makeLabel(client, QStringLiteral("lblTirades"), twipsRect(7680, 6120, 1695, 375),
                           QString(), regularMedium, Qt::AlignLeft, true);
    lblEncerts = makeLabel(client, QStringLiteral("lblEncerts"), twipsRect(9480, 6120, 1695, 375),
                           QString(), regularMedium, Qt::AlignLeft, true);

    PicZoom = new PictureArea(blankZoom(), client);
    PicZoom->setObjectName(QStringLiteral("PicZoom"));
    PicZoom->move(twipsToPixels(6000), twipsToPixels(0));

    // Opaque, so that it hides whatever the zoom draws beneath it.
    LblLecturaDirecte = makeLabel(PicZoom, QStringLiteral("LblLecturaDirecte"),
                                  twipsRect(120, 120, 4695, 255),
                                  QStringLiteral("línia del nònius que coincideix amb una del regle fix"),
                                  boldSmall, Qt::AlignHCenter);
    LblLecturaDirecte->setAutoFillBackground(true);

    OptZoom = makeControl<QRadioButton>(client, QStringLiteral("OptZoom"), twipsRect(480, 840, 2055, 375),
                                        QStringLiteral("Zoom Nònius"), boldSmall);
    OptNoZoom = makeControl<QRadioButton>(client, QStringLiteral("OptNoZoom"), twipsRect(3480, 840, 2055, 375),
                                          QStringLiteral("Sense Zoom"), boldSmall);
    OptZoom->setChecked(true);

    // What a screen reader says. Buttons and options speak their captions and
    // the answer box its heading (its buddy); the labels the drill writes keep
    // no name of their own, so that their text is their name and each change
    // is announced, and say what they hold in their description.
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

    // The tab order. Of the window's controls only these take the focus (the
    // pictures, the labels and the disabled resolution box take none), and
    // Tab goes through them in this order.
    setTabOrder(cmdNovaMesura, cmdSortir);
    setTabOrder(cmdSortir, txtSolucioAlumnes);
    setTabOrder(txtSolucioAlumnes, cmdComprovacio);
    setTabOrder(cmdComprovacio, OptZoom);
    setTabOrder(OptZoom, OptNoZoom);
    awaitMeasurement();

    connect(cmdNovaMesura, &QPushButton::clicked, this, &frmMenvori::cmdNovaMesura_Click);
    connect(cmdComprovacio, &QPushButton::clicked, this, &frmMenvori::checkAnswer);
    // Enter (Return or the keypad's Enter, with any modifier) checks the
    // answer, as the button does: only while the drill waits for one.
    connect(txtSolucioAlumnes, &QLineEdit::returnPressed, this, &frmMenvori::checkAnswer);
    connect(cmdSortir, &QPushButton::clicked, this, &frmMenvori::endProgram);
    // Keyboard arrows move the selection within the option group without a
    // click, so the zoom follows the selection itself.
    connect(OptZoom, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OptZoom_Click();
    });
    connect(OptNoZoom, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            OptNoZoom_Click();
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
    connect(intro, &QDialog::finished, this, &frmMenvori::introClosed);
    intro->show();
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

void frmMenvori::introClosed()
{
    chooseResolution(FiveHundredths);
    state.NumMesures = 0;
    show();
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
        DrawingSurface caliper = PicCoordenades->picture();
        drawFixedRule(state, caliper);
        drawRestSlide(state, caliper);
        PicCoordenades->setPicture(std::move(caliper));
        DrawingSurface zoom = PicZoom->picture();
        drawRestZoom(zoom);
        PicZoom->setPicture(std::move(zoom));
    }
}

// Each command runs only while its button is enabled, whatever brought it
// here: a click, Space or Return on the button, its access key, Enter in the
// answer box, or a press that Qt delivers later (a screen reader's press is
// animated, and lands 100 ms on). That is what poses each measurement once
// and judges it at most once.
void frmMenvori::cmdNovaMesura_Click()
{
    if (waitingForAnswer())
        return;
    DrawingSurface caliper = blankCaliper();
    DrawingSurface zoom = blankZoom();
    txtSolucioAlumnes->setText(QStringLiteral(" "));
    lblResultat->setText(QString());
    lblValorNonius->setText(QString());
    lblOK->setText(QString());
    countMeasurement(state);
    lblTirades->setText(QStringLiteral("Mesura núm: ") + labelNumber(state.NumMesures));
    drawFixedRule(state, caliper);
    if (generatePosition(state, *random_)) {
        drawZoom(state, zoom);
        drawSlide(state, caliper);
        computeValorRegle(state);
    }
    PicCoordenades->setPicture(std::move(caliper));
    PicZoom->setPicture(std::move(zoom));
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

void frmMenvori::OptZoom_Click()
{
    PicZoom->setVisible(true);
}

void frmMenvori::OptNoZoom_Click()
{
    PicZoom->setVisible(false);
}

void frmMenvori::endProgram()
{
    // At once: nothing is asked and nothing is saved.
    QCoreApplication::exit(0);
}
