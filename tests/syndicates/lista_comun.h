#pragma once
// What the syndicate tests share: a program folder started with its draws and syndicates, syndicates
// of every kind, and the report tables read back.
#include <QVariantList>
#include <algorithm>
#include <array>
#include <vector>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/estado.h"
#include "plataforma/basedatos.h"
#include "plataforma/fechas.h"
#include "ui/Principal.h"

namespace penas {

// The clock stands just after the test draws, so that start-up fetches nothing.
inline Principal& arranca(const CarpetaPrograma& carpeta, const std::vector<Sorteo>& sorteos,
                          const std::vector<Pena>& lista, const QDate& hoy = QDate(2025, 3, 10)) {
  plataforma::fijaReloj(QDateTime(hoy, QTime(10, 0)));
  escribeSorteos(carpeta, sorteos);
  escribePenas(carpeta, lista);
  principal().Form_Load();
  return principal();
}

// `n` simple bets of numbers no test draw holds, created on 2 January 2025.
inline Pena sencilla(const QString& nombre, int n, const QString& dias = "Todos (L+J+S)",
                     const QDate& creacion = QDate(2025, 1, 2)) {
  std::vector<std::vector<int>> apuestas(n, {40, 41, 42, 43, 44, 45});
  return penaDe(nombre, dias, creacion, apuestas);
}

// A multiple syndicate of kind 501..506 whose bet is 31, 32, ...
inline Pena multiple(const QString& nombre, int tipo, const QString& dias = "Jueves") {
  const int numeros[] = {0, 7, 8, 5, 9, 10, 11};
  std::vector<int> apuesta;
  for (int j = 1; j <= numeros[tipo - 500]; ++j) apuesta.push_back(30 + j);
  Pena p = penaDe(nombre, dias, QDate(2025, 1, 2), {apuesta});
  p.tipo = static_cast<qint16>(tipo);
  return p;
}

// Prize counters 3, 4, 5, 6 hits and 5 plus the complementario.
inline Pena conAciertos(Pena p, std::array<qint16, 5> a) {
  std::copy(a.begin(), a.end(), p.aciertos.begin() + 3);
  return p;
}

// Every row of a report table, fields by name.
inline std::vector<QVariantMap> filas(const CarpetaPrograma& carpeta, const QString& tabla) {
  plataforma::Conexion cn;
  cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
  plataforma::Recordset rs;
  rs.Open(tabla, cn, plataforma::adOpenKeyset, plataforma::adLockReadOnly);
  std::vector<QVariantMap> r;
  for (; !rs.EOF(); rs.MoveNext()) {
    r.emplace_back();
    for (int i = 0; i < rs.FieldCount(); ++i) r.back()[rs.FieldName(i)] = rs.Fields(i);
  }
  return r;
}

}  // namespace penas
