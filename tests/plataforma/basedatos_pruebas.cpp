// The report database as the program and its report layouts use it, on a copy of the Bolvanta.mdb
// the build makes.
#include "plataforma/basedatos.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>

#include "plataforma/error.h"

using namespace plataforma;

namespace {

const QString TABLAS_DE_UNA_FILA[] = {QStringLiteral("Informe"), QStringLiteral("Sorteos"),
                                      QStringLiteral("Peña")};

// The error number a call throws, or 0.
int errorDe(const std::function<void()>& llamada) {
  try {
    llamada();
  } catch (const Error& e) {
    EXPECT_FALSE(e.descripcion().isEmpty());
    return e.numero();
  }
  return 0;
}

class BaseDatos : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(carpeta_.isValid());
    ruta_ = carpeta_.path() + QLatin1Char('/');
    ASSERT_TRUE(QFile::copy(QStringLiteral(BOLVANTA_CARPETA_CONSTRUCCION "/Bolvanta.mdb"), mdb()));
    QFile::setPermissions(mdb(), QFile::ReadOwner | QFile::WriteOwner);
    cn_.Open(cadenaConexion(ruta_));
  }

  QString mdb() const { return ruta_ + QStringLiteral("Bolvanta.mdb"); }

  // A fresh connection and recordset, so that what is read back comes from the file.
  int filasEnArchivo(const QString& tabla) {
    Conexion otra;
    otra.Open(cadenaConexion(ruta_));
    Recordset rs;
    rs.Open(tabla, otra);
    return rs.RecordCount();
  }

  QTemporaryDir carpeta_;
  QString ruta_;
  Conexion cn_;
};

TEST_F(BaseDatos, SoloAbreConLaContrasenaDelPrograma) {
  cn_.Close();
  const QString origen = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + mdb();
  Conexion cn;
  EXPECT_EQ(errorDe([&] { cn.Open(origen); }), ERR_BD_PROVEEDOR);
  EXPECT_EQ(errorDe([&] { cn.Open(origen + QStringLiteral(";Jet OLEDB:Database Password=")); }),
            ERR_BD_PROVEEDOR);
  EXPECT_EQ(errorDe([&] { cn.Open(cadenaConexion(ruta_, QStringLiteral("quorvatensimblarkeq"))); }),
            ERR_BD_PROVEEDOR);
  EXPECT_FALSE(cn.abierta());

  // The program's own string, with the blank after the file name.
  EXPECT_EQ(cadenaConexion(QStringLiteral("/opt/bolvanta/")),
            QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/bolvanta/Bolvanta.mdb "
                           ";Jet OLEDB:Database Password=quorvatensimblarkeqo"));
  EXPECT_EQ(errorDe([&] { cn.Open(cadenaConexion(ruta_)); }), 0);
  EXPECT_TRUE(cn.abierta());
  // Keys in any case, blanks around names and values.
  EXPECT_EQ(errorDe([&] {
              cn.Open(QStringLiteral(" data source = %1 ; JET OLEDB:DATABASE PASSWORD = %2 ")
                          .arg(mdb(), QString::fromLatin1(CLAVE_BD)));
            }),
            0);

  // Without the password the shipped file must be unreadable, or it was never keyed.
  QFile archivo(mdb());
  ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
  EXPECT_FALSE(archivo.read(16).startsWith("SQLite format 3"));
}

TEST_F(BaseDatos, NuncaCreaUnaBaseDeDatosQueFalta) {
  const QString otraCarpeta = ruta_ + QStringLiteral("sin/");
  Conexion cn;
  EXPECT_EQ(errorDe([&] { cn.Open(cadenaConexion(otraCarpeta)); }), ERR_BD_PROVEEDOR);
  ASSERT_TRUE(QFile::remove(mdb()));
  EXPECT_EQ(errorDe([&] { cn.Open(cadenaConexion(ruta_)); }), ERR_BD_PROVEEDOR);
  EXPECT_FALSE(QFile::exists(mdb()));
  // An empty file would pass for an empty database whatever the password.
  QFile vacio(mdb());
  ASSERT_TRUE(vacio.open(QIODevice::WriteOnly));
  vacio.close();
  EXPECT_EQ(errorDe([&] { cn.Open(cadenaConexion(ruta_)); }), ERR_BD_PROVEEDOR);
  EXPECT_EQ(QFile(mdb()).size(), 0);
}

