// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What assistive technology finds in the windows, through Qt's own
// accessibility layer: the name a person would speak for every control. That
// the verdict, the solution and the counters are announced as they change is
// checked from outside, over AT-SPI (atspi_real_window.py).
#include "drawingsurface.h"
#include "windowfixture.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>

namespace {

QString nameOf(QObject *o)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<none>");
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void names_data();
    void names();
    void introNames();
};

void TestAccessibility::initTestCase()
{
    setUpApplication();
}

void TestAccessibility::names_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    QTest::newRow("Nova Mesura") << "cmdNovaMesura" << "Nova Mesura" << int(QAccessible::Button);
    QTest::newRow("Comprovació") << "cmdComprovacio" << "Comprovació" << int(QAccessible::Button);
    QTest::newRow("Sortir") << "cmdSortir" << "Sortir" << int(QAccessible::Button);
    QTest::newRow("Zoom Nònius") << "OptZoom" << "Zoom Nònius" << int(QAccessible::RadioButton);
    QTest::newRow("Sense Zoom") << "OptNoZoom" << "Sense Zoom" << int(QAccessible::RadioButton);
    QTest::newRow("answer box, by its heading") << "txtSolucioAlumnes" << "Introduïu el resultat:" << int(QAccessible::EditableText);
    QTest::newRow("resolution") << "txtApreciacio" << "Apreciació" << int(QAccessible::EditableText);
    QTest::newRow("caliper picture") << "PicCoordenades" << "Peu de rei" << -1;
    QTest::newRow("zoom picture") << "PicZoom" << "Nònius ampliat" << -1;
    QTest::newRow("zoom caption") << "LblLecturaDirecte" << "línia del nònius que coincideix amb una del regle fix" << int(QAccessible::StaticText);
    QTest::newRow("heading Solució") << "lblLectura" << "Solució" << int(QAccessible::StaticText);
    QTest::newRow("heading Comptador") << "lblComptador" << "Comptador" << int(QAccessible::StaticText);
}

void TestAccessibility::names()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    auto window = startMainWindow();
    QObject *o = window->findChild<QObject *>(control);
    QVERIFY(o);
    QCOMPARE(nameOf(o), name);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(o);
    if (role >= 0)
        QCOMPARE(int(iface->role()), role);
    else
        QVERIFY(!iface->text(QAccessible::Description).isEmpty());
    QAccessibleInterface *menuBar = QAccessible::queryAccessibleInterface(window->menuBar());
    QCOMPARE(menuBar->child(0)->text(QAccessible::Name), QStringLiteral("Apreciació"));
}

void TestAccessibility::introNames()
{
    frmIntroduccio intro;
    intro.show();
    QVERIFY(QTest::qWaitForWindowExposed(&intro));
    QCOMPARE(nameOf(intro.cmdComençar), QStringLiteral("Començar"));
    QCOMPARE(nameOf(intro.lblEtiqueta), QStringLiteral("El Menvori"));
    QCOMPARE(nameOf(intro.picDibuix), QStringLiteral("Dibuix d'un peu de rei"));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
