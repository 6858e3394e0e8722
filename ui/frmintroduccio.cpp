#include "frmintroduccio.h"

#include "appfonts.h"
#include "appicon.h"
#include "colours.h"
#include "twips.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

frmIntroduccio::frmIntroduccio(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIntroduccio"));
    // An empty title bar. Qt shows the program's name for an empty title, so
    // the title is a single blank.
    setWindowTitle(QStringLiteral(" "));
    setWindowIcon(appIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(false);
    setColours(this, QPalette::Window, Qt::black, QPalette::WindowText, Qt::white);
    resize(twipsToPixels(11880), twipsToPixels(8595));

    cmdComençar = new QPushButton(QStringLiteral("&Començar"), this);
    cmdComençar->setObjectName(QStringLiteral("cmdComençar"));
    cmdComençar->setGeometry(twipsRect(5040, 5640, 1875, 615));
    cmdComençar->setFont(appfonts::sans(9.75, false));
    // The button keeps its ordinary look on the black window.
    cmdComençar->setPalette(QPalette());
    cmdComençar->setAutoDefault(true);
    connect(cmdComençar, &QPushButton::clicked, this, &QDialog::accept);

    lblEtiqueta = new QLabel(QStringLiteral("El Menvori"), this);
    lblEtiqueta->setObjectName(QStringLiteral("lblEtiqueta"));
    lblEtiqueta->setGeometry(twipsRect(4080, 3480, 3975, 1575));
    lblEtiqueta->setFont(appfonts::wide(27.75));
    lblEtiqueta->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblEtiqueta->setWordWrap(true);
    setColours(lblEtiqueta, QPalette::Window, Qt::black, QPalette::WindowText, QColor(255, 0, 0));

    lblAutor = new QLabel(QStringLiteral("Pràctiques de lectura del peu de rei"), this);
    lblAutor->setObjectName(QStringLiteral("lblAutor"));
    lblAutor->setGeometry(twipsRect(9360, 7320, 2055, 735));
    lblAutor->setFont(appfonts::sans(9.75, false));
    lblAutor->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAutor->setWordWrap(true);
    setColours(lblAutor, QPalette::Window, Qt::black, QPalette::WindowText, palette().color(QPalette::HighlightedText));

    picDibuix = new QLabel(this);
    picDibuix->setObjectName(QStringLiteral("picDibuix"));
    picDibuix->setGeometry(twipsRect(2880, 240, 7215, 2895));
    picDibuix->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picDibuix->setPixmap(QPixmap(QStringLiteral(":/images/peu_de_rei.bmp")));
    picDibuix->setAccessibleName(QStringLiteral("Dibuix d'un peu de rei"));
    setColours(picDibuix, QPalette::Window, Qt::black, QPalette::WindowText, Qt::white);

    setTabOrder(cmdComençar, lblEtiqueta);
    cmdComençar->setFocus();
}

void frmIntroduccio::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        // A zero timer fires once this whole repaint, children and flush
        // included, is done.
        QTimer::singleShot(0, this, &frmIntroduccio::firstPainted);
    }
}
