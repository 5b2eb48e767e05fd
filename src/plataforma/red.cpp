#include "red.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QSslSocket>
#include <memory>

#include "error.h"

namespace plataforma {

AjustesRed& ajustesRed() {
  static AjustesRed ajustes;
  return ajustes;
}

QUrl resuelve(const QString& direccion) {
  QUrl url(direccion.trimmed(), QUrl::TolerantMode);
  const QString esquema = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() ||
      (esquema != QLatin1String("http") && esquema != QLatin1String("https")))
    return {};
  // What the program fetches it also trusts (news that may change its own web host, documents
  // opened by the PDF engine), so nothing travels in the clear.
  if (esquema == QLatin1String("http")) {
    url.setScheme(QStringLiteral("https"));
    if (url.port() == 80) url.setPort(-1);
  }
  const QUrl& base = ajustesRed().base;
  if (base.isValid() && !base.host().isEmpty()) {
    url.setScheme(base.scheme());
    url.setHost(base.host());
    url.setPort(base.port());
  }
  return url;
}

namespace {
QPointer<QNetworkAccessManager>& gestor() {
  static QPointer<QNetworkAccessManager> g;
  return g;
}
}  // namespace

QNetworkAccessManager& red() {
  QPointer<QNetworkAccessManager>& g = gestor();
  if (!g) {
    g = new QNetworkAccessManager(QCoreApplication::instance());
    g->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    // Closed while the application object still stands: the manager's thread closes its secure
    // connections as it ends, and that needs the application. Once only, whatever the managers.
    qRemovePostRoutine(cierraRed);
    qAddPostRoutine(cierraRed);
  }
  return *g;
}

void cierraRed() {
  QNetworkAccessManager* g = gestor();
  if (!g) return;
  gestor() = nullptr;
  // A reply still under way can hold the manager's thread in a signal that waits for this thread
  // (the end of a secure handshake, for one, also after a time-out aborted the reply); the thread
  // then does not end when asked, and the manager stops waiting for it after a few seconds and
  // leaves it running. Deleting the replies releases it. Their transfers end as cancelled.
  QList<QPointer<QNetworkReply>> respuestas;
  for (QNetworkReply* r : g->findChildren<QNetworkReply*>(Qt::FindDirectChildrenOnly)) respuestas << r;
  for (const QPointer<QNetworkReply>& r : respuestas) delete r.data();
  // Stops the thread and waits for it.
  delete g;
}

QSslConfiguration configuracionTls() {
  // The system's list is read once: it does not change while the program runs, and reading it
  // costs more than a small request.
  static const QList<QSslCertificate> sistema = QSslConfiguration::systemCaCertificates();
  QSslConfiguration c = QSslConfiguration::defaultConfiguration();
  c.setCaCertificates(sistema + ajustesRed().autoridadesExtra);
  c.setPeerVerifyMode(QSslSocket::VerifyPeer);
  return c;
}

// ---------------------------------------------------------------------------------------------

namespace {

// The errors by which Qt reports an HTTP status: the host answered in full.
bool esEstadoHttp(QNetworkReply::NetworkError e) {
  return e == QNetworkReply::NoError || (e >= QNetworkReply::ContentAccessDenied &&
                                         e <= QNetworkReply::UnknownContentError) ||
         (e >= QNetworkReply::InternalServerError && e <= QNetworkReply::UnknownServerError);
}

QString textoDe(int numero) {
  switch (numero) {
    case ERR_INET_TIEMPO: return QStringLiteral("Tiempo de espera agotado");
    case ERR_INET_CANCELADO: return QStringLiteral("Petición cancelada");
    case ERR_INET_SEGURIDAD: return QStringLiteral("Canal seguro rechazado");
    default: return QStringLiteral("No se puede conectar con el servidor");
  }
}

}  // namespace

Transferencia::Transferencia(const QString& direccion, QObject* padre)
    : QObject(padre), direccion_(direccion) {
  reloj_.setSingleShot(true);
  connect(&reloj_, &QTimer::timeout, this, [this] { aborta(ERR_INET_TIEMPO); });
}

Transferencia::~Transferencia() {
  // Gone before its end (its owner is): the answer goes at once, and with it whatever it still had
  // queued to say, which would otherwise reach a reply already cancelled.
  QNetworkReply* r = respuesta_;
  respuesta_ = nullptr;
  if (!r) return;
  disconnect(r, nullptr, this, nullptr);
  delete r;
}

