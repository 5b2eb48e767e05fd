#include "syndicates/grafico.h"

#include <QtCharts/QChart>
#include <QtCharts/QPieSeries>
#include <QtCharts/QPieSlice>

namespace {

// The draws without a prize in grey, the prizes in the program's red.
const QColor colores[] = {QColor(0xc8, 0xc8, 0xc8), QColor(0xc0, 0x00, 0x00), QColor(0x00, 0x80, 0x00)};

}  // namespace

// The view gets its chart when it is made: a chart set later would leave the view's own first
// chart to nobody.
GraficoFila::GraficoFila(const QString& titulo, QWidget* padre)
    : QChartView(new QChart, padre), serie_(new QPieSeries) {
  QChart* grafico = chart();
  grafico->setTitle(titulo);
  grafico->legend()->hide();
  grafico->setBackgroundRoundness(0);
  grafico->setMargins(QMargins(2, 2, 2, 2));
  grafico->addSeries(serie_);
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
