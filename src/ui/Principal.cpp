#include "ui/Principal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QPointer>
#include <QSlider>
#include <QTabWidget>

#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"

using plataforma::px;

Principal& principal() { return plataforma::Unica<Principal>::instancia(); }
Principal* principalSiExiste() { return plataforma::Unica<Principal>::siExiste(); }
void descargaPrincipal() { plataforma::Unica<Principal>::descarga(); }

Principal::Principal() {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setWindowTitle(QStringLiteral(
      "Bolvanta v.3.4.9991 - Comprueba tus números por internet. La Primitiva, peña a peña"));
  creaControles();
  // Activation as the program understands it: the window comes to the front from another window
  // of the program, not when the user switches back from another application.
  qApp->installEventFilter(this);
}

Principal::~Principal() { qApp->removeEventFilter(this); }

void Principal::creaControles() {
  auto* fondo = new QWidget(this);
  setCentralWidget(fondo);
  setFixedSize(px(12300), px(9000));

  SSTab1 = new QTabWidget(fondo);
  SSTab1->setGeometry(px(60), px(60), px(12180), px(8500));
  const char* const titulos[] = {"General", "Último sorteo", "Gestor de peñas", "Estadísticas",
                                 "Crear combinación"};
  std::array<QWidget*, 5> pestanas{};
  for (int i = 0; i < 5; ++i) {
    pestanas[i] = new QWidget;
    SSTab1->addTab(pestanas[i], QString::fromUtf8(titulos[i]));
  }

  // Draws status panel: fixed captions; the others are filled when the draws are counted.
  struct Sitio {
    const char* texto;
    int x, y, ancho;
  };
  const Sitio panel[8] = {
      {"- Peñas registradas a comprobar:", 240, 240, 3300},
      {"- Última actualización de sorteos:", 240, 560, 3300},
      {"", 3600, 240, 5000},  // syndicates registered
      {"", 3600, 560, 5000},  // newest draw
      {"- Próximo sorteo:", 240, 880, 3300},
      {"", 3600, 880, 5000},   // next draw
      {"", 240, 1200, 3300},   // out-of-date warning
      {"", 3600, 1200, 5000},  // countdown
  };
  for (int i = 0; i < 8; ++i) {
    Label9[i] = new plataforma::Etiqueta(QString::fromUtf8(panel[i].texto), pestanas[0]);
    Label9[i]->setGeometry(px(panel[i].x), px(panel[i].y), px(panel[i].ancho), px(300));
    connect(Label9[i], &plataforma::Etiqueta::Click, this, [this, i] { Label9_Click(i); });
  }
  Label9[6]->setStyleSheet(QStringLiteral("color: #ff0000; font-weight: bold;"));
  Label9[6]->hide();

  for (int i = 0; i < 2; ++i) {
    Slider1[i] = new QSlider(Qt::Horizontal, pestanas[3]);
    Slider1[i]->setGeometry(px(240), px(6600 + 600 * i), px(4000), px(400));
    Slider1[i]->setMinimum(1);
  }
}

void Principal::Show() {
  if (!cargado_) {
    cargado_ = true;
    QPointer<Principal> yo(this);
    Form_Load();
    if (!yo || principalSiExiste() != this) return;  // start-up stopped the program
  }
  show();
  raise();
  activateWindow();
}

bool Principal::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::WindowActivate && objeto->isWidgetType()) {
    auto* w = static_cast<QWidget*>(objeto);
    if (w->isWindow()) {
      QWidget* anterior = ultimaActiva_;
      ultimaActiva_ = w;
      if (w == this && anterior != this) Form_Activate();
    }
  }
  return QMainWindow::eventFilter(objeto, evento);
}

void Principal::closeEvent(QCloseEvent* evento) {
  evento->ignore();
  Form_QueryUnload();
}

void Principal::Form_QueryUnload() { salir_Click(); }

void Principal::salir_Click() {
  plataforma::archivos().cierraTodos();
  descargaPrincipal();
  QCoreApplication::quit();
}
