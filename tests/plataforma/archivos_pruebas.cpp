#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/texto.h"

using namespace plataforma;

namespace {

class ArchivosNumerados : public ::testing::Test {
 protected:
  void TearDown() override { archivos().cierraTodos(); }
  QString ruta(const QString& n) const { return dir.path() + "/" + n; }
  QByteArray contenido(const QString& n) const {
    QFile f(ruta(n));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }
  void escribe(const QString& n, const QByteArray& b) const {
    QFile f(ruta(n));
    f.open(QIODevice::WriteOnly);
    f.write(b);
  }
  QTemporaryDir dir;
};

int numeroError(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.numero();
  }
  return 0;
}

}  // namespace

TEST_F(ArchivosNumerados, RandomAccessCreatesReadsPastEndAndWritesThrough) {
  archivos().abre(3, ruta("n.dat"), Acceso::Aleatorio, 4);
  EXPECT_TRUE(QFile::exists(ruta("n.dat")));
  EXPECT_EQ(archivos().longitud(3), 0);

  EXPECT_EQ(archivos().lee(3, 1), QByteArray(4, '\0'));
  EXPECT_TRUE(archivos().fin(3));

  archivos().escribe(3, 1, "abcd");
  archivos().escribe(3, 2, "ef");  // short records are padded with zeros
  EXPECT_EQ(contenido("n.dat"), QByteArray("abcdef\0\0", 8));
  EXPECT_EQ(archivos().lee(3, 2), QByteArray("ef\0\0", 4));
  EXPECT_FALSE(archivos().fin(3));
  EXPECT_EQ(archivos().lee(3, 3), QByteArray(4, '\0'));
  EXPECT_TRUE(archivos().fin(3));

  // A record written beyond the end extends the file with zeros in between.
  archivos().escribe(3, 4, "wxyz");
  EXPECT_EQ(archivos().longitud(3), 16);
  EXPECT_EQ(contenido("n.dat").mid(8, 4), QByteArray(4, '\0'));
  EXPECT_EQ(numeroError([] { archivos().lee(3, 0); }), 63);
}

TEST_F(ArchivosNumerados, PartialLastRecordCountsAsAbsent) {
  escribe("p.dat", "12345678901");  // two records of 4 and three bytes left over
  archivos().abre(1, ruta("p.dat"), Acceso::Aleatorio, 4);
  EXPECT_EQ(archivos().registros(1), 2);
  EXPECT_EQ(archivos().lee(1, 2), "5678");
  EXPECT_FALSE(archivos().fin(1));
  EXPECT_EQ(archivos().lee(1, 3), QByteArray(4, '\0'));
  EXPECT_TRUE(archivos().fin(1));
  EXPECT_EQ(archivos().longitud(1), 11);
  // Writing the next record replaces the leftover bytes and stays inside its own slot.
  archivos().escribe(1, 3, "abcd");
  EXPECT_EQ(contenido("p.dat"), "12345678abcd");
}

TEST_F(ArchivosNumerados, NumbersAreOpenedOnceAndClosedQuietly) {
  archivos().abre(5, ruta("a"), Acceso::Aleatorio, 8);
  EXPECT_EQ(numeroError([&] { archivos().abre(5, ruta("b"), Acceso::Aleatorio, 8); }), ERR_YA_ABIERTO);
  archivos().cierra(5);
  archivos().cierra(5);
  EXPECT_EQ(numeroError([] { archivos().lee(5, 1); }), ERR_NUMERO_ARCHIVO);
  EXPECT_EQ(numeroError([&] { archivos().abre(7, ruta("falta.bin"), Acceso::Entrada); }),
            ERR_NO_ENCONTRADO);
  EXPECT_EQ(numeroError([&] { archivos().abre(1, dir.path() + "/no/existe/x", Acceso::Aleatorio, 8); }),
            ERR_ACCESO);
}

TEST_F(ArchivosNumerados, ByteAccessReadsAndWritesByPosition) {
  archivos().abre(2, ruta("www.txt"), Acceso::Binario);
  archivos().escribeBytes(2, 1, "\"hola\"\r\n");
  EXPECT_EQ(archivos().leeBytes(2, 2, 4), "hola");
  EXPECT_FALSE(archivos().fin(2));
  EXPECT_EQ(archivos().leeBytes(2, 7, 4), QByteArray("\r\n\0\0", 4));
  EXPECT_TRUE(archivos().fin(2));
  EXPECT_EQ(archivos().contenido(2), "\"hola\"\r\n");
}

