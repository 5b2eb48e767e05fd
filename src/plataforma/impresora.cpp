#include "impresora.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QBuffer>
#include <algorithm>
#include <dlfcn.h>

#include "plataforma/error.h"
#include "plataforma/msgbox.h"
#include "plataforma/reemplazo.h"

namespace plataforma {

namespace {

constexpr double MM_POR_PUNTO = 25.4 / 72.0;
constexpr double MM_POR_PIXEL = 25.4 / 96.0;  // pictures at their own size
const QSizeF A4(210.0, 297.0);
constexpr int PPP_PDF = 1200;  // dots per inch of the PDF files written

[[noreturn]] void fallo(const QString& motivo) { throw Error(ERR_IMPRESORA, motivo); }

QFont fuenteDe(const QString& nombre, double puntos, bool negrita) {
  QFont f(nombre);
  f.setPointSizeF(puntos > 0 ? puntos : 1);
  f.setBold(negrita);
  return f;
}

// The width in mm of a text drawn in `f` on a device of `ppp` dots per inch: the font the painter
// gets there, not the points asked for.
double anchoDibujado(const QFont& f, const QString& texto, int ppp) {
  QImage dispositivo(1, 1, QImage::Format_Mono);
  dispositivo.setDotsPerMeterX(qRound(ppp / 0.0254));
  dispositivo.setDotsPerMeterY(qRound(ppp / 0.0254));
  return QFontMetricsF(f, &dispositivo).horizontalAdvance(texto) * 25.4 / ppp;
}

// Draws the job page by page on a device whose origin is the top-left corner of what the program
// calls the page.
void dibuja(QPainter& pintor, QPagedPaintDevice& hoja, const Trabajo& trabajo) {
  const double kx = hoja.logicalDpiX() / 25.4;
  const double ky = hoja.logicalDpiY() / 25.4;
  QPen pluma(Qt::black);
  pluma.setWidthF(0.2 * kx);  // a fine line, as printers draw a line of width 1
  pintor.setPen(pluma);
  int pagina = 1;
  for (const Trazo& t : trabajo.trazos) {
    for (; pagina < t.pagina; ++pagina) hoja.newPage();
    const QPointF punto(t.x * kx, t.y * ky);
    switch (t.tipo) {
      case Trazo::Texto: {
        const QFont f = fuenteDe(t.fuente, t.tamano, t.negrita);
        pintor.setFont(f);
        pintor.drawText(punto + QPointF(0, QFontMetricsF(f, &hoja).ascent()), t.texto);
        break;
      }
      case Trazo::Linea:
        pintor.drawLine(punto, QPointF((t.x + t.ancho) * kx, (t.y + t.alto) * ky));
        break;
      case Trazo::Caja:
        pintor.setBrush(Qt::NoBrush);
        pintor.drawRect(QRectF(punto, QSizeF(t.ancho * kx, t.alto * ky)));
        break;
      case Trazo::CajaLlena:
        pintor.fillRect(QRectF(punto, QSizeF(t.ancho * kx, t.alto * ky)), Qt::black);
        break;
      case Trazo::Imagen:
        pintor.drawImage(QRectF(punto, QSizeF(t.ancho * kx, t.alto * ky)), t.imagen);
        break;
    }
  }
}

// What CUPS publishes about a queue, read through the library the print support already loads; none
// when the print system does not know the queue or does not answer.
struct OpcionCups {
  char* nombre;
  char* valor;
};
struct DestinoCups {
  char* nombre;
  char* instancia;
  int predeterminado;
  int numOpciones;
  OpcionCups* opciones;
};

// The state message of a queue, asked of CUPS by its address; empty when it has none.
QString mensajeCups(void* biblioteca, const QString& direccion) {
  using Nueva = void* (*)(int);
  using Agrega = void* (*)(void*, int, int, const char*, const char*, const char*);
  using Pide = void* (*)(void*, void*, const char*);
  using BuscaAtributo = void* (*)(void*, const char*, int);
  using Texto = const char* (*)(void*, int, const char**);
  using Borra = void (*)(void*);
  constexpr int ATRIBUTOS_IMPRESORA = 0x000B, GRUPO_OPERACION = 0x01, ETIQUETA_URI = 0x45, CUALQUIERA = 0;
  auto nueva = reinterpret_cast<Nueva>(::dlsym(biblioteca, "ippNewRequest"));
  auto agrega = reinterpret_cast<Agrega>(::dlsym(biblioteca, "ippAddString"));
  auto pide = reinterpret_cast<Pide>(::dlsym(biblioteca, "cupsDoRequest"));
  auto buscaAtributo = reinterpret_cast<BuscaAtributo>(::dlsym(biblioteca, "ippFindAttribute"));
  auto texto = reinterpret_cast<Texto>(::dlsym(biblioteca, "ippGetString"));
  auto borra = reinterpret_cast<Borra>(::dlsym(biblioteca, "ippDelete"));
  if (direccion.isEmpty() || !nueva || !agrega || !pide || !buscaAtributo || !texto || !borra) return QString();
  void* pregunta = nueva(ATRIBUTOS_IMPRESORA);
  if (!pregunta) return QString();
  agrega(pregunta, GRUPO_OPERACION, ETIQUETA_URI, "printer-uri", nullptr, direccion.toUtf8().constData());
  void* respuesta = pide(nullptr, pregunta, "/");  // takes the question
  if (!respuesta) return QString();
  QString r;
  if (void* a = buscaAtributo(respuesta, "printer-state-message", CUALQUIERA))
    if (const char* t = texto(a, 0, nullptr)) r = QString::fromUtf8(t);
  borra(respuesta);
  return r;
}

std::optional<QHash<QString, QString>> atributosCups(const QString& impresora, bool& hayCups) {
  using Busca = DestinoCups* (*)(void*, const char*, const char*);
  using Libera = void (*)(int, DestinoCups*);
  static void* biblioteca = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
  hayCups = biblioteca != nullptr;
  if (!biblioteca) return std::nullopt;
  static auto busca = reinterpret_cast<Busca>(::dlsym(biblioteca, "cupsGetNamedDest"));
  static auto libera = reinterpret_cast<Libera>(::dlsym(biblioteca, "cupsFreeDests"));
  if (!busca || !libera) {
    hayCups = false;
    return std::nullopt;
  }
  DestinoCups* d = busca(nullptr, impresora.toLocal8Bit().constData(), nullptr);
  if (!d) return std::nullopt;
  QHash<QString, QString> r;
  for (int i = 0; i < d->numOpciones; ++i)
    r.insert(QString::fromUtf8(d->opciones[i].nombre), QString::fromUtf8(d->opciones[i].valor));
  libera(1, d);
  // A queue that refuses jobs says why in its state message, which the list of queues leaves out.
  if (r.value(QStringLiteral("printer-is-accepting-jobs")) == QLatin1String("false"))
    r.insert(QStringLiteral("printer-state-message"),
             mensajeCups(biblioteca, r.value(QStringLiteral("printer-uri-supported"))));
  return r;
}

std::function<QString(const QString&)>& consultaCola() {
  static std::function<QString(const QString&)> c;
  return c;
}

DialogoImpresora& dialogoImpresora() {
  static DialogoImpresora d;
  return d;
}

// Draws a job on whatever it is printed on; a printer that cannot start or end the job fails it.
std::function<void(QPagedPaintDevice&)> pintaTrabajo(const Trabajo& trabajo) {
  return [&trabajo](QPagedPaintDevice& hoja) {
    QPainter pintor;
    if (!pintor.begin(&hoja)) fallo(QStringLiteral("la impresora no acepta el trabajo"));
    dibuja(pintor, hoja, trabajo);
    if (!pintor.end()) fallo(QStringLiteral("la impresora no acepta el trabajo"));
  };
}

QString nombreDe(const Trabajo& t) { return t.nombre.isEmpty() ? QStringLiteral("Bolvanta") : t.nombre; }

// A new printer for the chosen queue and paper, with the page the print support gives it.
std::unique_ptr<QPrinter> impresoraDeCola(const Eleccion& e) {
  const QPrinterInfo info = QPrinterInfo::printerInfo(e.impresora);
  if (info.isNull()) return nullptr;
  auto p = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  if (e.hoja.isValid()) {
    p->setPageSize(e.hoja.pageSize());
    p->setPageOrientation(e.hoja.orientation());
  }
  return p;
}

std::function<std::shared_ptr<Destino>()>& guion() {
  static std::function<std::shared_ptr<Destino>()> g;
  return g;
}

std::unique_ptr<Impresora>& unica() {
  static std::unique_ptr<Impresora> i;
  if (!i) {
    i = std::make_unique<Impresora>();
    // The printer goes while the application still stands, not among the static objects.
    if (QCoreApplication* app = QCoreApplication::instance())
      QObject::connect(app, &QCoreApplication::aboutToQuit, [] { unica().reset(); });
  }
  return i;
}

}  // namespace

std::vector<const Trazo*> Trabajo::textos(int pagina) const {
  std::vector<const Trazo*> r;
  for (const Trazo& t : trazos)
    if (t.tipo == Trazo::Texto && (pagina == 0 || t.pagina == pagina)) r.push_back(&t);
  return r;
}

Destino::~Destino() = default;
QSizeF Destino::pagina() const { return A4; }
int Destino::resolucion() const { return PPP_PDF; }

Eleccion Eleccion::de(const QPrinter& p, const std::optional<QMarginsF>& antes) {
  Eleccion e;
  e.hoja = p.pageLayout();
  if (p.outputFormat() == QPrinter::PdfFormat) {
    e.archivo = p.outputFileName();
  } else {
    e.impresora = p.printerName();
    if (const auto propia = impresoraDeCola(e)) e.margenesPropias = margenesDelUsuario(e.hoja, propia->pageLayout(), antes);
  }
  e.copias = p.copyCount();
  e.intercaladas = p.collateCopies();
  e.doble = p.duplex();
  e.color = p.colorMode();
  return e;
}

Eleccion Eleccion::predeterminada() {
  Eleccion e;
  e.impresora = QPrinterInfo::defaultPrinterName();
  return e;
}

DestinoSistema::DestinoSistema(const Eleccion& eleccion)
    : eleccion_(eleccion), pagina_(A4), resolucion_(PPP_PDF) {
  if (!eleccion_.archivo.isEmpty()) {
    if (eleccion_.hoja.isValid()) pagina_ = eleccion_.hoja.paintRect(QPageLayout::Millimeter).size();
  } else if (const auto p = impresoraPara(eleccion_)) {
    pagina_ = p->pageRect(QPrinter::Millimeter).size();
    if (p->logicalDpiY() > 0) resolucion_ = p->logicalDpiY();
  }
  if (pagina_.isEmpty()) pagina_ = A4;
}

DestinoSistema::~DestinoSistema() = default;

QSizeF DestinoSistema::pagina() const { return pagina_; }

void DestinoSistema::envia(const Trabajo& trabajo) { imprime(eleccion_, nombreDe(trabajo), pintaTrabajo(trabajo)); }

void imprime(const Eleccion& eleccion, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& pinta) {
  if (!eleccion.archivo.isEmpty()) {
    const QPageLayout hoja = eleccion.hoja.isValid()
                                 ? eleccion.hoja
                                 : QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    escribePdf(eleccion.archivo, hoja, titulo, pinta);
    return;
  }
  // A queue that will not take the job is told before anything is sent: the spooler would drop it
  // without a word.
  const QString rechazo = rechazoCola(eleccion.impresora);
  if (!rechazo.isEmpty()) fallo(rechazo);
  const auto p = impresoraPara(eleccion);
  if (!p) fallo(QStringLiteral("la impresora «%1» no está disponible").arg(eleccion.impresora));
  p->setDocName(titulo);
  p->setCreator(QStringLiteral("Bolvanta"));
  pinta(*p);
  if (p->printerState() == QPrinter::Error) fallo(QStringLiteral("la impresora no acepta el trabajo"));
}

bool margenesDelUsuario(const QPageLayout& hoja, const QPageLayout& propia, const std::optional<QMarginsF>& antes) {
  QPageLayout cola = propia;
  cola.setUnits(QPageLayout::Millimeter);
  const auto igual = [m = hoja.margins(QPageLayout::Millimeter)](const QMarginsF& o) {
    return std::abs(m.left() - o.left()) < 0.05 && std::abs(m.top() - o.top()) < 0.05 &&
           std::abs(m.right() - o.right()) < 0.05 && std::abs(m.bottom() - o.bottom()) < 0.05;
  };
  if (igual(cola.margins()) || igual(cola.minimumMargins())) return false;
  if (antes) {
    // A dialog that goes from one queue to another keeps what it had, raised to the new queue's corner.
    const QMarginsF a = *antes, lo = cola.minimumMargins(), hi = cola.maximumMargins();
    if (igual(QMarginsF(std::clamp(a.left(), lo.left(), hi.left()), std::clamp(a.top(), lo.top(), hi.top()),
                        std::clamp(a.right(), lo.right(), hi.right()), std::clamp(a.bottom(), lo.bottom(), hi.bottom()))))
      return false;
  }
  return true;
}

QPageLayout hojaDeCola(QPageLayout propia, const Eleccion& e) {
  // In millimetres: margins in points are whole points, and would move a position by a fraction.
  propia.setUnits(QPageLayout::Millimeter);
  const QMarginsF lo = propia.minimumMargins(), hi = propia.maximumMargins();
  QMarginsF m = lo;
  if (e.margenesPropias && e.hoja.isValid()) {
    const QMarginsF u = e.hoja.margins(propia.units());
    m = QMarginsF(std::clamp(u.left(), lo.left(), hi.left()), std::clamp(u.top(), lo.top(), hi.top()),
                  std::clamp(u.right(), lo.right(), hi.right()), std::clamp(u.bottom(), lo.bottom(), hi.bottom()));
  }
  propia.setMargins(m);
  return propia;
}

std::unique_ptr<QPrinter> impresoraPara(const Eleccion& e) {
  auto p = impresoraDeCola(e);
  if (!p) return nullptr;
  // Not the margins the print support gives every printer, which would move every position by
  // an amount of its own.
  p->setPageLayout(hojaDeCola(p->pageLayout(), e));
  p->setCopyCount(std::max(e.copias, 1));
  p->setCollateCopies(e.intercaladas);
  p->setDuplex(QPrinter::DuplexMode(e.doble));
  p->setColorMode(QPrinter::ColorMode(e.color));
  return p;
}

QString rechazoCola(const QString& impresora, const std::optional<QHash<QString, QString>>& atributos) {
  if (impresora.isEmpty()) return QStringLiteral("no hay ninguna impresora elegida");
  if (!atributos)
    return QStringLiteral("la impresora «%1» no está disponible en el sistema de impresión").arg(impresora);
  const QString acepta = atributos->value(QStringLiteral("printer-is-accepting-jobs")).trimmed().toLower();
  if (acepta == QLatin1String("false") || acepta == QLatin1String("0") || acepta == QLatin1String("no")) {
    QString r = QStringLiteral("la impresora «%1» no acepta trabajos").arg(impresora);
    const QString porque = atributos->value(QStringLiteral("printer-state-message")).trimmed();
    if (!porque.isEmpty()) r += QStringLiteral(" (") + porque + QLatin1Char(')');
    return r;
  }
  return QString();
}

QString rechazoCola(const QString& impresora) {
  if (consultaCola()) return consultaCola()(impresora);
  bool hayCups = false;
  const auto atributos = impresora.isEmpty() ? std::nullopt : atributosCups(impresora, hayCups);
  // Without CUPS the print support knows the queues, and no more.
  if (!hayCups && !impresora.isEmpty() && !QPrinterInfo::printerInfo(impresora).isNull()) return QString();
  return rechazoCola(impresora, atributos);
}

void fijaConsultaCola(std::function<QString(const QString&)> consulta) { consultaCola() = std::move(consulta); }

void escribePdf(const QString& archivo, const QPageLayout& hoja, const QString& titulo,
                const std::function<void(QPagedPaintDevice&)>& pinta) {
  QByteArray pdf;
  {
    QBuffer memoria(&pdf);
    memoria.open(QIODevice::WriteOnly);
    QPdfWriter escritor(&memoria);
    escritor.setResolution(PPP_PDF);
    escritor.setPageLayout(hoja);
    escritor.setTitle(titulo);
    escritor.setCreator(QStringLiteral("Bolvanta"));
    pinta(escritor);
  }
  // A document is whole when it ends with its trailer; anything else never reaches the file.
  if (!pdf.right(64).trimmed().endsWith("%%EOF")) fallo(QStringLiteral("el documento no se ha podido componer"));
  try {
    guardaDocumento(archivo, pdf);
  } catch (const Error& e) {
    fallo(e.descripcion());
  }
}

QSizeF DestinoPdf::pagina() const { return A4; }

void DestinoPdf::envia(const Trabajo& trabajo) {
  Eleccion pdf;
  pdf.archivo = archivo_;
  imprime(pdf, nombreDe(trabajo), pintaTrabajo(trabajo));
}

void Grabadora::envia(const Trabajo& trabajo) {
  if (falla) fallo(QStringLiteral("la impresora no responde"));
  trabajos.push_back(trabajo);
}

Impresora::Impresora() = default;
Impresora::~Impresora() = default;

void Impresora::abre() {
  if (abierto_) return;
  abierto_ = true;
  pagina_ = 1;
  trabajo_ = Trabajo();
}

Trazo& Impresora::nuevo(Trazo::Tipo tipo) {
  abre();
  Trazo& t = trabajo_.trazos.emplace_back();
  t.tipo = tipo;
  t.pagina = pagina_;
  return t;
}

double Impresora::TextHeight() const {
  // Line spacing is a property of the face: measured once at a large size, scaled to the points.
  static QHash<QString, double> alturas;
  const QString clave = FontName.toLower() + (FontBold ? QStringLiteral("|n") : QStringLiteral("|"));
  auto it = alturas.find(clave);
  if (it == alturas.end()) {
    QFont f(FontName);
    f.setBold(FontBold);
    f.setPixelSize(1000);
    it = alturas.insert(clave, QFontMetricsF(f).height() / 1000.0);
  }
  return *it * std::max(FontSize, 1.0) * MM_POR_PUNTO;
}

double Impresora::TextWidth(const QString& texto) const {
  // The font, size and resolution the page is drawn with: a text measured to fit is drawn to fit.
  return anchoDibujado(fuenteDe(FontName, FontSize, FontBold), texto, destino().resolucion());
}

void Impresora::Print(const QString& texto) {
  abre();
  const double alto = TextHeight();
  if (CurrentY > 0 && CurrentY + alto > destino().pagina().height()) {
    // The line goes on the next page where it was to stand on this one.
    const double x = CurrentX;
    NewPage();
    CurrentX = x;
  }
  if (!texto.isEmpty()) {
    Trazo& t = nuevo(Trazo::Texto);
    t.x = CurrentX;
    t.y = CurrentY;
    t.texto = texto;
    t.fuente = FontName;
    t.tamano = FontSize;
    t.negrita = FontBold;
  }
  CurrentX = 0;
  CurrentY += alto;
}

void Impresora::PaintPicture(const QImage& imagen, double x, double y, double ancho, double alto) {
  if (imagen.isNull()) return;
  Trazo& t = nuevo(Trazo::Imagen);
  t.x = x;
  t.y = y;
  t.ancho = ancho >= 0 ? ancho : imagen.width() * MM_POR_PIXEL;
  t.alto = alto >= 0 ? alto : imagen.height() * MM_POR_PIXEL;
  t.imagen = imagen;
}

void Impresora::Line(double x1, double y1, double x2, double y2) {
  Trazo& t = nuevo(Trazo::Linea);
  t.x = x1;
  t.y = y1;
  t.ancho = x2 - x1;
  t.alto = y2 - y1;
  CurrentX = x2;
  CurrentY = y2;
}

void Impresora::Box(double x, double y, double ancho, double alto, bool relleno) {
  Trazo& t = nuevo(relleno ? Trazo::CajaLlena : Trazo::Caja);
  t.x = x;
  t.y = y;
  t.ancho = ancho;
  t.alto = alto;
}

void Impresora::NewPage() {
  abre();
  ++pagina_;
  CurrentX = 0;
  CurrentY = 0;
}

void Impresora::EndDoc() {
  if (!abierto_) return;
  Trabajo t = std::move(trabajo_);
  t.nombre = Titulo;
  KillDoc();
  for (const Trazo& z : t.trazos) t.paginas = std::max(t.paginas, z.pagina);
  if (!t.trazos.empty()) destino().envia(t);
}

void Impresora::KillDoc() {
  abierto_ = false;
  Titulo.clear();
  pagina_ = 1;
  trabajo_ = Trabajo();
  CurrentX = 0;
  CurrentY = 0;
}

void Impresora::fijaDestino(std::shared_ptr<Destino> destino) {
  destino_ = std::move(destino);
}

Destino& Impresora::destino() const {
  // The system printer is looked for only when something is to reach it.
  if (!destino_) destino_ = std::make_shared<DestinoSistema>(Eleccion::predeterminada());
  return *destino_;
}

Impresora& Printer() { return *unica(); }

bool terminaDocumento() {
  try {
    Printer().EndDoc();
    return true;
  } catch (const Error& e) {
    MsgBox(QStringLiteral("No se ha podido imprimir: ") + e.descripcion() + QStringLiteral("."),
           vbExclamation, QStringLiteral("Error de impresora"));
    return false;
  }
}

void reiniciaImpresora() { unica() = std::make_unique<Impresora>(); }

void ShowPrinter(QWidget* padre) {
  if (guion()) {
    std::shared_ptr<Destino> d = guion()();
    if (!d) throw Error(ERR_CANCELADO, QStringLiteral("Se ha cancelado"));
    Printer().fijaDestino(std::move(d));
    return;
  }
  // A fresh printer for every dialog: what the dialog shows and what the job gets come from the
  // printer the user picks now, never from an earlier job.
  QPrinter impresora(QPrinter::HighResolution);
  const QMarginsF antes = impresora.pageLayout().margins(QPageLayout::Millimeter);
  bool aceptado = false;
  if (dialogoImpresora()) {
    aceptado = dialogoImpresora()(impresora, padre);
  } else {
    const FuenteEnPuntos fuente;
    QPrintDialog dialogo(&impresora, padre);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    // No choice of printing a selection: the program always prints the whole of what it prints.
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo.setOption(QAbstractPrintDialog::PrintToFile, true);
    aceptado = dialogo.exec() == QDialog::Accepted;
  }
  if (!aceptado) throw Error(ERR_CANCELADO, QStringLiteral("Se ha cancelado"));
  Printer().fijaDestino(std::make_shared<DestinoSistema>(Eleccion::de(impresora, antes)));
}

void fijaDialogoImpresora(DialogoImpresora dialogo) { dialogoImpresora() = std::move(dialogo); }

FuenteEnPuntos::FuenteEnPuntos() {
  const QFont actual = QGuiApplication::font();
  const QScreen* pantalla = QGuiApplication::primaryScreen();
  if (actual.pixelSize() <= 0 || !pantalla) return;
  QFont enPuntos = actual;
  enPuntos.setPointSizeF(actual.pixelSize() * 72.0 / pantalla->logicalDotsPerInchY());
  anterior_ = actual;
  QApplication::setFont(enPuntos);
}

FuenteEnPuntos::~FuenteEnPuntos() {
  if (anterior_) QApplication::setFont(*anterior_);
}

GuionImpresora::GuionImpresora(std::initializer_list<std::shared_ptr<Destino>> respuestas)
    : respuestas_(respuestas), anterior_(guion()) {
  guion() = [this]() -> std::shared_ptr<Destino> {
    ++mostrados_;
    return siguiente_ < respuestas_.size() ? respuestas_[siguiente_++] : nullptr;
  };
}

GuionImpresora::~GuionImpresora() { guion() = std::move(anterior_); }

}  // namespace plataforma
