#include "basedatos.h"

#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <QCollator>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <algorithm>
#include <cerrno>
#include <deque>
#include <limits>

#include "error.h"
#include "reemplazo.h"

namespace plataforma {

namespace {

[[noreturn]] void falla(int numero, const QString& texto) { throw Error(numero, texto); }

bool bloqueada(int codigo) {
  const int primario = codigo & 0xff;
  return primario == SQLITE_BUSY || primario == SQLITE_LOCKED;
}

int esperas = 0;          // EsperaUnica alive
bool bdRetenida = false;  // the database was found held since the outermost one began

[[noreturn]] void fallaBloqueada(const QString& archivo) {
  if (esperas > 0) bdRetenida = true;
  falla(ERR_BD_BLOQUEADA,
        QStringLiteral("Otro programa está usando la base de datos «%1»; inténtelo de nuevo dentro de un momento.")
            .arg(archivo));
}

[[noreturn]] void fallaBloqueada(sqlite3* bd) {
  const char* archivo = sqlite3_db_filename(bd, "main");
  fallaBloqueada(archivo ? QFile::decodeName(archivo) : QString());
}

// A write the disk had no room for: the database itself, or its journal, could not grow. The test's
// free-space limit refuses every commit the same way (see conecta).
bool sinEspacio(sqlite3* bd) {
  const int codigo = sqlite3_extended_errcode(bd);
  const int sistema = sqlite3_system_errno(bd);
  return (codigo & 0xff) == SQLITE_FULL || codigo == SQLITE_CONSTRAINT_COMMITHOOK || sistema == ENOSPC ||
         sistema == EDQUOT;
}

[[noreturn]] void fallaSql(sqlite3* bd) {
  if (bloqueada(sqlite3_extended_errcode(bd))) fallaBloqueada(bd);
  if (sinEspacio(bd)) falla(ERR_DISCO_LLENO, QStringLiteral("no queda espacio en el disco"));
  const QString mensaje = QString::fromUtf8(sqlite3_errmsg(bd));
  const bool falta = mensaje.startsWith(QLatin1String("no such table")) ||
                     mensaje.startsWith(QLatin1String("no such column"));
  falla(falta ? ERR_BD_ELEMENTO : ERR_BD_PROVEEDOR,
        QStringLiteral("Error de la base de datos: %1").arg(mensaje));
}

const QString FORMATO_FECHA = QStringLiteral("yyyy-MM-dd");

QString comillas(const QString& identificador) {
  return QLatin1Char('"') + QString(identificador).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
         QLatin1Char('"');
}

// A name may be written in brackets, "[Tabla]".
QString sinCorchetes(QString nombre) {
  nombre = nombre.trimmed();
  if (nombre.size() >= 2 && ((nombre.front() == u'[' && nombre.back() == u']') ||
                             (nombre.front() == u'"' && nombre.back() == u'"')))
    nombre = nombre.mid(1, nombre.size() - 2);
  return nombre;
}

class Sentencia {
 public:
  Sentencia(sqlite3* bd, const QString& sql) : bd_(bd) {
    const QByteArray texto = sql.toUtf8();
    if (sqlite3_prepare_v2(bd, texto.constData(), int(texto.size()), &s_, nullptr) != SQLITE_OK)
      fallaSql(bd);
  }
  ~Sentencia() { sqlite3_finalize(s_); }
  Sentencia(const Sentencia&) = delete;
  Sentencia& operator=(const Sentencia&) = delete;

  bool paso() {
    const int r = sqlite3_step(s_);
    if (r == SQLITE_ROW) return true;
    if (r != SQLITE_DONE) fallaSql(bd_);
    return false;
  }

