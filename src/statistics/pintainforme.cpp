#include "statistics/pintainforme.h"

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace informes {

std::unique_ptr<QTextDocument> documentoInforme(const InformeLleno& informe) {
  auto d = std::make_unique<QTextDocument>();
  d->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
  d->setMetaInformation(QTextDocument::DocumentTitle, informe.titulo);
  d->setHtml(htmlInforme(informe));
  return d;
}

void pintaInforme(const InformeLleno& informe, QPagedPaintDevice& destino) {
  documentoInforme(informe)->print(&destino);
}

bool escribePdf(const InformeLleno& informe, const QString& archivo) {
  QSaveFile salida(archivo);
  if (!salida.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter pdf(&salida);
    pdf.setTitle(informe.titulo);
    pdf.setCreator(QStringLiteral("Bolvanta"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pintaInforme(informe, pdf);
  }
  return salida.commit();
}

}  // namespace informes
