// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "exercisestate.h"
#include "randomsource.h"
#include "resolution.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QLineEdit;
class PictureArea;
class QPushButton;
class QRadioButton;

// The main window, in which the whole drill takes place. It owns the drill's
// state, its random source and its two picture areas, and each user action
// has one routine here. Its controls carry their names (objectName), by which
// whoever watches the window from outside finds them.
//
// The drill alternates between two states, held only in which of the two
// drill buttons is enabled: waiting for a measurement ("Nova Mesura") and
// waiting for an answer ("Comprovació", or Enter in the answer box). A
// command whose button is disabled does nothing, by whatever route it comes.
class frmMenvori : public QMainWindow {
    Q_OBJECT

public:
    // The random source poses the measurements; tests hand in one that poses
    // chosen values.
    explicit frmMenvori(std::unique_ptr<RandomSource> random = std::make_unique<ClockRandomSource>(),
                        QWidget *parent = nullptr);
    ~frmMenvori() override;

    // The window's load, once at start: shows the introduction window,
    // modally, and returns. When the student closes it, the window sets the
    // drill's start values and shows itself.
    void load();

    // The drill's state, as the commands leave it.
    const ExerciseState &drillState() const { return state; }

protected:
    void showEvent(QShowEvent *event) override;

private slots:
    // What only this window needs before it shows, done while the student
    // looks at the introduction window.
    void getReady();
    // Start-up goes on once the introduction window, whose frame stood at
    // `introPlace`, has closed.
    void introClosed(QPoint introPlace);

    // The commands, each named for what it does rather than for one of the
    // routes that lead to it (a button, its access key, a menu entry, Enter).
    // Poses a new measurement and draws it.
    void newMeasurement();
    // Judges the answer box against the posed reading and shows the verdict,
    // the solution and the count of right answers.
    void checkAnswer();
    void chooseResolution(const Resolution &resolution);
    void showZoom();
    void hideZoom();
    void endProgram();

private:
    void buildMenu();
    void buildTitle(QWidget *client);
    void buildPictures(QWidget *client);
    void buildAnswer(QWidget *client);
    void buildDisplays(QWidget *client);
    void buildButtons(QWidget *client);
    void describeForScreenReaders();
    void connectCommands();

    // The drill's step. It is held in which of the two drill buttons is
    // enabled, and changed only by these two moves.
    bool waitingForAnswer() const;
    // After a new measurement: the focus goes to the answer box, then
    // Comprovació is enabled and Nova Mesura disabled, so that the focus
    // has left the button before it is disabled.
    void awaitAnswer();
    // At start and after a check: Nova Mesura is enabled, Comprovació
    // disabled, then the focus goes to Nova Mesura, enabled by then.
    void awaitMeasurement();

    ExerciseState state;
    std::unique_ptr<RandomSource> random_;
    bool restDrawn_ = false;

    // The controls the commands change or connect; the menu, the headings
    // and the title live on as the window's children only.
    PictureArea *PicCoordenades;
    QPushButton *cmdNovaMesura;
    QPushButton *cmdSortir;
    QLineEdit *txtSolucioAlumnes;
    QPushButton *cmdComprovacio;
    QLabel *lblOK;
    QLabel *lblResultat;
    QLabel *lblValorNonius;
    QLineEdit *txtApreciacio;
    QLabel *lblTirades;
    QLabel *lblEncerts;
    PictureArea *PicZoom;
    QRadioButton *OptZoom;
    QRadioButton *OptNoZoom;
};
