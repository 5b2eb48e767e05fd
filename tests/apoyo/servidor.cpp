#include "servidor.h"

#include <QFile>
#include <QHostAddress>
#include <QMap>
#include <QMutex>
#include <QMutexLocker>
#include <QSemaphore>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>
#include <QTcpServer>
#include <QThread>
#include <QTimer>

namespace {

// An absolute path from the build, as for the real data files (see fixture()).
QString carpetaTls() { return QStringLiteral(BOLVANTA_FIXTURES "/tls/"); }

QByteArray leeTls(const QString& nombre) {
  QFile f(carpetaTls() + nombre);
  if (!f.open(QIODevice::ReadOnly)) qFatal("falta el certificado de pruebas %s", qPrintable(f.fileName()));
  return f.readAll();
}

QByteArray razon(int estado) {
  switch (estado) {
    case 200: return "OK";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Estado";
  }
}

QString sinConsulta(const QString& ruta) { return ruta.section(QLatin1Char('?'), 0, 0); }

}  // namespace

class ServidorPrueba::Hilo : public QThread {
 public:
  explicit Hilo(Certificado certificado) : certificado_(certificado) {}

  void responde(const QString& ruta, const Respuesta& r) {
    QMutexLocker cerrojo(&cerrojo_);
    respuestas_[ruta] = r;
  }
  QStringList pedidas() const {
    QMutexLocker cerrojo(&cerrojo_);
    return pedidas_;
  }
  quint16 puerto = 0;
  QSemaphore listo;

 protected:
  void run() override {
    const QString nombre = certificado_ == Certificado::DePrueba ? QStringLiteral("servidor")
                                                                 : QStringLiteral("ajeno");
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setLocalCertificate(QSslCertificate(leeTls(nombre + QStringLiteral(".pem")), QSsl::Pem));
    conf.setPrivateKey(QSslKey(leeTls(nombre + QStringLiteral(".key")), QSsl::Ec, QSsl::Pem));
    conf.setPeerVerifyMode(QSslSocket::VerifyNone);
    QSslServer servidor;
    servidor.setSslConfiguration(conf);
    QObject::connect(&servidor, &QTcpServer::pendingConnectionAvailable, &servidor, [&] {
      while (servidor.hasPendingConnections()) atiende(static_cast<QSslSocket*>(servidor.nextPendingConnection()));
    });
    servidor.listen(QHostAddress::LocalHost, 0);
    puerto = servidor.serverPort();
    listo.release();
    exec();
  }

 private:
  void atiende(QSslSocket* s) {
    QObject::connect(s, &QAbstractSocket::disconnected, s, &QObject::deleteLater);
    auto leer = [this, s] {
      if (s->property("atendida").toBool()) return;
      QByteArray pedido = s->property("pedido").toByteArray() + s->readAll();
      s->setProperty("pedido", pedido);
      if (!pedido.contains("\r\n\r\n")) return;
      s->setProperty("atendida", true);
      const QList<QByteArray> linea = pedido.left(pedido.indexOf("\r\n")).split(' ');
      const QString ruta = linea.size() > 1 ? QString::fromUtf8(linea[1]) : QString();
      Respuesta r;
      r.estado = 404;
      r.cuerpo = "<html><body>No encontrado</body></html>";
      {
        QMutexLocker cerrojo(&cerrojo_);
        pedidas_ << ruta;
        if (respuestas_.contains(ruta))
          r = respuestas_[ruta];
        else if (respuestas_.contains(sinConsulta(ruta)))
          r = respuestas_[sinConsulta(ruta)];
      }
      auto contesta = [s, r] {
        if (r.sinRespuesta) {
          s->disconnectFromHost();
          return;
        }
        QByteArray cabecera = "HTTP/1.1 " + QByteArray::number(r.estado) + ' ' + razon(r.estado) + "\r\n";
        cabecera += "Content-Type: " + r.tipo + "\r\n";
        cabecera += "Content-Length: " + QByteArray::number(r.cuerpo.size()) + "\r\n";
        if (!r.ubicacion.isEmpty()) cabecera += "Location: " + r.ubicacion + "\r\n";
        cabecera += "Connection: close\r\n\r\n";
        s->write(cabecera + r.cuerpo);
        s->disconnectFromHost();
      };
      if (r.demoraMs > 0)
        QTimer::singleShot(r.demoraMs, s, contesta);
      else
        contesta();
    };
    QObject::connect(s, &QIODevice::readyRead, s, leer);
    if (s->bytesAvailable() > 0) leer();
  }

  Certificado certificado_;
  mutable QMutex cerrojo_;
  QMap<QString, Respuesta> respuestas_;
  QStringList pedidas_;
};

ServidorPrueba::ServidorPrueba(Certificado certificado) : hilo_(std::make_unique<Hilo>(certificado)) {
  hilo_->start();
  hilo_->listo.acquire();
}

ServidorPrueba::~ServidorPrueba() {
  hilo_->quit();
  hilo_->wait();
}

void ServidorPrueba::responde(const QString& ruta, const Respuesta& respuesta) {
  hilo_->responde(ruta, respuesta);
}

void ServidorPrueba::responde(const QString& ruta, const QByteArray& cuerpo, int estado) {
  Respuesta r;
  r.cuerpo = cuerpo;
  r.estado = estado;
  responde(ruta, r);
}

quint16 ServidorPrueba::puerto() const { return hilo_->puerto; }

QUrl ServidorPrueba::base() const {
  return QUrl(QStringLiteral("https://127.0.0.1:%1").arg(puerto()));
}

QString ServidorPrueba::direccion(const QString& ruta) const { return base().toString() + ruta; }

QStringList ServidorPrueba::pedidas() const { return hilo_->pedidas(); }

int ServidorPrueba::cuantas(const QString& ruta) const {
  int n = 0;
  for (const QString& p : pedidas())
    if (sinConsulta(p) == ruta) ++n;
  return n;
}

// ---------------------------------------------------------------------------------------------

QSslCertificate autoridadDePrueba() {
  static const QSslCertificate autoridad(leeTls(QStringLiteral("autoridad.pem")), QSsl::Pem);
  return autoridad;
}

quint16 puertoCerrado() {
  QTcpServer s;
  s.listen(QHostAddress::LocalHost, 0);
  const quint16 puerto = s.serverPort();
  s.close();
  return puerto;
}

QUrl baseCerrada() { return QUrl(QStringLiteral("https://127.0.0.1:%1").arg(puertoCerrado())); }

void aislaRed() {
  // Port 1 is below the range the system hands out, so no test server ever listens there.
  plataforma::ajustesRed().base = QUrl(QStringLiteral("https://127.0.0.1:1"));
  plataforma::ajustesRed().autoridadesExtra.clear();
}

RedDePrueba::RedDePrueba(const ServidorPrueba& servidor, int esperaMs)
    : RedDePrueba(servidor.base(), esperaMs) {}

RedDePrueba::RedDePrueba(const QUrl& base, int esperaMs) : anteriores_(plataforma::ajustesRed()) {
  plataforma::AjustesRed& a = plataforma::ajustesRed();
  a.base = base;
  a.autoridadesExtra = {autoridadDePrueba()};
  a.esperaMs = esperaMs;
}

RedDePrueba::~RedDePrueba() {
  plataforma::ajustesRed() = anteriores_;
  // Nothing of this test's network is left for the next: what is still under way ends, and the
  // connections kept open go with the manager's thread.
  plataforma::cierraRed();
}
