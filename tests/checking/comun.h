#pragma once
// What the check tests share: a program folder started with its draws and syndicates, and the rows
// of a result list read back as text and colours.
#include <QComboBox>
#include <gtest/gtest.h>
#include <QStringList>
#include <vector>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/texto.h"
#include "ui/Principal.h"

namespace comprobacion {

// A week of draws, and the play days that play them all.
inline const QDate LUNES(2025, 3, 3);
inline const QDate JUEVES(2025, 3, 6);
inline const QDate SABADO(2025, 3, 8);
inline const QString TODOS = QStringLiteral("Todos (L+J+S)");

// The draws are in the file at start-up; the syndicates are stored afterwards through the open file,
// so that start-up's own check cannot count anything before the test does.
inline Principal& arranca(const CarpetaPrograma& carpeta, const std::vector<Sorteo>& sorteos,
                          const std::vector<Pena>& penas) {
  escribeSorteos(carpeta, sorteos);
  Principal& p = principal();
  p.Form_Load();
  for (size_t j = 0; j < penas.size(); ++j) escribePena(qint64(j + 1), penas[j]);
  estado().numpenas = int(penas.size()) + 1;
  return p;
}

// A check test: its own program folder, scripted message boxes, and the syndicates file's bytes.
class Comprobacion : public ::testing::Test {
 protected:
  Principal& arranca(const std::vector<Sorteo>& sorteos, const std::vector<Pena>& penas) {
    return comprobacion::arranca(carpeta, sorteos, penas);
  }
  QByteArray apuestas() const { return carpeta.lee(QStringLiteral("apuestas.dat")); }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

// Sub-items 1.. of a row as texts.
inline QStringList subTextos(const plataforma::ListView* lista, int fila) {
  QStringList r;
  for (int k = 1; k <= lista->subCount(fila); ++k) r << lista->subText(fila, k);
  return r;
}

// The text of the message column of every row (empty for rows without one).
inline QStringList columna(const plataforma::ListView* lista, int sub) {
  QStringList r;
  for (int f = 1; f <= lista->Count(); ++f) r << (lista->subCount(f) >= sub ? lista->subText(f, sub) : QString());
  return r;
}

inline QString cabecera(const QString& nombre) {
  return QString::fromUtf8("PEÑA ") + plataforma::fijo(nombre, 20);
}

inline QString lineaFecha(const QDate& dia) {
  return dia.toString(QStringLiteral("dd/MM/yyyy ")) + plataforma::nombreDia(dia);
}

// Syndicates as the chooser lists them, "TODAS LAS PEÑAS" first, without running a check.
inline void llenaCombo(Principal& p, const std::vector<Pena>& penas) {
  const bool antes = p.Combo2->blockSignals(true);
  p.Combo2->clear();
  p.Combo2->addItem(QString::fromUtf8("TODAS LAS PEÑAS"));
  for (const Pena& pena : penas) p.Combo2->addItem(plataforma::fijo(pena.nombre, 20));
  p.Combo2->setCurrentIndex(0);
  p.Combo2->blockSignals(antes);
}

// Record j as it stands on disk.
inline Pena enDisco(const CarpetaPrograma& carpeta, int j) {
  return Pena::decodifica(carpeta.lee(QStringLiteral("apuestas.dat")).mid((j - 1) * Pena::LONGITUD, Pena::LONGITUD));
}

}  // namespace comprobacion