// The report layouts name these tables and fields; a renamed one breaks a report silently.
TEST_F(BaseDatos, TablasYCamposQueLeenLosInformes) {
  const std::pair<QString, QStringList> esquema[] = {
      {QStringLiteral("Informe"),
       {"Frase", "Letrero", "Informacion", "Premio6", "Premio5c", "Premio5", "Premio4", "Premio3"}},
      {QStringLiteral("Sorteos"), {"Dia1", "Dia2", "Total", "Diasajugar"}},
      {QStringLiteral("Numeros"), {"Numero", "Veces"}},
      {QStringLiteral("Peña"),
       {"Nombre", "Diasajugar", "Dinero", "Dia1", "Dia2", "Aciertos", "Sorteos", "3", "4", "5", "5C",
        "6"}},
      {QStringLiteral("Peñanums"), {"Numeros"}},
  };
  for (const auto& [tabla, campos] : esquema) {
    SCOPED_TRACE(tabla.toStdString());
    Recordset rs;
    rs.Open(tabla, cn_);
    QStringList nombres;
    for (int i = 0; i < rs.FieldCount(); ++i) nombres << rs.FieldName(i);
    EXPECT_EQ(nombres, campos);
    const bool unaFila = std::find(std::begin(TABLAS_DE_UNA_FILA), std::end(TABLAS_DE_UNA_FILA),
                                   tabla) != std::end(TABLAS_DE_UNA_FILA);
    EXPECT_EQ(rs.RecordCount(), unaFila ? 1 : 0);
    EXPECT_EQ(rs.EOF(), !unaFila);
    EXPECT_EQ(rs.BOF(), !unaFila);
  }
}

TEST_F(BaseDatos, LasFilasUnicasSeEditanEnSuSitio) {
  const QString nombre = QStringLiteral("Peña «Año Nuevo» — Miércoles y Sábado: ÁÉÍÓÚ üÜ ñÑ €");
  for (int vuelta = 0; vuelta < 3; ++vuelta) {
    Recordset rs;
    rs.Open(QStringLiteral("peña"), cn_);  // found without regard to case
    rs.setField(QStringLiteral("Nombre"), nombre + QString::number(vuelta));
    rs.setField(QStringLiteral("dinero"), 12.5 * vuelta);
    rs.setField(QStringLiteral("Dia1"), QDate(2024, 2, 29).addDays(vuelta));
    rs.setField(QStringLiteral("5C"), vuelta);
    rs.Update();
    EXPECT_EQ(rs.RecordCount(), 1);
    rs.Close();
  }
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Peña")), 1);

  Recordset rs;
  rs.Open(QStringLiteral("Peña"), cn_);
  EXPECT_EQ(rs.Fields(QStringLiteral("Nombre")).toString(), nombre + QStringLiteral("2"));
  EXPECT_EQ(rs.Fields(QStringLiteral("Dinero")).toDouble(), 25.0);
  EXPECT_EQ(rs.Fields(QStringLiteral("DIA1")), QVariant(QDate(2024, 3, 2)));
  EXPECT_EQ(rs.Fields(QStringLiteral("5c")).toInt(), 2);
  EXPECT_EQ(rs.Fields(QStringLiteral("6")).toInt(), 0);  // untouched fields keep their value

  // Informe and Sorteos the way the program fills them, moving on instead of calling Update.
  for (const QString& tabla : {QStringLiteral("Informe"), QStringLiteral("Sorteos")}) {
    Recordset r;
    r.Open(tabla, cn_);
    r.setField(r.FieldName(0), tabla == QStringLiteral("Informe") ? QVariant(QStringLiteral("Sí, año"))
                                                                     : QVariant(QDate(1985, 10, 17)));
    r.MoveNext();
    EXPECT_TRUE(r.EOF());
    r.Close();
    EXPECT_EQ(filasEnArchivo(tabla), 1);
  }
  Recordset sorteos;
  sorteos.Open(QStringLiteral("Sorteos"), cn_);
  EXPECT_EQ(sorteos.Fields(0), QVariant(QDate(1985, 10, 17)));
  Recordset informe;
  informe.Open(QStringLiteral("Informe"), cn_);
  EXPECT_EQ(informe.Fields(QStringLiteral("Frase")).toString(), QStringLiteral("Sí, año"));
}