void Transferencia::inicia() {
  if (iniciada_) return;
  iniciada_ = true;
  reloj_.start(std::max(0, ajustesRed().esperaMs));
  anuncia(icConnecting);
  const QUrl url = resuelve(direccion_);
  if (!url.isValid()) {
    termina(ERR_INET_CONEXION, QStringLiteral("Dirección no válida: ") + direccion_);
    return;
  }
  pide(url);
}

void Transferencia::aborta(int numero) { termina(numero, textoDe(numero)); }

void Transferencia::pide(const QUrl& url) {
  QNetworkRequest peticion(url);
  peticion.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  peticion.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  peticion.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
  peticion.setSslConfiguration(configuracionTls());
  peticion.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Bolvanta"));
  QNetworkReply* r = red().get(peticion);
  respuesta_ = r;
  connect(r, &QNetworkReply::requestSent, this, [this] { anuncia(icRequesting); });
  connect(r, &QNetworkReply::metaDataChanged, this, [this] { anuncia(icReceivingResponse); });
  connect(r, &QNetworkReply::readyRead, this, &Transferencia::recibe);
  connect(r, &QNetworkReply::sslErrors, this, [this](const QList<QSslError>& errores) {
    // Never ignored: the handshake fails and the reply ends with its own error.
    if (!errores.isEmpty()) textoError_ = errores.first().errorString();
  });
  connect(r, &QNetworkReply::finished, this, &Transferencia::fin);
  // Taken away while under way (the network closed): the transfer still ends, as cancelled.
  connect(r, &QObject::destroyed, this, [this] { aborta(ERR_INET_CANCELADO); });
}

void Transferencia::recibe() {
  if (!respuesta_ || terminada_) return;
  const QByteArray trozo = respuesta_->readAll();
  if (trozo.isEmpty()) return;
  const int codigo = respuesta_->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const bool redireccion =
      codigo >= 300 && codigo < 400 &&
      respuesta_->attribute(QNetworkRequest::RedirectionTargetAttribute).isValid();
  if (redireccion) return;  // the page that says where to go is nobody's answer
  recibidos_ += trozo.size();
  if (recibidos_ > ajustesRed().maximoBytes) {
    termina(ERR_INET_CONEXION, QStringLiteral("La respuesta es demasiado larga"));
    return;
  }
  if (destino_) {
    if (destino_->write(trozo) != trozo.size())
      termina(ERR_INET_CONEXION, QStringLiteral("No se puede escribir: ") + destino_->errorString());
  } else {
    cuerpo_.append(trozo);
  }
}

void Transferencia::fin() {
  if (!respuesta_ || terminada_) return;
  recibe();
  if (terminada_) return;
  QNetworkReply* r = respuesta_;
  const int codigo = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QVariant destino = r->attribute(QNetworkRequest::RedirectionTargetAttribute);
  if (codigo >= 300 && codigo < 400 && destino.isValid()) {
    const QUrl siguiente = r->url().resolved(destino.toUrl());
    if (++saltos_ > ajustesRed().maximoRedirecciones) {
      termina(ERR_INET_CONEXION, QStringLiteral("Demasiadas redirecciones"));
      return;
    }
    if (siguiente.scheme().toLower() != QLatin1String("https")) {
      termina(ERR_INET_SEGURIDAD, QStringLiteral("Redirección a una dirección no segura: ") +
                                      siguiente.toString());
      return;
    }
    suelta();
    cuerpo_.clear();
    recibidos_ = 0;
    const QUrl url = resuelve(siguiente.toString());
    if (!url.isValid()) {
      termina(ERR_INET_CONEXION, QStringLiteral("Dirección no válida: ") + siguiente.toString());
      return;
    }
    pide(url);
    return;
  }
  const QNetworkReply::NetworkError e = r->error();
  if (codigo > 0 && esEstadoHttp(e)) {
    estadoHttp_ = codigo;
    termina(0, QString());
    return;
  }
  int numero = ERR_INET_CONEXION;
  if (e == QNetworkReply::SslHandshakeFailedError) numero = ERR_INET_SEGURIDAD;
  if (e == QNetworkReply::TimeoutError) numero = ERR_INET_TIEMPO;
  const QString texto = textoError_.isEmpty() ? r->errorString() : textoError_;
  termina(numero, texto);
}

