// The key derived from the password is kept per file salt: it must never open a database for a
// wrong password, nor one that is not the program's.
#include <gtest/gtest.h>

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
