#include "apoyo/respuestas.h"

#include <QFile>
#include <algorithm>

#include "apoyo/carpeta.h"

#include "plataforma/fechas.h"

namespace {

QByteArray dosCifras(int n) { return QByteArray::number(n).rightJustified(2, '0'); }

QByteArray combinacionDe(const Sorteo& s) {
  QByteArray r;
  for (int j = 1; j <= 6; ++j) r += (j > 1 ? " - " : "") + dosCifras(s.ganadores[j]);
  return r + " C(" + dosCifras(s.complementario) + ") R(" + QByteArray::number(s.reintegro) + ")";
}

// The service writes the weekday without accents' bytes: as JSON escapes.
QByteArray diaSemana(const QDate& d) {
  static const char* const dias[] = {"lunes", "martes", "mi\\u00e9rcoles", "jueves", "viernes", "s\\u00e1bado", "domingo"};
  return dias[d.dayOfWeek() - 1];
}

Sorteo relleno(const QDate& dia) {
  Sorteo s;
  const int numeros[7] = {0, 3, 11, 24, 27, 36, 49};
  for (int j = 1; j <= 6; ++j) s.ganadores[j] = static_cast<qint16>(numeros[j]);
  s.complementario = 17;
  s.reintegro = 3;
  s.joker = 4455667;
  s.fecha = plataforma::oleDe(dia);
  return s;
}

}  // namespace

QByteArray objetoSorteo(const Sorteo& s) {
  const QDate d = plataforma::fechaDe(s.fecha);
  const QByteArray fecha = d.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
  const QByteArray anio = QByteArray::number(d.year());
  const QByteArray id = "1" + d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
  const QByteArray comb = combinacionDe(s);
  const QByteArray joker =
      s.joker < 0 ? QByteArray("-") : QByteArray::number(qint64(s.joker)).rightJustified(7, '0');
  QByteArray r;
  r += "{\"fecha_sorteo\":\"" + fecha + " 21:40:00\",\"dia_semana\":\"" + diaSemana(d) + "\",";
  r += "\"id_sorteo\":\"" + id + "\",\"game_id\":\"LAPR\",\"anyo\":\"" + anio + "\",";
  r += "\"premio_bote\":\"0\",\"apuestas\":\"10963258\",\"recaudacion\":\"10963258,00\",";
  r += "\"combinacion\":\"" + comb + "\",\"combinacion_acta\":\"" + comb + "\",";
  r += "\"premios\":\"6029791,90\",\"fondo_bote\":\"0\",\"escrutinio\":[";
  static const char* const tipos[] = {"Especial (6 Aciertos + R) ", "1\\u00aa (6 Aciertos) ",
                                      "2\\u00aa (5 Aciertos + C) ", "3\\u00aa (5 Aciertos) ",
                                      "4\\u00aa (4 Aciertos) ",     "5\\u00aa (3 Aciertos) ",
                                      "Reintegro"};
  static const char* const premios[] = {"0", "0", "34554,98", "2428,19", "77,54", "8,00", "1,00"};
  static const char* const ganadores[] = {"0", "0", "6", "185", "9358", "184746", "1093541"};
  for (int i = 0; i < 7; ++i) {
    r += QByteArray(i ? "," : "") + "{\"tipo\":\"" + tipos[i] + "\",\"categoria\":" + QByteArray::number(i + 1) +
         ",\"premio\":\"" + premios[i] + "\",\"ganadores\":\"" + ganadores[i] + "\"}";
  }
  r += "],\"joker\":{\"combinacion\":\"" + joker + "\",\"premio_bote\":\"1000000\",\"relsorteoid_asociado\":\"2" +
       id + "\",\"gameid\":\"LAJO\"},\"escrutinio_joker\":[";
  for (int i = 0; i < 6; ++i) {
    r += QByteArray(i ? "," : "") + "{\"tipo\":\"" + QByteArray::number(i + 1) + "\\u00aa (" +
         QByteArray::number(7 - i) + " cifras)\",\"ganadores\":" + QByteArray::number(i * 7) +
         ",\"premio\":\"" + QByteArray::number(1000000 / (i * 9 + 1)) + "\"}";
  }
  r += "],\"contenidosRelacionados\":{\"documentos\":[{\"titulo\":\"Acta del sorteo\",\"urlContenido\":"
       "\"/f/loterias/documentos/primitiva/escrutinios/ACTA_LAPR_" + id + ".pdf\"}]}}";
  return r;
}

