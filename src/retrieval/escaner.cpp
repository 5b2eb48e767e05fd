#include "retrieval/escaner.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <array>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/texto.h"

using plataforma::Error;

namespace escaner {

namespace {

QChar mayuscula(QChar c) {
  const QChar u = c.toUpper();
  if (u == c) return c;
  // Only a letter the file's code page can hold: the windows compared are bytes of that page.
  const QString una(u);
  return plataforma::deAnsi(plataforma::aAnsi(una)) == una ? u : c;
}

// The upper case of every byte, so that a window is compared without building a text.
const std::array<unsigned char, 256>& tablaMayusculas() {
  static const std::array<unsigned char, 256> tabla = [] {
    std::array<unsigned char, 256> t{};
    for (int b = 0; b < 256; ++b) {
      const QString c = plataforma::deAnsi(QByteArray(1, static_cast<char>(b)));
      t[b] = static_cast<unsigned char>(plataforma::aAnsi(QString(mayuscula(c[0])))[0]);
    }
    return t;
  }();
  return tabla;
}

bool igual(const char* ventana, const QByteArray& marca) {
  return std::equal(marca.begin(), marca.end(), ventana);
}

bool igualEnMayusculas(const char* ventana, const QByteArray& marca) {
  const auto& t = tablaMayusculas();
  for (qsizetype i = 0; i < marca.size(); ++i)
    if (t[static_cast<unsigned char>(ventana[i])] != static_cast<unsigned char>(marca[i])) return false;
  return true;
}

[[noreturn]] void tipos(const char* que) { throw Error(ERR_TIPOS, QString::fromUtf8(que)); }

[[noreturn]] void desborda() {
  throw Error(plataforma::ERR_DESBORDAMIENTO, QStringLiteral("Desbordamiento"));
}

qint16 numeroDe(const QString& texto) { return entero16(valor(texto)); }

// A number of the combination, the complementario or a reintegro as the lottery draws them.
bool enBombo(int n) { return n >= 1 && n <= 49; }

void compruebaSorteo(const Sorteo& s) {
  std::array<bool, 50> visto{};
  for (int j = 1; j <= 6; ++j) {
    const int n = s.ganadores[j];
    if (!enBombo(n) || visto[n]) tipos("Combinación imposible");
    visto[n] = true;
  }
  if (!enBombo(s.complementario) || visto[s.complementario]) tipos("Complementario imposible");
  if (s.reintegro < -1 || s.reintegro > 9) tipos("Reintegro imposible");
  if (s.joker != std::floor(s.joker) || s.joker < 0 || s.joker > 9999999) tipos("Joker imposible");
}

}  // namespace

QString mayusculas(const QString& texto) {
  QString r = texto;
  for (QChar& c : r) c = mayuscula(c);
  return r;
}

Escaner::Escaner(QByteArray datos, qint64 posicion) : datos_(std::move(datos)), posicion_(1) {
  posiciona(posicion);
}

void Escaner::posiciona(qint64 posicion) {
  if (posicion < 1) throw Error(63, QStringLiteral("Número de registro incorrecto"));
  posicion_ = posicion;
}

void Escaner::compruebaLectura(qint64 desde, qint64 cuantos) {
  if (desde + cuantos - 1 > datos_.size()) {
    posicion_ = desde;
    throw Error(plataforma::ERR_FIN_ARCHIVO, QStringLiteral("Se ha sobrepasado el final del archivo"));
  }
}

QString Escaner::recorre(QString& empieza, const QString& final, bool sinBlancos, bool barras) {
  empieza = mayusculas(empieza);
  const QByteArray inicio = plataforma::aAnsi(empieza);
  const QByteArray fin = plataforma::aAnsi(final);
  const QByteArray finMayusculas = plataforma::aAnsi(mayusculas(final));
  const qint64 L = inicio.size();
  const qint64 F = fin.size();
  const qint64 lof = datos_.size();
  const char* d = datos_.constData();

  qint64 p = posicion_;
  for (;; ++p) {
    compruebaLectura(p, L);
    posicion_ = p + 1;
    // The end is tested before the window: a marker ending on the last byte is never found.
    if (p + L > lof) return QString();
    if (igualEnMayusculas(d + p - 1, inicio)) break;
  }

  QByteArray recogido;
  for (qint64 q = p + L;; ++q) {
    compruebaLectura(q, F);
    posicion_ = q + 1;
    const char* ventana = d + q - 1;
    if (igual(ventana, fin) || igual(ventana, finMayusculas) || q + 1 == lof) break;
    const char c = ventana[0];
    if (c == ' ' && barras && F == 1)
      recogido += '/';
    else if (c != ' ' || !sinBlancos)  // a blank appended and trimmed at once is never kept
      recogido += c;
  }
  return plataforma::deAnsi(recogido);
}

qint64 Escaner::encuentra(const QString& empieza) const {
  const QByteArray inicio = plataforma::aAnsi(mayusculas(empieza));
  const qint64 L = inicio.size();
  const char* d = datos_.constData();
  for (qint64 p = posicion_; p + L <= datos_.size(); ++p)
    if (igualEnMayusculas(d + p - 1, inicio)) return p;
  return 0;
}

QString Escaner::busca(QString& empieza, const QString& final, int espacios) {
  return recorre(empieza, final, espacios == 1, false);
}

QString Escaner::busca(const QString& empieza, const QString& final, int espacios) {
  QString copia = empieza;
  return busca(copia, final, espacios);
}

QString Escaner::busca3(QString& empieza, const QString& final) { return recorre(empieza, final, false, true); }

QString Escaner::busca3(const QString& empieza, const QString& final) {
  QString copia = empieza;
  return busca3(copia, final);
}

QString raros(const QString& carla) {
  QString r;
  for (QChar c : carla)
    if (c.unicode() > 32 && c.unicode() < 123) r += c;
  return r;
}

double valor(const QString& texto) {
  std::string cifras;
  bool negativo = false;
  bool signo = true, punto = false;
  for (QChar c : texto) {
    const char16_t u = c.unicode();
    if (u == ' ' || u == '\t' || u == '\n') continue;
    if (signo && (u == '+' || u == '-')) {
      negativo = u == '-';
      signo = false;
      continue;
    }
    signo = false;
    if (u >= '0' && u <= '9') {
      cifras += static_cast<char>(u);
    } else if (u == '.' && !punto) {
      punto = true;
      cifras += '.';
    } else {
      break;
    }
  }
  if (cifras.empty() || cifras == ".") return 0;
  double v = 0;
  const auto [fin, error] = std::from_chars(cifras.data(), cifras.data() + cifras.size(), v);
  (void)fin;
  if (error == std::errc::result_out_of_range) {
    // Too small to tell from 0 is 0; too large is an overflow.
    if (cifras.find_first_not_of("0.") > cifras.find('.')) return 0;
    desborda();
  }
  return negativo ? -v : v;
}

qint16 entero16(double valor) {
  if (!std::isfinite(valor)) desborda();
  double r = std::floor(valor);
  const double resto = valor - r;
  if (resto > 0.5 || (resto == 0.5 && std::fmod(r, 2.0) != 0)) r += 1;
  if (r < -32768 || r > 32767) desborda();
  return static_cast<qint16>(r);
}

std::optional<double> fechaDeTexto(const QString& texto) {
  const QStringList partes = texto.split(QLatin1Char('/'));
  if (partes.size() != 3) return std::nullopt;
  int v[3];
  int cifras[3];
  for (int i = 0; i < 3; ++i) {
    const QString parte = plataforma::recorta(partes[i]);
    if (parte.isEmpty() || parte.size() > 4) return std::nullopt;
    v[i] = 0;
    for (QChar c : parte) {
      if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
      v[i] = v[i] * 10 + (c.unicode() - '0');
    }
    cifras[i] = int(parte.size());
  }
  int anio = v[2];
  if (cifras[2] <= 2) anio += anio < 30 ? 2000 : 1900;
  if (anio < 100) return std::nullopt;
  const QDate dia(anio, v[1], v[0]);
  if (!dia.isValid()) return std::nullopt;
  return plataforma::oleDe(dia);
}

qint64 buscaMarcaFinal(Escaner& e) {
  e.busca(QStringLiteral("["), QStringLiteral("]}}]"));
  return e.posicion();
}

void leeFechas(Escaner& e, double referencia, double limite, Analisis& a) {
  const QString comillas = QStringLiteral("\"");
  const QString guion = QStringLiteral("-");
  const QString clave = QStringLiteral("fecha_sorteo");
  bool viejaVista = false;
  // Up to the end mark, not short of it: the oldest draws of the answer come last, and a draw left
  // out there would never be fetched again, the next download starting after the newest stored.
  for (qint64 siguiente = e.encuentra(clave); siguiente != 0 && siguiente < a.marcaFinal;
       siguiente = e.encuentra(clave)) {
    e.busca(clave, QStringLiteral(":\""));
    const qint64 donde = e.posicion();
    e.avanza(1);
    const QString anio = e.busca(comillas, guion);
    e.avanza(-1);
    const QString mes = e.busca(guion, guion);
    e.avanza(-1);
    const QString dia = e.busca(guion, QStringLiteral(" "));
    const std::optional<double> fecha = fechaDeTexto(dia + QLatin1Char('/') + mes + QLatin1Char('/') + anio);
    if (!fecha) tipos("No es una fecha");
    a.posicionesFecha.push_back(donde);
    if (*fecha > referencia) {
      if (a.fechas.size() >= MAX_NUEVOS) throw Error(plataforma::ERR_INDICE, QStringLiteral("Subíndice fuera del intervalo"));
      // Draw k is paired with date k, and the draws are appended in reverse: only new dates first,
      // newest first, keep both right. A draw from the future would lock the downloads out.
      if (viejaVista || (!a.fechas.empty() && *fecha >= a.fechas.back()) || *fecha > limite)
        tipos("Fechas desordenadas");
      a.fechas.push_back(*fecha);
    } else {
      viejaVista = true;
    }
  }
}

void leeSorteos(Escaner& e, Analisis& a, const std::function<void(int)>& tomado) {
  const QString guionBlanco = QStringLiteral("- ");
  const QString blanco = QStringLiteral(" ");
  const QString abre = QStringLiteral("(");
  const QString cierra = QStringLiteral(")");
  const int n = static_cast<int>(a.fechas.size());
  for (int k = 1; k <= n; ++k) {
    Sorteo s;
    bool para = false;
    e.busca(QStringLiteral("combinacion\""), QStringLiteral(":\""));
    const qint64 combinacion = e.posicion();
    s.ganadores[1] = numeroDe(e.busca(QStringLiteral("\"\""), QStringLiteral("-")));
    if (s.ganadores[1] == 0) para = true;
    e.avanza(-1);
    for (int j = 2; j <= 6; ++j) {
      s.ganadores[j] = numeroDe(e.busca(guionBlanco, blanco));
      if (s.ganadores[j] == 0) para = true;
    }
    s.complementario = numeroDe(e.busca(abre, cierra));
    s.reintegro = numeroDe(e.busca(abre, cierra));
    e.busca(QStringLiteral("joker"), QStringLiteral("on"));
    s.joker = valor(e.busca(QStringLiteral(":\"\""), QStringLiteral("\"")));
    if (s.joker == 0 || s.complementario == 0) para = true;
    // A draw without its own combination or Joker would take the next draw's under its date.
    const size_t siguiente = size_t(k);
    if (combinacion <= a.posicionesFecha[size_t(k - 1)] ||
        (siguiente < a.posicionesFecha.size() && e.posicion() > a.posicionesFecha[siguiente]))
      para = true;
    if (para) return;
    compruebaSorteo(s);
    s.fecha = a.fechas[size_t(k - 1)];
    a.sorteos.push_back(s);
    if (tomado) tomado(k);
  }
}

int analizaRespuesta(const QByteArray& guardada, double referencia, double limite, Analisis& a) {
  try {
    Escaner e(guardada);
    a.marcaFinal = buscaMarcaFinal(e);
    e.posiciona(1);
    leeFechas(e, referencia, limite, a);
    e.posiciona(1);
    leeSorteos(e, a);
    return 0;
  } catch (const Error& error) {
    return error.numero();
  }
}

namespace {

// The place of a category among the six texts, by the name the operator gives it: "1ª (6 Aciertos)"
// to "5ª (3 Aciertos)" and "Reintegro"; -1 for any other ("Especial (6 Aciertos + R)").
int lugarCategoria(const QString& nombre) {
  if (nombre.startsWith(QStringLiteral("Reintegro"), Qt::CaseInsensitive)) return CATEGORIAS - 1;
  if (nombre.size() < 2 || nombre[0] < QLatin1Char('1') || nombre[0] > QLatin1Char('5')) return -1;
  const QChar ordinal = nombre[1];
  if (ordinal != QChar(0xaa) && ordinal != QChar(0xba) && ordinal != QLatin1Char('a')) return -1;
  return nombre[0].unicode() - '1';
}

// A text of the answer fit for a label: no control characters, and not longer than a label holds.
QString paraEtiqueta(const QString& texto, qsizetype maximo) {
  QString r;
  for (QChar c : texto)
    if (c.unicode() >= 32 && c.unicode() != 127) r += c;
  return r.trimmed().left(maximo).trimmed();
}

}  // namespace

std::optional<TextosCategorias> categoriasOficiales(const QByteArray& guardada) {
  // In the stored form every double quote of the answer is doubled.
  const QByteArray clave = "\"\"escrutinio\"\"";
  const qsizetype k = guardada.indexOf(clave);
  if (k < 0) return std::nullopt;
  qsizetype i = k + clave.size();
  while (i < guardada.size() && std::string_view(" \t\r\n:").find(guardada[i]) != std::string_view::npos) ++i;
  if (i >= guardada.size() || guardada[i] != '[') return std::nullopt;
  const qsizetype fin = guardada.indexOf(']', i);
  if (fin < 0) return std::nullopt;
  const QByteArray filas = guardada.mid(i, fin - i + 1).replace("\"\"", "\"");
  QJsonParseError error{};
  const QJsonDocument documento = QJsonDocument::fromJson(plataforma::deAnsi(filas).toUtf8(), &error);
  if (error.error != QJsonParseError::NoError || !documento.isArray()) return std::nullopt;

  TextosCategorias textos;
  std::array<bool, CATEGORIAS> vista{};
  bool alguna = false;
  for (const QJsonValue& v : documento.array()) {
    const QJsonObject fila = v.toObject();
    const QString nombre = paraEtiqueta(fila.value(QStringLiteral("tipo")).toString(), 40);
    const int lugar = lugarCategoria(nombre);
    if (lugar < 0 || vista[size_t(lugar)]) continue;
    const QJsonValue valorPremio = fila.value(QStringLiteral("premio"));
    const QString premio = paraEtiqueta(
        valorPremio.isDouble() ? QString::number(valorPremio.toDouble(), 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','))
                               : valorPremio.toString(),
        20);
    vista[size_t(lugar)] = alguna = true;
    textos[size_t(lugar)] = premio.isEmpty() ? nombre : nombre + QStringLiteral(": ") + premio + QStringLiteral(" €");
  }
  if (!alguna) return std::nullopt;
  return textos;
}

QByteArray registrosNuevos(const Analisis& a) {
  QByteArray r;
  for (auto s = a.sorteos.rbegin(); s != a.sorteos.rend(); ++s) r += s->codifica();
  return r;
}

}  // namespace escaner