TEST_F(BaseDatos, ValoresConComillasNoRompenLaSentencia) {
  const QString raro = QStringLiteral("O'Donnell \"el Ñoño\"; DROP TABLE Numeros; --");
  Recordset rs;
  rs.Open(QStringLiteral("Peñanums"), cn_);
  rs.AddNew();
  rs.setField(QStringLiteral("Numeros"), raro);
  rs.Update();
  rs.Close();
  rs.Open(QStringLiteral("Peñanums"), cn_);
  ASSERT_EQ(rs.RecordCount(), 1);
  EXPECT_EQ(rs.Fields(0).toString(), raro);
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Numeros")), 0);
}

TEST_F(BaseDatos, AnadirYVaciarPenanums) {
  Recordset rs;
  rs.Open(QStringLiteral("Peñanums"), cn_);
  for (int i = 0; i < 5; ++i) {
    rs.AddNew();  // the second AddNew writes the first
    rs.setField(QStringLiteral("Numeros"), QStringLiteral("01 02 03 04 05 %1").arg(10 + i));
  }
  rs.Update();
  EXPECT_EQ(rs.RecordCount(), 5);
  rs.Close();
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Peñanums")), 5);

  cn_.Execute(QStringLiteral("delete * from Peñanums"));
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Peñanums")), 0);
  // SQLite folds only ASCII; the table written in capitals, Ñ and all, is found too.
  rs.Open(QStringLiteral("Peñanums"), cn_);
  rs.AddNew();
  rs.setField(QStringLiteral("Numeros"), QStringLiteral("49"));
  rs.Close();
  cn_.Execute(QStringLiteral("DELETE * FROM PEÑANUMS"));
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Peñanums")), 0);
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Peña")), 1);
}

TEST_F(BaseDatos, NumerosOrdenadosPorVeces) {
  const std::pair<int, int> numeros[] = {{7, 9}, {12, 100}, {3, 9}, {49, 10}, {1, 2}, {30, 100}};
  {
    Recordset rs;
    rs.Open(QStringLiteral("Numeros"), cn_);
    for (const auto& [numero, veces] : numeros) {
      rs.AddNew();
      rs.setField(QStringLiteral("Numero"), numero);
      rs.setField(QStringLiteral("Veces"), veces);
      rs.Update();
    }
  }
  Recordset rs;
  rs.setCursorLocation(adUseClient);
  rs.Open(QStringLiteral("Numeros"), cn_, adOpenKeyset, adLockOptimistic, adCmdTable);
  ASSERT_EQ(rs.RecordCount(), 6);
  auto leeOrden = [&rs] {
    QList<int> orden;
    for (rs.MoveFirst(); !rs.EOF(); rs.MoveNext()) orden << rs.Fields(QStringLiteral("Numero")).toInt();
    return orden;
  };
  // 100 before 10 before 9: numbers, not texts.
  rs.setSort(QStringLiteral("Veces DESC"));
  EXPECT_FALSE(rs.BOF());
  EXPECT_EQ(rs.Fields(QStringLiteral("Veces")).toInt(), 100);  // standing on the first after sorting
  EXPECT_EQ(leeOrden(), QList<int>({12, 30, 49, 7, 3, 1}));
  rs.setSort(QStringLiteral("Veces DESC, Numero ASC"));
  EXPECT_EQ(leeOrden(), QList<int>({12, 30, 49, 3, 7, 1}));
  rs.setSort(QStringLiteral("[Veces], Numero DESC"));
  EXPECT_EQ(leeOrden(), QList<int>({1, 7, 3, 49, 30, 12}));
  rs.setSort(QString());
  EXPECT_EQ(leeOrden(), QList<int>({7, 12, 3, 49, 1, 30}));

  // Backwards, and the errors at both ends.
  QList<int> atras;
  for (rs.MoveLast(); !rs.BOF(); rs.MovePrevious()) atras << rs.Fields(0).toInt();
  EXPECT_EQ(atras, QList<int>({30, 1, 49, 3, 12, 7}));
  EXPECT_EQ(errorDe([&] { rs.MovePrevious(); }), ERR_BD_SIN_REGISTRO);
  rs.MoveLast();
  rs.MoveNext();
  EXPECT_EQ(errorDe([&] { rs.Fields(0); }), ERR_BD_SIN_REGISTRO);
  EXPECT_EQ(errorDe([&] { rs.MoveNext(); }), ERR_BD_SIN_REGISTRO);
}

