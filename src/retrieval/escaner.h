#pragma once
// The reading of the operator's stored answer (www.txt) and of the news file: the marker scanner
// busca and its twin busca3, the character filter raros, the number and date readings, and the
// reading of the new draws out of an answer. Plain logic over bytes held in memory; the windows
// bring the bytes of their open files and keep the position in the file table.
#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "data/registros.h"

namespace escaner {

// A text that is not a date, or a draw that no lottery can have drawn (type mismatch).
constexpr int ERR_TIPOS = 13;
// The most draws one answer may bring; more means the answer is not what the program asked for.
constexpr int MAX_NUEVOS = 50;

// Upper case as the scanners compare: character by character, and only where the upper-case letter
// exists in Windows-1252, so a marker keeps its length and its bytes ("ß" and "µ" stay).
QString mayusculas(const QString& texto);

// A scan over bytes with a 1-based position, the way the program reads a file opened for byte
// access.
class Escaner {
 public:
  explicit Escaner(QByteArray datos, qint64 posicion = 1);

  qint64 posicion() const { return posicion_; }
  void posiciona(qint64 posicion);  // error 63 before 1
  void avanza(qint64 cuantos) { posiciona(posicion_ + cuantos); }
  qint64 longitud() const { return datos_.size(); }
  // Where busca would find `empieza` from the current position, compared the same way; 0 when it
  // would not. Reads nothing past the end and moves nothing.
  qint64 encuentra(const QString& empieza) const;

  // Finds `empieza` (compared in upper case; it comes back upper-cased) from the current position,
  // then collects one character per step until a window equals `final` or its upper case, or until
  // the window starts on the second-to-last byte. With espacios = 1 no blank is kept. Returns ""
  // when the start marker is not found; a start marker that ends on the last byte is never found.
  // Afterwards the position is one past the first character of the end marker, or, after a failed
  // search, one past the start of the last whole window. A window that would reach past the end
  // raises error 62.
  QString busca(QString& empieza, const QString& final, int espacios = 0);
  QString busca(const QString& empieza, const QString& final, int espacios = 0);
  // The same scan without espacios, collecting a window that is a single blank as "/".
  QString busca3(QString& empieza, const QString& final);
  QString busca3(const QString& empieza, const QString& final);

 private:
  QString recorre(QString& empieza, const QString& final, bool sinBlancos, bool barras);
  void compruebaLectura(qint64 desde, qint64 cuantos);

  QByteArray datos_;
  qint64 posicion_;
};

// The characters of `carla` whose single-byte code is above 32 and below 123, in order.
QString raros(const QString& carla);

// The number at the start of a text: blanks, tabs and line feeds dropped, then an optional sign,
// digits and decimals up to the first other character; 0 when there is none. Error 6 for a number
// too large for a double.
double valor(const QString& texto);
// The nearest 16-bit integer, halves to the even one; error 6 outside -32768..32767.
qint16 entero16(double valor);
// A "day/month/year" text as an OLE date, day first; years of one or two digits fall in 1930..2029.
// Nothing for a text that is not a date.
std::optional<double> fechaDeTexto(const QString& texto);

// What the reading of one answer found.
struct Analisis {
  qint64 marcaFinal = 0;               // one past the first character of "]}}]"
  std::vector<double> fechas;          // dates later than the reference, in the answer's order
  std::vector<qint64> posicionesFecha;  // where each date examined was found, new or not
  std::vector<Sorteo> sorteos;         // draws taken, in the answer's order (newest first)
};

// The three readings of an answer, in the order the program makes them; each starts where the
// scanner stands (the program puts it at 1 first). Every error is plataforma::Error, and the
// analysis keeps what was read before it.
// The end mark: the position after busca("[", "]}}]").
qint64 buscaMarcaFinal(Escaner& e);
// The dates later than `referencia`: every fecha_sorteo key that starts before the end mark is
// examined, the oldest draws of the answer included. Error 9 for a 51st, error 13 for a text that is not a date, for a new date later than
// `limite` (today) and for new dates out of the answer's newest-first order.
void leeFechas(Escaner& e, double referencia, double limite, Analisis& a);
// Draw k of the answer for each new date k, stopping quietly at a draw that reads a number, the
// complementario or the Joker as 0, or whose combination or Joker lies outside its own draw;
// error 13 for a draw with a number out of 1..49, repeated numbers, a reintegro out of -1..9 or a
// Joker that is not a whole number below 10000000. `tomado`(k) runs after draw k was taken.
void leeSorteos(Escaner& e, Analisis& a, const std::function<void(int)>& tomado = {});

// The three readings from position 1 of a stored answer; the number of the error that ended them,
// 0 when none.
int analizaRespuesta(const QByteArray& guardada, double referencia, double limite, Analisis& a);

// The prize categories of the tab "Último sorteo", in the order of its six texts: 1ª (6 hits),
// 2ª (5 + complementario), 3ª (5), 4ª (4), 5ª (3) and Reintegro.
constexpr int CATEGORIAS = 6;
using TextosCategorias = std::array<QString, CATEGORIAS>;
// The six category texts of the first draw of a stored answer whose breakdown rows name their
// category in `tipo`, as the operator's answers do ("1ª (6 Aciertos): 885448,49 €"). Each category
// is picked by its name, whatever its place in the list or its number in `categoria` (the operator
// lists "Especial (6 Aciertos + R)" first and numbers it 1); one the answer lacks gets an empty
// text. Nothing when the first breakdown holds no such row.
std::optional<TextosCategorias> categoriasOficiales(const QByteArray& guardada);

// The records of the draws taken, oldest first, as they are appended to numeros.dat.
QByteArray registrosNuevos(const Analisis& a);

}  // namespace escaner
