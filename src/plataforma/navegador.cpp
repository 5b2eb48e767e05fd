#include "navegador.h"

#include <QBuffer>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPdfView>
#include <QStackedLayout>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "msgbox.h"
#include "red.h"
#include "texto.h"

namespace plataforma {

namespace {

// A local page may be large, but not without end: it is read whole into memory.
constexpr qint64 MAXIMO_LOCAL = 16 << 20;

// Pages come from the program's folder or from a host the program trusts only so far: what they
// refer to is loaded only from local files, never from the network, and nothing in them runs.
class PaginaLocal : public QTextBrowser {
 public:
  explicit PaginaLocal(QWidget* padre) : QTextBrowser(padre) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [](const QUrl& enlace) {
      // A link the user clicks goes to the user's own browser, as a click in a page would.
      const QString esquema = enlace.scheme().toLower();
      if (esquema == QLatin1String("http") || esquema == QLatin1String("https"))
        abreDireccion(enlace.toString());
    });
  }

  QVariant loadResource(int, const QUrl& nombre) override {
    QUrl url = nombre;
    if (url.isRelative()) url = document()->baseUrl().resolved(url);
    if (!url.isLocalFile()) return {};
    QFile archivo(url.toLocalFile());
    if (!archivo.open(QIODevice::ReadOnly) || archivo.size() > MAXIMO_LOCAL) return {};
    return archivo.readAll();
  }
};

bool pareceUrl(const QString& direccion, const char* esquema) {
  return direccion.startsWith(QLatin1String(esquema) + QLatin1String("://"), Qt::CaseInsensitive);
}

// PDF readers accept the header anywhere in the first kilobyte.
bool esPdf(const QByteArray& bytes) { return bytes.left(1024).contains("%PDF"); }

// A page may be written in Windows-1252, as the program's news file is, or in UTF-8.
// Text that is valid UTF-8 is read as such, anything else as Windows-1252.
QString textoDePagina(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString texto = utf8.decode(bytes);
  if (utf8.hasError()) return deAnsi(bytes);
  return texto;
}

}  // namespace

NavegadorWeb::NavegadorWeb(QWidget* padre) : QWidget(padre) {
  capas_ = new QStackedLayout(this);
  capas_->setContentsMargins(0, 0, 0, 0);
  pagina_ = new PaginaLocal(this);
  pagina_->setReadOnly(true);
  documento_ = new QPdfDocument(this);
  capas_->addWidget(pagina_);
  capas_->setCurrentWidget(pagina_);
}

NavegadorWeb::~NavegadorWeb() {
  detiene();
  if (visor_) visor_->setDocument(nullptr);
  documento_->close();
}

// The viewer is made when the first document arrives: most browsers of the program only ever show
// pages, and the viewer costs its own rendering machinery.
QPdfView* NavegadorWeb::visor() {
  if (!visor_) {
    visor_ = new QPdfView(this);
    visor_->setDocument(documento_);
    visor_->setPageMode(QPdfView::PageMode::MultiPage);
    visor_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    capas_->addWidget(visor_);
  }
  return visor_;
}

void NavegadorWeb::Navigate(const QString& direccion) {
  detiene();
  direccion_ = direccion;
  if (pareceUrl(direccion, "http") || pareceUrl(direccion, "https")) {
    auto* t = new Transferencia(direccion, this);
    transferencia_ = t;
    connect(t, &Transferencia::acabada, this, &NavegadorWeb::recibido);
    t->inicia();
    return;
  }
  QString ruta = direccion;
  if (pareceUrl(direccion, "file")) ruta = QUrl(direccion).toLocalFile();
  muestraLocal(direccion, ruta);
}

void NavegadorWeb::muestraLocal(const QString& direccion, const QString& ruta) {
  QFile archivo(ruta);
  if (ruta.isEmpty() || !archivo.open(QIODevice::ReadOnly) || archivo.size() > MAXIMO_LOCAL) {
    falla(direccion, 404);
    return;
  }
  const QByteArray bytes = archivo.readAll();
  if (esPdf(bytes)) {
    cargaPdf(bytes, direccion);
    return;
  }
  muestraHtml(bytes, ruta);
  Q_EMIT DocumentComplete(direccion);
}

void NavegadorWeb::muestraHtml(const QByteArray& bytes, const QString& ruta) {
  const QUrl base = QUrl::fromLocalFile(QFileInfo(ruta).absolutePath() + QLatin1Char('/'));
  pagina_->document()->setBaseUrl(base);
  pagina_->setHtml(textoDePagina(bytes));
  pagina_->document()->setBaseUrl(base);
  capas_->setCurrentWidget(pagina_);
}

void NavegadorWeb::cargaPdf(const QByteArray& bytes, const QString& direccion) {
  documento_->close();
  delete datosPdf_;
  datosPdf_ = new QBuffer(this);
  datosPdf_->setData(bytes);
  datosPdf_->open(QIODevice::ReadOnly);
  documento_->load(datosPdf_);
  auto listo = [this, direccion] {
    if (direccion_ != direccion) return true;  // another navigation took over
    switch (documento_->status()) {
      case QPdfDocument::Status::Ready:
        if (documento_->pageCount() > 0) {
          capas_->setCurrentWidget(visor());
          Q_EMIT DocumentComplete(direccion);
        } else {
          falla(direccion, NO_ES_DOCUMENTO);
        }
        return true;
      case QPdfDocument::Status::Error:
        falla(direccion, NO_ES_DOCUMENTO);
        return true;
      default:
        return false;
    }
  };
  if (listo()) return;
  auto* espera = new QObject(this);
  connect(documento_, &QPdfDocument::statusChanged, espera, [listo, espera] {
    if (listo()) espera->deleteLater();
  });
}

