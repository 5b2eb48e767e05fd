#pragma once
// What the statistics tests share: the main window on a test's program folder without its
// start-up, the filter boxes the summary reads, the report tables read and written directly, and
// the text of a PDF file.
#include <QCheckBox>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QSignalBlocker>
#include <QSlider>

#include "apoyo/carpeta.h"
#include "data/estado.h"
#include "plataforma/basedatos.h"
#include "syndicates/lista_comun.h"
#include "ui/Principal.h"

namespace estadisticas {

// The main window of the folder, as the report code finds it after start-up; the filter boxes
// are created here when the window has none yet.
inline Principal& ventana(const CarpetaPrograma& carpeta) {
  estado().ruta = carpeta.ruta();
  Principal& p = principal();
  for (int i = 0; i < int(p.Check3.size()); ++i)
    if (!p.Check3[i]) {
      p.Check3[i] = new QCheckBox(&p);
      p.Check3[i]->hide();
    }
  return p;
}

// Ticks the boxes without running their handlers, as a test of the summary alone needs.
inline void marca(Principal& p, int indice, bool marcada) {
  const QSignalBlocker bloqueo(p.Check3[indice]);
  p.Check3[indice]->setChecked(marcada);
}

// Moves the months slider without a new count, as a test of the summary alone needs.
inline void ponMeses(Principal& p, int meses) {
  const QSignalBlocker bloqueo(p.Slider1[0]);
  p.Slider1[0]->setValue(meses);
}

using penas::filas;

// Runs statements on the folder's report database.
inline void ejecuta(const CarpetaPrograma& carpeta, const QStringList& sentencias) {
  plataforma::Conexion cn;
  cn.Open(plataforma::cadenaConexion(carpeta.ruta()));
  for (const QString& s : sentencias) cn.Execute(s);
}

// Every page's text of a PDF file, pages joined by a line break.
inline QString textoPdf(const QString& archivo) {
  QPdfDocument pdf;
  pdf.load(archivo);
  QString texto;
  for (int i = 0; i < pdf.pageCount(); ++i) texto += pdf.getAllText(i).text() + QLatin1Char('\n');
  return texto.replace(QChar(0xA0), QLatin1Char(' '));
}

}  // namespace estadisticas
