// The program's news: informe.dat, fetched from the program's web host at start-up when the draws
// are some days old, may carry a new web host and is shown in the news window when it is new.
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/navegador.h"
#include "plataforma/red.h"
#include "plataforma/texto.h"
#include "retrieval/Infor.h"
#include "ui/Principal.h"

using plataforma::Acceso;
using plataforma::archivos;
using plataforma::sinErrores;

namespace {

QString rutaInforme() { return estado().ruta + QStringLiteral("informe.dat"); }

// The whole of informe.dat as text, read through file 6.
QString leeInforme() {
  archivos().abre(ARCH_INFORME, rutaInforme(), Acceso::Entrada);
  const QString texto = plataforma::deAnsi(archivos().contenido(ARCH_INFORME));
  archivos().cierra(ARCH_INFORME);
  return texto;
}

// The news boxes compare lengths of the file's text as it was read; the box itself would count a
// CR LF as one character and a document could then pass for the old one.
const char TEXTO_LEIDO[] = "textoLeido";

void ponTexto(QPlainTextEdit* caja, const QString& texto) {
  caja->setPlainText(texto);
  caja->setProperty(TEXTO_LEIDO, texto);
}

qsizetype largoDe(const QPlainTextEdit* caja) {
  const QVariant leido = caja->property(TEXTO_LEIDO);
  return leido.isValid() ? leido.toString().size() : caja->toPlainText().size();
}

// The news comes from a host the program does not control: a host text is taken only when it is
// a host name with an optional path, short enough for the settings field, so that a damaged or
// hostile document cannot leave the program with an address it cannot use.
bool esHostValido(const QString& web) {
  static const QRegularExpression forma(
      QStringLiteral("^[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]*"
                     "[A-Za-z0-9])?)*(?::[0-9]{1,5})?(?:/[A-Za-z0-9._~%-]*)*$"));
  return web.size() <= 60 && forma.match(web).hasMatch();
}

}  // namespace

void Principal::compruebamensaje() {
  try {
    const QDate ultimo = plataforma::fechaDe(sorteo.fecha);
    if (sorteo.fecha == 0 || !ultimo.isValid() || ultimo.addDays(3) > plataforma::hoy()) return;
    archivos().abre(ARCH_INFORME, rutaInforme(), Acceso::Binario);
    archivos().cierra(ARCH_INFORME);
    descargamensaje();
  } catch (const plataforma::Error&) {
  }
}

void Principal::descargamensaje() {
  // Without a syndicate there is nobody to tell anything.
  bool hayPena = false;
  sinErrores([&] {
    leePena(1);
    hayPena = !archivos().fin(ARCH_APUESTAS);
  });
  if (!hayPena) return;

  const QString URL = (QStringLiteral("http://") + plataforma::recorta(configuracion.direccionweb) +
                       QStringLiteral("/informe.dat"))
                          .toLower();
  sinErrores([&] { ponTexto(Text6, leeInforme()); });
  // The copy is fetched anew every time; a failed fetch leaves the old file.
  plataforma::descargaArchivo(URL, rutaInforme());
  sinErrores([&] { ponTexto(Text2, leeInforme()); });
  avisamensaje();
}

void Principal::avisamensaje() {
  const qsizetype nuevo = largoDe(Text2);
  if (nuevo <= 300 || nuevo == largoDe(Text6)) return;

  bool abierto = false;
  QString web;
  sinErrores([&] {
    archivos().abre(ARCH_INFORME, rutaInforme(), Acceso::Binario);
    abierto = true;
  });
  sinErrores([&] {
    if (!abierto) return;
    QString marca = QStringLiteral("web:");
    web = busca3(marca, QStringLiteral(">"));
  });
  const QString host = plataforma::recorta(web);
  if (!host.isEmpty() && host != plataforma::recorta(configuracion.direccionweb) && esHostValido(host)) {
    configuracion.direccionweb = plataforma::fijo(host, 60);
    sinErrores([&] { escribeConfiguracionArchivo(configuracion); });
  }
  if (abierto) sinErrores([&] { archivos().cierra(ARCH_INFORME); });
  infor().Show();
}

void Principal::Command6_Click() {
  if (Timer1->isActive()) return;
  // No news fetched yet, or an empty page: said in words rather than by an empty window.
  if (!Infor::hayNoticias()) {
    plataforma::MsgBox(QString::fromUtf8("No hay ningún mensaje del Jefe."), plataforma::vbInformation,
                       QStringLiteral("Noticias del jefe..."));
    return;
  }
  infor().Show();
}

void Principal::Leer_Click() { Command6_Click(); }

void Principal::web_Click() {
  plataforma::abreDireccion(QStringLiteral("http://") + plataforma::recorta(configuracion.direccionweb));
}