void NavegadorWeb::recibido() {
  Transferencia* t = transferencia_;
  if (!t) return;
  transferencia_ = nullptr;
  t->deleteLater();
  const QString direccion = t->direccion();
  if (t->error() != 0) {
    falla(direccion, t->error());
  } else if (t->estadoHttp() < 200 || t->estadoHttp() > 299) {
    falla(direccion, t->estadoHttp());
  } else if (!esPdf(t->cuerpo())) {
    // A page of a remote host is not shown: only documents are, by the PDF engine.
    falla(direccion, NO_ES_DOCUMENTO);
  } else {
    cargaPdf(t->cuerpo(), direccion);
  }
}

void NavegadorWeb::falla(const QString& direccion, int codigo) {
  pagina_->clear();
  capas_->setCurrentWidget(pagina_);
  documento_->close();
  Q_EMIT NavigateError(direccion, codigo);
}

void NavegadorWeb::detiene() {
  if (Transferencia* t = transferencia_) {
    transferencia_ = nullptr;
    disconnect(t, nullptr, this, nullptr);
    delete t;
  }
}

bool NavegadorWeb::muestraPdf() const {
  return visor_ && capas_->currentWidget() == visor_ &&
         documento_->status() == QPdfDocument::Status::Ready;
}

QString NavegadorWeb::textoMostrado() const {
  return capas_->currentWidget() == pagina_ ? pagina_->toPlainText() : QString();
}

int NavegadorWeb::paginasPdf() const { return muestraPdf() ? documento_->pageCount() : 0; }

// ---------------------------------------------------------------------------------------------

QByteArray documentoPdfMinimo() {
  const char* const objetos[] = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] /Resources << >> >>",
  };
  QByteArray pdf("%PDF-1.4\n");
  QList<qint64> posiciones;
  int n = 1;
  for (const char* o : objetos) {
    posiciones << pdf.size();
    pdf += QByteArray::number(n++) + " 0 obj\n" + o + "\nendobj\n";
  }
  const qint64 xref = pdf.size();
  pdf += "xref\n0 " + QByteArray::number(n) + "\n0000000000 65535 f \n";
  for (qint64 p : posiciones) pdf += QByteArray::number(p).rightJustified(10, '0') + " 00000 n \n";
  pdf += "trailer\n<< /Size " + QByteArray::number(n) + " /Root 1 0 R >>\nstartxref\n" +
         QByteArray::number(xref) + "\n%%EOF\n";
  return pdf;
}

namespace {
int visorForzado = -1;
int visorHallado = -1;

bool motorAbrePdf() {
  QPdfDocument documento;
  QBuffer datos;
  datos.setData(documentoPdfMinimo());
  datos.open(QIODevice::ReadOnly);
  documento.load(&datos);
  if (documento.status() == QPdfDocument::Status::Loading) {
    QEventLoop bucle;
    QTimer::singleShot(2000, &bucle, &QEventLoop::quit);
    QObject::connect(&documento, &QPdfDocument::statusChanged, &bucle, [&] {
      if (documento.status() != QPdfDocument::Status::Loading) bucle.quit();
    });
    bucle.exec(QEventLoop::ExcludeUserInputEvents);
  }
  const bool abre = documento.status() == QPdfDocument::Status::Ready && documento.pageCount() == 1;
  documento.close();
  return abre;
}
}  // namespace

bool visorPdf() {
  if (visorForzado >= 0) return visorForzado == 1;
  if (visorHallado < 0) visorHallado = motorAbrePdf() ? 1 : 0;
  return visorHallado == 1;
}

void fijaVisorPdf(int forzado) {
  visorForzado = forzado == 1 ? 1 : forzado == 0 ? 0 : -1;
  if (forzado < 0) visorHallado = -1;
}

// ---------------------------------------------------------------------------------------------

namespace {
struct Abridor {
  std::function<void(const QString&)> registra;
  bool abre = true;
};
Abridor& abridor() {
  static Abridor a;
  return a;
}

bool esWeb(const QString& esquema) {
  return esquema == QLatin1String("http") || esquema == QLatin1String("https");
}

// The user's own handler: a browser for a web address, the mail program for mailto, the program
// the system names for a local file.
bool abreConSistema(const QString& direccion) {
  const QUrl url(direccion.trimmed(), QUrl::TolerantMode);
  const QString esquema = url.scheme().toLower();
  if (esWeb(esquema) || esquema == QLatin1String("mailto")) return QDesktopServices::openUrl(url);
  const QFileInfo archivo(direccion);
  return archivo.exists() && QDesktopServices::openUrl(QUrl::fromLocalFile(archivo.absoluteFilePath()));
}
}  // namespace

bool abreDireccion(const QString& direccion) {
  const Abridor& a = abridor();
  bool abierta = a.abre;
  if (a.registra)
    a.registra(direccion);
  else
    abierta = abreConSistema(direccion);
  if (abierta) return true;
  // Without a browser the system only writes a line for nobody to read; the user, who clicked
  // and saw nothing happen, is told why.
  const QString esquema = QUrl(direccion.trimmed(), QUrl::TolerantMode).scheme().toLower();
  const QString porque = esWeb(esquema)
                             ? QString::fromUtf8("no se encuentra ningún navegador instalado en el sistema.")
                             : QString::fromUtf8("no se encuentra ningún programa del sistema que la abra.");
  MsgBox(QString::fromUtf8("No se ha podido abrir la dirección «%1»: ").arg(direccion.trimmed()) + porque,
         vbExclamation, QString::fromUtf8("¡Vaya hombre!"));
  return false;
}

void fijaAbridor(std::function<void(const QString&)> f, bool abre) {
  const bool registra = static_cast<bool>(f);
  abridor() = Abridor{std::move(f), !registra || abre};
}

}  // namespace plataforma