TEST_F(ArchivosNumerados, TextInputReadsLinesUntilTheEnd) {
  escribe("t.bin", "7\r\n3\n\r\nSe\xf1or\rfin");
  archivos().abre(7, ruta("t.bin"), Acceso::Entrada);
  QStringList lineas;
  while (!archivos().fin(7)) lineas << archivos().leeLinea(7);
  EXPECT_EQ(lineas, (QStringList{"7", "3", "", QString::fromUtf8("Señor"), "fin"}));
  EXPECT_EQ(numeroError([] { archivos().leeLinea(7); }), ERR_FIN_ARCHIVO);
  archivos().posiciona(7, 1);
  EXPECT_EQ(archivos().leeLinea(7), "7");
  EXPECT_EQ(numeroError([] { archivos().escribeBytes(7, 1, "x"); }), 54);
}

TEST(LengthAndDeletion, ReportMissingFiles) {
  QTemporaryDir dir;
  int n = 0;
  try {
    longitudArchivo(dir.path() + "/tablas.bin");
  } catch (const Error& e) {
    n = e.numero();
  }
  EXPECT_EQ(n, ERR_NO_ENCONTRADO);
  n = 0;
  try {
    borraArchivo(dir.path() + "/apuestas.tmp");
  } catch (const Error& e) {
    n = e.numero();
  }
  EXPECT_EQ(n, ERR_NO_ENCONTRADO);
}

TEST(TextosAnsi, Windows1252RoundTripsAccentsEnieAndEuro) {
  const QString texto = QString::fromUtf8("PEÑA Sábado €‰ ü");
  const QByteArray bytes = aAnsi(texto);
  EXPECT_EQ(bytes, QByteArray("PE\xd1" "A S\xe1" "bado \x80\x89 \xfc"));
  EXPECT_EQ(deAnsi(bytes), texto);
  EXPECT_EQ(aAnsi(QString::fromUtf8("日")), "?");
  // Unassigned codes decode to themselves rather than vanish.
  EXPECT_EQ(deAnsi("\x81").size(), 1);
  // Every byte survives a round trip, so stored answers can be rewritten as they came.
  QByteArray todos(256, '\0');
  for (int i = 0; i < 256; ++i) todos[i] = static_cast<char>(i);
  EXPECT_EQ(aAnsi(deAnsi(todos)), todos);
}

TEST(TextosAnsi, FixedLengthPadsCutsAndTrimsOnlyBlanks) {
  EXPECT_EQ(fijo("JUEVES", 10), "JUEVES    ");
  EXPECT_EQ(fijo("ABCDEFGHIJKLMNOPQRSTUV", 20), "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(recorta("  www.x.es   "), "www.x.es");
  const QString nulos(5, QChar(0));
  EXPECT_EQ(recorta(nulos).size(), 5);
  EXPECT_EQ(recorta("      "), "");
}

TEST(FechasOle, DaysSince30December1899) {
  EXPECT_EQ(fechaDe(0), QDate(1899, 12, 30));
  EXPECT_EQ(nombreDia(fechaDe(0)), QString::fromUtf8("Sábado"));
  EXPECT_EQ(oleDe(QDate(1900, 1, 1)), 2.0);
  EXPECT_EQ(oleDe(QDate(2025, 3, 3)), 45719.0);
  EXPECT_EQ(fechaDe(45719.75), QDate(2025, 3, 3));
  EXPECT_DOUBLE_EQ(oleDe(QDateTime(QDate(2025, 3, 3), QTime(18, 0))), 45719.75);
  // Garbage from a damaged record gives no date rather than a crash.
  EXPECT_FALSE(fechaDe(1e300).isValid());
  EXPECT_FALSE(fechaDe(std::numeric_limits<double>::quiet_NaN()).isValid());
}

TEST(FechasOle, ClockCanBeFixedAndNamesAreSpanish) {
  fijaReloj(QDateTime(QDate(2026, 3, 5), QTime(21, 30)));
  EXPECT_EQ(hoy(), QDate(2026, 3, 5));
  EXPECT_EQ(ahora().time(), QTime(21, 30));
  relojDelSistema();
  EXPECT_EQ(hoy(), QDate::currentDate());
  EXPECT_EQ(nombreDia(QDate(2026, 3, 4)), QString::fromUtf8("Miércoles"));
  EXPECT_EQ(nombreMes(3), "marzo");
  EXPECT_EQ(nombreMes(13), "");
  EXPECT_EQ(fechaCorta(QDate(2025, 3, 3)), "03/03/2025");
}
