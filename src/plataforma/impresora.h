#pragma once
// The printer as the program drives it: a page in millimetres, one font (name, size, bold), a current
// position where the next text line starts (its top-left corner), pictures, lines and boxes, new page,
// end of document and discarding a document.
//
// Everything drawn is kept as a job in memory and reaches the chosen destination whole at EndDoc:
// a job discarded with KillDoc, or a printer that fails when the job is sent, leaves nothing printed
// and no file half-written. Destinations are the system printer chosen in the printer dialog, a PDF
// file, or a recorder that keeps the jobs for tests.
//
// No job leaves anything behind for the next one: each is printed on a printer of its own, made
// from what the user chose in the dialog, so one printer's margins or one failed job never move or
// spoil what prints after it.
#include <QFont>
#include <QHash>
#include <QMarginsF>
#include <QImage>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace plataforma {

// The error the printer dialog raises when the user cancels it (cdlCancel), and the one of a printer
// that could not take the job.
constexpr int ERR_CANCELADO = 32755;
constexpr int ERR_IMPRESORA = 482;

// One thing drawn on a page; positions and sizes in millimetres, pages from 1.
struct Trazo {
  enum Tipo { Texto, Linea, Caja, CajaLlena, Imagen };
  Tipo tipo = Texto;
  int pagina = 1;
  double x = 0, y = 0;          // text and picture: top-left corner; line: start; box: corner
  double ancho = 0, alto = 0;   // line: the end minus the start; box and picture: the size
  QString texto;
  QString fuente;
  double tamano = 0;  // points
  bool negrita = false;
  QImage imagen;
};

struct Trabajo {
  QString nombre;  // the job's name in the print queue and the PDF's title
  std::vector<Trazo> trazos;
  int paginas = 0;
  // The texts of one page, in the order they were printed.
  std::vector<const Trazo*> textos(int pagina = 0) const;  // 0: every page
};

// Where a finished job goes.
class Destino {
 public:
  virtual ~Destino();
  // The page the program draws on, in millimetres from the top-left corner of its printable area.
  virtual QSizeF pagina() const;
  // Dots per inch of what the job is drawn on. A font is drawn there a whole number of dots high,
  // a little off the points asked for, and texts are measured at that size.
  virtual int resolucion() const;
  // Sends the whole job; a failure throws Error (ERR_IMPRESORA) and leaves nothing behind.
  virtual void envia(const Trabajo& trabajo) = 0;
};

// What the user chose in the printer dialog, which every job of that choice starts from.
struct Eleccion {
  QString impresora;  // the print queue
  QString archivo;    // printing to a file: the PDF written
  // A file: the page as the dialog left it. A printer: its paper and orientation, and its margins
  // when the user set them.
  QPageLayout hoja;
  bool margenesPropias = false;  // a printer: the user set the margins in the dialog
  int copias = 1;
  bool intercaladas = true;
  int doble = 0;     // QPrinter::DuplexMode
  int color = 1;     // QPrinter::ColorMode
  // `antes`: the margins the dialog's printer had when the dialog opened, mm.
  static Eleccion de(const QPrinter& impresora, const std::optional<QMarginsF>& antes = std::nullopt);
  // The system's default printer, for a job sent before any dialog.
  static Eleccion predeterminada();
};

// Whether the margins a printer dialog left on `hoja` are the user's own. `propia` is the page a
// printer of the chosen queue has by itself for the same paper; the dialog leaves that, or the
// queue's printable corner, or the margins it opened with (`antes`, mm) brought within the queue's
// limits, when the user set none.
bool margenesDelUsuario(const QPageLayout& hoja, const QPageLayout& propia, const std::optional<QMarginsF>& antes);

// The page a job on a queue is laid out on: `propia` (the queue's own page for the chosen paper)
// from the queue's printable corner, so that a position means the same on every printer; or within
// the margins the user set in the dialog, as far as the queue can print.
QPageLayout hojaDeCola(QPageLayout propia, const Eleccion& eleccion);

// The system printer or file as the printer dialog set it up.
class DestinoSistema : public Destino {
 public:
  explicit DestinoSistema(const Eleccion& eleccion);
  ~DestinoSistema() override;
  const Eleccion& eleccion() const { return eleccion_; }
  QSizeF pagina() const override;
  int resolucion() const override { return resolucion_; }
  void envia(const Trabajo& trabajo) override;

 private:
  Eleccion eleccion_;
  QSizeF pagina_;
  int resolucion_;
};

// A printer made afresh for one job on the chosen queue: the chosen paper, copies, sides and colour,
// the page laid out by hojaDeCola. None when the queue is gone.
std::unique_ptr<QPrinter> impresoraPara(const Eleccion& eleccion);

// Prints what `pinta` draws as the job `titulo` on what the user chose: a PDF written whole over the
// chosen file, or a printer made for the chosen queue once the queue is known to take the job. A
// failure throws Error (ERR_IMPRESORA) with its reason, and a file printed over stays as it was.
void imprime(const Eleccion& eleccion, const QString& titulo, const std::function<void(QPagedPaintDevice&)>& pinta);

// Why the print system would not take a job for the queue `impresora` now; nothing when it would.
// A paused queue takes the job and holds it: that is no refusal.
QString rechazoCola(const QString& impresora);
// The same from what the print system publishes for the queue (its CUPS attributes), none when it
// does not know the queue or does not answer.
QString rechazoCola(const QString& impresora, const std::optional<QHash<QString, QString>>& atributos);
// For tests: stands in for the print system's answer about a queue. Empty to ask the system again.
void fijaConsultaCola(std::function<QString(const QString& impresora)> consulta);

