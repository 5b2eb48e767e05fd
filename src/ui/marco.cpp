// The frame of the main window: the menu bar, the tab change, the small picture buttons beside the
// syndicate and statistics buttons, and the roll-over of the download button.
#include <QEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/navegador.h"
#include "plataforma/texto.h"
#include "plataforma/twips.h"
#include "ui/Principal.h"

using plataforma::px;

namespace {

// Entries of ImageList1 used here.
constexpr int DESCARGA_ENCIMA = 1, DESCARGA = 2, INFORME_APAGADO = 5, IMPRESORA = 13;

// Label8's background colours; beside each, its value &HBBGGRR (red in the low byte).
const char* const NARANJA = "#ff8000";  // &H80FF
const char* const GRIS = "#e0e0e0";     // &HE0E0E0

// Set while the tab "Último sorteo" is being refreshed: fetching its document waits for the network
// in an event loop, where another tab change could start a second refresh of the same files.
bool actualizandoUltimo = false;

QPixmap dibujo(const QString& recurso, int lado) {
  QSvgRenderer svg(recurso);
  QPixmap imagen(lado, lado);
  imagen.fill(Qt::transparent);
  if (!svg.isValid()) return imagen;
  QPainter pintor(&imagen);
  svg.render(&pintor);
  return imagen;
}

// Hands the mouse moves of some widgets to a handler, with the widget and the event.
class VigiaRaton : public QObject {
 public:
  VigiaRaton(QObject* padre, std::function<void(QWidget*, QEvent*)> accion)
      : QObject(padre), accion_(std::move(accion)) {}
  void vigila(QWidget* w) {
    w->setMouseTracking(true);
    w->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (evento->type() == QEvent::MouseMove || evento->type() == QEvent::Leave)
      accion_(static_cast<QWidget*>(objeto), evento);
    return false;
  }

