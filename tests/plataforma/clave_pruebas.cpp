// The key derived from the password is kept per file salt: it must never open a database for a
// wrong password, nor one that is not the program's.
#include <gtest/gtest.h>

#include "apoyo/bloqueo.h"
#include "apoyo/carpeta.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"

TEST(ClaveDerivada, KeptKeyNeverOpensForAWrongPasswordOrAForeignFile) {
  CarpetaPrograma carpeta;
  auto error = [&](const QString& clave) {
    try {
      plataforma::Conexion cn;
      cn.Open(plataforma::cadenaConexion(carpeta.ruta(), clave));
      plataforma::Recordset rs;
      rs.Open(QStringLiteral("Informe"), cn);
      return 0;
    } catch (const plataforma::Error& e) {
      return e.numero();
    }
  };
  for (int vez = 0; vez < 2; ++vez) {
    EXPECT_EQ(error(QString::fromLatin1(plataforma::CLAVE_BD)), 0) << vez;
    EXPECT_EQ(error(QStringLiteral("otra clave")), plataforma::ERR_BD_PROVEEDOR) << vez;
  }
  carpeta.escribe(QStringLiteral("Bolvanta.mdb"), QByteArray(4096, 'x'));
  EXPECT_EQ(error(QString::fromLatin1(plataforma::CLAVE_BD)), plataforma::ERR_BD_PROVEEDOR);
}

// A database that another program holds is no wrong password: the operation is told that the file
// is in use, the key stays, and once the file is let go the same write goes through.
TEST(ClaveDerivada, DatabaseHeldByAnotherProgramKeepsTheKey) {
  CarpetaPrograma carpeta;
  const QString mdb = carpeta.archivo(QStringLiteral("Bolvanta.mdb"));
  struct Intento {
    int numero = 0;
    QString descripcion;
  };
  auto escribe = [&](int total) {
    Intento r;
    try {
      plataforma::Conexion cn;
      cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
      plataforma::Recordset rs;
      rs.Open(QStringLiteral("Sorteos"), cn);
      rs.setField(QStringLiteral("Total"), total);
      rs.Update();
    } catch (const plataforma::Error& e) {
      r = {e.numero(), e.descripcion()};
    }
    return r;
  };
  auto total = [&] {
    plataforma::Conexion cn;
    cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
    plataforma::Recordset rs;
    rs.Open(QStringLiteral("Sorteos"), cn);
    return rs.Fields(QStringLiteral("Total")).toInt();
  };
  ASSERT_EQ(escribe(1).numero, 0);
  ASSERT_TRUE(plataforma::claveRapida(mdb));

  int valor = 1;
  for (const char* modo : {"IMMEDIATE", "EXCLUSIVE"}) {
    SCOPED_TRACE(modo);
    BloqueoBase otro(mdb, modo);
    ASSERT_TRUE(otro.activo());
    const Intento r = escribe(++valor);
    EXPECT_EQ(r.numero, plataforma::ERR_BD_BLOQUEADA);
    EXPECT_TRUE(r.descripcion.startsWith(QStringLiteral("Otro programa está usando la base de datos «") + mdb))
        << r.descripcion.toStdString();
    EXPECT_TRUE(plataforma::claveRapida(mdb));
    otro.suelta();
    EXPECT_EQ(total(), valor - 1);  // nothing of the failed write
    EXPECT_EQ(escribe(valor).numero, 0);
    EXPECT_EQ(total(), valor);
    EXPECT_TRUE(plataforma::claveRapida(mdb));
  }
}
