// Start-up of the main window and its activation.
#include <QDir>
#include <QComboBox>
#include <QFile>
#include <QScrollBar>

#include "data/avisobloqueo.h"
#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/msgbox.h"
#include "plataforma/sistema.h"
#include "plataforma/twips.h"
#include "syndicates/Crea.h"
#include "syndicates/Creamenu.h"
#include "ui/Acercade.h"
#include "ui/Configurar.h"
#include "syndicates/Imprimir.h"
#include "ui/Presentacion.h"
#include "ui/Principal.h"

using plataforma::Acceso;
using plataforma::archivos;

using plataforma::sinErrores;

void Principal::Form_Load() {
  TareaBD tarea;
  Estado& e = estado();
  sinErrores([&] { move(plataforma::px(25), plataforma::px(50)); });
  descargaPresentacion();
  const QString carpeta = plataforma::carpetaPrograma();
  QDir::setCurrent(carpeta);
  e.ruta = rutaDe(carpeta);
  sinErrores([&] { plataforma::borraArchivo(e.ruta + QStringLiteral("apuestas.tmp")); });
  // A full disk is told once, however many of the writes below it stops.
  const UnSoloAviso unaVez;
  abreDatos(ARCH_APUESTAS, e.ruta + QStringLiteral("apuestas.dat"), Acceso::Aleatorio, Pena::LONGITUD);
  abreDatos(ARCH_NUMEROS, e.ruta + QStringLiteral("numeros.dat"), Acceso::Aleatorio, Sorteo::LONGITUD);
  abreDatos(ARCH_WWW, e.ruta + QStringLiteral("www.txt"), Acceso::Binario);

  try {
    plataforma::longitudArchivo(e.ruta + QStringLiteral("tablas.bin"));
  } catch (const plataforma::Error& error) {
    plataforma::MsgBox(QStringLiteral("No se encuentra un archivo necesario para el funcionamiento "
                                      "del programa. Reinstale el programa. Error ") +
                           QString::number(error.numero()),
                       plataforma::vbExclamation, QStringLiteral("¡Vaya hombre!"));
    salir_Click();
    return;
  }

  leeconfiguracion();
  // Read-only data is shown all the same; changes are refused from here on. Asked once nums.ini is
  // open too, so that read-only settings count as read-only data.
  e.sololectura = datosSoloLectura();
  compruebaformato();
  estadosorteos();
  refrescavistas();
  informesorteo(1);
  Command1_Click(0);
  compruebamensaje();
  resumensorteos();
  // A data file that could not be read says so, and why; it also makes the data read-only.
  if (!avisolectura() && e.sololectura) avisopermiso();
}

void Principal::Form_Activate() {
  TareaBD tarea;
  Estado& e = estado();
  ++activaciones;
  // A syndicates file that could not be read is no empty one: start-up has said what is wrong.
  if (activaciones == 1 && archivos().abierto(ARCH_APUESTAS) && !archivos().sinDatos(ARCH_APUESTAS)) {
    leePena(1);
    if (archivos().fin(ARCH_APUESTAS))
      plataforma::MsgBox(
          QStringLiteral("Bienvenido a Bolvanta. Vaya a la pestaña 'Crear Combinación' y cree una "
                         "peña. Podrás comprobar tus resultados a partir de hoy. Instrucciones "
                         "disponibles en nuestra web, en la sección 'Tutorial' o en el programa, en "
                         "el menú 'Ayuda'."),
          plataforma::vbInformation, QStringLiteral("Fichero de peñas vacío"));
  }
  if (e.editando == 1) e.penascambiadas = 1;
  descargaCrea();
  e.editando = 0;
  if (e.penascambiadas == 1) {
    Combo2->setCurrentIndex(-1);
    pasoComprobacion();
    estadosorteos();
    e.penascambiadas = 0;
  }
  e.solouna = 0;
  descargaCreamenu();
  descargaAcercade();
  // The months typed last reach the statistics before the dialog goes.
  if (Configurar* c = configurarSiExiste()) c->aplicaMeses();
  descargaConfigurar();
  descargaImprimir();
  archivos().cierra(ARCH_TABLAS);
  pasoComprobacion();
}

// The newest draw is checked again; a wider view is brought back to the newest draw, whose change
// event redraws it, and the statistics chart goes back to its first half.
void Principal::pasoComprobacion() {
  if (HScroll1->value() == 1) {
    compruebasencillas(1);
    // The simple check went on to the multiple bets already when there are any: once is enough.
    if (!multiplescomprobadas) compruebamultiples(1);
    refrescaaciertos();
  } else {
    HScroll1->setValue(1);
    HScroll2->setValue(1);
  }
}
