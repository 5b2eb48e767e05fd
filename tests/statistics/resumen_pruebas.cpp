// The selection summary of the generator's first step and the row of "Sorteos" it writes.
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QSlider>
#include <gtest/gtest.h>

#include "apoyo/bloqueo.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "statistics/comun.h"

using namespace estadisticas;

namespace {

class Resumen : public ::testing::Test {
 protected:
  // Newest and oldest counted draw, as the statistics leave them.
  Principal& conSeleccion(int sorteos, const QDate& nuevo = QDate(2025, 3, 8),
                          const QDate& viejo = QDate(2024, 3, 9)) {
    Principal& p = ventana(carpeta);
    marca(p, 5, false);  // the months, not "Todos"
    p.sorteoscontados = sorteos;
    p.fechasperiodo = {plataforma::oleDe(nuevo), plataforma::oleDe(viejo)};
    p.cambiandofiltros = 1;
    return p;
  }
  QVariantMap fila() {
    const auto r = filas(carpeta, "Sorteos");
    EXPECT_EQ(r.size(), 1u);  // edited in place, never added to
    return r.empty() ? QVariantMap() : r.front();
  }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

}  // namespace

TEST_F(Resumen, WeekdaySentenceAndStoredDaysForEveryCombination) {
  // The sentence names the ticked days in capitals, in the week's order: one or two after "sólo
  // ... del", joined by "y"; all three in the sentence of its own. The stored text names them in
  // the same order, in lower case but for their first letter; with all three, "sábado" stays in
  // lower case. No day ticked: "0 días", and the stored text of the run before stays.
  Principal& p = conSeleccion(1);  // one draw is enough for the weekday sentence
  ponMeses(p, 12);
  QString anterior;
  for (int k = 1; k <= 8; ++k) {
    const int dias = k % 8;  // no day last, after all three
    const bool lunes = dias & 1, jueves = dias & 2, sabado = dias & 4;
    QStringList mayusculas, nombres;
    if (lunes) mayusculas << "LUNES", nombres << "Lunes";
    if (jueves) mayusculas << "JUEVES", nombres << "Jueves";
    if (sabado) mayusculas << "SÁBADO", nombres << "Sábado";
    QString frase = "sólo los números de los sorteos del " + mayusculas.join(" y ") + ".";
    QString guardado = nombres.join(" y ") + ".";
    if (dias == 7) {
      frase = "tanto los números de los sorteos del LUNES, JUEVES, como los del SÁBADO.";
      guardado = "Lunes, Jueves y sábado.";
    }
    if (dias == 0) {
      frase = "0 días de la semana.";
      guardado = anterior;
    }
    marca(p, 9, lunes);
    marca(p, 0, jueves);
    marca(p, 1, sabado);
    p.cambiandofiltros = 1;
    p.resumensorteos();
    EXPECT_EQ(p.cambiandofiltros, 0);
    EXPECT_EQ(p.Label27->text(), "-Ha seleccionado " + frase) << dias;
    EXPECT_EQ(p.Label21->text(),
              "-Tiene seleccionados los últimos 12 meses de sorteos, desde el 09/03/2024 al 08/03/2025, "
              "en total, 1 sorteo en la base de datos.");
    const QVariantMap esperada{{"Dia1", QDate(2024, 3, 9)}, {"Dia2", QDate(2025, 3, 8)}, {"Total", 1},
                               {"Diasajugar", guardado}};
    EXPECT_EQ(fila(), esperada) << dias;
    anterior = fila()["Diasajugar"].toString();
  }
  EXPECT_TRUE(respuestas.cajas().empty());
}

TEST_F(Resumen, PeriodPhraseFollowsTodosThenTheSlider) {
  Principal& p = conSeleccion(3, QDate(2025, 3, 8), QDate(2025, 3, 3));
  marca(p, 0, true);
  const struct {
    bool todos;
    int meses;
    const char* periodo;
  } casos[] = {{true, 7, "todos los sorteos. Desde el "},
               {false, 1, "sólo el último mes de sorteos, desde el "},
               {false, 5, "los últimos 5 meses de sorteos, desde el "}};
  for (const auto& c : casos) {
    marca(p, 5, c.todos);
    ponMeses(p, c.meses);
    p.resumensorteos();
    EXPECT_EQ(p.Label21->text(), QString("-Tiene seleccionados ") + c.periodo +
                                     "03/03/2025 al 08/03/2025, en total, 3 sorteos en la base de datos.");
  }
  // The summary only reports: the count, the dates and the boxes stay as they were.
  EXPECT_EQ(p.sorteoscontados, 3);
  EXPECT_EQ(p.fechasperiodo[0], plataforma::oleDe(QDate(2025, 3, 8)));
  EXPECT_TRUE(p.Check3[5]->isChecked() == false && p.Check3[0]->isChecked());
}

TEST_F(Resumen, NoDrawSelectedRefusesAndKeepsTheStoredDays) {
  Principal& p = conSeleccion(40);
  ponMeses(p, 1);
  marca(p, 9, false);
  marca(p, 0, false);
  marca(p, 1, true);
  p.resumensorteos();
  ASSERT_EQ(fila()["Diasajugar"], "Sábado.");

  // No weekday ticked: the statistics count nothing and leave no date behind.
  marca(p, 1, false);
  p.sorteoscontados = 0;
  p.fechasperiodo = {0, 0};
  p.resumensorteos();
  EXPECT_EQ(p.Label27->text(), "¡¡Con 0 sorteos seleccionados no es posible continuar!!");
  const QVariantMap f = fila();
  EXPECT_EQ(f["Diasajugar"], "Sábado.");
  EXPECT_EQ(f["Total"], 0);
  EXPECT_FALSE(f["Dia1"].isValid());  // no date rather than 30/12/1899
}

TEST_F(Resumen, NoneOneAndManyDrawsReadAsSentences) {
  const QDate dia(2025, 3, 8);
  struct Caso {
    bool todos;
    int meses, sorteos;
    QDate viejo;
    const char* texto;
  };
  const Caso casos[] = {
      {false, 1, 0, {}, "-Tiene seleccionados sólo el último mes de sorteos, pero en la base de datos no hay ningún "
                        "sorteo que cumpla la selección."},
      {true, 3, 0, {}, "-Tiene seleccionados todos los sorteos, pero en la base de datos no hay ningún sorteo que "
                       "cumpla la selección."},
      {false, 5, 1, dia, "-Tiene seleccionados los últimos 5 meses de sorteos, desde el 08/03/2025 al 08/03/2025, "
                         "en total, 1 sorteo en la base de datos."},
      {true, 5, 2, QDate(2025, 3, 6), "-Tiene seleccionados todos los sorteos. Desde el 06/03/2025 al 08/03/2025, "
                                      "en total, 2 sorteos en la base de datos."},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.texto);
    // No draw counted leaves no date behind.
    Principal& p = c.sorteos ? conSeleccion(c.sorteos, dia, c.viejo) : conSeleccion(0);
    if (!c.sorteos) p.fechasperiodo = {0, 0};
    marca(p, 5, c.todos);
    ponMeses(p, c.meses);
    p.resumensorteos();
    EXPECT_EQ(p.Label21->text(), QString::fromUtf8(c.texto));
  }
  EXPECT_TRUE(respuestas.cajas().empty());
}

