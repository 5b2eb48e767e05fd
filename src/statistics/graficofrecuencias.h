#pragma once
// The frequency chart of the tab "Estadísticas": a bar chart of one chart table, its row labels
// along the axis and one bar series per count column. The table handed over and the names of the
// series stay readable, so that what the chart was given can be checked without the drawing.
#include <QColor>
#include <QStringList>
#include <QtCharts/QChartView>

#include "statistics/frecuencias.h"

class QBarCategoryAxis;
class QValueAxis;

class GraficoFrecuencias : public QChartView {
  Q_OBJECT
 public:
  explicit GraficoFrecuencias(QWidget* padre = nullptr);

  // ChartData: the whole table; the series are named anew, with empty names.
  void fijaDatos(const Frecuencias& tabla);
  // Column and ColumnLabel: the name of series `columna` (1-based).
  void fijaNombreSerie(int columna, const QString& nombre);

  const Frecuencias& datos() const { return datos_; }
  QStringList nombresSeries() const { return nombres_; }

  // The colour of a series: one colour for the totals, three for the weekdays, so that the legend
  // beside the chart can show the same ones.
  static QColor colorSerie(int columna, int series);

 private:
  QBarCategoryAxis* ejeX_;
  QValueAxis* ejeY_;
  Frecuencias datos_{1};
  QStringList nombres_;
};
