#pragma once
// Internet transfers as the program uses them: a request that waits for the whole answer, a
// download to a file, and the settings that tests change to point the program at a local server.
//
// Every request goes over HTTPS with the peer's certificate verified: an "http" address is asked
// for as "https", and a redirect is followed only to another "https" address. Nothing is cached.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QString>
#include <QTimer>
#include <QUrl>

class QIODevice;
class QNetworkAccessManager;
class QNetworkReply;

namespace plataforma {

// States reported by a transfer, numbered as the program expects them.
enum EstadoInet {
  icNone = 0,
  icResolvingHost = 1,
  icHostResolved = 2,
  icConnecting = 3,
  icConnected = 4,
  icRequesting = 5,
  icRequestSent = 6,
  icReceivingResponse = 7,
  icResponseReceived = 8,
  icDisconnecting = 9,
  icDisconnected = 10,
  icError = 11,
  icResponseCompleted = 12,
};

// Errors of a transfer. A host that answered, even with an HTTP error status, is no error.
enum ErrorInet {
  ERR_INET_TIEMPO = 35761,     // the request took longer than allowed
  ERR_INET_CANCELADO = 35762,  // the program cancelled the request
  ERR_INET_CONEXION = 35764,   // no usable answer: unknown host, refused, cut off, bad address
  ERR_INET_SEGURIDAD = 35765,  // the secure channel was refused (certificate, handshake, redirect)
};

// Where requests really go and what they trust. The program never changes these; tests do.
struct AjustesRed {
  QUrl base;                                // when valid, replaces scheme, host and port of every address
  QList<QSslCertificate> autoridadesExtra;  // trusted besides the system's certificates
  int esperaMs = 30000;                     // the longest a request may take
  qint64 maximoBytes = 64 << 20;            // a longer answer is refused rather than held
  int maximoRedirecciones = 5;
};
AjustesRed& ajustesRed();
// The address a request for `direccion` really goes to; invalid when it is no web address.
QUrl resuelve(const QString& direccion);
QNetworkAccessManager& red();
// Ends the network at once: every transfer still under way ends as cancelled, and the manager goes
// with its thread. The next request makes a new one. It runs by itself before the application
// object goes, so that no network thread outlives the program.
void cierraRed();
// The system's authorities plus the extra ones, with the peer always verified.
QSslConfiguration configuracionTls();

// One GET under the rules above, followed through its redirects. It reports its states as the
// transfer control numbers them and ends exactly once with `acabada`; the body is kept, or written
// to a device when one is given before it starts.
class Transferencia : public QObject {
  Q_OBJECT
 public:
  explicit Transferencia(const QString& direccion, QObject* padre = nullptr);
  ~Transferencia() override;

  void escribeEn(QIODevice* destino) { destino_ = destino; }
  void inicia();
  void aborta(int numero);  // ends now with that error, unless it already ended

  bool terminada() const { return terminada_; }
  int error() const { return error_; }  // 0, or one of ErrorInet
  QString textoError() const { return textoError_; }
  int estadoHttp() const { return estadoHttp_; }  // 0 when no host answered
  const QByteArray& cuerpo() const { return cuerpo_; }
  QString direccion() const { return direccion_; }

 Q_SIGNALS:
  void estado(int estado);
  void acabada();

 private:
  void pide(const QUrl& url);
  void recibe();
  void termina(int numero, const QString& texto);
  void fin();
  void suelta();
  void anuncia(int e);

  QString direccion_;
  QPointer<QNetworkReply> respuesta_;
  QPointer<QIODevice> destino_;
  QTimer reloj_;
  QByteArray cuerpo_;
  qint64 recibidos_ = 0;
  int saltos_ = 0;
  int ultimoEstado_ = icNone;
  int error_ = 0;
  int estadoHttp_ = 0;
  QString textoError_;
  bool terminada_ = false;
  bool iniciada_ = false;
};

// Whether a request of the program is waiting for its answer (OpenURL, descargaArchivo; not a
// DescargaArchivo, which nobody waits for). The windows take no input from the user meanwhile, as
// a window held by the request would not; the wait reads every event, so that a window's close box
// is heard while it lasts.
bool esperandoRed();

// The internet transfer control: OpenURL waits in a local event loop until the whole body arrived
// (or the time-out passed) and gives it as bytes; a failure raises plataforma::Error (ErrorInet)
// after reporting icError. Certificates are always verified. Timers go on meanwhile; the user's
// input is the windows' to keep away (esperandoRed).
class Inet : public QObject {
  Q_OBJECT
 public:
  explicit Inet(QObject* padre = nullptr);
  ~Inet() override;

  QByteArray OpenURL(const QString& direccion);
  void Cancel();
  bool StillExecuting() const { return ejecutando_; }
  QString ResponseInfo() const { return error_; }  // empty after a request that went well
  int codigoHttp() const { return codigoHttp_; }  // status of the last answer, 0 without one
  int Protocol = 0;                                 // set by the program before each request

 Q_SIGNALS:
  void StateChanged(int State);

 private:
  void estado(int e);
  QPointer<Transferencia> actual_;
  bool ejecutando_ = false;
  bool cancelado_ = false;
  int codigoHttp_ = 0;
  QString error_;
};

// Downloads an address into a file, bypassing any cache, while the program goes on with other
// things. The body goes to a temporary file in the same folder, renamed over the file only when
// the whole body of a successful (2xx) answer arrived; on any failure, and when the download is
// destroyed before its end, the old file stays and the temporary one goes. It ends exactly once
// with `acabada`, telling whether the file was replaced.
class DescargaArchivo : public QObject {
  Q_OBJECT
 public:
  DescargaArchivo(const QString& direccion, const QString& ruta, QObject* padre = nullptr);

  void inicia();
  void aborta(int numero) { transferencia_.aborta(numero); }
  bool terminada() const { return terminada_; }
  bool reemplazado() const { return reemplazado_; }

 Q_SIGNALS:
  void acabada(bool reemplazado);

 private:
  void fin();
  // Declared before the transfer, which writes into it, so that it is destroyed after it.
  QSaveFile archivo_;
  Transferencia transferencia_;
  bool terminada_ = false;
  bool reemplazado_ = false;
};

// The same download, waited for as OpenURL waits. Returns whether the file was replaced.
bool descargaArchivo(const QString& direccion, const QString& ruta);

}  // namespace plataforma
