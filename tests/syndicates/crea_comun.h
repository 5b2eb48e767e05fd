#pragma once
// What the chooser and editor tests share: a program folder with apuestas.dat and numeros.dat
// open as the main window keeps them, a fixed today, scripted message boxes, and the grid driven
// by mouse clicks.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"

namespace editor {

inline const QDate HOY(2025, 3, 12);

// The editor as "Editar Peña" opens it on record `registro`.
inline Crea& editaPena(int registro) {
  auto& e = estado();
  e.editando = 1;
  e.numapuestas = 0;
  e.solouna = 1;
  e.numpenas = registro;
  e.penaelegida = registro;
  const int tipo = leePena(registro).tipo;
  e.modalidad = tipo >= 500 ? tipo - 500 : 0;
  crea().Show();
  crea().Form_Activate();
  return crea();
}

class Ventanas : public ::testing::Test {
 protected:
  void SetUp() override {
    plataforma::fijaReloj(QDateTime(HOY, QTime(11, 30)));
    estado().ruta = carpeta.ruta();
  }
  void TearDown() override {
    descargaCrea();
    descargaCreamenu();
    procesaDescargas();
  }

  // The data files as start-up leaves them, with these syndicates and draws already stored.
  void abreDatos(const std::vector<Pena>& penas = {}, const std::vector<Sorteo>& sorteos = {}) {
    escribePenas(carpeta, penas);
    escribeSorteos(carpeta, sorteos);
    auto& a = plataforma::archivos();
    a.abre(ARCH_APUESTAS, carpeta.archivo("apuestas.dat"), plataforma::Acceso::Aleatorio, Pena::LONGITUD);
    a.abre(ARCH_NUMEROS, carpeta.archivo("numeros.dat"), plataforma::Acceso::Aleatorio, Sorteo::LONGITUD);
    estado().numpenas = penas.empty() ? 0 : int(penas.size()) + 1;
    estado().numsorteos = int(sorteos.size()) + 1;
  }

  // The editor as the chooser opens it for a new syndicate of this kind.
  Crea& abreEditor(int modalidad, int sistema = 0) {
    estado().modalidad = modalidad;
    estado().sistemareducido = sistema;
    Crea& c = crea();
    c.Show();
    return c;
  }


  static void pulsa(int numero) { QTest::mouseClick(crea().Image1[numero - 1], Qt::LeftButton); }
  static void pulsa(std::initializer_list<int> numeros) {
    for (int n : numeros) pulsa(n);
  }
  static void pulsa(QPushButton* boton) { QTest::mouseClick(boton, Qt::LeftButton); }
  // Typed into the name box key by key, accents included.
  static void escribe(const QString& texto) {
    for (const QChar letra : texto) {
      QKeyEvent tecla(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString(letra));
      QApplication::sendEvent(crea().Text1, &tecla);
    }
  }

  static std::vector<int> marcadas() {
    std::vector<int> r;
    for (int k = 0; k < 49; ++k)
      if (crea().marcada(k)) r.push_back(k + 1);
    return r;
  }
  static std::vector<int> apuesta(const Pena& p, int b, int cuantos = 6) {
    std::vector<int> r;
    for (int j = 1; j <= cuantos; ++j) r.push_back(p.apuestas[b][j]);
    return r;
  }

  QByteArray apuestasDat() const { return carpeta.lee("apuestas.dat"); }
  std::vector<Pena> penas() const { return penasDe(carpeta); }
  static qint16 entero16(const QByteArray& registro, int desplazamiento) {
    return qint16(quint8(registro[desplazamiento]) | (quint8(registro[desplazamiento + 1]) << 8));
  }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

}  // namespace editor