  void enlaza(int i, const QVariant& v, bool fecha) {
    int r = SQLITE_OK;
    switch (v.typeId()) {
      case QMetaType::UnknownType:
        r = sqlite3_bind_null(s_, i);
        break;
      case QMetaType::QDate:
      case QMetaType::QDateTime: {
        const QDate dia = v.toDate();
        if (!dia.isValid())
          r = sqlite3_bind_null(s_, i);
        else if (v.typeId() == QMetaType::QDateTime && !fecha)
          r = enlazaTexto(i, v.toDateTime().toString(Qt::ISODate));
        else
          r = enlazaTexto(i, dia.toString(FORMATO_FECHA));
        break;
      }
      case QMetaType::Bool:
      case QMetaType::Char:
      case QMetaType::SChar:
      case QMetaType::UChar:
      case QMetaType::Short:
      case QMetaType::UShort:
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::Long:
      case QMetaType::ULong:
      case QMetaType::LongLong:
      case QMetaType::ULongLong:
        r = sqlite3_bind_int64(s_, i, v.toLongLong());
        break;
      case QMetaType::Float:
      case QMetaType::Double:
        r = sqlite3_bind_double(s_, i, v.toDouble());
        break;
      case QMetaType::QByteArray: {
        const QByteArray datos = v.toByteArray();
        r = sqlite3_bind_blob(s_, i, datos.constData(), int(datos.size()), SQLITE_TRANSIENT);
        break;
      }
      default:
        r = enlazaTexto(i, v.toString());
    }
    if (r != SQLITE_OK) fallaSql(bd_);
  }

  QVariant valor(int i, bool fecha) const {
    switch (sqlite3_column_type(s_, i)) {
      case SQLITE_INTEGER: {
        const qint64 n = sqlite3_column_int64(s_, i);
        // A whole number that fits comes back as int, the type callers compare it with.
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
          return int(n);
        return qlonglong(n);
      }
      case SQLITE_FLOAT:
        return sqlite3_column_double(s_, i);
      case SQLITE_TEXT: {
        const QString texto = QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(s_, i)), sqlite3_column_bytes(s_, i));
        if (fecha) {
          const QDate dia = QDate::fromString(texto, FORMATO_FECHA);
          if (dia.isValid()) return dia;
        }
        return texto;
      }
      case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(s_, i)),
                          sqlite3_column_bytes(s_, i));
      default:
        return QVariant();
    }
  }

  sqlite3_stmt* s_ = nullptr;

 private:
  int enlazaTexto(int i, const QString& texto) {
    const QByteArray utf8 = texto.toUtf8();
    return sqlite3_bind_text(s_, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
  }

  sqlite3* bd_;
};

// The table as the database spells it. SQLite folds only ASCII letters; "PEÑA" must find "Peña" too.
QString tablaReal(sqlite3* bd, const QString& escrita) {
  const QString buscada = sinCorchetes(escrita);
  Sentencia s(bd, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
  while (s.paso()) {
    const QString nombre = s.valor(0, false).toString();
    if (nombre.compare(buscada, Qt::CaseInsensitive) == 0) return nombre;
  }
  falla(ERR_BD_ELEMENTO, QStringLiteral("No se encuentra la tabla «%1» en la base de datos.").arg(buscada));
}

bool esNumero(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
      return true;
    default:
      return false;
  }
}

// The order of Sort: nulls first, numbers by value, dates by day, texts as Spanish sorts them.
int compara(const QVariant& a, const QVariant& b) {
  const bool nulaA = !a.isValid(), nulaB = !b.isValid();
  if (nulaA || nulaB) return int(nulaB) - int(nulaA);
  const bool numA = esNumero(a), numB = esNumero(b);
  if (numA && numB) {
    const double x = a.toDouble(), y = b.toDouble();
    return (x > y) - (x < y);
  }
  if (numA != numB) return numA ? -1 : 1;
  if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate) {
    const QDate x = a.toDate(), y = b.toDate();
    return (x > y) - (x < y);
  }
  static const QCollator colador = [] {
    QCollator c(QLocale(QLocale::Spanish, QLocale::Spain));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    return c;
  }();
  return colador.compare(a.toString(), b.toString());
}

}  // namespace