// A damaged database: the summary on screen still follows the count, the row stays as it was,
// and the message says what is missing, once for each fault.
TEST_F(Resumen, DatabaseFailureSaysWhatIsMissingOnceAndTheCaptionsFollow) {
  Principal& p = conSeleccion(10);
  p.resumensorteos();
  const QVariantMap antes = fila();
  p.sorteoscontados = 99;
  const QString ruta = carpeta.archivo("Bolvanta.mdb");

  struct Caso {
    QStringList sentencias;  // what is done to the database first
    bool sinArchivo;
    int numero;
    QString motivo;
  };
  const Caso casos[] = {
      {{"DELETE FROM Sorteos"}, false, plataforma::ERR_BD_SIN_REGISTRO,
       "La tabla «Sorteos» de la base de datos no tiene su fila."},
      {{"ALTER TABLE Sorteos RENAME TO Viejo", "CREATE TABLE Sorteos (Dia1 DATE, Dia2 DATE, Diasajugar TEXT)",
        "INSERT INTO Sorteos SELECT Dia1, Dia2, Diasajugar FROM Viejo", "DROP TABLE Viejo"},
       false, plataforma::ERR_BD_ELEMENTO, "No se encuentra el campo «Total» en la tabla «Sorteos»."},
      {{"DROP TABLE Sorteos"}, false, plataforma::ERR_BD_ELEMENTO,
       "No se encuentra la tabla «Sorteos» en la base de datos."},
      {{}, true, plataforma::ERR_BD_PROVEEDOR, "No se encuentra la base de datos «" + ruta + "»."},
  };
  const QByteArray sana = carpeta.lee("Bolvanta.mdb");
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.numero);
    carpeta.escribe("Bolvanta.mdb", sana);
    if (c.sinArchivo) QFile::remove(carpeta.archivo("Bolvanta.mdb"));
    else ejecuta(carpeta, c.sentencias);
    const QByteArray bytes = c.sinArchivo ? QByteArray() : carpeta.lee("Bolvanta.mdb");
    plataforma::Respondedor r;
    for (int vez = 0; vez < 2; ++vez) {
      ++p.sorteoscontados;
      p.resumensorteos();
      EXPECT_TRUE(p.Label21->text().contains(QString(", en total, %1 sorteos").arg(p.sorteoscontados)));
    }
    ASSERT_EQ(r.cajas().size(), 1u);
    EXPECT_EQ(r.cajas()[0].texto, QString::fromUtf8("No se ha podido guardar la selección para el informe "
                                                     "estadístico (error %1). %2 Reinstale el programa para que "
                                                     "el informe la muestre.")
                                      .arg(c.numero)
                                      .arg(c.motivo));
    EXPECT_EQ(r.cajas()[0].titulo, "¡Error!");
    EXPECT_EQ(r.cajas()[0].estilo, plataforma::vbInformation);
    EXPECT_EQ(p.cambiandofiltros, 0);
    if (!c.sinArchivo) EXPECT_EQ(carpeta.lee("Bolvanta.mdb"), bytes);
    else EXPECT_FALSE(carpeta.existe("Bolvanta.mdb"));  // never created
  }
  carpeta.escribe("Bolvanta.mdb", sana);
  EXPECT_EQ(fila(), antes);
}

