// Every window of the program as the user sees it, in its fullest states: no text wider or taller
// than its control, and every list sized for n rows shows them.
#include <QComboBox>
#include <QSlider>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "apoyo/textos.h"
#include "data/ayudas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "retrieval/Infor.h"
#include "syndicates/Crea.h"
#include "syndicates/Imprimir.h"
#include "statistics/VentanaInforme.h"
#include "syndicates/efectividad.h"
#include "syndicates/Creamenu.h"
#include "syndicates/crea_comun.h"
#include "syndicates/lista_comun.h"
#include "syndicates/tablas.h"
#include "ui/Acercade.h"
#include "ui/Configurar.h"
#include "ui/Presentacion.h"

using namespace penas;

namespace {

// The longest names a syndicate can have: twenty letters, the widest capitals among them.
const QString LARGO = QString::fromUtf8("PEÑA DE LOS JUEVES X");
const QString ANCHO = QString::fromUtf8("MMMMMMMMMMWWWWWWWWWW");
constexpr qint16 TOPE = 32767;

class Textos : public ::testing::Test {
 protected:
  // A reduced syndicate of the largest system the program ships, its base numbers two digits wide.
  Pena reducida(const QString& nombre) const {
    const auto tablas = leeTablas(carpeta.lee("tablas.bin"));
    const TablaReducida& mayor = *std::max_element(tablas.begin(), tablas.end(), [](auto& a, auto& b) {
      return a.totalnumeros < b.totalnumeros;
    });
    Pena p = sencilla(nombre, std::min(mayor.totalapuestas, Pena::MAX_APUESTAS), "Jueves y Sábado");
    p.reducida = qint16(mayor.totalnumeros);
    p.garantia = qint16(mayor.garantia);
    for (int j = 1; j <= mayor.totalnumeros; ++j) p.numerosbase[j] = qint16(29 + j);
    return p;
  }

  CarpetaPrograma carpeta;
  plataforma::Respondedor respuestas;
};

// Ten weeks of no download; the newest draw gives the 11-number multiple six hits and the
// complementario, the longest breakdown there is.
std::vector<Sorteo> sorteosAntiguos() {
  std::vector<Sorteo> r;
  for (int d = 0; d < 42; ++d) r.push_back(sorteoDe(QDate(2025, 1, 2).addDays(d * 7), {31, 32, 33, 34, 35, 36}, 37));
  return r;
}
const QDate HOY = QDate(2025, 1, 2).addDays(41 * 7 + 70);

}  // namespace

TEST_F(Textos, MainWindowInItsFullestStatesShowsEveryTextAndEveryRow) {
  std::vector<Pena> lista{conAciertos(sencilla(LARGO, Pena::MAX_APUESTAS), {TOPE, TOPE, TOPE, TOPE, TOPE}),
                          conAciertos(multiple(ANCHO, 506, "Todos (L+J+S)"), {TOPE, TOPE, TOPE, TOPE, TOPE}),
                          reducida(LARGO), multiple(LARGO, 504)};
  for (int n : {1, 2, 3, 4, 5, 14, 15, 22, 23, 30}) lista.push_back(sencilla(QString::number(n), n));
  Principal& p = arranca(carpeta, sorteosAntiguos(), lista, HOY);
  p.show();
  EXPECT_EQ(p.Label9[6]->text(), "Faltan 10 semanas por actualizar");
  p.Label9[6]->show();
  p.Combo2->setCurrentIndex(1);
  p.HScroll1->setValue(p.HScroll1->maximum());
  const char* const pestanas[] = {"general", "ultimo", "gestor", "estadisticas", "combinacion"};
  for (int t = 0; t < p.SSTab1->count(); ++t) {
    p.SSTab1->setCurrentIndex(t);
    compruebaTextos(&p, QStringLiteral("principal-%1").arg(pestanas[t]));
  }
  p.SSTab1->setCurrentIndex(0);
  // The simple list keeps the wide message column it was laid out with, and scrolls to it.
  p.ListView2->refresca();
  EXPECT_TRUE(celdasCortadas(p.ListView2, true).empty()) << describe(celdasCortadas(p.ListView2, true)).toStdString();
  // The breakdown of the multiple bets, whole in the list's width.
  p.Command1_Click(1);
  p.ListView4->refresca();
  compruebaTextos(&p, QStringLiteral("principal-multiples"));
  EXPECT_TRUE(celdasCortadas(p.ListView4).empty()) << describe(celdasCortadas(p.ListView4)).toStdString();

  // The details of every syndicate, with its bets list sized for them.
  p.SSTab1->setCurrentIndex(2);
  for (int k = 1; k <= int(lista.size()); ++k) {
    p.ListView1_ItemClick(k);
    p.ListView5->refresca();
    compruebaTextos(&p, QStringLiteral("gestor-%1").arg(k));
    const int apuestas = p.ListView5->Count();
    int caben = 0;  // the rows the tallest list holds; more bets scroll
    while (p.ListView5->altoParaFilas(caben + 1) <= ALTO_MAXIMO_LISTA_APUESTAS) ++caben;
    EXPECT_GE(filasVisibles(p.ListView5), std::min(apuestas, caben)) << k << " with " << apuestas << " bets";
    EXPECT_TRUE(celdasCortadas(p.ListView5, true).empty()) << describe(celdasCortadas(p.ListView5, true)).toStdString();
  }
  // The syndicates beside the list's scroll bar, every name whole but one of twenty of the widest
  // capitals, for which the name column has no room.
  auto lista1 = celdasCortadas(p.ListView1);
  std::erase_if(lista1, [](const TextoCortado& c) { return c.texto == ANCHO; });
  EXPECT_TRUE(lista1.empty()) << describe(lista1).toStdString();
  EXPECT_FALSE(p.ListView1->horizontalScrollBar()->isVisible());
}

