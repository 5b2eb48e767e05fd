// The official prize breakdown of the newest draw, tab "Último sorteo": a caption, six category
// texts from the stored answer, and the operator's document of the draw in the embedded browser.
#include <QLabel>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/navegador.h"
#include "plataforma/red.h"
#include "retrieval/escaner.h"
#include "ui/Principal.h"

using plataforma::archivos;
using plataforma::sinErrores;

namespace {

// The operator's web host, where the documents of the draws are published.
const QString HOST_OPERADOR = QStringLiteral("www.loteriasyapuestas.es");
// Where a user without a PDF reader can get one.
const QString PAGINA_LECTOR = QStringLiteral("https://okular.kde.org/download/");

const QString COMILLA = QStringLiteral("\"");
const QString DOS_COMILLAS = QStringLiteral("\"\"");

QString noDisponible() {
  return QStringLiteral("\r\nATENCIÓN:\r\nLos datos del sorteo aún no están disponibles. Intente más tarde.");
}

}  // namespace

void Principal::informesorteo(int flag) {
  sinErrores([&] { Text1->setVisible(true); });
  sinErrores([&] { WebBrowser1->setVisible(false); });
  urldocumento.clear();

  sinErrores([&] {
    // The newest stored draw, whose breakdown the tab shows: the working draw record holds the
    // oldest draw the last check walked.
    const Sorteo ultimo = ultimoSorteo();
    // Day 0 is no draw but an empty draws file: say so, as the draws status panel does.
    if (ultimo.fecha == 0) {
      Label8->setText(QStringLiteral("Fichero de datos vacío."));
      return;
    }
    const QDate dia = plataforma::fechaDe(ultimo.fecha);
    Label8->setText(QStringLiteral("-Informe del ") + diasemana(ultimo.fecha) + QStringLiteral(", ") +
                    QString::number(dia.day()) + QStringLiteral(" de ") +
                    plataforma::nombreMes(dia.month()) + QStringLiteral(" del ") +
                    QString::number(dia.year()));
  });

  // The answer holds a breakdown for its first draw only when its first category follows the
  // breakdown marker closely.
  qint64 p = 0;
  qint64 d = 0;
  sinErrores([&] { archivos().posiciona(ARCH_WWW, 1); });
  sinErrores([&] {
    QString marca = QStringLiteral("escru");
    busca(marca, COMILLA, 0);
  });
  sinErrores([&] { p = archivos().posicion(ARCH_WWW); });
  sinErrores([&] {
    QString marca = QStringLiteral("cate");
    busca(marca, COMILLA, 0);
  });
  sinErrores([&] { d = archivos().posicion(ARCH_WWW) - p; });

  QString ruta;
  if (d >= 1 && d < 300) {
    // The operator's answers number their categories and name them in `tipo`, with a special
    // category first: read as a list of category texts, they would give bare amounts, one
    // category off. Such rows are read by name; other answers by their category texts.
    std::optional<escaner::TextosCategorias> oficiales;
    sinErrores([&] { oficiales = escaner::categoriasOficiales(archivos().contenido(ARCH_WWW)); });
    if (oficiales) {
      for (int i = 0; i < escaner::CATEGORIAS; ++i) sinErrores([&] { Label10[i]->setText((*oficiales)[size_t(i)]); });
    }
    sinErrores([&] { archivos().posiciona(ARCH_WWW, 1); });
    for (int i = 0; i < 6 && !oficiales; ++i) {
      sinErrores([&] {
        QString marca = QStringLiteral("categoria");
        busca(marca, QStringLiteral(":\""), 0);
      });
      sinErrores([&] {
        QString marca = DOS_COMILLAS;
        const QString texto = busca(marca, COMILLA, 0);
        Label10[i]->setText(raros(texto));
      });
    }

    qint64 q = 0;
    qint64 tras = 0;
    sinErrores([&] { archivos().posiciona(ARCH_WWW, 1); });
    sinErrores([&] {
      QString marca = QStringLiteral("documentos");
      busca(marca, QStringLiteral(":"), 0);
    });
    sinErrores([&] { q = archivos().posicion(ARCH_WWW); });
    sinErrores([&] {
      QString marca = QStringLiteral("urlContenido");
      busca(marca, QStringLiteral(":"), 0);
    });
    sinErrores([&] { tras = archivos().posicion(ARCH_WWW); });
    if (tras - q < 300) {
      sinErrores([&] {
        QString marca = DOS_COMILLAS;
        ruta = busca(marca, COMILLA, 0);
      });
    }
  }

  if (ruta.isEmpty()) {
    sinErrores([&] { Text1->setText(noDisponible()); });
    return;
  }
  ruta.replace(QStringLiteral("\\u00c1"), QStringLiteral("Á"));
  urldocumento = QStringLiteral("http://") + HOST_OPERADOR + ruta;
  if (flag == 0) {
    descargapdf(urldocumento);
    if (principalSiExiste() != this) return;  // the window was closed while the document came
  }
  muestrapdf();
}

