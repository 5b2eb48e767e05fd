#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "data/ayudas.h"
#include "data/estado.h"
#include "data/registros.h"
#include "plataforma/archivos.h"
#include "plataforma/fechas.h"

using plataforma::oleDe;

namespace {
qint16 entero(const QByteArray& b, int pos) { return qFromLittleEndian<qint16>(b.constData() + pos); }
double real8(const QByteArray& b, int pos) { return qFromLittleEndian<double>(b.constData() + pos); }
float real4(const QByteArray& b, int pos) { return qFromLittleEndian<float>(b.constData() + pos); }
}  // namespace

TEST(Registros, SorteoFieldsSitAtTheirOffsets) {
  Sorteo s;
  s.ganadores = {0, 8, 17, 19, 45, 48, 49};
  s.complementario = 43;
  s.reintegro = -1;
  s.fecha = oleDe(QDate(2017, 8, 17));
  s.joker = 8337021;
  const QByteArray b = s.codifica();
  ASSERT_EQ(b.size(), 32);
  EXPECT_EQ(entero(b, 0), 8);
  EXPECT_EQ(entero(b, 10), 49);
  EXPECT_EQ(entero(b, 12), 43);
  EXPECT_EQ(entero(b, 14), -1);
  EXPECT_EQ(real8(b, 16), oleDe(QDate(2017, 8, 17)));
  EXPECT_EQ(real8(b, 24), 8337021.0);
  const Sorteo t = Sorteo::decodifica(b);
  EXPECT_EQ(t.ganadores, s.ganadores);
  EXPECT_EQ(t.reintegro, -1);
  EXPECT_EQ(t.joker, s.joker);
}

TEST(Registros, PenaIsPacked8307BytesAndKeepsItsPadding) {
  Pena p;
  p.nombre = QString::fromUtf8("PEÑA DEL BAR");
  p.reducida = 9;
  p.garantia = 4;
  p.numerosbase[1] = 3;
  p.numerosbase[20] = 49;
  p.apuestas[1][1] = 1;
  p.apuestas[1][6] = 6;
  p.apuestas[2][1] = 7;
  p.apuestas[205][20] = 44;
  p.aciertos[3] = 12;
  p.aciertos[7] = 1;
  p.dias = QString::fromUtf8("Jueves y Sábado");
  p.tipo = 504;
  p.fechacreacion = oleDe(QDate(2025, 1, 2));
  p.fechacomprobado = oleDe(QDate(2025, 3, 3));
  const QByteArray b = p.codifica();
  ASSERT_EQ(b.size(), 8307);
  EXPECT_EQ(b.left(20), QByteArray("PE\xd1" "A DEL BAR        "));
  EXPECT_EQ(entero(b, 20), 9);
  EXPECT_EQ(entero(b, 22), 4);
  EXPECT_EQ(entero(b, 24), 3);
  EXPECT_EQ(entero(b, 62), 49);
  EXPECT_EQ(entero(b, 64), 1);
  EXPECT_EQ(entero(b, 64 + 2 * 5), 6);
  EXPECT_EQ(entero(b, 64 + 2 * 20), 7);  // bet 2 starts 20 numbers later
  EXPECT_EQ(entero(b, 8262), 44);        // last number of bet 205
  EXPECT_EQ(entero(b, 8264), 12);
  EXPECT_EQ(entero(b, 8272), 1);
  EXPECT_EQ(b.mid(8274, 15), QByteArray("Jueves y S\xe1" "bado"));
  EXPECT_EQ(entero(b, 8289), 504);
  EXPECT_EQ(real8(b, 8291), oleDe(QDate(2025, 1, 2)));  // no alignment gap after tipo
  EXPECT_EQ(real8(b, 8299), oleDe(QDate(2025, 3, 3)));

  const Pena q = Pena::decodifica(b);
  EXPECT_EQ(q.nombre, QString::fromUtf8("PEÑA DEL BAR        "));
  EXPECT_EQ(q.dias, QString::fromUtf8("Jueves y Sábado"));
  EXPECT_EQ(q.apuestas, p.apuestas);
  EXPECT_EQ(q.aciertos, p.aciertos);
  EXPECT_EQ(q.codifica(), b);
}

TEST(Registros, NeverWrittenTextFieldsKeepTheirNuls) {
  const Pena p = Pena::decodifica(QByteArray(8307, '\0'));
  EXPECT_EQ(p.nombre, QString(20, QChar(0)));
  // A short buffer reads as zeros beyond its end.
  const Configuracion c = Configuracion::decodifica(QByteArray("\x01\x00", 2));
  EXPECT_EQ(c.reservado1, 1);
  EXPECT_EQ(c.meses, 0);
}

