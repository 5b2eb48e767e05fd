#include "statistics/graficofrecuencias.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

GraficoFrecuencias::GraficoFrecuencias(QWidget* padre) : QChartView(padre) {
  auto* grafico = new QChart;
  grafico->legend()->hide();  // the tab has its own legend, shown only for the weekdays
  grafico->setBackgroundRoundness(0);
  grafico->setMargins(QMargins(2, 2, 2, 2));
  setChart(grafico);
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
  for (QAbstractAxis* eje : grafico->axes()) {
    grafico->removeAxis(eje);
    delete eje;
  }

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
  auto* ejeX = new QBarCategoryAxis;
  ejeX->append(etiquetas);
  QFont letra = ejeX->labelsFont();
  letra.setPointSize(7);
  ejeX->setLabelsFont(letra);
  grafico->addAxis(ejeX, Qt::AlignBottom);
  serie->attachAxis(ejeX);

  auto* ejeY = new QValueAxis;
  ejeY->setRange(0, std::max(1, mayor));
  ejeY->setLabelFormat(QStringLiteral("%d"));
  ejeY->setLabelsFont(letra);
  ejeY->applyNiceNumbers();
  grafico->addAxis(ejeY, Qt::AlignLeft);
  serie->attachAxis(ejeY);
}

void GraficoFrecuencias::fijaNombreSerie(int columna, const QString& nombre) {
  if (columna < 1 || columna > nombres_.size()) return;
  nombres_[columna - 1] = nombre;
  const auto series = chart()->series();
  if (series.isEmpty()) return;
  const auto barras = static_cast<QBarSeries*>(series.front())->barSets();
  if (columna <= barras.size()) barras[columna - 1]->setLabel(nombre);
}
