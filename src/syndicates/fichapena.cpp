// The details of one syndicate on the tab "Gestor de peñas" (its bets, counters, played draws, bet
// mode and chart) and its fact sheet in the report database, which the syndicate report prints.
#include <QLabel>
#include <algorithm>

#include "data/avisobloqueo.h"
#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/basedatos.h"
#include "plataforma/error.h"
#include "plataforma/fechas.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "syndicates/efectividad.h"
#include "syndicates/grafico.h"
#include "ui/Principal.h"

using plataforma::archivos;

namespace {

// A component of the database access missing or too old: a fault of the system, not of the
// program's files, so it gets a message of its own.
constexpr int ERR_COMPONENTE = 430;

// A table of the report database opened as every writer of it opens it.
struct Tabla {
  plataforma::Conexion cn;
  plataforma::Recordset rs;
  explicit Tabla(const QString& nombre) {
    cn.Open(plataforma::cadenaConexion(estado().ruta));
    rs.setCursorLocation(plataforma::adUseClient);
    rs.Open(nombre, cn, plataforma::adOpenKeyset, plataforma::adLockOptimistic, plataforma::adCmdTable);
  }
  void cierra() {
    rs.Close();
    cn.Close();
  }
};

// A record never written holds NUL characters in its texts; the report engine reads texts up to
// the first of them, so they do not go into the database.
QString sinNulos(QString texto) { return texto.remove(QChar(0)); }

// The draws of the file that the syndicate played: on or after its creation, on its play days.
qint64 sorteosJugados(const Pena& p) {
  qint64 P = 0;
  for (qint64 i = 1;; ++i) {
    const Sorteo s = leeSorteo(i);
    if (archivos().fin(ARCH_NUMEROS)) return P;
    if (s.fecha >= p.fechacreacion && juega(p.dias, s.fecha)) ++P;
  }
}

}  // namespace

void Principal::ListView1_ItemClick(int Index) {
  TareaBD tarea;
  muestrapena(Index);
  estado().penaelegida = Index;
}

namespace {

// The failures of the details and of their report tables, with the program's messages; answers
// whether the program goes on.
bool avisaFicha(Principal& v, const plataforma::Error& error) {
  const int numero = error.numero();
  const QString titulo = QString::fromUtf8("¡Vaya hombre!");
  if (numero == ERR_COMPONENTE) {
    plataforma::MsgBox(QString::fromUtf8("El sistema operativo no tiene algunas librerías actualizadas. "
                                         "Póngase en contacto con nosotros para solucionar el "
                                         "problema. Error ") +
                           QString::number(numero),
                       plataforma::vbExclamation, titulo);
  } else if (avisoescritura(error)) {
    // A full disk: the report tables wait for room; the syndicate is shown all the same.
  } else if (numero == plataforma::ERR_BD_BLOQUEADA) {
    // Held by another program for a moment: nothing is damaged, and the program goes on.
    avisobloqueo();
  } else if (numero == plataforma::ERR_BD_SIN_REGISTRO || numero == plataforma::ERR_BD_ELEMENTO || numero < 0) {
    // A table or column missing from the report database is a damaged program file as much as
    // a missing row is; the syndicates file has nothing to do with it.
    plataforma::MsgBox(QString::fromUtf8("Un archivo necesario para el funcionamiento del programa ha "
                                         "sido modificado o eliminado. Reinstale el programa. Error ") +
                           QString::number(numero),
                       plataforma::vbExclamation, titulo);
    v.salir_Click();
    return false;
  } else {
    plataforma::MsgBox(
        QString::fromUtf8("Posiblemente el fichero de apuestas está corrupto. Error ") + QString::number(numero),
        plataforma::vbExclamation, titulo);
  }
  return true;
}

}  // namespace

