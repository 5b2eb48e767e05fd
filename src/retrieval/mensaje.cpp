// The program's news: informe.dat, fetched from the program's web host at start-up when the draws
// are some days old, may carry a new web host and is shown in the news window when it is new.
#include <QApplication>
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
  // One fetch at a time: asked for again meanwhile, the news is the one on its way.
  if (noticias_) return;
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
  // The copy is fetched anew every time; a failed fetch leaves the old file. The program goes on
  // meanwhile: a host that is slow, or accepts and never answers, holds nobody up.
  auto* descarga = new plataforma::DescargaArchivo(URL, rutaInforme(), this);
  noticias_ = descarga;
  connect(descarga, &plataforma::DescargaArchivo::acabada, this, &Principal::llegamensaje);
  descarga->inicia();
}

bool Principal::esperandomensaje() const { return !noticias_.isNull(); }

void Principal::llegamensaje() {
  plataforma::DescargaArchivo* descarga = noticias_;
  if (!descarga || !descarga->terminada()) return;
  // New news is told when the program is free: not in the middle of a download, whose start
  // closes the news window and whose steps nothing may run into, nor over a box that waits for
  // the user. A failed fetch left the old file and has nothing to tell.
  const bool llego = descarga->reemplazado();
  if (llego && (Timer1->isActive() || plataforma::esperandoRed() || QApplication::activeModalWidget())) {
    QTimer::singleShot(250, this, &Principal::llegamensaje);
    return;
  }
  noticias_ = nullptr;
  descarga->deleteLater();
  if (!llego) return;
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
    // Only the host changes in the file: the settings or the slips window, opened while the news
    // was on its way, may have stored values of their own since start-up.
    sinErrores([&] {
      Configuracion guardada = leeConfiguracionArchivo();
      if (archivos().fin(ARCH_NUMS_INI)) guardada = configuracion;
      guardada.direccionweb = configuracion.direccionweb;
      escribeConfiguracionArchivo(guardada);
    });
  }
  if (abierto) sinErrores([&] { archivos().cierra(ARCH_INFORME); });
  // A news window the user opened while the news was on its way shows the page just fetched. The
  // window the user works in keeps the focus: the news stays above it all the same.
  descargaInfor();
  Infor& ventana = infor();
  ventana.setAttribute(Qt::WA_ShowWithoutActivating);
  ventana.Show();
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