void Transferencia::termina(int numero, const QString& texto) {
  if (terminada_) return;
  terminada_ = true;
  error_ = numero;
  textoError_ = numero ? texto : QString();
  reloj_.stop();
  suelta();
  if (numero) {
    ultimoEstado_ = icError;
    Q_EMIT estado(icError);
  } else {
    anuncia(icResponseCompleted);
  }
  Q_EMIT acabada();
}

void Transferencia::suelta() {
  QNetworkReply* r = respuesta_;
  respuesta_ = nullptr;
  if (!r) return;
  disconnect(r, nullptr, this, nullptr);
  if (r->isRunning()) r->abort();
  r->deleteLater();
}

// States only move forward: a redirect does not report connecting again.
void Transferencia::anuncia(int e) {
  if (e <= ultimoEstado_) return;
  ultimoEstado_ = e;
  Q_EMIT estado(e);
}

// ---------------------------------------------------------------------------------------------

namespace {

int esperas = 0;

// Starts a transfer and waits for its end, reading every event meanwhile: the windows keep the
// user's clicks and keys away while esperandoRed() holds, and the request to close a window is
// heard at once. A wait ended from outside (the program ending) ends its transfer as cancelled.
template <typename T>
void espera(T& t) {
  QEventLoop bucle;
  QObject::connect(&t, &T::acabada, &bucle, &QEventLoop::quit);
  t.inicia();
  if (!t.terminada()) {
    ++esperas;
    bucle.exec();
    --esperas;
  }
  if (!t.terminada()) t.aborta(ERR_INET_CANCELADO);
}

}  // namespace

bool esperandoRed() { return esperas > 0; }

// ---------------------------------------------------------------------------------------------

Inet::Inet(QObject* padre) : QObject(padre) {}

Inet::~Inet() { Cancel(); }

void Inet::estado(int e) { Q_EMIT StateChanged(e); }

QByteArray Inet::OpenURL(const QString& direccion) {
  if (ejecutando_) Cancel();
  error_.clear();
  codigoHttp_ = 0;
  cancelado_ = false;
  ejecutando_ = true;
  // The transfer belongs to this call, not to the control: the control may be destroyed by
  // something that runs while the call waits.
  auto transferencia = std::make_unique<Transferencia>(direccion);
  Transferencia* t = transferencia.get();
  actual_ = t;
  QPointer<Inet> yo(this);
  connect(t, &Transferencia::estado, this, &Inet::estado);
  espera(*t);
  if (!yo) throw Error(ERR_INET_CANCELADO, textoDe(ERR_INET_CANCELADO));
  if (actual_ == t) {
    actual_ = nullptr;
    ejecutando_ = false;
  }
  if (t->error()) {
    error_ = t->textoError();
    throw Error(t->error(), error_);
  }
  codigoHttp_ = t->estadoHttp();
  return t->cuerpo();
}

void Inet::Cancel() {
  if (!actual_) return;
  cancelado_ = true;
  Transferencia* t = actual_;
  actual_ = nullptr;
  ejecutando_ = false;
  t->aborta(ERR_INET_CANCELADO);
}

// ---------------------------------------------------------------------------------------------

DescargaArchivo::DescargaArchivo(const QString& direccion, const QString& ruta, QObject* padre)
    : QObject(padre), archivo_(ruta), transferencia_(direccion) {
  connect(&transferencia_, &Transferencia::acabada, this, &DescargaArchivo::fin);
}

void DescargaArchivo::inicia() {
  if (terminada_ || transferencia_.terminada()) return;
  if (!archivo_.open(QIODevice::WriteOnly)) {
    terminada_ = true;
    Q_EMIT acabada(false);
    return;
  }
  transferencia_.escribeEn(&archivo_);
  transferencia_.inicia();
}

void DescargaArchivo::fin() {
  if (terminada_) return;
  terminada_ = true;
  const int codigo = transferencia_.estadoHttp();
  if (transferencia_.error() == 0 && codigo >= 200 && codigo <= 299) {
    reemplazado_ = archivo_.commit();
  } else if (archivo_.isOpen()) {
    // Ends the temporary file now rather than when the download is destroyed.
    archivo_.cancelWriting();
    archivo_.commit();
  }
  Q_EMIT acabada(reemplazado_);
}

bool descargaArchivo(const QString& direccion, const QString& ruta) {
  DescargaArchivo descarga(direccion, ruta);
  espera(descarga);
  return descarga.reemplazado();
}

}  // namespace plataforma
