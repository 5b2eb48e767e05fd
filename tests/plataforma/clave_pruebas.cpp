// The key derived from the password is kept per file salt: it must never open a database for a
// wrong password, nor stand in for another file's key.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"

using namespace plataforma;

namespace {

int errorAlAbrir(const QString& ruta, const QString& clave) {
  try {
    Conexion cn;
    cn.Open(cadenaConexion(ruta, clave));
    Recordset rs;
    rs.Open(QStringLiteral("Informe"), cn);
    return 0;
  } catch (const Error& e) {
    return e.numero();
  }
}

}  // namespace

TEST(ClaveDerivada, RightPasswordAgainWrongPasswordNeverOtherFileStillOpens) {
  CarpetaPrograma carpeta;
  const QString otra = carpeta.ruta() + QStringLiteral("otra/");
  ASSERT_TRUE(QDir().mkpath(otra));
  ASSERT_TRUE(QFile::copy(carpeta.archivo(QStringLiteral("Bolvanta.mdb")), otra + QStringLiteral("Bolvanta.mdb")));
  for (int vez = 0; vez < 2; ++vez) {
    EXPECT_EQ(errorAlAbrir(carpeta.ruta(), QString::fromLatin1(CLAVE_BD)), 0) << vez;
    EXPECT_EQ(errorAlAbrir(carpeta.ruta(), QStringLiteral("otra clave")), ERR_BD_PROVEEDOR) << vez;
    EXPECT_EQ(errorAlAbrir(otra, QString::fromLatin1(CLAVE_BD)), 0) << vez;
  }
  // A file that is not a database of the program, with a salt never seen.
  carpeta.escribe(QStringLiteral("otra/Bolvanta.mdb"), QByteArray(4096, 'x'));
  EXPECT_EQ(errorAlAbrir(otra, QString::fromLatin1(CLAVE_BD)), ERR_BD_PROVEEDOR);
}
