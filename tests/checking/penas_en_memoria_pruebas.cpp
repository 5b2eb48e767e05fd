// The syndicates kept decoded in memory: every read must show what the file holds at that moment,
// whoever wrote it and however, and a write must leave on disk what writing the whole record would.
#include <QtEndian>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"

using plataforma::archivos;

namespace {

class PenasEnMemoria : public ::testing::Test {
 protected:
  void SetUp() override { abre("apuestas.dat"); }
  void abre(const QString& nombre) {
    archivos().abre(ARCH_APUESTAS, carpeta.archivo(nombre), plataforma::Acceso::Aleatorio, Pena::LONGITUD);
  }
  QByteArray disco() const { return carpeta.lee(QStringLiteral("apuestas.dat")); }
  CarpetaPrograma carpeta;
};

Pena ejemplo(const QString& nombre, int semilla) {
  Pena p;
  p.nombre = nombre;
  p.dias = QStringLiteral("Jueves");
  p.tipo = 3;
  for (int b = 1; b <= 3; ++b)
    for (int k = 1; k <= 6; ++k) p.apuestas[b][k] = qint16((semilla + b * 7 + k) % 49 + 1);
  p.fechacreacion = 45000 + semilla;
  return p;
}

}  // namespace

TEST_F(PenasEnMemoria, EveryReadSeesTheLatestWriteWhoeverMadeIt) {
  escribePena(1, ejemplo("UNO", 1));
  escribePena(2, ejemplo("DOS", 2));
  const Pena& uno = leePena(1);
  EXPECT_EQ(uno.nombre, QStringLiteral("UNO").leftJustified(20));
  EXPECT_FALSE(archivos().fin(ARCH_APUESTAS));

  // Through escribePena: the reference handed out shows the new content.
  Pena otro = ejemplo("OTRO", 5);
  otro.aciertos[3] = 9;
  escribePena(1, otro);
  EXPECT_EQ(uno.nombre, QStringLiteral("OTRO").leftJustified(20));
  EXPECT_EQ(uno.aciertos[3], 9);
  EXPECT_EQ(leePena(1).apuestas[2][3], otro.apuestas[2][3]);

  // Straight into the file, whole record or a few bytes.
  archivos().escribe(ARCH_APUESTAS, 2, ejemplo("CRUDO", 9).codifica());
  EXPECT_EQ(leePena(2).nombre, QStringLiteral("CRUDO").leftJustified(20));
  QByteArray tipo(2, '\0');
  qToLittleEndian<qint16>(205, tipo.data());
  archivos().escribeBytes(ARCH_APUESTAS, Pena::LONGITUD + 8289 + 1, tipo);
  EXPECT_EQ(leePena(2).tipo, 205);

  // Past the end: zeros and end of file; a good read clears it.
  EXPECT_EQ(leePena(3).tipo, 0);
  EXPECT_EQ(leePena(3).nombre, QString(20, QChar(0)));
  EXPECT_TRUE(archivos().fin(ARCH_APUESTAS));
  leePena(2);
  EXPECT_FALSE(archivos().fin(ARCH_APUESTAS));

  // Another file under the same number.
  archivos().cierra(ARCH_APUESTAS);
  carpeta.escribe("otra.dat", ejemplo("AJENA", 3).codifica());
  abre("otra.dat");
  EXPECT_EQ(leePena(1).nombre, QStringLiteral("AJENA").leftJustified(20));
  leePena(2);
  EXPECT_TRUE(archivos().fin(ARCH_APUESTAS));
}

TEST_F(PenasEnMemoria, WritesLeaveWhatAWholeRecordWouldAndReadBackAsDecoded) {
  Pena p = ejemplo("UN NOMBRE DEMASIADO LARGO", 4);
  p.dias = QString::fromUtf8("Sábado Ω");  // Ω has no Windows-1252 code
  p.apuestas[0][0] = 77;                     // places that have no field on disk
  p.apuestas[1][0] = 78;
  escribePena(1, p);
  EXPECT_EQ(disco(), p.codifica());
  const Pena decodificada = Pena::decodifica(disco());
  const Pena& leida = leePena(1);
  EXPECT_EQ(leida.nombre, decodificada.nombre);
  EXPECT_EQ(leida.nombre, QStringLiteral("UN NOMBRE DEMASIADO "));
  EXPECT_EQ(leida.dias, QString::fromUtf8("Sábado ?       "));
  EXPECT_EQ(leida.apuestas[0][0], 0);
  EXPECT_EQ(leida.apuestas[1][0], 0);
  EXPECT_EQ(leida.codifica(), disco());

  // Counters and dates only: the bytes of a whole record.
  Pena q = leida;
  q.aciertos[5] = 3;
  q.fechacomprobado = 45678.0;
  escribePena(1, q);
  EXPECT_EQ(disco(), q.codifica());
  // A bet changed as well.
  q.apuestas[3][6] = 49;
  escribePena(1, q);
  EXPECT_EQ(disco(), q.codifica());

  // A name byte that Windows-1252 leaves unassigned survives a rewrite.
  QByteArray raro = q.codifica();
  raro[0] = char(0x81);
  archivos().escribe(ARCH_APUESTAS, 1, raro);
  Pena r = leePena(1);
  r.aciertos[3] = 1;
  escribePena(1, r);
  EXPECT_EQ(disco(), r.codifica());
  EXPECT_EQ(disco().at(0), char(0x81));
}
