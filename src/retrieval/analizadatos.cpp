// The stored answer of the operator (www.txt, file 2) and the news file (file 6) read with the
// marker scanners, and the new draws of an answer appended to numeros.dat.
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <optional>

#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "plataforma/red.h"
#include "retrieval/escaner.h"
#include "ui/Principal.h"

using plataforma::archivos;

namespace {

const char CORREO_SOPORTE[] = "soporte@bolvanta.es";

// One scan of an open file from the position its table keeps, which is left where the scan ended,
// also when the scan ran past the end, so that a Seek by other code and the next scan agree.
template <typename Paso>
QString escanea(int numero, Paso&& paso) {
  plataforma::Archivos& a = archivos();
  escaner::Escaner e(a.contenido(numero), a.posicion(numero));
  try {
    QString r = paso(e);
    a.posiciona(numero, e.posicion());
    return r;
  } catch (const plataforma::Error&) {
    a.posiciona(numero, e.posicion());
    throw;
  }
}

}  // namespace

QString Principal::busca(QString& empieza, const QString& final, int espacios) {
  return escanea(ARCH_WWW, [&](escaner::Escaner& e) { return e.busca(empieza, final, espacios); });
}

QString Principal::busca3(QString& empieza, const QString& final) {
  return escanea(ARCH_INFORME, [&](escaner::Escaner& e) { return e.busca3(empieza, final); });
}

QString Principal::raros(const QString& carla) { return escaner::raros(carla); }

void Principal::analizadatos() {
  Label6->setText(QStringLiteral("ANALIZANDO DATOS"));
  sorteosnuevos = 0;
  Estado& e = estado();
  std::optional<escaner::Escaner> lector;
  const auto dejaPosicion = [&] {
    if (lector) plataforma::sinErrores([&] { archivos().posiciona(ARCH_WWW, lector->posicion()); });
  };
  try {
    lector.emplace(archivos().contenido(ARCH_WWW));
    escaner::Analisis a;
    a.marcaFinal = escaner::buscaMarcaFinal(*lector);
    lector->posiciona(1);
    // New draws are those after the newest real one: damaged records at the end of the file would
    // otherwise let the draws stored before them in again.
    sorteo = ultimoSorteo();
    escaner::leeFechas(*lector, sorteo.fecha, plataforma::oleDe(plataforma::hoy()), a);
    lector->posiciona(1);
    escaner::leeSorteos(*lector, a, [this](int k) {
      ++sorteosnuevos;
      Label59->setText(k == 1 ? QStringLiteral("1 sorteo") : QString::number(k) + QStringLiteral(" sorteos"));
      Label59->repaint();
    });
    dejaPosicion();
    // One write for all the records: the file gains whole draws or, if the write fails, none that
    // the next count would take.
    if (!a.sorteos.empty()) {
      try {
        archivos().escribeBytes(ARCH_NUMEROS, qint64(e.numsorteos - 1) * Sorteo::LONGITUD + 1,
                                escaner::registrosNuevos(a));
      } catch (const plataforma::Error& error) {
        // A full disk stored none of them: nothing new is checked or counted.
        if (!avisoescritura(error)) throw;
        errordatos = true;
        sorteosnuevos = 0;
        Label59->clear();
        return;
      }
    }
    if (sorteosnuevos == 0) {
      plataforma::MsgBox(QString::fromUtf8("Todavía no hay sorteos nuevos."), plataforma::vbInformation,
                         QString::fromUtf8("Pruebe más tarde"));
      sorteosnuevos = 1;
    }
    estadosorteos();
  } catch (const plataforma::Error&) {
    dejaPosicion();
    if (sorteosnuevos == 0 && estadoinet != plataforma::icError) {
      plataforma::MsgBox(QString::fromUtf8("¡¡Datos corruptos o inválidos!! Si se repite en otros momentos "
                                           "este mismo error, posiblemente se ha de actualizar el "
                                           "programa. Pruebe más tarde."),
                         plataforma::vbCritical, QString::fromUtf8("Error crítico"));
      Timer1->stop();
      Text1->setText(QStringLiteral("\r\n") + QString::fromUtf8("ERROR DE INTERPRETACIÓN DE DATOS:") +
                     QStringLiteral("\r\n") +
                     QString::fromUtf8("Si más tarde se conecta y le vuelve a suceder envie un email a: ") +
                     QString::fromUtf8(CORREO_SOPORTE));
      errordatos = true;
    } else if (estadoinet == plataforma::icError) {
      plataforma::MsgBox(QString::fromUtf8("No conectado: Compruebe la conexión a internet. Si es correcta, "
                                           "pruebe más tarde ya que no es posible conectar con el "
                                           "servidor de ONLAE."),
                         plataforma::vbExclamation, QString::fromUtf8("Error de conexión"));
      Inet1->Cancel();
      Timer1->stop();
      ProgressBar1->setValue(0);
      Label6->setText(QString());
    } else {
      plataforma::MsgBox(QStringLiteral("Aun no hay datos de sorteos del ") +
                             QString::number(plataforma::hoy().year()) + QStringLiteral("."),
                         plataforma::vbInformation, QStringLiteral("Pruebe mas tarde"));
    }
  }
}
