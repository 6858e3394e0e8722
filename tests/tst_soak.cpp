// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A long session through the real window: 100 000 drill cycles with the
// program's own random source. The counts stay exact, the right answers never
// exceed the measurements, the pictures hold one measurement's drawing, and
// memory does not grow.
#include "picturearea.h"
#include "windowfixture.h"

#include <QLabel>
#include <QLineEdit>

#include <fstream>
#include <random>
#include <unistd.h>

namespace {

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void hundredThousandCycles();
};

void TestSoak::hundredThousandCycles()
{
    auto w = startMainWindow();
    std::mt19937 generator(2026);
    const int cycles = 100000;
    const int warmUp = 2000;
    long afterWarmUp = 0;
    int right = 0;

    for (int cycle = 1; cycle <= cycles; ++cycle) {
        if (cycle % 5000 == 0)
            (cycle / 5000 % 2 ? w.mnuDecimes : w.mnu5Centessimes)->trigger();
        w.cmdNovaMesura->click();
        const bool answerRight = generator() % 4 != 0;
        const QString reading = QStringLiteral("%1.%2").arg(int(w.state().ValorRegle)).arg(int(w.state().ValorNonius), 2, 10, QLatin1Char('0'));
        w.txtSolucioAlumnes->setText(answerRight ? reading : reading + QStringLiteral("1"));
        if (cycle % 2)
            w.cmdComprovacio->click();
        else
            QTest::keyClick(w.txtSolucioAlumnes, Qt::Key_Enter, Qt::KeypadModifier);
        right += answerRight;
        if (cycle % 100 == 0)
            QCoreApplication::processEvents(); // paint now and then, as a screen would

        if (w.pictures() != measurementPictures(w.state()))
            QFAIL(qPrintable(QStringLiteral("cycle %1: the pictures are not the measurement's alone").arg(cycle)));
        if (w.state().NumMesures != float(cycle) || w.state().NumEncerts != float(right))
            QFAIL(qPrintable(QStringLiteral("cycle %1: %2 right of %3 measurements")
                                 .arg(cycle).arg(w.state().NumEncerts).arg(w.state().NumMesures)));
        if (cycle == warmUp)
            afterWarmUp = residentKiB();
    }
    QCOMPARE(w.lblTirades->text(), QStringLiteral("Mesura núm:  %1").arg(cycles));
    QCOMPARE(w.lblEncerts->text(), QStringLiteral("Núm d'encerts:  %1").arg(right));

    const long growth = residentKiB() - afterWarmUp;
    qInfo("resident memory grew by %ld KiB after warm-up", growth);
#ifdef MENVORI_SANITIZE
    QSKIP("AddressSanitizer holds freed memory in quarantine; memory is measured in the plain build");
#endif
    QVERIFY2(growth < 1024, qPrintable(QString::number(growth)));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