QByteArray respuestaServicio(const std::vector<Sorteo>& sorteos, int relleno) {
  QByteArray r = "[";
  for (const Sorteo& s : sorteos) r += (r.size() > 1 ? "," : "") + objetoSorteo(s);
  QDate dia = sorteos.empty() ? QDate(2001, 1, 6) : plataforma::fechaDe(sorteos.front().fecha);
  for (const Sorteo& s : sorteos) dia = std::min(dia, plataforma::fechaDe(s.fecha));
  const qsizetype antes = r.size();
  for (int i = 0; relleno < 0 ? r.size() - antes <= 10000 : i < relleno; ++i) {
    dia = dia.addDays(-7);
    r += (r.size() > 1 ? "," : "") + objetoSorteo(::relleno(dia));
  }
  return r + "]";
}

QByteArray objetoReal(const Sorteo& s) {
  static const QByteArray modelo = [] {
    QFile f(fixture(QStringLiteral("lapr-answer-1.json")));
    if (!f.open(QIODevice::ReadOnly)) qFatal("falta %s", qPrintable(f.fileName()));
    return compacta(f.readAll());
  }();
  const QDate d = plataforma::fechaDe(s.fecha);
  const QByteArray id = d.toString(QStringLiteral("yyyyMMdd")).toLatin1();
  QByteArray r = modelo;
  r.replace("\"2017-08-17 21:43:00\"", "\"" + d.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + " 21:40:00\"")
      .replace("\"jueves\"", "\"" + diaSemana(d) + "\"")
      .replace("\"991004065\"", "\"9" + id + "\"")
      .replace("\"991010065\"", "\"8" + id + "\"")
      .replace("\"anyo\":\"2017\"", "\"anyo\":\"" + QByteArray::number(d.year()) + "\"")
      .replace("\"08 - 17 - 19 - 45 - 48 - 49 C(43) R(2)\"", "\"" + combinacionDe(s) + "\"")
      .replace("\"8337021\"", "\"" + QByteArray::number(qint64(s.joker)).rightJustified(7, '0') + "\"");
  r.chop(1);  // the object's closing brace, after its last breakdown
  return r + ",\"contenidosRelacionados\":{\"documentos\":[{\"titulo\":\"Acta del sorteo\",\"urlContenido\":"
             "\"/f/loterias/documentos/primitiva/escrutinios/ACTA_LAPR_" + id + ".pdf\"}]}}";
}

QByteArray respuestaReal(const std::vector<Sorteo>& sorteos) {
  QByteArray r = "[";
  for (const Sorteo& s : sorteos) r += (r.size() > 1 ? "," : "") + objetoReal(s);
  return r + "]";
}

QByteArray formaGuardada(const QByteArray& respuesta) {
  QByteArray r = respuesta;
  r.replace('"', "\"\"");
  return '"' + r + "\"\r\n";
}

QByteArray compacta(const QByteArray& json) {
  QByteArray r;
  bool enTexto = false, escapado = false;
  for (char c : json) {
    if (enTexto) {
      r += c;
      if (escapado)
        escapado = false;
      else if (c == '\\')
        escapado = true;
      else if (c == '"')
        enTexto = false;
    } else if (c == '"') {
      enTexto = true;
      r += c;
    } else if (c != ' ' && c != '\n' && c != '\r' && c != '\t') {
      r += c;
    }
  }
  return r;
}
