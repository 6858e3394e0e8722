#include "frmmenvori.h"

#include "answer.h"
#include "appfonts.h"
#include "appicon.h"
#include "caliper.h"
#include "colours.h"
#include "drawingsurface.h"
#include "frmintroduccio.h"
#include "measurement.h"
#include "twips.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

namespace {

const QColor Peach(255, 224, 192);
const QColor ControlText(0, 0, 0);

QLabel *makeLabel(QWidget *parent, const QString &name, const QRect &place, const QString &text,
                  const QFont &font, const QColor &textColour, Qt::Alignment alignment,
                  bool framed = false)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    setColours(label, QPalette::Window, Peach, QPalette::WindowText, textColour);
    if (framed) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
        label->setIndent(2);
    }
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QRect &place, const QString &text)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    button->setFont(appfonts::sans(8.25, false));
    // Enter on a focused button presses it, as Space does; the window itself
    // has no default button.
    button->setAutoDefault(true);
    return button;
}

QRadioButton *makeOption(QWidget *parent, const QString &name, const QRect &place, const QString &text)
{
    auto *option = new QRadioButton(text, parent);
    option->setObjectName(name);
    option->setGeometry(place);
    option->setFont(appfonts::sans(8.25, true));
    option->setBackgroundRole(QPalette::Window);
    setColours(option, QPalette::Window, Peach, QPalette::WindowText, ControlText);
    return option;
}

QString labelNumber(double value)
{
    return QString::fromStdString(numberText(value));
}

} // namespace

frmMenvori::frmMenvori(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMenvori"));
    setWindowTitle(QStringLiteral("Menvori"));
    setWindowIcon(appIcon());
}

void frmMenvori::createControls()
{
    if (controlsCreated_)
        return;
    controlsCreated_ = true;
    buildMenu();
    buildControls();
    resize(twipsToPixels(11880), menuBar()->sizeHint().height() + twipsToPixels(8310));
    // Paint the window once off screen, and throw the picture away: its faces
    // and glyphs are then ready, and the window's first paint on screen, when
    // the student leaves the introduction, is quick.
    grab();
}

frmMenvori::~frmMenvori() = default;

void frmMenvori::setRandomSource(RandomSource *source)
{
    random_ = source ? source : &clockRandom_;
}

void frmMenvori::buildMenu()
{
    // The menu bar belongs to the window, so that the client area lies below
    // it whatever the desktop offers.
    menuBar()->setNativeMenuBar(false);
    mnuApreciació = menuBar()->addMenu(QStringLiteral("&Apreciació"));
    mnuApreciació->setObjectName(QStringLiteral("mnuApreciació"));
    mnuDècimes = mnuApreciació->addAction(QStringLiteral("0,1 mm"));
    mnuDècimes->setObjectName(QStringLiteral("mnuDècimes"));
    mnu5Centèssimes = mnuApreciació->addAction(QStringLiteral("0,05 mm"));
    mnu5Centèssimes->setObjectName(QStringLiteral("mnu5Centèssimes"));
    mnuEspai = mnuApreciació->addSeparator();
    mnuEspai->setObjectName(QStringLiteral("mnuEspai"));
    mnuSortir = mnuApreciació->addAction(QStringLiteral("&Sortir"));
    mnuSortir->setObjectName(QStringLiteral("mnuSortir"));

    connect(mnuDècimes, &QAction::triggered, this, &frmMenvori::mnuDècimes_Click);
    connect(mnu5Centèssimes, &QAction::triggered, this, &frmMenvori::mnu5Centèssimes_Click);
    connect(mnuSortir, &QAction::triggered, this, &frmMenvori::endProgram);
}

