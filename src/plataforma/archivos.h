#pragma once
// Numbered files as the program uses them: opened once by number, then records read and written by
// record number (random access), bytes by position (byte access) or lines read in order (text
// input). Errors are thrown as plataforma::Error with the numbers the program tests.
//
// The contents are kept in memory for speed; every write reaches the disk at once, so the file and
// the memory copy never disagree.
#include <QByteArray>
#include <QString>
#include <map>
#include <memory>

namespace plataforma {

enum class Acceso { Aleatorio, Binario, Entrada };

class Archivos {
 public:
  Archivos();
  ~Archivos();
  Archivos(const Archivos&) = delete;
  Archivos& operator=(const Archivos&) = delete;

  // Opening a missing file creates it empty, except for text input (error 53). A file that exists
  // and can be read but not written (a read-only file or folder) is opened for reading only: every
  // write to it then fails with error 75 before anything is touched.
  void abre(int numero, const QString& ruta, Acceso acceso, int longitud = 0);
  // Stands in for a file that is there but cannot be read (a folder of that name, no permission to
  // read it): the number is open, holds nothing, and every write to it fails with error 75, so
  // that whatever the file holds is neither shown nor overwritten.
  void abreSinDatos(int numero, const QString& ruta, Acceso acceso, int longitud = 0);
  bool sinDatos(int numero) const;  // opened by abreSinDatos
  bool abierto(int numero) const;
  bool soloLectura(int numero) const;  // false when the number is not open
  QString ruta(int numero) const;
  void cierra(int numero);  // no error when the number is not open
  void cierraTodos();

  // Random access, records counted from 1. A record beyond the last whole one reads as zeros and
  // sets the end-of-file condition; a partial last record counts as absent.
  QByteArray lee(int numero, qint64 registro);
  // The same record without a copy: a pointer into the memory copy, good until the next write,
  // open or close of that number; null past the end. Sets end-of-file as lee does.
  const char* registro(int numero, qint64 registro);
  void escribe(int numero, qint64 registro, const QByteArray& datos);
  bool fin(int numero) const;
  qint64 longitud(int numero) const;  // bytes
  qint64 registros(int numero) const;  // whole records

  // Byte access, positions counted from 1. Bytes beyond the end read as zeros and set end-of-file.
  QByteArray leeBytes(int numero, qint64 posicion, qint64 cuantos);
  // A failed write is error 61 for a full disk, 75 for a file that may not be written, 57 for a
  // disk that fails; a file that was growing is cut back to its former length.
  void escribeBytes(int numero, qint64 posicion, const QByteArray& datos);
  // The whole content, for scanning it in memory.
  const QByteArray& contenido(int numero) const;

  // Changes whenever the content under this number may have changed (every write, every open), and
  // never takes the same value twice, so that whoever keeps something derived from the file can tell
  // whether it is still good. 0 when the number is not open.
  quint64 generacion(int numero) const;

  // Text input: the next line without its end (CR LF, LF or CR); error 62 past the end.
  QString leeLinea(int numero);
  void posiciona(int numero, qint64 posicion);  // the next read starts at this 1-based position
  // The 1-based position of the next read, as posiciona left it: for byte access the position a
  // scanner of the content has reached, so that whoever scans on starts there.
  qint64 posicion(int numero) const;

 private:
  struct Abierto;
  Abierto& de(int numero) const;
  std::map<int, std::unique_ptr<Abierto>> abiertos_;
};

Archivos& archivos();

// The length of a file by name; error 53 when it does not exist.
qint64 longitudArchivo(const QString& ruta);
// Deletes a file; error 53 when it does not exist, 75 when it cannot be deleted.
void borraArchivo(const QString& ruta);
// Whether this process may write the file, or create and remove files in the folder.
bool escribible(const QString& ruta);

}  // namespace plataforma