TEST_F(Textos, EditorChooserNewsAndSplashShowEveryText) {
  std::vector<Pena> lista{conAciertos(multiple(ANCHO, 506), {TOPE, TOPE, TOPE, TOPE, TOPE}),
                          reducida(LARGO), sencilla(LARGO, Pena::MAX_APUESTAS), multiple(LARGO, 502)};
  // The main window stays hidden: its activation would close the dialogs.
  arranca(carpeta, sorteosAntiguos(), lista, HOY);

  // The editor for a new syndicate of every kind, then on each stored one.
  const auto tablas = leeTablas(carpeta.lee("tablas.bin"));
  const auto mayor = std::max_element(tablas.begin(), tablas.end(), [](auto& a, auto& b) {
    return a.totalnumeros < b.totalnumeros;
  });
  for (int modalidad = 0; modalidad <= 7; ++modalidad) {
    estado().modalidad = modalidad;
    estado().numapuestas = 0;
    estado().sistemareducido = modalidad == 7 ? int(mayor - tablas.begin()) : 0;
    Crea& c = crea();
    c.Show();
    c.Text1->setText(ANCHO);
    // One whole bet of two-figure numbers, the widest row the list gets.
    for (int n = 0; n < c.numerosporapuesta; ++n) QTest::mouseClick(c.Image1[29 + n], Qt::LeftButton);
    ASSERT_EQ(c.ListView5->Count(), 1) << modalidad;
    compruebaTextos(&c, QStringLiteral("crea-nueva-%1").arg(modalidad));
    // A bet of up to eleven numbers stands whole in the list; only a reduced system's scrolls.
    const auto cortadas = celdasCortadas(c.ListView5, modalidad == 7);
    EXPECT_TRUE(cortadas.empty()) << modalidad << ": " << describe(cortadas).toStdString();
    descargaCrea();
    procesaDescargas();
  }
  for (int registro = 1; registro <= int(lista.size()); ++registro) {
    Crea& c = editor::editaPena(registro);
    compruebaTextos(&c, QStringLiteral("crea-edicion-%1").arg(registro));
    EXPECT_TRUE(celdasCortadas(c.ListView5, true).empty()) << describe(celdasCortadas(c.ListView5, true)).toStdString();
    descargaCrea();
    procesaDescargas();
    estado().editando = 0;
  }

  // The chooser with the reduced systems listed, the widest one shown.
  Creamenu& m = creamenu();
  m.Show();
  QTest::mouseClick(m.Option1[2], Qt::LeftButton);
  int mas = 0;
  for (int i = 1; i < m.Combo1->count(); ++i)
    if (m.Combo1->fontMetrics().horizontalAdvance(m.Combo1->itemText(i)) >
        m.Combo1->fontMetrics().horizontalAdvance(m.Combo1->itemText(mas)))
      mas = i;
  m.Combo1->setCurrentIndex(mas);
  compruebaTextos(&m, QStringLiteral("creamenu"));
  descargaCreamenu();

  compruebaTextos(&infor(), QStringLiteral("infor"));
  descargaInfor();

  Presentacion& s = presentacion();
  s.Timer1->stop();
  for (int tick = 1; tick <= 8; ++tick) s.Timer1_Timer();
  s.Timer1->stop();
  compruebaTextos(&s, QStringLiteral("presentacion"));
  descargaPresentacion();
  procesaDescargas();
}

// The generator's steps with the widest reduced system chosen, the report window, the About box
// and the settings dialog.
TEST_F(Textos, GeneratorStepsReportAndDialogsShowEveryText) {
  Principal& p = arranca(carpeta, sorteosAntiguos(), {sencilla(LARGO, Pena::MAX_APUESTAS)}, HOY);
  p.show();
  p.SSTab1->setCurrentIndex(4);
  p.Command9_Click();
  p.Slider2->setValue(12);
  for (int i = 0; i < p.Combo1->count(); ++i) {
    p.Combo1->setCurrentIndex(i);
    p.Combo1_Click();
    compruebaTextos(&p, QStringLiteral("generador-%1").arg(i));
  }
  for (int n : {5, 6, 7, 49}) {
    p.Slider2->setValue(n);
    compruebaTextos(&p, QStringLiteral("generador-n%1").arg(n));
  }
  // The statistics report in its window.
  p.Image2_Click(0);
  ASSERT_NE(ventanaInformeSiExiste(), nullptr);
  compruebaTextos(&ventanaInforme(), QStringLiteral("informe"));
  descargaVentanaInforme();
  // The slip window on the syndicate of 205 bets.
  p.SSTab1->setCurrentIndex(2);
  p.ListView1_ItemClick(1);
  p.Command2_Click();
  p.hide();
  ASSERT_NE(imprimirSiExiste(), nullptr);
  compruebaTextos(&imprimir(), QStringLiteral("imprimir"));
  descargaImprimir();
  compruebaTextos(&acercade(), QStringLiteral("acercade"));
  descargaAcercade();
  compruebaTextos(&configurar(), QStringLiteral("configurar"));
  descargaConfigurar();
  procesaDescargas();
  EXPECT_TRUE(respuestas.cajas().empty()) << respuestas.cajas().front().texto.toStdString();
}