TEST_F(Resumen, LongestSentencesFitTheirLabels) {
  Principal& p = conSeleccion(4176, QDate(2025, 12, 31), QDate(1985, 10, 17));
  ponMeses(p, 24);
  for (int i : {9, 0, 1}) marca(p, i, true);
  // Many draws, and none: the sentence without dates is the other long one.
  for (int sorteos : {4176, 0}) {
    p.sorteoscontados = sorteos;
    if (!sorteos) p.fechasperiodo = {0, 0};
    p.resumensorteos();
    for (QLabel* l : {p.Label21, p.Label27}) {
      const QRect caja = QFontMetrics(l->font()).boundingRect(QRect(0, 0, l->width(), 10000),
                                                              Qt::TextWordWrap, l->text());
      EXPECT_LE(caja.height(), l->height()) << l->text().toStdString();
    }
  }
  p.SSTab1->setCurrentIndex(4);
  p.show();
  p.grab().save("/tmp/h9b-paso1.png");
}

// Another program holding Bolvanta.mdb: while it writes (IMMEDIATE) the row cannot be written, and
// while it holds the file alone (EXCLUSIVE) not even read. Either way the summary on screen tells
// the new count, the held file is told, the row stays whole, and the report writes it before it
// prints, once the file is let go.
TEST_F(Resumen, DatabaseHeldByAnotherProgramKeepsTheRowAndTheCaptionsFollow) {
  Principal& p = conSeleccion(10);
  ponMeses(p, 6);
  p.resumensorteos();
  const QString mdb = carpeta.archivo("Bolvanta.mdb");
  for (const char* modo : {"IMMEDIATE", "EXCLUSIVE"}) {
    SCOPED_TRACE(modo);
    const QVariantMap antes = fila();
    p.sorteoscontados += 7;
    {
      BloqueoBase otro(mdb, modo);
      ASSERT_TRUE(otro.activo());
      plataforma::Respondedor r;
      p.resumensorteos();
      ASSERT_EQ(r.cajas().size(), 1u);
      EXPECT_TRUE(r.cajas()[0].texto.startsWith(QString::fromUtf8("Otro programa está usando la base de datos")));
      EXPECT_TRUE(p.Label21->text().contains(QString(", en total, %1 sorteos").arg(p.sorteoscontados)));
    }
    EXPECT_EQ(fila(), antes);
    EXPECT_TRUE(plataforma::claveRapida(mdb));

    plataforma::Respondedor r;
    p.Image2_Click(0);
    EXPECT_TRUE(r.cajas().empty());
    // What the summary shows is what the row holds.
    const QVariantMap ahora = fila();
    EXPECT_EQ(ahora["Total"], p.sorteoscontados);
    EXPECT_EQ(p.Label21->text(), "-Tiene seleccionados los últimos 6 meses de sorteos, desde el " + plataforma::fechaCorta(ahora["Dia1"].toDate()) +
                                     " al " + plataforma::fechaCorta(ahora["Dia2"].toDate()) + ", en total, " +
                                     ahora["Total"].toString() + " sorteos en la base de datos.");
  }
}
