#include "apoyo/datos.h"

#include <QFile>
#include <algorithm>

#include "plataforma/fechas.h"

Sorteo sorteoDe(const QDate& dia, std::initializer_list<int> ganadores, int complementario,
                int reintegro) {
  Sorteo s;
  int i = 1;
  for (int n : ganadores) s.ganadores[i++] = static_cast<qint16>(n);
  s.complementario = static_cast<qint16>(complementario);
  s.reintegro = static_cast<qint16>(reintegro);
  s.fecha = plataforma::oleDe(dia);
  s.joker = -1;
  return s;
}

std::vector<Sorteo> historiaReal() {
  QFile f(fixture(QStringLiteral("primitiva-history.csv")));
  if (!f.open(QIODevice::ReadOnly)) return {};
  std::vector<Sorteo> r;
  f.readLine();  // header
  while (!f.atEnd()) {
    const QList<QByteArray> c = f.readLine().trimmed().split(',');
    if (c.size() < 9) continue;
    r.push_back(sorteoDe(QDate::fromString(QString::fromLatin1(c[0]), Qt::ISODate),
                         {c[1].toInt(), c[2].toInt(), c[3].toInt(), c[4].toInt(), c[5].toInt(), c[6].toInt()},
                         c[7].toInt(), c[8].toInt()));
  }
  std::reverse(r.begin(), r.end());  // the file has the newest draw first
  return r;
}

Pena penaDe(const QString& nombre, const QString& dias, const QDate& creacion,
            const std::vector<std::vector<int>>& apuestas) {
  Pena p;
  p.nombre = nombre;
  p.dias = dias;
  p.fechacreacion = plataforma::oleDe(creacion);
  p.tipo = static_cast<qint16>(apuestas.size());
  for (size_t b = 0; b < apuestas.size() && b < 205; ++b)
    for (size_t j = 0; j < apuestas[b].size() && j < 20; ++j)
      p.apuestas[b + 1][j + 1] = static_cast<qint16>(apuestas[b][j]);
  return p;
}

void escribeSorteos(const CarpetaPrograma& carpeta, const std::vector<Sorteo>& sorteos) {
  QByteArray b;
  for (const Sorteo& s : sorteos) b += s.codifica();
  carpeta.escribe(QStringLiteral("numeros.dat"), b);
}

void escribePenas(const CarpetaPrograma& carpeta, const std::vector<Pena>& penas) {
  QByteArray b;
  for (const Pena& p : penas) b += p.codifica();
  carpeta.escribe(QStringLiteral("apuestas.dat"), b);
}

std::vector<Pena> penasDe(const CarpetaPrograma& carpeta) {
  const QByteArray b = carpeta.lee(QStringLiteral("apuestas.dat"));
  std::vector<Pena> r;
  for (qsizetype i = 0; i + Pena::LONGITUD <= b.size(); i += Pena::LONGITUD)
    r.push_back(Pena::decodifica(b.mid(i, Pena::LONGITUD)));
  return r;
}