void Principal::descargapdf(const QString& URL) {
  pdfpedido = true;
  plataforma::descargaArchivo(URL, estado().ruta + QStringLiteral("zun.pdf"));
}

void Principal::muestrapdf() {
  QByteArray cabecera;
  bool abierto = false;
  sinErrores([&] {
    archivos().abre(ARCH_ZUN, estado().ruta + QStringLiteral("zun.pdf"), plataforma::Acceso::Binario);
    abierto = true;
  });
  // Only what this procedure opened is closed: file 9 may belong to someone else.
  sinErrores([&] {
    if (abierto) cabecera = archivos().leeBytes(ARCH_ZUN, 1, 4);
  });
  if (abierto) sinErrores([&] { archivos().cierra(ARCH_ZUN); });

  if ((cabecera.toUpper() != "%PDF" || urldocumento.isEmpty()) && !pdfpedido) {
    sinErrores([&] { Text1->setText(noDisponible()); });
    return;
  }

  if (plataforma::visorPdf()) {
    sinErrores([&] { WebBrowser1->setVisible(true); });
    sinErrores([&] { Text1->setVisible(false); });
    sinErrores([&] { WebBrowser1->Navigate(urldocumento); });
  } else {
    sinErrores([&] {
      Text1->setText(QStringList{
          QString(), QStringLiteral("OPCIÓN NO DISPONIBLE"), QString(),
          QStringLiteral("Su ordenador no tiene instalado Adobe Reader para la lectura de archivos PDF."),
          QStringLiteral("Si quiere instalarlo y disfrutar de esta opción, vaya a la web ") + PAGINA_LECTOR,
          QStringLiteral("(O haga click AQUÍ para instalarlo)"), QString(),
          QStringLiteral("Es totalmente gratuito. Una vez instalado, ejecútelo y acepte el contrato de "
                         "licencia. Después ya podrá utilizar Bolvanta con esta opción activada.")}
                         .join(QStringLiteral("\r\n")));
    });
    avisolector = 1;
  }
}

void Principal::Text1_Click() {
  if (avisolector == 1) plataforma::abreDireccion(PAGINA_LECTOR);
}

void Principal::WebBrowser1_NavigateError(const QString& URL, int StatusCode) {
  Q_UNUSED(URL);
  WebBrowser1->setVisible(false);
  Text1->setVisible(true);
  // The operator's site answered, with an error or with a page instead of the document (the one
  // saying it is not ready yet): the connection is there, the document is not.
  const bool contesto = StatusCode == plataforma::NavegadorWeb::NO_ES_DOCUMENTO || (StatusCode >= 400 && StatusCode < 600);
  Text1->setText(contesto ? noDisponible() : QStringLiteral("No se encuentra conexión a internet.... :("));
}
