#pragma once

#include "exercisestate.h"
#include "randomsource.h"

#include <QMainWindow>

#include <memory>

class DrawingSurface;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

// The main window, in which the whole drill takes place. It owns the drill's
// state and its two picture areas, and each user action has one routine here.
//
// The drill alternates between two states, held only in which of the two
// drill buttons is enabled: waiting for a measurement ("Nova Mesura") and
// waiting for an answer ("Comprovació", or Enter in the answer box).
class frmMenvori : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMenvori(QWidget *parent = nullptr);
    ~frmMenvori() override;

    // The window's load: shows the introduction window modally and waits for
    // it to close, then sets the drill's start values. Runs once, before the
    // window is first shown.
    void load();

    // Replaces the random source of new measurements; the window does not
    // take ownership. Tests pose chosen measurements with it.
    void setRandomSource(RandomSource *source);

    ExerciseState state;

    DrawingSurface *PicCoordenades;
    QPushButton *cmdNovaMesura;
    QLabel *lblLectura;
    QPushButton *cmdSortir;
    QLabel *lblTitol;
    QLabel *lblSolucioAlumne;
    QLineEdit *txtSolucioAlumnes;
    QPushButton *cmdComprovacio;
    QLabel *lblOK;
    QLabel *lblResultat;
    QLabel *lblValorNonius;
    QLineEdit *txtApreciacio;
    QLabel *lblComptador;
    QLabel *lblTirades;
    QLabel *lblEncerts;
    DrawingSurface *PicZoom;
    QLabel *LblLecturaDirecte;
    QRadioButton *OptZoom;
    QRadioButton *OptNoZoom;

    QMenu *mnuApreciació;
    QAction *mnuDècimes;
    QAction *mnu5Centèssimes;
    QAction *mnuEspai;
    QAction *mnuSortir;

    // Event routines.
    void cmdNovaMesura_Click();
    void cmdComprovacio_Click();
    void mnu5Centèssimes_Click();
    void mnuDècimes_Click();
    void OptZoom_Click();
    void OptNoZoom_Click();
    void endProgram();

    // Judges the answer box against the posed reading and shows the verdict,
    // the solution and the count of right answers.
    void checkAnswer();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenu();
    void drawRestPictures();

    ClockRandomSource clockRandom_;
    RandomSource *random_ = &clockRandom_;
    bool restDrawn_ = false;
};
