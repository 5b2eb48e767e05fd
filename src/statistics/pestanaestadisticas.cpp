// The tab "Estadísticas": the count of the selected draws into the chart tables, the draws list,
// the total, the newest draw's text for the statistics report, and the chart.
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>

#include "data/avisobloqueo.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"
#include "plataforma/listview.h"
#include "plataforma/twips.h"
#include "statistics/estadisticas.h"
#include "statistics/graficofrecuencias.h"
#include "ui/Principal.h"

using plataforma::px;

namespace {

// The design-time value of the months sliders: above any period the settings may give, so that
// placing the settings' maximum at start-up brings the slider down to it.
constexpr int MESES_DISENO = 32767;

QCheckBox* casilla(const char* texto, QWidget* padre, int x, int y, int ancho) {
  auto* c = new QCheckBox(QString::fromUtf8(texto), padre);
  c->setGeometry(px(x), px(y), px(ancho), px(300));
  return c;
}

QSlider* deslizador(QWidget* padre, int x, int y, int ancho) {
  auto* s = new QSlider(Qt::Horizontal, padre);
  s->setGeometry(px(x), px(y), px(ancho), px(400));
  s->setRange(1, MESES_DISENO);
  s->setValue(MESES_DISENO);
  s->setTickPosition(QSlider::TicksBelow);
  // The count runs when the thumb is let go, not at every step of a drag.
  s->setTracking(false);
  s->hide();  // shown while the period is the last months
  return s;
}

}  // namespace

void Principal::creaEstadisticas(QWidget* pestana) {
  MSChart1 = new GraficoFrecuencias(pestana);
  MSChart1->setGeometry(px(120), px(120), px(5560), px(5000));

  HScroll2 = new QScrollBar(Qt::Horizontal, pestana);
  HScroll2->setGeometry(px(120), px(5160), px(5560), px(255));
  HScroll2->setRange(1, 2);
  HScroll2->setPageStep(1);
  HScroll2->setValue(1);
  connect(HScroll2, &QScrollBar::valueChanged, this, [this] { HScroll2_Change(); });

  ListView3 = new plataforma::ListView(pestana);
  ListView3->setGeometry(px(5800), px(120), px(6260), px(6860));
  QFont fija(QStringLiteral("Liberation Mono"), 8);
  fija.setStyleHint(QFont::Monospace);
  ListView3->setFont(fija);
  connect(ListView3, &plataforma::ListView::ItemClick, this, [this](int fila) { ListView3_ItemClick(fila); });
  ListView3->agregaColumna(QString::fromUtf8("Números ganadores"), 3140);
  ListView3->agregaColumna(QStringLiteral("Joker"), 860);
  ListView3->agregaColumna(QStringLiteral("Fecha"), 1980);

  Label7 = new QLabel(QStringLiteral("TOTAL: 0 sorteos."), pestana);
  Label7->setGeometry(px(5800), px(7060), px(3000), px(300));
  Label7->setStyleSheet(QStringLiteral("font-weight: bold;"));

  Frame11 = new QGroupBox(QStringLiteral("Filtrado de datos:"), pestana);
  Frame11->setGeometry(px(120), px(5520), px(3900), px(1860));
  Check3[9] = casilla("Lunes", Frame11, 150, 330, 1100);
  Check3[0] = casilla("Jueves", Frame11, 1300, 330, 1150);
  Check3[1] = casilla("Sábado", Frame11, 2500, 330, 1250);
  Check3[5] = casilla("Todos", Frame11, 150, 780, 1100);
  Check3[6] = casilla("Último mes", Frame11, 1300, 780, 2450);
  Slider1[0] = deslizador(Frame11, 150, 1230, 3600);

  Check3[2] = casilla("Comparativa", pestana, 4150, 5580, 1600);
  Frame5 = new QGroupBox(QStringLiteral("Leyenda"), pestana);
  Frame5->setGeometry(px(4150), px(5940), px(1570), px(1260));
  const char* const dias[] = {"Lunes", "Jueves", "Sábado"};
  for (int k = 0; k < 3; ++k) {
    auto* muestra = new QFrame(Frame5);
    muestra->setGeometry(px(150), px(360 + 280 * k), px(300), px(180));
    muestra->setStyleSheet(QStringLiteral("background-color: %1;")
                               .arg(GraficoFrecuencias::colorSerie(k + 1, 3).name()));
    auto* nombre = new QLabel(QString::fromUtf8(dias[k]), Frame5);
    nombre->setGeometry(px(540), px(320 + 280 * k), px(950), px(260));
  }
  Frame5->hide();

  // The generator's first step shows the same filter with boxes and a slider of its own, placed as
  // they stand in its frame; the generator moves them into the frame when it makes it.
  creaFiltrosGenerador(SSTab1->widget(4));

  for (int k : {9, 0, 1, 5, 10, 3, 4, 7}) Check3[k]->setChecked(true);
  for (int k = 0; k < 11; ++k)
    connect(Check3[k], &QCheckBox::toggled, this, [this, k] { Check3_Click(k); });
  for (int k = 0; k < 2; ++k)
    connect(Slider1[k], &QSlider::valueChanged, this, [this, k] { Slider1_Change(k); });
}

