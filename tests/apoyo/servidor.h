#pragma once
// An HTTPS server on 127.0.0.1 for tests, running in a thread of its own so that it answers
// whatever the code under test does with its event loops. It serves recorded answers by path,
// can wait before answering, can close without answering, and can present a certificate that the
// tests do not trust. The certificates live in tests/fixtures/tls.
#include <QByteArray>
#include <QSslCertificate>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <memory>

#include "plataforma/red.h"

struct Respuesta {
  int estado = 200;
  QByteArray cuerpo;
  QByteArray tipo = "text/html";
  int demoraMs = 0;           // waits this long before answering
  bool sinRespuesta = false;  // closes the connection once the request arrived
  QByteArray ubicacion;       // Location header, for redirects
};

class ServidorPrueba {
 public:
  enum class Certificado { DePrueba, Ajeno };
  explicit ServidorPrueba(Certificado certificado = Certificado::DePrueba);
  ~ServidorPrueba();
  ServidorPrueba(const ServidorPrueba&) = delete;
  ServidorPrueba& operator=(const ServidorPrueba&) = delete;

  // The answer for a path; a path with a query is looked up whole first, then without it. Paths
  // without an answer get 404.
  void responde(const QString& ruta, const Respuesta& respuesta);
  void responde(const QString& ruta, const QByteArray& cuerpo, int estado = 200);

  quint16 puerto() const;
  QUrl base() const;                               // https://127.0.0.1:port
  QString direccion(const QString& ruta) const;    // base with the path
  QStringList pedidas() const;                     // paths (with query) received, in order
  int cuantas(const QString& ruta) const;          // requests for a path, query ignored

 private:
  class Hilo;
  std::unique_ptr<Hilo> hilo_;
};

// Sends every request of the program to a server and trusts the test authority, for as long as it
// lives; then puts the settings back as they were. The time allowed is ample: on a busy machine a
// local handshake alone can take seconds, and a test that means a time-out says so.
class RedDePrueba {
 public:
  explicit RedDePrueba(const ServidorPrueba& servidor, int esperaMs = 20000);
  explicit RedDePrueba(const QUrl& base, int esperaMs = 20000);
  ~RedDePrueba();
  RedDePrueba(const RedDePrueba&) = delete;
  RedDePrueba& operator=(const RedDePrueba&) = delete;

 private:
  plataforma::AjustesRed anteriores_;
};

QSslCertificate autoridadDePrueba();
// A port of 127.0.0.1 where nobody listens: connections to it are refused at once.
quint16 puertoCerrado();
// The base of a server that refuses every connection.
QUrl baseCerrada();
// Keeps every request of the program on this computer: they all go to a port of 127.0.0.1 where
// nobody listens, until a test points them at a server of its own. For the start of every test
// program, so that no test reaches the internet by way of something the program does on its own
// (the news at start-up, for one).
void aislaRed();