TEST(Registros, ConfiguracionKeepsReservedBytes) {
  Configuracion c;
  c.reservado1 = 7;
  c.correccionx = -1.5f;
  c.correcciony = 2.25f;
  c.reservado2 = -2;
  c.precio = 1.0f;
  c.meses = 24;
  c.direccionweb = "www.bolvanta.es";
  c.reservado3 = QByteArray("ABCDEFGH");
  const QByteArray b = c.codifica();
  ASSERT_EQ(b.size(), 86);
  EXPECT_EQ(real4(b, 2), -1.5f);
  EXPECT_EQ(real4(b, 6), 2.25f);
  EXPECT_EQ(entero(b, 10), -2);
  EXPECT_EQ(real4(b, 12), 1.0f);
  EXPECT_EQ(entero(b, 16), 24);
  EXPECT_EQ(b.mid(18, 60), QByteArray("www.bolvanta.es").leftJustified(60, ' '));
  EXPECT_EQ(b.mid(78, 8), "ABCDEFGH");
  EXPECT_EQ(Configuracion::decodifica(b).codifica(), b);
}

TEST(Ayudas, CuantosOverEveryRange) {
  const std::pair<int, int> casos[] = {{501, 7}, {502, 8}, {503, 5},   {504, 9},   {505, 10},
                                       {506, 11}, {507, 7}, {508, 28}, {509, 44},  {510, 84},
                                       {511, 210}, {512, 462}, {500, 0}, {513, 0}, {32767, 0},
                                       {205, 199}, {211, 205}, {7, 1},    {-32768, -32774}};
  for (auto [son, esperado] : casos) EXPECT_EQ(cuantos(son), esperado) << son;
}

TEST(Ayudas, WeekdaysAndThePlayDayRule) {
  const double lunes = oleDe(QDate(2025, 3, 3));
  const double jueves = oleDe(QDate(2025, 3, 6));
  const double sabado = oleDe(QDate(2025, 3, 8));
  EXPECT_EQ(diasemana(lunes), "Lunes");
  EXPECT_EQ(diasemana(sabado), QString::fromUtf8("Sábado"));
  EXPECT_EQ(diasemana(oleDe(QDate(2025, 3, 9))), "Domingo");

  const QString jys = QString::fromUtf8("Jueves y Sábado    ").left(15);
  EXPECT_TRUE(juega(jys, jueves));
  EXPECT_TRUE(juega(jys, sabado));
  EXPECT_FALSE(juega(jys, lunes));
  for (double d : {lunes, jueves, sabado}) EXPECT_TRUE(juega("Todos (L+J+S)  ", d));
  EXPECT_TRUE(juega("Lunes          ", lunes));
  EXPECT_FALSE(juega("Lunes          ", jueves));
  EXPECT_TRUE(juega("  Jueves", jueves));
  // Play days that are none of the five values play nothing.
  EXPECT_FALSE(juega("", lunes));
  EXPECT_FALSE(juega(QString(15, QChar(0)), lunes));
  EXPECT_FALSE(juega("Lunes", 1e300));
}

TEST(Ayudas, RutaEndsWithOneSeparator) {
  EXPECT_EQ(rutaDe("/opt/bolvanta"), "/opt/bolvanta/");
  EXPECT_EQ(rutaDe("/"), "/");
  EXPECT_EQ(rutaDe("C:\\"), "C:\\");
  EXPECT_EQ(rutaDe("/ab"), "/ab/");
}

TEST(Ayudas, SyndicatesFileGrowsBy8307BytesPerRecord) {
  QTemporaryDir dir;
  plataforma::archivos().abre(ARCH_APUESTAS, dir.path() + "/apuestas.dat",
                              plataforma::Acceso::Aleatorio, Pena::LONGITUD);
  Pena p;
  p.nombre = "UNO";
  escribePena(1, p);
  p.nombre = "DOS";
  escribePena(2, p);
  EXPECT_EQ(QFile(dir.path() + "/apuestas.dat").size(), 2 * 8307);
  EXPECT_EQ(leePena(2).nombre, "DOS                 ");
  leePena(3);
  EXPECT_TRUE(plataforma::archivos().fin(ARCH_APUESTAS));
  plataforma::archivos().cierraTodos();
}