 private:
  std::function<void(QWidget*, QEvent*)> accion_;
};

// Mouse buttons and shift keys as the program numbers them.
int botonesDe(Qt::MouseButtons b) {
  return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}
int teclasDe(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

void Principal::creaMenus() {
  struct Entrada {
    const char* titulo;
    void (Principal::*accion)();
    QAction** nombre;
  };
  auto agrega = [this](QMenu* menu, const Entrada& e) {
    QAction* a = menu->addAction(QString::fromUtf8(e.titulo));
    connect(a, &QAction::triggered, this, e.accion);
    if (e.nombre) *e.nombre = a;
  };
  QMenu* general = menuBar()->addMenu(QStringLiteral("General"));
  agrega(general, {"Bajar Sorteos nuevos", &Principal::Baja_Click, &Baja});
  agrega(general, {"Crear peña nueva", &Principal::Crearp_Click, &Crearp});
  agrega(general, {"Borrar sorteos almacenados/Reset aciertos peñas", &Principal::borrpe_Click, &borrpe});
  QMenu* sen = general->addMenu(QStringLiteral("Sencillas"));
  for (const Entrada& e : {Entrada{"Todos los resultados", &Principal::sencillas_Click, nullptr},
                           Entrada{"Sólo si hay premio", &Principal::verpremio_Click, nullptr},
                           Entrada{"Histórico (resultados sorteos anteriores a la fecha de creación de las peñas)",
                                   &Principal::verhisto_Click, nullptr},
                           Entrada{"Sólo si hay premios + histórico", &Principal::verprehi_Click, nullptr}})
    agrega(sen, e);
  QMenu* mult = general->addMenu(QString::fromUtf8("Múltiples"));
  for (const Entrada& e : {Entrada{"Todos los resultados", &Principal::Multiples_Click, nullptr},
                           Entrada{"Sólo si hay premio", &Principal::verpremiom_Click, nullptr},
                           Entrada{"Histórico (resultados sorteos anteriores a la fecha de creacón de las peñas)",
                                   &Principal::verhistom_Click, nullptr},
                           Entrada{"Sólo si hay premios + histórico", &Principal::verpreim_Click, nullptr}})
    agrega(mult, e);
  agrega(general, {"Salir", &Principal::salir_Click, &salir});

  QMenu* ver = menuBar()->addMenu(QStringLiteral("Ver"));
  agrega(ver, {"Pestaña General", &Principal::gene_Click, &gene});
  agrega(ver, {"Pestaña Último sorteo", &Principal::ultimo_Click, &ultimo});
  agrega(ver, {"Pestaña Gestor de peñas", &Principal::Gestor_Click, &Gestor});
  agrega(ver, {"Pestaña Estadísticas", &Principal::esta_Click, &esta});
  agrega(ver, {"Pestaña Crear Combinación", &Principal::comb_Click, &comb});

  QMenu* opciones = menuBar()->addMenu(QStringLiteral("Opciones"));
  agrega(opciones, {"Configuración", &Principal::confi_Click, &confi});

  QMenu* ayuda = menuBar()->addMenu(QStringLiteral("Ayuda"));
  agrega(ayuda, {"Instrucciones", &Principal::instrucciones_Click, &instrucciones});
  agrega(ayuda, {"Leer mensaje del Jefe", &Principal::Leer_Click, &Leer});
  agrega(ayuda, {"Web del programa", &Principal::web_Click, &web});
  agrega(ayuda, {"Acerca de...", &Principal::acerca_Click, &acerca});
}

void Principal::creaMarco() {
  actualizandoUltimo = false;  // a refresh of a window since unloaded never ended
  // Picture buttons: the syndicate's commands in the order of their buttons, on the room below
  // "Editar Peña"; the draws file's beside "Añadir todos los sorteos".
  struct Boton {
    int indice;
    int pestana;
    int x, y;
    const char* dibujo;
    const char* ayuda;
  };
  const Boton botones[] = {
      {3, 2, 4860, 3900, ":/principal/13.svg", "Imprimir boletos"},
      {0, 2, 5520, 3900, ":/principal/papelera.svg", "Eliminar peña"},
      {1, 2, 6180, 3900, ":/principal/lapiz.svg", "Editar Peña"},
      {4, 3, 5880, 7400, ":/principal/importar.svg", "Añadir todos los sorteos"},
      {2, 3, 6255, 7400, ":/principal/vaciar.svg", "Borrar todos los sorteos"},
  };
  for (const Boton& b : botones) {
    auto* imagen = new plataforma::Imagen(SSTab1->widget(b.pestana));
    imagen->setGeometry(px(b.x), px(b.y), px(420), px(420));
    imagen->setAlignment(Qt::AlignCenter);
    imagen->setPixmap(dibujo(QString::fromLatin1(b.dibujo), 24));
    imagen->setToolTip(QString::fromUtf8(b.ayuda));
    const int i = b.indice;
    connect(imagen, &plataforma::Imagen::Click, this, [this, i] { Image1_Click(i); });
    Image1[i] = imagen;
  }

  pestanaActual_ = SSTab1->currentIndex();
  connect(SSTab1, &QTabWidget::currentChanged, this, [this](int pestana) {
    const int anterior = pestanaActual_;
    pestanaActual_ = pestana;
    SSTab1_Click(anterior);
  });

  // Moves over the tab control itself, not over a control on it.
  auto* sobrePestanas = new VigiaRaton(this, [this](QWidget* w, QEvent* evento) {
    if (evento->type() != QEvent::MouseMove) return;
    const QPoint donde = static_cast<QMouseEvent*>(evento)->position().toPoint();
    if (w == SSTab1->tabBar() || !w->childAt(donde)) SSTab1_MouseMove();
  });
  sobrePestanas->vigila(SSTab1->tabBar());
  for (int i = 0; i < SSTab1->count(); ++i) sobrePestanas->vigila(SSTab1->widget(i));

  auto* sobreDescarga = new VigiaRaton(this, [this](QWidget*, QEvent* evento) {
    if (evento->type() == QEvent::Leave) {
      // Leaving in one quick move may skip the rim: the picture goes back to normal all the same.
      Picture2_MouseMove(0, 0, -1, -1);
      return;
    }
    const auto* raton = static_cast<QMouseEvent*>(evento);
    Picture2_MouseMove(botonesDe(raton->buttons()), teclasDe(raton->modifiers()),
                       float(raton->position().x()), float(raton->position().y()));
  });
  sobreDescarga->vigila(Picture2);
}

void Principal::SSTab1_Click(int PreviousTab) {
  plataforma::sinErrores([&] {
    paraparpadeo();
    if (PreviousTab == 4) {
      for (QWidget* w : std::initializer_list<QWidget*>{Command4, Command9, Image6, Label54, Label56, Label33,
                                                        Label53, Label55})
        w->show();
      Image4_Click();
    }
    if (SSTab1->currentIndex() == 4) {
      Frame12->hide();
      Frame6->hide();
      Frame7->hide();
      Image2[0]->setEnabled(false);
      Image2[0]->setPicture(ImageList1, INFORME_APAGADO);
      listatablas(0);
    }
    if (Timer1->isActive() && SSTab1->currentIndex() == 1) {
      // The tab is being rewritten by the download. Setting the tab runs this handler once more
      // for the way back, which leaves the tab as a change to it would.
      SSTab1->setCurrentIndex(PreviousTab);
    } else if (!Text1->isHidden() && SSTab1->currentIndex() == 1 && !actualizandoUltimo) {
      actualizandoUltimo = true;
      const auto fin = qScopeGuard([] { actualizandoUltimo = false; });
      Label8->setText(QStringLiteral("Un momento. Actualizando información..."));
      Label8->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(NARANJA));
      Label8->repaint();
      repaint();
      QPointer<Principal> yo(this);
      informesorteo(1);
      if (!yo) return;  // the program ended while the document was fetched
      Label8->setStyleSheet(QStringLiteral("background-color: %1; font-weight: bold;").arg(GRIS));
    }
  });
}

void Principal::SSTab1_MouseMove() {
  if (SSTab1->currentIndex() == 0) Image5->setPicture(ImageList1, IMPRESORA);
}

void Principal::Picture2_MouseMove(int, int, float X, float Y) {
  const bool borde = X <= 6 || X >= 110 || Y <= 12 || Y >= 70;
  Picture2->setPicture(ImageList1, borde ? DESCARGA : DESCARGA_ENCIMA);
}

void Principal::Image1_Click(int Index) {
  switch (Index) {
    case 0:
      Command3_Click();
      break;
    case 1:
      Command7_Click();
      break;
    case 2:
      if (Command5->isEnabled()) Command5_Click();
      break;
    case 3:
      Command2_Click();
      break;
    case 4:
      Command8_Click();
      break;
    default:
      break;
  }
}

void Principal::gene_Click() { SSTab1->setCurrentIndex(0); }
void Principal::Gestor_Click() { SSTab1->setCurrentIndex(2); }
void Principal::esta_Click() { SSTab1->setCurrentIndex(3); }
void Principal::comb_Click() { SSTab1->setCurrentIndex(4); }

void Principal::borrpe_Click() { Command5_Click(); }

void Principal::instrucciones_Click() {
  configuracion.direccionweb = plataforma::recorta(configuracion.direccionweb);
  plataforma::abreDireccion(QStringLiteral("http://") + configuracion.direccionweb +
                            QStringLiteral("/descargas/Instrucciones%20Bolvanta%203.2.pdf"));
}
