#pragma once
// The embedded web browser: a local HTML file shown without scripts or remote loads, or a PDF
// document fetched from its address and shown with the PDF viewer. Navigation is asynchronous, as
// the program expects; a failure raises NavigateError.
#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "plataforma/red.h"

class QBuffer;
class QPdfDocument;
class QPdfView;
class QStackedLayout;
class QTextBrowser;

namespace plataforma {

class NavegadorWeb : public QWidget {
  Q_OBJECT
 public:
  explicit NavegadorWeb(QWidget* padre = nullptr);
  ~NavegadorWeb() override;

  // A local file path (or file: address), or an http(s) address. NavigateError's code is the HTTP
  // status when the host answered with an error (404 also for a local file that cannot be read),
  // NO_ES_DOCUMENTO when a remote answer is no PDF document or the PDF engine cannot open it, or
  // the transfer's error number (35761, 35764, 35765).
  void Navigate(const QString& direccion);
  QString LocationURL() const { return direccion_; }
  bool muestraPdf() const;        // a PDF document is on show
  QString textoMostrado() const;  // the plain text of the HTML on show
  int paginasPdf() const;         // pages of the PDF document on show, 0 without one
  bool navegando() const { return transferencia_ != nullptr; }

  static constexpr int NO_ES_DOCUMENTO = 415;

 Q_SIGNALS:
  void NavigateError(const QString& direccion, int codigo);
  void DocumentComplete(const QString& direccion);

 private:
  QPdfView* visor();
  void muestraLocal(const QString& direccion, const QString& ruta);
  void muestraHtml(const QByteArray& bytes, const QString& ruta);
  void cargaPdf(const QByteArray& bytes, const QString& direccion);
  void recibido();
  void falla(const QString& direccion, int codigo);
  void detiene();

  QString direccion_;
  QStackedLayout* capas_ = nullptr;
  QTextBrowser* pagina_ = nullptr;
  QPdfDocument* documento_ = nullptr;
  QPdfView* visor_ = nullptr;
  QBuffer* datosPdf_ = nullptr;  // the document's bytes, read by the engine while it is shown
  QPointer<Transferencia> transferencia_;
};

// A tiny, valid PDF document of one empty page.
QByteArray documentoPdfMinimo();

// Whether PDF documents can be shown: the program's PDF engine opens a minimal document. The
// answer is found once; tests force either answer.
bool visorPdf();
void fijaVisorPdf(int forzado);  // 1 yes, 0 no, -1 ask the engine again

// Opens a web address (http, https, mailto) or an existing local file with the user's own
// handler. When that fails (no browser on the system, for one) a box says so; the answer is
// whether it opened. Tests set a recorder instead, which opens every address, or none when
// `abre` is false, as on a system without a browser; an empty recorder restores the real handler.
bool abreDireccion(const QString& direccion);
void fijaAbridor(std::function<void(const QString&)> abridor, bool abre = true);

}  // namespace plataforma