namespace {

// SQLCipher 3 derives the page key from the password with PBKDF2-HMAC-SHA1, 64,000 rounds, over the
// 16-byte salt at the start of the file: tens of milliseconds, on purpose. The program opens the
// database for every table it fills, as often as every change of a statistics filter, so the key
// derived for a password and salt is kept and handed to SQLCipher raw, which then derives nothing.
// A raw key that does not open the file (an SQLCipher with other settings) is not tried again.
struct ClaveDerivada {
  QByteArray clave;
  QByteArray sal;
  QByteArray cruda;  // x'<key><salt>' as SQLCipher takes a raw key
  bool vale = true;
};

std::deque<ClaveDerivada>& derivadas() {
  static std::deque<ClaveDerivada> kept;  // entries stay where they are
  return kept;
}

QByteArray salDe(const QString& ruta) {
  QFile archivo(ruta);
  if (!archivo.open(QIODevice::ReadOnly)) return QByteArray();
  const QByteArray sal = archivo.read(16);
  return sal.size() == 16 ? sal : QByteArray();
}

ClaveDerivada* guardada(const QByteArray& sal, const QByteArray& clave) {
  for (ClaveDerivada& d : derivadas())
    if (d.clave == clave && d.sal == sal) return &d;
  return nullptr;
}

ClaveDerivada* derivada(const QString& ruta, const QByteArray& clave) {
  const QByteArray sal = salDe(ruta);
  if (sal.isEmpty()) return nullptr;
  if (ClaveDerivada* d = guardada(sal, clave)) return d;
  const QByteArray llave =
      QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha1, clave, sal, 64000, 32);
  if (llave.size() != 32) return nullptr;
  derivadas().push_back({clave, sal, "x'" + llave.toHex() + sal.toHex() + "'", true});
  return &derivadas().back();
}

// Never SQLITE_OPEN_CREATE: the database ships with the program, and a new empty one would only
// hide that it is missing.
std::shared_ptr<sqlite3> conecta(const QString& ruta, const QByteArray& llave) {
  sqlite3* abierta = nullptr;
  const int r = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &abierta, SQLITE_OPEN_READWRITE, nullptr);
  std::shared_ptr<sqlite3> bd(abierta, sqlite3_close_v2);  // the handle exists even on failure
  if (r != SQLITE_OK)
    falla(ERR_BD_PROVEEDOR, QStringLiteral("No se puede abrir la base de datos «%1»: %2")
                                .arg(ruta, QString::fromUtf8(sqlite3_errmsg(abierta))));
  if (!llave.isEmpty()) sqlite3_key(abierta, llave.constData(), int(llave.size()));
  // Another program (or the report engine's own connection) may hold the file for a moment; the
  // user waits for it no longer than this.
  sqlite3_busy_timeout(abierta, ESPERA_BLOQUEO_MS);
  // Under a test's free-space limit a transaction needs room for its journal and a page: a commit
  // with less is rolled back, as on a full disk.
  sqlite3_commit_hook(
      abierta, [](void*) { return espacioLibreFijado() >= 0 && espacioLibreFijado() < 2 * 4096 ? 1 : 0; },
      nullptr);
  return bd;
}

// SQLITE_OK when the key opens the file; SQLITE_NOTADB for a wrong key or a file that is no
// database; SQLITE_BUSY or SQLITE_LOCKED while another connection holds it.
int legible(sqlite3* bd) {
  return sqlite3_exec(bd, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
}

}  // namespace

EsperaUnica::EsperaUnica() { ++esperas; }

EsperaUnica::~EsperaUnica() {
  if (--esperas == 0) bdRetenida = false;
}

bool EsperaUnica::retenida() { return esperas > 0 && bdRetenida; }

bool claveRapida(const QString& archivo, const QString& clave) {
  const QByteArray sal = salDe(archivo);
  const ClaveDerivada* d = sal.isEmpty() ? nullptr : guardada(sal, clave.toUtf8());
  return d && d->vale;
}

QString cadenaConexion(const QString& ruta, const QString& clave) {
  return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + ruta +
         QStringLiteral("Bolvanta.mdb ;Jet OLEDB:Database Password=") + clave;
}

// ---------------------------------------------------------------------------------------------
// Conexion

Conexion::Conexion() = default;
Conexion::~Conexion() = default;

