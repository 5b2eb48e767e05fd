#include "statistics/VentanaInforme.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>

#include "plataforma/dialogoarchivo.h"
#include "plataforma/error.h"
#include "plataforma/impresora.h"
#include "plataforma/msgbox.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"
#include "statistics/motorinforme.h"
#include "statistics/pintainforme.h"

using plataforma::px;

namespace {

bool imprimeDelSistema(QPrinter& impresora, QWidget* padre) {
  const plataforma::FuenteEnPuntos fuente;
  QPrintDialog dialogo(&impresora, padre);
  dialogo.setWindowTitle(QStringLiteral("Imprimir informe"));
  return dialogo.exec() == QDialog::Accepted;
}

QString guardaDelSistema(QWidget* padre, const QString& propuesto) {
  return plataforma::archivoParaGuardar(padre, QStringLiteral("Guardar el informe en PDF"), propuesto,
                                       QStringLiteral("Documentos PDF (*.pdf)"));
}

VentanaInforme::DialogoImpresora dialogoImpresora = imprimeDelSistema;
VentanaInforme::DialogoGuardar dialogoGuardar = guardaDelSistema;

}  // namespace

VentanaInforme& ventanaInforme() { return plataforma::Unica<VentanaInforme>::instancia(); }
VentanaInforme* ventanaInformeSiExiste() { return plataforma::Unica<VentanaInforme>::siExiste(); }
void descargaVentanaInforme() { plataforma::Unica<VentanaInforme>::descarga(); }

void VentanaInforme::fijaDialogos(DialogoImpresora impresora, DialogoGuardar guardar) {
  dialogoImpresora = std::move(impresora);
  dialogoGuardar = std::move(guardar);
}

void VentanaInforme::dialogosDelSistema() { fijaDialogos(imprimeDelSistema, guardaDelSistema); }

VentanaInforme::VentanaInforme() : QWidget(nullptr, Qt::Window) {
  setWindowTitle(QStringLiteral("Informe"));
  setFixedSize(px(11400), px(10200));
  Vista = new QTextBrowser(this);
  Vista->setGeometry(px(120), px(120), px(11160), px(9240));
  Vista->setOpenLinks(false);
  Imprimir = new QPushButton(QStringLiteral("Imprimir"), this);
  GuardarPdf = new QPushButton(QStringLiteral("Guardar PDF"), this);
  Cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
  QPushButton* botones[] = {Imprimir, GuardarPdf, Cerrar};
  for (int i = 0; i < 3; ++i) botones[i]->setGeometry(px(5880 + 1800 * i), px(9540), px(1680), px(420));
  connect(Imprimir, &QPushButton::clicked, this, &VentanaInforme::Imprimir_Click);
  connect(GuardarPdf, &QPushButton::clicked, this, &VentanaInforme::GuardarPdf_Click);
  connect(Cerrar, &QPushButton::clicked, this, [] { descargaVentanaInforme(); });
}

void VentanaInforme::muestra(const informes::InformeLleno& informe) {
  informe_ = informe;
  setWindowTitle(QStringLiteral("Informe - ") + informe.titulo);
  Vista->document()->setDefaultFont(QFont(QStringLiteral("Liberation Sans"), 10));
  Vista->setHtml(informes::htmlInforme(informe));
  show();
  raise();
  activateWindow();
}

void VentanaInforme::Imprimir_Click() {
  MotorInforme::Trabajo trabajo;
  QPrinter impresora(QPrinter::HighResolution);
  impresora.setDocName(informe_.titulo);
  if (!dialogoImpresora(impresora, this)) return;
  QString motivo;
  try {
    plataforma::imprime(plataforma::Eleccion::de(impresora), informe_.titulo,
                        [&](QPagedPaintDevice& hoja) { informes::pintaInforme(informe_, hoja); });
  } catch (const plataforma::Error& e) {
    motivo = e.descripcion();
  }
  if (!motivo.isEmpty())
    plataforma::MsgBox(QStringLiteral("No se ha podido imprimir el informe: ") + motivo + QLatin1Char('.'),
                       plataforma::vbExclamation, QStringLiteral("Imprimir"));
}

void VentanaInforme::GuardarPdf_Click() {
  MotorInforme::Trabajo trabajo;
  QString archivo = dialogoGuardar(this, QDir::home().filePath(informe_.titulo + QStringLiteral(".pdf")));
  if (archivo.isEmpty()) return;
  if (!archivo.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) archivo += QStringLiteral(".pdf");
  QString motivo;
  if (!informes::escribePdf(informe_, archivo, &motivo))
    plataforma::MsgBox(QStringLiteral("No se ha podido guardar el informe en «") + QDir::toNativeSeparators(archivo) +
                           QStringLiteral("»: ") + motivo + QLatin1Char('.'),
                       plataforma::vbExclamation, QStringLiteral("Guardar PDF"));
}