void frmMenvori::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    setColours(client, QPalette::Window, Peach, QPalette::WindowText, ControlText);
    setCentralWidget(client);

    const QFont regular825 = appfonts::sans(8.25, false);
    const QFont bold825 = appfonts::sans(8.25, true);
    const QFont regular975 = appfonts::sans(9.75, false);
    const QFont bold975 = appfonts::sans(9.75, true);
    const QFont bold12 = appfonts::sans(12, true);

    PicCoordenades = new DrawingSurface(client);
    PicCoordenades->setObjectName(QStringLiteral("PicCoordenades"));
    PicCoordenades->setGeometry(twipsRect(0, 1560, 11895, 3615));

    cmdNovaMesura = makeButton(client, QStringLiteral("cmdNovaMesura"),
                               twipsRect(5760, 6840, 1455, 615), QStringLiteral("Nova &Mesura"));

    lblLectura = makeLabel(client, QStringLiteral("lblLectura"), twipsRect(4080, 5760, 2895, 255),
                           QStringLiteral("Solució"), bold12, ControlText, Qt::AlignHCenter);

    cmdSortir = makeButton(client, QStringLiteral("cmdSortir"), twipsRect(9720, 6840, 1455, 615),
                           QStringLiteral("&Sortir"));

    lblTitol = makeLabel(client, QStringLiteral("lblTitol"), twipsRect(120, 120, 3375, 375),
                         QStringLiteral("Menvori        Apreciació:"), bold12, QColor(0, 0, 255),
                         Qt::AlignLeft);

    lblSolucioAlumne = makeLabel(client, QStringLiteral("lblSolucioAlumne"),
                                 twipsRect(720, 5760, 2055, 375),
                                 QStringLiteral("Introduïu el resultat:"), bold975, ControlText,
                                 Qt::AlignLeft);

    txtSolucioAlumnes = new QLineEdit(client);
    txtSolucioAlumnes->setObjectName(QStringLiteral("txtSolucioAlumnes"));
    txtSolucioAlumnes->setGeometry(twipsRect(720, 6120, 2055, 375));
    txtSolucioAlumnes->setFont(bold12);
    txtSolucioAlumnes->setMaxLength(std::numeric_limits<int>::max());
    setColours(txtSolucioAlumnes, QPalette::Base, Qt::white, QPalette::Text, QColor(192, 64, 0));
    txtSolucioAlumnes->installEventFilter(this);
    lblSolucioAlumne->setBuddy(txtSolucioAlumnes);

    cmdComprovacio = makeButton(client, QStringLiteral("cmdComprovacio"),
                                twipsRect(7680, 6840, 1575, 615), QStringLiteral("&Comprovació"));
    cmdComprovacio->setEnabled(false);

    lblOK = makeLabel(client, QStringLiteral("lblOK"), twipsRect(600, 6960, 3255, 375), QString(),
                      bold12, QColor(255, 0, 0), Qt::AlignHCenter);
    lblResultat = makeLabel(client, QStringLiteral("lblResultat"), twipsRect(3960, 6120, 1455, 375),
                            QString(), regular975, ControlText, Qt::AlignLeft, true);
    lblValorNonius = makeLabel(client, QStringLiteral("lblValorNonius"),
                               twipsRect(5520, 6120, 1575, 375), QString(), regular975, ControlText,
                               Qt::AlignLeft, true);

    txtApreciacio = new QLineEdit(client);
    txtApreciacio->setObjectName(QStringLiteral("txtApreciacio"));
    txtApreciacio->setGeometry(twipsRect(3600, 120, 1455, 375));
    txtApreciacio->setFont(bold12);
    setColours(txtApreciacio, QPalette::Base, Peach, QPalette::Text, ControlText);
    txtApreciacio->setEnabled(false);

    lblComptador = makeLabel(client, QStringLiteral("lblComptador"), twipsRect(8760, 5760, 1695, 375),
                             QStringLiteral("Comptador"), bold12, QColor(0, 0, 0), Qt::AlignLeft);
    lblTirades = makeLabel(client, QStringLiteral("lblTirades"), twipsRect(7680, 6120, 1695, 375),
                           QString(), regular975, ControlText, Qt::AlignLeft, true);
    lblEncerts = makeLabel(client, QStringLiteral("lblEncerts"), twipsRect(9480, 6120, 1695, 375),
                           QString(), regular975, ControlText, Qt::AlignLeft, true);

    PicZoom = new DrawingSurface(client);
    PicZoom->setObjectName(QStringLiteral("PicZoom"));
    PicZoom->setGeometry(twipsRect(6000, 0, 5805, 1455));

    LblLecturaDirecte = makeLabel(PicZoom, QStringLiteral("LblLecturaDirecte"),
                                  twipsRect(120, 120, 4695, 255),
                                  QStringLiteral("línia del nònius que coincideix amb una del regle fix"),
                                  bold825, ControlText, Qt::AlignHCenter);

    OptZoom = makeOption(client, QStringLiteral("OptZoom"), twipsRect(480, 840, 2055, 375),
                         QStringLiteral("Zoom Nònius"));
    OptNoZoom = makeOption(client, QStringLiteral("OptNoZoom"), twipsRect(3480, 840, 2055, 375),
                           QStringLiteral("Sense Zoom"));
    OptZoom->setChecked(true);

    for (QWidget *w : std::initializer_list<QWidget *>{PicCoordenades, PicZoom})
        w->setFont(regular825);

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

    // The tab order of the window's controls; those that take no focus
    // (pictures, labels, the disabled resolution box) are passed over.
    const QList<QWidget *> order = {PicCoordenades, cmdNovaMesura, lblLectura,   cmdSortir,
                                    lblTitol,       lblSolucioAlumne, txtSolucioAlumnes,
                                    cmdComprovacio, lblOK,          lblResultat,  lblValorNonius,
                                    txtApreciacio,  lblComptador,   lblTirades,   lblEncerts,
                                    PicZoom,        LblLecturaDirecte, OptZoom,   OptNoZoom};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    cmdNovaMesura->setFocus();

    connect(cmdNovaMesura, &QPushButton::clicked, this, &frmMenvori::cmdNovaMesura_Click);
    connect(cmdComprovacio, &QPushButton::clicked, this, &frmMenvori::cmdComprovacio_Click);
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
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    {
        frmIntroduccio intro;
        connect(&intro, &frmIntroduccio::firstPainted, this, &frmMenvori::createControls);
        intro.exec();
    }
    createControls();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);

    state.Apreciacio = 1;
    txtApreciacio->setText(QStringLiteral("0,05 mm"));
    state.NumMesures = 0;
}

