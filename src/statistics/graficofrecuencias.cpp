#include "statistics/graficofrecuencias.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

// The view gets its chart when it is made: a chart set later would leave the view's own first
// chart to nobody.
GraficoFrecuencias::GraficoFrecuencias(QWidget* padre) : QChartView(new QChart, padre) {
  QChart* grafico = chart();
  grafico->legend()->hide();  // the tab has its own legend, shown only for the weekdays
  grafico->setBackgroundRoundness(0);
  grafico->setMargins(QMargins(2, 2, 8, 2));
  // The axes stay; only the series is made anew for every table.
  ejeX_ = new QBarCategoryAxis;
  QFont letra(QStringLiteral("Liberation Sans"), 7);
  ejeX_->setLabelsFont(letra);
  ejeX_->setTruncateLabels(false);  // two digits fit under each bar; "..." would tell nothing
  grafico->addAxis(ejeX_, Qt::AlignBottom);
  ejeY_ = new QValueAxis;
  ejeY_->setLabelFormat(QStringLiteral("%d"));
  ejeY_->setTickCount(6);
  ejeY_->setLabelsFont(letra);
  grafico->addAxis(ejeY_, Qt::AlignLeft);
  setRenderHint(QPainter::Antialiasing);
}

QColor GraficoFrecuencias::colorSerie(int columna, int series) {
  if (series <= 1) return QColor(0x00, 0x40, 0xc0);
  static const QColor dias[] = {QColor(0x00, 0x40, 0xc0), QColor(0xc0, 0x00, 0x00), QColor(0x00, 0x90, 0x00)};
  return dias[(columna - 1) % 3];
}

void GraficoFrecuencias::fijaDatos(const Frecuencias& tabla) {
  datos_ = tabla;
  nombres_ = QStringList(tabla.series(), QString());

  QChart* grafico = chart();
  grafico->removeAllSeries();
  auto* serie = new QBarSeries;
  int mayor = 0;
  for (int c = 1; c <= tabla.series(); ++c) {
    auto* barras = new QBarSet(QString());
    barras->setColor(colorSerie(c, tabla.series()));
    barras->setBorderColor(colorSerie(c, tabla.series()));
    for (int f = 1; f <= 25; ++f) {
      const int n = tabla.cuenta(f, c).value_or(0);  // an empty cell draws no bar
      mayor = std::max(mayor, n);
      barras->append(n);
    }
    serie->append(barras);
  }
  serie->setBarWidth(0.8);
  grafico->addSeries(serie);

  QStringList etiquetas;
  for (int f = 1; f <= 25; ++f) etiquetas << tabla.etiqueta(f).trimmed();
  ejeX_->clear();
  ejeX_->append(etiquetas);
  // Whole-number ticks, at most about six of them: a count of draws has no fractions.
  int paso = 1;
  for (int factor = 1; mayor > 6 * paso; factor *= 10) {
    for (int p : {1, 2, 5})
      if (mayor <= 6 * p * factor) {
        paso = p * factor;
        break;
      }
    if (mayor > 6 * paso) paso = 10 * factor;
  }
  ejeY_->setTickType(QValueAxis::TicksDynamic);
  ejeY_->setTickAnchor(0);
  ejeY_->setTickInterval(paso);
  ejeY_->setRange(0, std::max(paso, (mayor + paso - 1) / paso * paso));
  serie->attachAxis(ejeX_);
  serie->attachAxis(ejeY_);
}

void GraficoFrecuencias::fijaNombreSerie(int columna, const QString& nombre) {
  if (columna < 1 || columna > nombres_.size()) return;
  nombres_[columna - 1] = nombre;
  const auto series = chart()->series();
  if (series.isEmpty()) return;
  const auto barras = static_cast<QBarSeries*>(series.front())->barSets();
  if (columna <= barras.size()) barras[columna - 1]->setLabel(nombre);
}