TEST_F(BaseDatos, BorrarRegistros) {
  Recordset rs;
  rs.Open(QStringLiteral("Numeros"), cn_);
  for (int n = 1; n <= 4; ++n) {
    rs.AddNew();
    rs.setField(QStringLiteral("Numero"), n);
  }
  rs.Update();
  rs.MoveFirst();
  rs.MoveNext();
  rs.Delete();
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(errorDe([&] { rs.Fields(0); }), ERR_BD_SIN_REGISTRO);
  rs.MoveNext();  // onto the record after the deleted one, not past it
  EXPECT_EQ(rs.Fields(0).toInt(), 3);
  rs.Close();
  rs.Open(QStringLiteral("Numeros"), cn_);
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_EQ(rs.Fields(0).toInt(), 1);

  // The program's loop that empties a table.
  while (!rs.EOF()) {
    rs.Delete();
    rs.MoveNext();
  }
  EXPECT_EQ(rs.RecordCount(), 0);
  EXPECT_TRUE(rs.BOF());
  EXPECT_EQ(filasEnArchivo(QStringLiteral("Numeros")), 0);
}

TEST_F(BaseDatos, ErroresDeTablasCamposYObjetosCerrados) {
  Recordset rs;
  EXPECT_EQ(errorDe([&] { rs.Open(QStringLiteral("Penas"), cn_); }), ERR_BD_ELEMENTO);
  EXPECT_EQ(errorDe([&] { cn_.Execute(QStringLiteral("delete * from Penanums")); }), ERR_BD_ELEMENTO);
  EXPECT_EQ(errorDe([&] { rs.EOF(); }), ERR_BD_CERRADO);

  rs.Open(QStringLiteral("Sorteos"), cn_);
  EXPECT_EQ(errorDe([&] { rs.Fields(QStringLiteral("Dia3")); }), ERR_BD_ELEMENTO);
  EXPECT_EQ(errorDe([&] { rs.Fields(4); }), ERR_BD_ELEMENTO);
  EXPECT_EQ(errorDe([&] { rs.setField(QStringLiteral("Totales"), 1); }), ERR_BD_ELEMENTO);
  EXPECT_EQ(errorDe([&] { rs.setSort(QStringLiteral("Totales DESC")); }), ERR_BD_ELEMENTO);

  Recordset lectura;
  lectura.Open(QStringLiteral("Sorteos"), cn_, adOpenStatic, adLockReadOnly);
  EXPECT_EQ(errorDe([&] { lectura.setField(QStringLiteral("Total"), 1); }), ERR_BD_SOLO_LECTURA);

  // Changes made after the connection closed cannot reach the file.
  cn_.Close();
  EXPECT_EQ(errorDe([&] { cn_.Execute(QStringLiteral("delete * from Numeros")); }), ERR_BD_CERRADO);
  EXPECT_EQ(errorDe([&] { rs.setField(QStringLiteral("Total"), 3); }), ERR_BD_CERRADO);
  EXPECT_EQ(rs.Fields(QStringLiteral("Total")).toInt(), 0);
}

}  // namespace