void Principal::creaFiltrosGenerador(QWidget* marco) {
  Check3[10] = casilla("Lunes", marco, 240, 360, 1500);
  Check3[3] = casilla("Jueves", marco, 1800, 360, 1500);
  Check3[4] = casilla("Sábado", marco, 3360, 360, 1500);
  Check3[7] = casilla("Todos", marco, 240, 780, 1500);
  Check3[8] = casilla("Último mes", marco, 1800, 780, 2700);
  Slider1[1] = deslizador(marco, 240, 1200, 5200);
}

void Principal::estadisticas(double fechadesde) {
  // What the generator's ranking was taken from, if it went past its first step.
  const Frecuencias antes1 = frecuencias1, antes2 = frecuencias2;
  const int antesContados = sorteoscontados;
  const auto antesPeriodo = fechasperiodo;
  const qint64 ultimo = plataforma::archivos().abierto(ARCH_NUMEROS) ? estado().numsorteos - 1 : 0;
  const DiasFiltro dias{Check3[9]->isChecked(), Check3[0]->isChecked(), Check3[1]->isChecked()};
  const Seleccion s =
      cuentaFrecuencias(ultimo, [](qint64 i) { return leeSorteo(i); }, dias, fechadesde,
                        {frecuencias1, frecuencias2, frecuenciasdia1, frecuenciasdia2});

  sorteoscontados = s.sorteoscontados;
  if (s.masNueva) fechasperiodo[0] = *s.masNueva;
  if (s.masAntigua) fechasperiodo[1] = *s.masAntigua;

  ListView3->Clear();
  sorteoslistados.clear();
  for (const FilaSorteo& fila : s.filas) {
    sorteoslistados.push_back(fila.registro);
    const int f = ListView3->Add(fila.numeros);
    ListView3->setBold(f, true);
    ListView3->addSubItem(f, fila.joker);
    ListView3->addSubItem(f, fila.fecha);
  }
  // With no stored draw the report keeps the text it had.
  // A selected newest draw is the first one counted, so its day is the newest of the period.
  if (s.frase) {
    frase = *s.frase;
    letrero = s.frase->isEmpty() || !s.masNueva ? QString() : letreroSorteo(*s.masNueva);
    guardafrase();
  }

  Label7->setText(QStringLiteral("TOTAL: ") + QString::number(sorteoscontados) +
                  (sorteoscontados == 1 ? QStringLiteral(" sorteo.") : QStringLiteral(" sorteos.")));
  muestraGrafico();

  // A count that changes under the generator (the settings' months, a download, a draw deleted)
  // sends it back to its first step, as leaving its tab does: its kind pictures would otherwise
  // hand the editor numbers ranked over draws that step 1 no longer shows.
  const bool cambia = frecuencias1 != antes1 || frecuencias2 != antes2 || sorteoscontados != antesContados ||
                      fechasperiodo != antesPeriodo;
  if (cambia && Slider2 && Slider2->value() > 0) Image4_Click();
}

// The newest stored draw's text and day go to the statistics report, both empty when the filter
// leaves the draw out. The report table is only the report's staging area: when it cannot be
// written the statistics still stand, and the report writes it again before it is shown.
void Principal::guardafrase() {
  if (estado().sololectura) return;
  try {
    plataforma::Conexion cn;
    cn.Open(plataforma::cadenaConexion(estado().ruta));
    plataforma::Recordset rs;
    rs.setCursorLocation(plataforma::adUseClient);
    rs.Open(QStringLiteral("Informe"), cn, plataforma::adOpenKeyset, plataforma::adLockOptimistic,
            plataforma::adCmdTable);
    rs.setField(QStringLiteral("Frase"), frase);
    rs.setField(QStringLiteral("Letrero"), letrero);
    rs.Update();
    rs.Close();
    cn.Close();
    frasependiente = false;
  } catch (const plataforma::Error& error) {
    frasependiente = true;
    // A damaged table is the report's to tell, when it is asked for.
    if (error.numero() == plataforma::ERR_BD_BLOQUEADA) avisobloqueo();
  }
}

void Principal::HScroll2_Change() { muestraGrafico(); }

void Principal::muestraGrafico() {
  const bool primera = HScroll2->value() == 1;
  if (!Check3[2]->isChecked()) {
    MSChart1->fijaDatos(primera ? frecuencias1 : frecuencias2);
    return;
  }
  MSChart1->fijaDatos(primera ? frecuenciasdia1 : frecuenciasdia2);
  MSChart1->fijaNombreSerie(1, QStringLiteral("Lunes"));
  MSChart1->fijaNombreSerie(2, QStringLiteral("Jueves"));
  MSChart1->fijaNombreSerie(3, QString::fromUtf8("Sábado"));
}
