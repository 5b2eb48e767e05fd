// What the text-fit walk finds, the label that breaks between numbers, and a list sized for its rows.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "apoyo/textos.h"
#include "plataforma/controles.h"
#include "plataforma/listview.h"

using namespace plataforma;

TEST(TextosCortados, EveryKindOfControlFitsWideAndIsCutNarrow) {
  QWidget ventana;
  auto* envuelta = new QLabel(QStringLiteral("-Apuesta múltiple de 11 nºs."), &ventana);
  envuelta->setWordWrap(true);
  auto* numeros = new EtiquetaGuiones(&ventana);
  numeros->setText(QStringLiteral("30-31-32-33-34-35-36-37"));
  const std::vector<QWidget*> controles{
      new QLabel(QStringLiteral("Suma aciertos peñas:"), &ventana),
      new QPushButton(QStringLiteral("Eliminar apuesta"), &ventana),
      new QCheckBox(QStringLiteral("Ver sólo si hay premio"), &ventana),
      new QRadioButton(QStringLiteral("Jueves y sábado"), &ventana),
      new QGroupBox(QStringLiteral("Tipo de Peña:"), &ventana),
      envuelta,
      numeros};
  auto cortado = [&](QWidget* c) {
    for (const TextoCortado& t : textosCortados(&ventana))
      if (t.control == c) return true;
    return false;
  };
  for (QWidget* c : controles) {
    c->resize(400, 40);
    EXPECT_FALSE(cortado(c)) << c->metaObject()->className();
    c->resize(40, 40);
    EXPECT_TRUE(cortado(c)) << c->metaObject()->className();
    // Lines that wrap need their height too.
    if (c == envuelta || c == numeros) {
      c->resize(110, 40);
      EXPECT_FALSE(cortado(c)) << c->metaObject()->className();
      c->resize(110, c->fontMetrics().height());
      EXPECT_TRUE(cortado(c)) << c->metaObject()->className();
    }
    c->resize(0, 0);
  }
}

TEST(EtiquetaGuiones, BreaksAfterHyphensNeverInsideANumber) {
  EtiquetaGuiones e;
  e.setText(QStringLiteral("3-8-14-22-27-31-4"));
  const int ancho = e.fontMetrics().horizontalAdvance(QStringLiteral("3-8-14-22-"));
  EXPECT_EQ(e.lineas(ancho), (QStringList{"3-8-14-22-", "27-31-4"}));
  EXPECT_EQ(e.lineas(1000), QStringList{"3-8-14-22-27-31-4"});
  // Too narrow for any piece: one piece a line, none cut.
  EXPECT_EQ(e.lineas(1).size(), 7);
  EXPECT_EQ(e.heightForWidth(ancho), 2 * e.fontMetrics().lineSpacing());
}

TEST(ListViewAlto, SizedForNRowsShowsThemWithItsHeader) {
  ListView lista;
  lista.agregaColumna(QStringLiteral("Apuestas"), 2100);
  lista.fijaAncho(2450);
  lista.show();
  for (int n : {1, 3, 15}) {
    lista.Clear();
    for (int i = 0; i < 30; ++i) lista.Add(QStringLiteral("40-41-42-43-44-45"));
    lista.fijaAlto(lista.altoParaFilas(n));
    QTest::qWait(20);
    EXPECT_EQ(filasVisibles(&lista), n);
  }
  // A row wider than the list adds the bar that scrolls it sideways, and the height makes room.
  lista.fijaAnchoColumna(1, 4000);
  lista.fijaAlto(lista.altoParaFilas(1));
  QTest::qWait(20);
  EXPECT_EQ(filasVisibles(&lista), 1);
}
