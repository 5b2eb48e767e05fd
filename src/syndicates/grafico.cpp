#include "syndicates/grafico.h"

#include <QtCharts/QChart>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>

namespace {

// The draws without a prize in grey, the prizes in the program's red.
const QColor colores[] = {QColor(0xc8, 0xc8, 0xc8), QColor(0xc0, 0x00, 0x00), QColor(0x00, 0x80, 0x00)};

}  // namespace

GraficoFila::GraficoFila(const QString& titulo, QWidget* padre)
    : QChartView(padre), serie_(new QPieSeries) {
  auto* grafico = new QChart;
  grafico->setTitle(titulo);
  grafico->legend()->hide();
  grafico->setBackgroundRoundness(0);
  grafico->setMargins(QMargins(2, 2, 2, 2));
  grafico->addSeries(serie_);
  // The view lets go of the empty chart it was made with; it is ours to free.
  QChart* vacio = chart();
  setChart(grafico);
  delete vacio;
  setRenderHint(QPainter::Antialiasing);
}

void GraficoFila::fijaFila(const QVariantList& fila) {
  fila_ = fila;
  serie_->clear();
  for (qsizetype i = 1; i < fila.size(); ++i) {
    const double valor = fila[i].isValid() ? fila[i].toDouble() : 0.0;
    QPieSlice* porcion = serie_->append(fila[0].toString(), valor);
    porcion->setColor(colores[(i - 1) % 3]);
    porcion->setBorderColor(Qt::white);
  }
}