void frmMenvori::showEvent(QShowEvent *event)
{
    createControls();
    QMainWindow::showEvent(event);
    // The window becomes the active one as it is first shown: that is when
    // the caliper at rest is drawn, once per run. Later activations (coming
    // back from another program) draw nothing, so a posed measurement is
    // never drawn over.
    if (!restDrawn_) {
        restDrawn_ = true;
        drawRestPictures();
    }
}

void frmMenvori::drawRestPictures()
{
    drawFixedRule(state, *PicCoordenades);
    drawRestSlide(state, *PicCoordenades);
    drawRestZoom(*PicZoom);
}

bool frmMenvori::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtSolucioAlumnes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        // Enter checks the answer only while the drill waits for one: each
        // measurement is judged once, and nothing is judged before the first.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && cmdComprovacio->isEnabled())
            checkAnswer();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMenvori::cmdNovaMesura_Click()
{
    PicCoordenades->clear();
    PicZoom->clear();
    txtSolucioAlumnes->setText(QStringLiteral(" "));
    lblResultat->setText(QString());
    lblValorNonius->setText(QString());
    lblOK->setText(QString());
    countMeasurement(state);
    lblTirades->setText(QStringLiteral("Mesura núm: ") + labelNumber(state.NumMesures));
    drawFixedRule(state, *PicCoordenades);
    if (generatePosition(state, *random_)) {
        drawZoom(state, *PicZoom);
        drawSlide(state, *PicCoordenades);
        computeValorRegle(state);
    }
    // The focus leaves the button before the button is disabled.
    txtSolucioAlumnes->setFocus();
    cmdComprovacio->setEnabled(true);
    cmdNovaMesura->setEnabled(false);
}

void frmMenvori::cmdComprovacio_Click()
{
    checkAnswer();
}

void frmMenvori::checkAnswer()
{
    const QString answer = txtSolucioAlumnes->text();
    const bool right = judgeAnswer(
        state, std::u16string_view(reinterpret_cast<const char16_t *>(answer.utf16()),
                                   static_cast<std::size_t>(answer.size())));
    lblOK->setText(right ? QStringLiteral("MOLT BÉ") : QStringLiteral("NO HO HAS FET BÉ"));
    lblResultat->setText(labelNumber(state.ValorRegle) + QStringLiteral(" milímetres"));
    lblValorNonius->setText(labelNumber(state.ValorNonius) + QStringLiteral(" centèssimes"));
    lblEncerts->setText(QStringLiteral("Núm d'encerts: ") + labelNumber(state.NumEncerts));
    // The button is enabled before the focus goes to it.
    cmdNovaMesura->setEnabled(true);
    cmdComprovacio->setEnabled(false);
    cmdNovaMesura->setFocus();
}

void frmMenvori::mnu5Centèssimes_Click()
{
    state.Apreciacio = 1;
    txtApreciacio->setText(QStringLiteral("0,05 mm"));
}

void frmMenvori::mnuDècimes_Click()
{
    state.Apreciacio = 2;
    txtApreciacio->setText(QStringLiteral("0,1 mm"));
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