// Lays out a PDF in memory with `pinta` on a page of `hoja` and writes it whole over `archivo`: the
// old file stays as it was unless the new one is complete and on disk. A failure throws Error
// (ERR_IMPRESORA) with its reason.
void escribePdf(const QString& archivo, const QPageLayout& hoja, const QString& titulo,
                const std::function<void(QPagedPaintDevice&)>& pinta);

// A PDF file, A4: written beside its final name first and renamed over it once complete.
class DestinoPdf : public Destino {
 public:
  explicit DestinoPdf(const QString& archivo) : archivo_(archivo) {}
  QSizeF pagina() const override;
  void envia(const Trabajo& trabajo) override;

 private:
  QString archivo_;
};

// Keeps every job it is sent, for tests. With `falla` set it refuses them as a broken printer would.
class Grabadora : public Destino {
 public:
  void envia(const Trabajo& trabajo) override;
  std::vector<Trabajo> trabajos;
  bool falla = false;
};

class Impresora {
 public:
  Impresora();
  ~Impresora();

  // The name the next job goes by in the print queue; each job sets its own.
  QString Titulo;
  // Font and position, as the program sets them before each text.
  QString FontName = QStringLiteral("Arial");
  double FontSize = 10;  // points
  bool FontBold = false;
  double CurrentX = 0;  // mm
  double CurrentY = 0;  // mm

  // Prints one line with its top-left corner at the current position, then moves to the start of
  // the next line. A line that does not fit on the page goes to the top of a new one, at the same
  // distance from the left edge.
  void Print(const QString& texto = QString());
  // A picture at its own size (96 pixels an inch) or at the size given.
  void PaintPicture(const QImage& imagen, double x, double y, double ancho = -1, double alto = -1);
  void Line(double x1, double y1, double x2, double y2);
  // A rectangle by its corner, width and height; outlined or filled with black.
  void Box(double x, double y, double ancho, double alto, bool relleno = false);
  // The height of a text line in the current font, mm.
  double TextHeight() const;
  // The width of a text in the current font as the destination draws it, mm.
  double TextWidth(const QString& texto) const;

  // Starts a page; the position goes to its top-left corner.
  void NewPage();
  // Sends the job to the destination and closes it; nothing happens when nothing was drawn.
  // A destination that fails throws Error (ERR_IMPRESORA); the job is closed all the same.
  void EndDoc();
  // Drops the job: nothing of it is printed.
  void KillDoc();
  bool abierto() const { return abierto_; }
  int Page() const { return pagina_; }
  const Trabajo& trabajo() const { return trabajo_; }

  // The destination of the next jobs; the system printer until a dialog or a test chooses another.
  void fijaDestino(std::shared_ptr<Destino> destino);
  Destino& destino() const;

 private:
  void abre();
  Trazo& nuevo(Trazo::Tipo tipo);
  Trabajo trabajo_;
  bool abierto_ = false;
  int pagina_ = 1;
  mutable std::shared_ptr<Destino> destino_;
};

// The one printer of the program.
Impresora& Printer();
// Ends the job with EndDoc; a printer that fails is reported to the user in a message box, and the
// job is gone either way.
bool terminaDocumento();
// Back to a fresh printer (tests).
void reiniciaImpresora();

// The printer dialog: the user picks the printer the next jobs go to. Cancel raises
// Error(ERR_CANCELADO), as the program asks of its dialogs. The dialog always opens on a fresh
// printer, so that nothing of an earlier job shows in it.
void ShowPrinter(QWidget* padre);

// For tests: stands in for the system's printer dialog; it sets up the printer it is given and
// answers whether to print. Empty for the real dialog.
using DialogoImpresora = std::function<bool(QPrinter&, QWidget*)>;
void fijaDialogoImpresora(DialogoImpresora dialogo);

// While it lives, the application's font is the same size on screen given in points. The program's
// font is set in pixels, and the page preview of the print dialogs scales the application's font
// by its points, which a font in pixels does not have. For as long as a print dialog is open.
class FuenteEnPuntos {
 public:
  FuenteEnPuntos();
  ~FuenteEnPuntos();
  FuenteEnPuntos(const FuenteEnPuntos&) = delete;
  FuenteEnPuntos& operator=(const FuenteEnPuntos&) = delete;

 private:
  std::optional<QFont> anterior_;
};

// While a script is set the dialog does not appear: each showing takes the next destination of the
// script, and a null one is the user pressing Cancel; once the script runs out every showing is
// cancelled. Restores the script that was set before it.
class GuionImpresora {
 public:
  GuionImpresora(std::initializer_list<std::shared_ptr<Destino>> respuestas = {});
  ~GuionImpresora();
  GuionImpresora(const GuionImpresora&) = delete;
  GuionImpresora& operator=(const GuionImpresora&) = delete;
  void agrega(std::shared_ptr<Destino> destino) { respuestas_.push_back(std::move(destino)); }
  int mostrados() const { return mostrados_; }

 private:
  std::vector<std::shared_ptr<Destino>> respuestas_;
  size_t siguiente_ = 0;
  int mostrados_ = 0;
  std::function<std::shared_ptr<Destino>()> anterior_;
};

}  // namespace plataforma