void Conexion::Open(const QString& cadena) {
  Close();
  QString ruta, clave;
  for (const QString& par : cadena.split(QLatin1Char(';'))) {
    const qsizetype igual = par.indexOf(QLatin1Char('='));
    if (igual < 0) continue;
    const QString nombre = par.left(igual).trimmed();
    const QString valor = par.mid(igual + 1).trimmed();
    if (nombre.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
      ruta = valor;
    else if (nombre.compare(QLatin1String("Jet OLEDB:Database Password"), Qt::CaseInsensitive) == 0)
      clave = valor;
  }
  if (ruta.isEmpty())
    falla(ERR_BD_PROVEEDOR, QStringLiteral("La cadena de conexión no indica la base de datos."));
  const QFileInfo archivo(ruta);
  if (!archivo.isFile())
    falla(ERR_BD_PROVEEDOR, QStringLiteral("No se encuentra la base de datos «%1».").arg(ruta));
  // Held a moment ago in this same piece of work: it is not waited for again.
  if (EsperaUnica::retenida()) fallaBloqueada(archivo.absoluteFilePath());

  const QByteArray k = clave.toUtf8();
  std::shared_ptr<sqlite3> bd;
  if (ClaveDerivada* rapida = clave.isEmpty() ? nullptr : derivada(ruta, k); rapida && rapida->vale) {
    bd = conecta(ruta, rapida->cruda);
    const int r = legible(bd.get());
    // A file held by another program says nothing of the key: it is kept for the next time.
    if (bloqueada(r)) fallaBloqueada(bd.get());
    if (r != SQLITE_OK) {
      rapida->vale = false;  // derived with other settings than this SQLCipher's
      bd.reset();
    }
  }
  if (!bd) {
    bd = conecta(ruta, k);
    // SQLCipher finds a wrong key only when it reads the first page. An empty file would read as
    // an empty database whatever the key.
    const int r = archivo.size() == 0 ? SQLITE_NOTADB : legible(bd.get());
    if (bloqueada(r)) fallaBloqueada(bd.get());
    if (r != SQLITE_OK)
      falla(ERR_BD_PROVEEDOR,
            QStringLiteral("No es una contraseña válida o «%1» no es una base de datos del programa.")
                .arg(ruta));
  }
  bd_ = std::move(bd);
}

void Conexion::Execute(const QString& sql) {
  if (!bd_) falla(ERR_BD_CERRADO, QStringLiteral("No se permite esta operación si la conexión está cerrada."));
  static const QRegularExpression borradoJet(
      QStringLiteral(R"(^\s*delete\s+(?:\*\s+)?from\s+(\[[^\]]+\]|"[^"]+"|[^\s;]+)(.*)$)"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  QString sentencia = sql;
  const QRegularExpressionMatch m = borradoJet.match(sql);
  if (m.hasMatch())
    sentencia = QStringLiteral("DELETE FROM ") + comillas(tablaReal(bd_.get(), m.captured(1))) +
                m.captured(2);
  if (sqlite3_exec(bd_.get(), sentencia.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
    fallaSql(bd_.get());
}

void Conexion::Close() { bd_.reset(); }

// ---------------------------------------------------------------------------------------------
// Recordset

Recordset::Recordset() = default;

Recordset::~Recordset() {
  nueva_ = false;
  cambiados_.clear();
  Close();
}

void Recordset::compruebaAbierto() const {
  if (!abierto_)
    falla(ERR_BD_CERRADO, QStringLiteral("No se permite esta operación si el objeto está cerrado."));
}

std::shared_ptr<sqlite3> Recordset::conexion(bool paraEscribir) const {
  compruebaAbierto();
  std::shared_ptr<sqlite3> bd = bd_.lock();
  if (!bd) falla(ERR_BD_CERRADO, QStringLiteral("No se permite esta operación si la conexión está cerrada."));
  if (paraEscribir && soloLectura_)
    falla(ERR_BD_SOLO_LECTURA, QStringLiteral("El conjunto de registros es de solo lectura."));
  return bd;
}

void Recordset::Open(const QString& tabla, Conexion& conexion, int /*cursorType*/, int lockType,
                     int /*options*/) {
  Close();
  if (!conexion.bd_)
    falla(ERR_BD_CERRADO, QStringLiteral("No se permite esta operación si la conexión está cerrada."));
  sqlite3* bd = conexion.bd_.get();
  const QString nombre = tablaReal(bd, tabla);
  Sentencia s(bd, QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(comillas(nombre)));
  std::vector<Columna> columnas;
  for (int i = 1; i < sqlite3_column_count(s.s_); ++i) {
    const char* tipo = sqlite3_column_decltype(s.s_, i);
    columnas.push_back({QString::fromUtf8(sqlite3_column_name(s.s_, i)),
                        tipo && qstricmp(tipo, "DATE") == 0});
  }
  std::vector<Fila> filas;
  while (s.paso()) {
    Fila f;
    f.rowid = sqlite3_column_int64(s.s_, 0);
    f.orden = qint64(filas.size());
    for (int i = 0; i < int(columnas.size()); ++i) f.valores.push_back(s.valor(i + 1, columnas[i].fecha));
    filas.push_back(std::move(f));
  }

  bd_ = conexion.bd_;
  tabla_ = nombre;
  columnas_ = std::move(columnas);
  filas_ = std::move(filas);
  cambiados_.assign(columnas_.size(), false);
  nueva_ = false;
  vivas_ = int(filas_.size());
  siguienteOrden_ = qint64(filas_.size());
  sort_.clear();
  soloLectura_ = lockType == adLockReadOnly;
  abierto_ = true;
  pos_ = 0;
}

void Recordset::Close() {
  if (!abierto_) return;
  guardaPendiente();
  abierto_ = false;
  bd_.reset();
  columnas_.clear();
  filas_.clear();
  cambiados_.clear();
  vivas_ = 0;
  pos_ = -1;
  sort_.clear();
}

// A just deleted record is still the current one, so that the loop "delete, move next" can move
// off the last record too.
bool Recordset::sobreBorrada() const {
  return pos_ >= 0 && pos_ < int(filas_.size()) && filas_[pos_].borrada;
}

bool Recordset::EOF() const {
  compruebaAbierto();
  return !sobreBorrada() && (vivas_ == 0 || pos_ >= int(filas_.size()));
}

bool Recordset::BOF() const {
  compruebaAbierto();
  return !sobreBorrada() && (vivas_ == 0 || pos_ < 0);
}

int Recordset::siguienteViva(int desde, int paso) const {
  int i = desde;
  while (i >= 0 && i < int(filas_.size()) && filas_[i].borrada) i += paso;
  return i;
}

void Recordset::MoveFirst() {
  compruebaAbierto();
  guardaPendiente();
  pos_ = siguienteViva(0, 1);
}

void Recordset::MoveLast() {
  compruebaAbierto();
  guardaPendiente();
  pos_ = siguienteViva(int(filas_.size()) - 1, -1);
}

void Recordset::MoveNext() {
  if (EOF()) falla(ERR_BD_SIN_REGISTRO, QStringLiteral("EOF es verdadero: no hay un registro actual."));
  guardaPendiente();
  pos_ = siguienteViva(pos_ + 1, 1);
}

void Recordset::MovePrevious() {
  if (BOF()) falla(ERR_BD_SIN_REGISTRO, QStringLiteral("BOF es verdadero: no hay un registro actual."));
  guardaPendiente();
  pos_ = siguienteViva(pos_ - 1, -1);
}

int Recordset::RecordCount() const {
  compruebaAbierto();
  return vivas_;
}

int Recordset::FieldCount() const {
  compruebaAbierto();
  return int(columnas_.size());
}

int Recordset::columna(const QString& nombre) const {
  compruebaAbierto();
  const QString buscado = sinCorchetes(nombre);
  for (int i = 0; i < int(columnas_.size()); ++i)
    if (columnas_[i].nombre.compare(buscado, Qt::CaseInsensitive) == 0) return i;
  falla(ERR_BD_ELEMENTO,
        QStringLiteral("No se encuentra el campo «%1» en la tabla «%2».").arg(buscado, tabla_));
}

QString Recordset::FieldName(int indice) const {
  if (indice < 0 || indice >= FieldCount())
    falla(ERR_BD_ELEMENTO, QStringLiteral("No existe el campo número %1.").arg(indice));
  return columnas_[indice].nombre;
}

const Recordset::Fila& Recordset::actual() const {
  compruebaAbierto();
  if (pos_ < 0 || pos_ >= int(filas_.size()) || filas_[pos_].borrada)
    falla(ERR_BD_SIN_REGISTRO,
          QStringLiteral("BOF o EOF es verdadero, o el registro actual se ha eliminado; la operación "
                         "necesita un registro actual."));
  return filas_[pos_];
}

Recordset::Fila& Recordset::actual() {
  return const_cast<Fila&>(static_cast<const Recordset*>(this)->actual());
}

QVariant Recordset::Fields(const QString& nombre) const {
  const int c = columna(nombre);
  return actual().valores[c];
}

QVariant Recordset::Fields(int indice) const {
  FieldName(indice);
  return actual().valores[indice];
}

void Recordset::setField(const QString& nombre, const QVariant& valor) {
  conexion(true);
  const int c = columna(nombre);
  Fila& f = actual();
  // Until it is written the field reads back as it will from the database.
  f.valores[c] = columnas_[c].fecha && valor.typeId() == QMetaType::QDateTime ? QVariant(valor.toDate())
                                                                               : valor;
  cambiados_[c] = true;
}

void Recordset::AddNew() {
  conexion(true);
  guardaPendiente();
  Fila f;
  f.orden = siguienteOrden_++;
  f.valores.resize(columnas_.size());
  filas_.push_back(std::move(f));
  ++vivas_;
  pos_ = int(filas_.size()) - 1;
  nueva_ = true;
}

void Recordset::Update() {
  actual();
  guardaPendiente();
}

// Changes belong only ever to the current record: every move writes them first.
void Recordset::guardaPendiente() {
  if (!nueva_ && std::none_of(cambiados_.begin(), cambiados_.end(), [](bool b) { return b; }))
    return;
  const std::shared_ptr<sqlite3> bd = conexion(true);
  Fila& f = filas_[pos_];
  std::vector<int> columnas;
  QStringList nombres;
  for (int c = 0; c < int(columnas_.size()); ++c)
    if (cambiados_[c]) {
      columnas.push_back(c);
      nombres << comillas(columnas_[c].nombre);
    }
  QString sql;
  if (nueva_ && columnas.empty()) {
    sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(comillas(tabla_));
  } else if (nueva_) {
    QStringList marcas;
    for (qsizetype i = 0; i < nombres.size(); ++i) marcas << QStringLiteral("?");
    sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(comillas(tabla_), nombres.join(QStringLiteral(", ")), marcas.join(QStringLiteral(", ")));
  } else {
    sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
              .arg(comillas(tabla_), nombres.join(QStringLiteral(" = ?, ")));
  }
  Sentencia s(bd.get(), sql);
  int i = 1;
  for (int c : columnas) s.enlaza(i++, f.valores[c], columnas_[c].fecha);
  if (!nueva_) sqlite3_bind_int64(s.s_, i, f.rowid);
  s.paso();
  if (nueva_) f.rowid = sqlite3_last_insert_rowid(bd.get());
  nueva_ = false;
  cambiados_.assign(columnas_.size(), false);
  releeFila(f);
}

// After a write the record shows what the database keeps: its defaults, its conversions.
void Recordset::releeFila(Fila& fila) {
  const std::shared_ptr<sqlite3> bd = conexion(false);
  Sentencia s(bd.get(), QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(comillas(tabla_)));
  s.enlaza(1, fila.rowid, false);
  if (!s.paso()) return;
  for (int c = 0; c < int(columnas_.size()); ++c) fila.valores[c] = s.valor(c, columnas_[c].fecha);
}

void Recordset::Delete() {
  const std::shared_ptr<sqlite3> bd = conexion(true);
  Fila& f = actual();
  if (!nueva_) {
    Sentencia s(bd.get(), QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(comillas(tabla_)));
    s.enlaza(1, f.rowid, false);
    s.paso();
  }
  nueva_ = false;
  cambiados_.assign(columnas_.size(), false);
  f.borrada = true;
  --vivas_;
}

void Recordset::setSort(const QString& orden) {
  compruebaAbierto();
  struct Clave {
    int columna;
    bool descendente;
  };
  std::vector<Clave> claves;
  static const QRegularExpression blancos(QStringLiteral("\\s+"));
  for (const QString& parte : orden.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    QStringList palabras = parte.trimmed().split(blancos, Qt::SkipEmptyParts);
    if (palabras.isEmpty()) continue;
    bool descendente = false;
    if (palabras.size() > 1) {
      const QString sentido = palabras.last().toUpper();
      if (sentido == QLatin1String("DESC") || sentido == QLatin1String("ASC")) {
        descendente = sentido == QLatin1String("DESC");
        palabras.removeLast();
      }
    }
    claves.push_back({columna(palabras.join(QLatin1Char(' '))), descendente});
  }
  guardaPendiente();

  std::erase_if(filas_, [](const Fila& f) { return f.borrada; });
  std::sort(filas_.begin(), filas_.end(), [&claves](const Fila& a, const Fila& b) {
    for (const Clave& k : claves) {
      const int r = compara(a.valores[k.columna], b.valores[k.columna]);
      if (r != 0) return k.descendente ? r > 0 : r < 0;
    }
    return a.orden < b.orden;  // ties keep the table's order, whatever the previous sort was
  });
  sort_ = orden;
  pos_ = 0;
}

}  // namespace plataforma
