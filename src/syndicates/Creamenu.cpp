#include "syndicates/Creamenu.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTimer>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/fuentes.h"
#include "plataforma/sistema.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"
#include "syndicates/Crea.h"
#include "syndicates/reduccion.h"
#include "ui/Principal.h"

using plataforma::px;

Creamenu& creamenu() { return plataforma::Unica<Creamenu>::instancia(); }
Creamenu* creamenuSiExiste() { return plataforma::Unica<Creamenu>::siExiste(); }

void descargaCreamenu() {
  if (Creamenu* m = creamenuSiExiste()) m->Timer1->stop();
  plataforma::Unica<Creamenu>::descarga();
}

namespace {
// The six multiple bets in the order of their bet-type codes 501 to 506.
const char* const MULTIPLES[] = {"7 números (7 apuestas)",    "8 números (28 apuestas)",
                                 "5 números (44 apuestas)",   "9 números (84 apuestas)",
                                 "10 números (210 apuestas)", "11 números (462 apuestas)"};
}  // namespace

Creamenu::Creamenu() {
  plataforma::dialogoPropio(this);
  setWindowTitle(QString::fromUtf8("Menú creación"));
  setFixedSize(px(5400), px(3600));

  Label2 = new QLabel(QString::fromUtf8("SELECCIONE UN MODO DE APUESTA:"), this);
  Label2->setGeometry(px(240), px(180), px(4800), px(360));
  // The program's own font, whose widths are known, so that the title fits its label everywhere.
  QFont titulo = plataforma::fuentePrograma(13);
  titulo.setBold(true);
  Label2->setFont(titulo);
  Label2->setStyleSheet(QStringLiteral("color: #ffff00;"));

  const char* const modos[] = {"Múltiple", "Sencilla", "Reducida"};
  for (int i = 0; i < 3; ++i) {
    Option1[i] = new QRadioButton(QString::fromUtf8(modos[i]), this);
    Option1[i]->setGeometry(px(360), px(780 + 420 * i), px(1800), px(300));
    Option1[i]->setStyleSheet(QStringLiteral("color: #ffffff;"));
    connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool activo) {
      if (activo) Option1_Click(i);
    });
  }

  Combo1 = new QComboBox(this);
  Combo1->setGeometry(px(360), px(2340), px(3600), px(330));
  Combo1->setPlaceholderText(QStringLiteral("Tablas de reducciones"));
  Combo1->hide();
  // A choice is the user's pick only: clearing or refilling the list is no choice.
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

  Label3 = new plataforma::Etiqueta(QStringLiteral("X"), this);
  Label3->setGeometry(px(5100), px(45), px(240), px(270));
  Label3->setStyleSheet(QStringLiteral("color: #ffffff; font-weight: bold;"));
  Label3->setCursor(Qt::PointingHandCursor);
  connect(Label3, &plataforma::Etiqueta::Click, this, &Creamenu::Label3_Click);

  // The marks fall on the boxes of the little slip drawn in the background, row after row.
  for (int k = 0; k < 18; ++k) {
    Label1[k] = new QLabel(QStringLiteral("x"), this);
    Label1[k]->setAlignment(Qt::AlignCenter);
    Label1[k]->setStyleSheet(QStringLiteral("color: #1030c0; font-weight: bold;"));
    Label1[k]->setGeometry(px(15 * (180 + 28 * (k % 6))), px(15 * (52 + 30 * (k / 6))), px(330), px(330));
    Label1[k]->hide();
  }

  Timer1 = new QTimer(this);
  Timer1->setInterval(500);
  connect(Timer1, &QTimer::timeout, this, &Creamenu::Timer1_Timer);
  Timer1->start();
}

Creamenu::~Creamenu() = default;

void Creamenu::Show() { plataforma::muestra(*this, cargado_); }

void Creamenu::Form_Load() {
  if (Principal* p = principalSiExiste()) move(p->x() + px(3200), p->y() + px(2800));
  marcas = 0;
  const QString carpeta = plataforma::carpetaPrograma();
  QDir::setCurrent(carpeta);
  estado().ruta = rutaDe(carpeta);
  // Without the file the list of systems stays empty; start-up already refuses to run without it.
  plataforma::sinErrores([] { abreTablas(); });
}

void Creamenu::Option1_Click(int Index) {
  switch (Index) {
    case 0:
      listamodos(1);
      break;
    case 1:
      estado().modalidad = 0;
      crea().Show();
      descargaCreamenu();
      break;
    case 2:
      listamodos(2);
      break;
    default:
      break;
  }
}

void Creamenu::listamodos(int modo) {
  Combo1->clear();
  if (modo == 2) {
    Combo1->setPlaceholderText(QString::fromUtf8("Seleccione Reducción"));
    std::vector<TablaReducida> tablas;
    plataforma::sinErrores([&] { tablas = cabecerasDeTablas(); });
    for (const TablaReducida& t : tablas)
      Combo1->addItem(QString::fromUtf8("%1 números al %2, %3 apuestas.")
                          .arg(t.totalnumeros)
                          .arg(t.garantia)
                          .arg(t.totalapuestas));
  } else {
    Combo1->setPlaceholderText(QString::fromUtf8("Seleccione Múltiple"));
    for (const char* m : MULTIPLES) Combo1->addItem(QString::fromUtf8(m));
  }
  Combo1->setCurrentIndex(-1);
  Combo1->setVisible(true);
}

void Creamenu::Combo1_Click() {
  const int indice = Combo1->currentIndex();
  if (indice < 0) return;
  if (Option1[0]->isChecked()) {
    estado().modalidad = indice + 1;
  } else {
    estado().modalidad = 7;
    estado().sistemareducido = indice;
  }
  crea().Show();
}

void Creamenu::Timer1_Timer() {
  if (marcas >= 0 && marcas < 18) Label1[marcas]->setVisible(true);
  ++marcas;
  if (marcas >= 18) Timer1->stop();
}

void Creamenu::Label3_Click() { descargaCreamenu(); }

void Creamenu::closeEvent(QCloseEvent* evento) {
  evento->ignore();
  descargaCreamenu();
}

void Creamenu::paintEvent(QPaintEvent*) {
  if (fondo_.isNull()) {
    fondo_ = QPixmap(size());
    fondo_.fill(QColor(0x0b, 0x4d, 0x2c));
    QSvgRenderer dibujo(QStringLiteral(":/syndicates/creamenu.svg"));
    QPainter lienzo(&fondo_);
    if (dibujo.isValid()) dibujo.render(&lienzo, QRectF(fondo_.rect()));
  }
  QPainter pintor(this);
  pintor.drawPixmap(0, 0, fondo_);
}
