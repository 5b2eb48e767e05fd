#pragma once
// The report database as the program reaches it: a connection string that names the
// file and its password, statements run on the connection, and recordsets that hold a whole table
// on the client side. On Linux Bolvanta.mdb is an SQLCipher database keyed with the program's
// password. Columns declared DATE keep their dates as texts 'yyyy-MM-dd' and read back as QDate;
// the report layouts read the same texts.
//
// Table and field names are matched without regard to case, and moving off a record
// that has changes, sorting or closing the recordset writes them first. A recordset destroyed
// without Close drops changes it has not written.
#include <cstdio>  // first, so that no later include can define the EOF macro again

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

// The recordsets of the program have a property named EOF; the C library's macro of that name would
// turn every rs.EOF() into a syntax error, and the program never uses the macro.
#undef EOF

struct sqlite3;

namespace plataforma {

constexpr char CLAVE_BD[] = "quorvatensimblarkeqo";

// The error numbers of these failures, as the program's messages show them.
constexpr int ERR_BD_PROVEEDOR = -2147467259;  // cannot open, wrong password, failed statement
constexpr int ERR_BD_ELEMENTO = 3265;          // no such table or field
constexpr int ERR_BD_SIN_REGISTRO = 3021;      // no current record: BOF, EOF or deleted
constexpr int ERR_BD_SOLO_LECTURA = 3251;      // the recordset was opened read-only
constexpr int ERR_BD_CERRADO = 3704;           // the connection or recordset is closed
// Another program holds the database: it is being written, or read while this one would write.
// Every statement waits for it about a second (ESPERA_BLOQUEO_MS) before it gives up with this
// number; a database held that way is no wrong password, and the password's key stays good.
constexpr int ERR_BD_BLOQUEADA = 3218;
constexpr int ESPERA_BLOQUEO_MS = 1000;

// One piece of work (a click, a change of a filter, the start-up) waits for a held database once.
// While an EsperaUnica lives, the first connection or statement that gave up on a held database
// marks it, and every connection opened after that gives up at once with ERR_BD_BLOQUEADA: a piece
// of work that fills several tables waits about a second in all, not a second a table. Nested
// ones belong to the outermost, which forgets the mark when it ends.
class EsperaUnica {
 public:
  EsperaUnica();
  ~EsperaUnica();
  EsperaUnica(const EsperaUnica&) = delete;
  EsperaUnica& operator=(const EsperaUnica&) = delete;

  // Whether the database was found held since the outermost one began.
  static bool retenida();
};

enum { adUseServer = 2, adUseClient = 3 };
enum { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };
enum { adCmdText = 1, adCmdTable = 2 };

// The program's connection string for the database in folder ruta (with its trailing separator).
QString cadenaConexion(const QString& ruta, const QString& clave = QString::fromLatin1(CLAVE_BD));

// True while the key derived from the password for the database file `archivo` is kept and
// opens it, so that the next connection derives nothing: for the tests and benchmarks.
bool claveRapida(const QString& archivo, const QString& clave = QString::fromLatin1(CLAVE_BD));

class Conexion {
 public:
  Conexion();
  ~Conexion();
  Conexion(const Conexion&) = delete;
  Conexion& operator=(const Conexion&) = delete;

  // Opens an existing database; a missing file, a wrong or missing password fail here.
  void Open(const QString& cadena);
  // Runs a statement; "delete * from Tabla", as the syndicate fact sheet writes it, is accepted.
  void Execute(const QString& sql);
  void Close();
  bool abierta() const { return bd_ != nullptr; }

 private:
  friend class Recordset;
  std::shared_ptr<sqlite3> bd_;
};

class Recordset {
 public:
  Recordset();
  ~Recordset();
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // Every cursor is a client cursor; the property only remembers what the caller set.
  int CursorLocation() const { return cursorLocation_; }
  void setCursorLocation(int valor) { cursorLocation_ = valor; }

  // Loads every row of the table and stands on the first.
  void Open(const QString& tabla, Conexion& conexion, int cursorType = adOpenKeyset,
            int lockType = adLockOptimistic, int options = adCmdTable);
  void Close();
  bool abierto() const { return abierto_; }

  bool EOF() const;
  bool BOF() const;
  void MoveFirst();
  void MoveNext();
  void MovePrevious();
  void MoveLast();
  int RecordCount() const;

  int FieldCount() const;
  QString FieldName(int indice) const;
  QVariant Fields(const QString& nombre) const;  // a NULL reads as an invalid QVariant
  QVariant Fields(int indice) const;
  void setField(const QString& nombre, const QVariant& valor);

  void AddNew();  // a new record at the end, written by Update
  void Update();
  void Delete();  // the record stays current, unreadable, until the next move

  // "Veces DESC, Numero ASC"; an empty text gives back the order of the table.
  QString Sort() const { return sort_; }
  void setSort(const QString& orden);

 private:
  struct Columna {
    QString nombre;
    bool fecha = false;
  };
  struct Fila {
    qint64 rowid = 0;  // 0 until an added record is written
    qint64 orden = 0;  // place in the table's own order
    std::vector<QVariant> valores;
    bool borrada = false;
  };

  std::shared_ptr<sqlite3> conexion(bool paraEscribir) const;
  void compruebaAbierto() const;
  int columna(const QString& nombre) const;
  Fila& actual();
  const Fila& actual() const;
  void guardaPendiente();
  void releeFila(Fila& fila);
  int siguienteViva(int desde, int paso) const;
  bool sobreBorrada() const;

  std::weak_ptr<sqlite3> bd_;
  QString tabla_;
  std::vector<Columna> columnas_;
  std::vector<Fila> filas_;
  std::vector<bool> cambiados_;  // fields of the current record not yet written
  bool nueva_ = false;           // the current record came from AddNew and is not yet written
  int pos_ = -1;                 // -1 is BOF, filas_.size() is EOF
  int vivas_ = 0;                // records not deleted
  qint64 siguienteOrden_ = 0;
  QString sort_;
  int cursorLocation_ = adUseServer;
  bool soloLectura_ = false;
  bool abierto_ = false;
};

}  // namespace plataforma
