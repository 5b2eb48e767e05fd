#include "impresora.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>

#include "plataforma/error.h"
#include "plataforma/msgbox.h"

namespace plataforma {

namespace {

constexpr double MM_POR_PUNTO = 25.4 / 72.0;
constexpr double MM_POR_PIXEL = 25.4 / 96.0;  // pictures at their own size
const QSizeF A4(210.0, 297.0);

[[noreturn]] void fallo(const QString& motivo) { throw Error(ERR_IMPRESORA, motivo); }

QFont fuenteDe(const QString& nombre, double puntos, bool negrita) {
  QFont f(nombre);
  f.setPointSizeF(puntos > 0 ? puntos : 1);
  f.setBold(negrita);
  return f;
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

// Renders the job on a printer that writes a PDF file: into a temporary file beside it, renamed over
// the file once complete, so that a failure leaves the old file or none, never half of one.
void aPdf(QPrinter& impresora, const QString& archivo, const Trabajo& trabajo) {
  const QFileInfo destino(archivo);
  QTemporaryFile temporal(destino.absolutePath() + QStringLiteral("/.imprimiendo-XXXXXX.pdf"));
  if (!temporal.open()) fallo(QStringLiteral("no se puede escribir en la carpeta del documento"));
  temporal.close();
  impresora.setOutputFormat(QPrinter::PdfFormat);
  impresora.setOutputFileName(temporal.fileName());
  {
    QPainter pintor;
    if (!pintor.begin(&impresora)) {
      impresora.setOutputFileName(archivo);
      fallo(QStringLiteral("no se puede crear el documento"));
    }
    dibuja(pintor, impresora, trabajo);
    if (!pintor.end()) {
      impresora.setOutputFileName(archivo);
      fallo(QStringLiteral("no se puede terminar el documento"));
    }
  }
  impresora.setOutputFileName(archivo);
  if (std::rename(QFile::encodeName(temporal.fileName()).constData(),
                  QFile::encodeName(destino.absoluteFilePath()).constData()) != 0)
    fallo(QStringLiteral("no se puede escribir el documento"));
  temporal.setAutoRemove(false);
}

std::function<std::shared_ptr<Destino>()>& guion() {
  static std::function<std::shared_ptr<Destino>()> g;
  return g;
}

std::unique_ptr<Impresora>& unica() {
  static std::unique_ptr<Impresora> i;
  if (!i) i = std::make_unique<Impresora>();
  return i;
}

std::shared_ptr<DestinoSistema>& sistema() {
  static std::shared_ptr<DestinoSistema> s;
  if (!s) {
    s = std::make_shared<DestinoSistema>();
    // The system printer goes while the application still stands, not among the static objects.
    if (QCoreApplication* app = QCoreApplication::instance())
      QObject::connect(app, &QCoreApplication::aboutToQuit, [] {
        unica().reset();
        sistema().reset();
      });
  }
  return s;
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

DestinoSistema::DestinoSistema() : impresora_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}
DestinoSistema::~DestinoSistema() = default;

QSizeF DestinoSistema::pagina() const {
  const QSizeF s = impresora_->pageRect(QPrinter::Millimeter).size();
  return s.isEmpty() ? A4 : s;
}

void DestinoSistema::envia(const Trabajo& trabajo) {
  QPrinter& p = *impresora_;
  if (p.outputFormat() == QPrinter::PdfFormat && !p.outputFileName().isEmpty()) {
    aPdf(p, p.outputFileName(), trabajo);
    return;
  }
  // The spooler takes the job only when the painter ends; a printer that cannot start it gets none.
  QPainter pintor;
  if (!pintor.begin(&p)) fallo(QStringLiteral("la impresora no acepta el trabajo"));
  dibuja(pintor, p, trabajo);
  if (!pintor.end()) fallo(QStringLiteral("la impresora no acepta el trabajo"));
}

QSizeF DestinoPdf::pagina() const { return A4; }

void DestinoPdf::envia(const Trabajo& trabajo) {
  QPrinter p(QPrinter::HighResolution);
  p.setOutputFormat(QPrinter::PdfFormat);
  p.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                              QPageLayout::Millimeter));
  p.setCreator(QStringLiteral("Bolvanta"));
  aPdf(p, archivo_, trabajo);
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

void Impresora::Print(const QString& texto) {
  abre();
  const double alto = TextHeight();
  if (CurrentY > 0 && CurrentY + alto > destino().pagina().height()) NewPage();
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
  KillDoc();
  for (const Trazo& z : t.trazos) t.paginas = std::max(t.paginas, z.pagina);
  if (!t.trazos.empty()) destino().envia(t);
}

void Impresora::KillDoc() {
  abierto_ = false;
  pagina_ = 1;
  trabajo_ = Trabajo();
  CurrentX = 0;
  CurrentY = 0;
}

void Impresora::fijaDestino(std::shared_ptr<Destino> destino) {
  destino_ = std::move(destino);
}

Destino& Impresora::destino() {
  // The system printer is looked for only when something is to reach it.
  if (!destino_) destino_ = sistema();
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
  std::shared_ptr<DestinoSistema> s = sistema();
  QPrintDialog dialogo(&s->impresora(), padre);
  dialogo.setWindowTitle(QStringLiteral("Imprimir"));
  // No choice of printing a selection: the program always prints the whole of what it prints.
  dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialogo.setOption(QAbstractPrintDialog::PrintToFile, true);
  if (dialogo.exec() != QDialog::Accepted) throw Error(ERR_CANCELADO, QStringLiteral("Se ha cancelado"));
  Printer().fijaDestino(s);
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
