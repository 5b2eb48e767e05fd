#include "statistics/pintainforme.h"

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QTextDocument>

#include "plataforma/error.h"
#include "plataforma/impresora.h"

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

bool escribePdf(const InformeLleno& informe, const QString& archivo, QString* motivo) {
  try {
    plataforma::escribePdf(archivo,
                           QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                       QPageLayout::Millimeter),
                           informe.titulo, [&](QPagedPaintDevice& hoja) { pintaInforme(informe, hoja); });
    return true;
  } catch (const plataforma::Error& e) {
    if (motivo) *motivo = e.descripcion();
    return false;
  }
}

}  // namespace informes