// The details come from the record files alone, so that they always show the syndicate chosen;
// the report tables are written after them, and only they wait for a database another program
// holds.
void Principal::muestrapena(int n) {
  Estado& e = estado();
  penamostrada = n;
  // The bets and the fact sheet both go to the report database: a full disk is told once.
  const UnSoloAviso unaVez;
  QStringList apuestas;  // the rows of the bets list, for "Peñanums"
  try {
    double sinPremio = 0;
    double total = 0;

    if (ListView1->Text(1) == QString::fromUtf8("VACÍO")) {
      Label17->setText(QStringLiteral("-"));
      Label16->setText(QStringLiteral("-"));
    } else {
      e.penaactual = leePena(n);
      const Pena& p = e.penaactual;
      const int m = numerosPorApuesta(p.tipo);
      const int B = apuestasListadas(p.tipo);
      ListView5->Clear();
      for (int b = 1; b <= B; ++b) {
        apuestas << textoApuesta(p, b, m);
        ListView5->Add(apuestas.back());
      }
      // Bets of more numbers than the column holds widen it, and the list scrolls sideways.
      ListView5->fijaAnchoColumna(1, std::max(ANCHO_LISTA_APUESTAS, ListView5->anchoTextos(1)));
      // The list grows where its usual height is too short for its header and rows; from 23 bets
      // on it keeps its full height and scrolls.
      const int alto = altoListaApuestas(B);
      ListView5->fijaAlto(std::min(ALTO_MAXIMO_LISTA_APUESTAS,
                                   B >= 23 ? alto : std::max(alto, ListView5->altoParaFilas(B))));
      for (int k = 0; k < 5; ++k) Label3[k]->setText(QString::number(p.aciertos[k + 3]));

      const qint64 T = sumaAciertos(p);
      total = double(T);
      Label17->setText(QStringLiteral("0"));
      leeSorteo(1);
      if (archivos().fin(ARCH_NUMEROS)) {
        Label16->setText(T != 0 ? QStringLiteral("100 %") : QStringLiteral("-"));
      } else {
        const qint64 P = sorteosJugados(p);
        Label17->setText(QString::number(P));
        Label16->setText(unDecimal(porcentajePremios(T, P)) + QStringLiteral(" %"));
        sinPremio = double(std::max<qint64>(0, P - T));
      }
    }

    MSChart3->fijaFila({QStringLiteral(" "), sinPremio, total});

    const Pena& p = e.penaactual;
    if (p.reducida != 0) {
      Label29->setText(numerosBase(p));
      Label28->setText(QStringLiteral("-Reducida de ") + QString::number(p.reducida) +
                       QString::fromUtf8(" nºs al ") + QString::number(p.garantia) + QStringLiteral(":"));
    } else if (p.tipo >= 500) {
      Label29->setText(QString());
      Label28->setText(QString::fromUtf8("-Apuesta múltiple de ") + QString::number(numerosPorApuesta(p.tipo)) +
                       QString::fromUtf8(" nºs."));
    } else {
      Label29->setText(QString());
      Label28->setText(QStringLiteral("-Apuestas sencillas."));
    }
    // The cost as the database gives it back: a 32-bit figure.
    Label37->setText(numeroEs(gastoSemanal(p.tipo, configuracion.precio, sinBlancosFinales(p.dias))) +
                     QStringLiteral(" euros."));
  } catch (const plataforma::Error& error) {
    fichapendiente = true;
    avisaFicha(*this, error);
    return;
  }

  // Read-only data leaves the report tables as they are.
  if (e.sololectura) {
    fichapena();
    return;
  }
  try {
    Tabla filas(QString::fromUtf8("Peñanums"));
    filas.cn.Execute(QString::fromUtf8("delete * from Peñanums"));
    // Adding the next row writes the one before.
    for (const QString& texto : apuestas) {
      filas.rs.AddNew();
      filas.rs.setField(QStringLiteral("Numeros"), texto);
    }
    // A syndicate without bets added no row, and there is none to write.
    if (!apuestas.isEmpty()) filas.rs.Update();
    filas.cierra();
    fichapena();
    fichapendiente = false;
  } catch (const plataforma::Error& error) {
    fichapendiente = true;
    avisaFicha(*this, error);
  }
}

// The fact sheet of the syndicate in penaactual, written over the one row of table "Peña".
void Principal::fichapena() {
  const Pena& p = estado().penaactual;
  const QString diasajugar = sinBlancosFinales(p.dias);
  const float dinero = gastoSemanal(p.tipo, configuracion.precio, diasajugar);
  if (estado().sololectura) {
    Image2[0]->setPicture(ImageList1, 5);
    return;
  }
  Tabla ficha(QString::fromUtf8("Peña"));
  plataforma::Recordset& rs = ficha.rs;
  rs.setField(QStringLiteral("Diasajugar"), sinNulos(diasajugar));
  rs.setField(QStringLiteral("Dinero"), double(dinero));
  rs.setField(QStringLiteral("Nombre"), sinNulos(p.nombre));
  rs.setField(QStringLiteral("Dia1"), plataforma::fechaDe(p.fechacreacion));
  rs.setField(QStringLiteral("Dia2"),
              plataforma::fechaDe(p.fechacomprobado != 0 ? p.fechacomprobado : p.fechacreacion));
  rs.setField(QStringLiteral("Aciertos"), Label16->text());
  bool numero = false;
  const int sorteos = Label17->text().toInt(&numero);
  rs.setField(QStringLiteral("Sorteos"), numero ? sorteos : 0);
  rs.setField(QStringLiteral("3"), int(p.aciertos[3]));
  rs.setField(QStringLiteral("4"), int(p.aciertos[4]));
  rs.setField(QStringLiteral("5"), int(p.aciertos[5]));
  rs.setField(QStringLiteral("5C"), int(p.aciertos[7]));
  rs.setField(QStringLiteral("6"), int(p.aciertos[6]));
  rs.Update();
  ficha.cierra();
  Image2[0]->setPicture(ImageList1, 5);
}
