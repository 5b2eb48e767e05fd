#pragma once
// The chart control of the syndicate views. The program hands it one row at a time: a label and
// the values to set against each other, any of them possibly empty. The row stays readable, so that
// what the chart was given can be checked without looking at the drawing.
#include <QVariantList>
#include <QtCharts/QChartView>

class QPieSeries;

class GraficoFila : public QChartView {
  Q_OBJECT
 public:
  explicit GraficoFila(const QString& titulo, QWidget* padre = nullptr);

  // Element 0 is the row's label, the rest its values; an invalid QVariant is an empty value,
  // drawn as nothing.
  void fijaFila(const QVariantList& fila);
  const QVariantList& fila() const { return fila_; }

 private:
  QPieSeries* serie_;
  QVariantList fila_;
};
