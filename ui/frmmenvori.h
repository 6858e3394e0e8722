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

    // Makes the menu and the controls; until then the members below are
    // null. load() does it while the introduction window is on screen, so
    // that window comes up sooner and the drill is ready when it closes. A
    // window used without load() must call it first; later calls do nothing.
    void createControls();

    // Replaces the random source of new measurements; the window does not
    // take ownership. Tests pose chosen measurements with it.
    void setRandomSource(RandomSource *source);

    ExerciseState state;

    DrawingSurface *PicCoordenades = nullptr;
    QPushButton *cmdNovaMesura = nullptr;
    QLabel *lblLectura = nullptr;
    QPushButton *cmdSortir = nullptr;
    QLabel *lblTitol = nullptr;
    QLabel *lblSolucioAlumne = nullptr;
    QLineEdit *txtSolucioAlumnes = nullptr;
    QPushButton *cmdComprovacio = nullptr;
    QLabel *lblOK = nullptr;
    QLabel *lblResultat = nullptr;
    QLabel *lblValorNonius = nullptr;
    QLineEdit *txtApreciacio = nullptr;
    QLabel *lblComptador = nullptr;
    QLabel *lblTirades = nullptr;
    QLabel *lblEncerts = nullptr;
    DrawingSurface *PicZoom = nullptr;
    QLabel *LblLecturaDirecte = nullptr;
    QRadioButton *OptZoom = nullptr;
    QRadioButton *OptNoZoom = nullptr;

    QMenu *mnuApreciació = nullptr;
    QAction *mnuDècimes = nullptr;
    QAction *mnu5Centèssimes = nullptr;
    QAction *mnuEspai = nullptr;
    QAction *mnuSortir = nullptr;

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
    bool controlsCreated_ = false;
};
