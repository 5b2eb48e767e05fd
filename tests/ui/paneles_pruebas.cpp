// What the main window shows after start-up, a download, a deleted draw and clearing: the prize
// counters of the tab "Gestor de peñas" and the statistics total are those the files hold.
#include <QLabel>
#include <QTabWidget>
#include <functional>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "apoyo/respuestas.h"
#include "apoyo/servidor.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "ui/Principal.h"

using plataforma::vbNo;
using plataforma::vbYes;

namespace {

// The draws stored at start-up, oldest first; GANADORA's bet is the newest draw's six numbers.
std::vector<Sorteo> guardados() {
  return {sorteoDe(QDate(2025, 1, 30), {10, 11, 12, 13, 14, 15}, 16),  // Thursday
          sorteoDe(QDate(2025, 2, 1), {20, 21, 22, 23, 24, 25}, 26),   // Saturday
          sorteoDe(QDate(2025, 2, 3), {1, 2, 3, 4, 5, 6}, 7)};          // Monday
}

// The draw the download brings: five of GANADORA's numbers.
Sorteo descargado() {
  Sorteo s = sorteoDe(QDate(2025, 2, 6), {1, 2, 3, 4, 5, 30}, 40, 1);  // Thursday
  s.joker = 1234567;
  return s;
}

struct Esperado {
  int sorteos;  // draws in numeros.dat
  int seis;     // GANADORA's counter of 6 hits
  int cinco;    // and of 5 hits
};

struct Paso {
  const char* nombre;
  std::function<void(Principal&, plataforma::Respondedor&)> accion;
  Esperado esperado;
};

}  // namespace

TEST(Paneles, CountersAndStatisticsShowWhatTheFilesHold) {
  const QString TODOS = QStringLiteral("Todos (L+J+S)");
  auto borraFila1 = [](Principal& p, plataforma::Respondedor& r) {
    r.agrega(vbYes);
    p.ListView3_ItemClick(1);
  };
  auto borraTodo = [](int sorteos, int aciertos) {
    return [=](Principal& p, plataforma::Respondedor& r) {
      r.agrega(sorteos);
      r.agrega(aciertos);
      p.Command5_Click();
    };
  };
  auto descarga = [](ServidorPrueba& servidor) {
    return [&servidor](Principal& p, plataforma::Respondedor&) {
      plataforma::fijaReloj(QDateTime(QDate(2025, 2, 6), QTime(22, 0)));
      std::vector<Sorteo> todos = guardados();
      todos.push_back(descargado());
      std::reverse(todos.begin(), todos.end());
      servidor.responde(QStringLiteral("/servicios/buscadorSorteos"), respuestaServicio(todos));
      p.Picture2_Click();
      p.Timer1_Timer();
    };
  };
  ServidorPrueba servidor;
  // Start-up counts GANADORA's 6 on the newest draw; the download, a 5. Deleting a draw takes back
  // what it won; clearing every draw does not, clearing with the second "Sí" resets the counters.
  // Deleting needs the clear-all button's arm, here answered "No" twice.
  const std::vector<std::vector<Paso>> recorridos = {
      {{"descarga", descarga(servidor), {4, 1, 1}},
       {"arma el borrado", borraTodo(vbNo, vbNo), {4, 1, 1}},
       {"borra la más nueva", borraFila1, {3, 1, 0}},
       {"borra sólo los sorteos", borraTodo(vbYes, vbNo), {0, 1, 0}}},
      {{"arma el borrado", borraTodo(vbNo, vbNo), {3, 1, 0}},
       {"borra la más nueva", borraFila1, {2, 0, 0}},
       {"borra otra", borraFila1, {1, 0, 0}},
       {"borra la única", borraFila1, {0, 0, 0}},
       {"borra sólo los aciertos", borraTodo(vbNo, vbYes), {0, 0, 0}}}};
  for (const std::vector<Paso>& recorrido : recorridos) {
    CarpetaPrograma carpeta;
    RedDePrueba red{servidor};
    plataforma::Respondedor respuestas;
    plataforma::fijaReloj(QDateTime(QDate(2025, 2, 4), QTime(22, 0)));
    escribeSorteos(carpeta, guardados());
    escribePenas(carpeta, {penaDe("GANADORA", TODOS, QDate(2025, 1, 2), {{1, 2, 3, 4, 5, 6}}),
                           penaDe("OTRA", TODOS, QDate(2025, 1, 2), {{40, 41, 42, 43, 44, 45}})});
    Principal& p = principal();
    p.Form_Load();
    std::vector<Paso> pasos = {{"arranque", {}, {3, 1, 0}}};
    pasos.insert(pasos.end(), recorrido.begin(), recorrido.end());

    for (const Paso& paso : pasos) {
      SCOPED_TRACE(paso.nombre);
      if (paso.accion) paso.accion(p, respuestas);
      const std::vector<Pena> penas = penasDe(carpeta);
      ASSERT_EQ(penas.size(), 2u);
      // The files hold what the steps did...
      EXPECT_EQ(carpeta.lee("numeros.dat").size(), paso.esperado.sorteos * Sorteo::LONGITUD);
      EXPECT_EQ(penas[0].aciertos[6], paso.esperado.seis);
      EXPECT_EQ(penas[0].aciertos[5], paso.esperado.cinco);
      // ...and the window shows the files.
      for (int k = 0; k < 5; ++k) EXPECT_EQ(p.Label3[k]->text(), QString::number(penas[0].aciertos[k + 3])) << k;
      EXPECT_EQ(p.Label13->text(), QString::number(paso.esperado.seis + paso.esperado.cinco));
      const int n = paso.esperado.sorteos;
      EXPECT_EQ(p.Label7->text(), QStringLiteral("TOTAL: %1 %2.").arg(n).arg(n == 1 ? "sorteo" : "sorteos"));
      const QString resumen = n == 0   ? QString::fromUtf8(", pero en la base de datos no hay ningún sorteo que cumpla la selección.")
                              : n == 1 ? QStringLiteral(", en total, 1 sorteo en la base de datos.")
                                       : QStringLiteral(", en total, %1 sorteos en la base de datos.").arg(n);
      EXPECT_TRUE(p.Label21->text().endsWith(resumen)) << p.Label21->text().toStdString();
    }
  }
}
