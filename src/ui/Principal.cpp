#include "ui/Principal.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPainter>
#include <QPointer>
#include <QProgressBar>
#include <QScrollBar>
#include <QSlider>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/fuentes.h"
#include "plataforma/listview.h"
#include "plataforma/navegador.h"
#include "plataforma/red.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"
#include "syndicates/efectividad.h"
#include "syndicates/grafico.h"
#include "ui/Acercade.h"
#include "ui/Configurar.h"

using plataforma::px;

namespace {

// The user's clicks, keys and wheel turns; not the request to close a window.
bool esEntrada(QEvent::Type tipo) {
  switch (tipo) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

// Closes a window of the program once no request waits any more. Its close box was clicked while
// one waited; closing it then would bring the main window back to the front, whose activation
// checks the draws again in the middle of the download.
void cierraTrasEspera(const QPointer<QWindow>& ventana) {
  QTimer::singleShot(100, ventana, [ventana] {
    if (plataforma::esperandoRed())
      cierraTrasEspera(ventana);
    else
      ventana->close();
  });
}

}  // namespace

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

  creaVistaComprobacion(pestanas[0]);
  creaUltimoSorteo(pestanas[1]);
  creaGestor(pestanas[2]);
  creaEstadisticas(pestanas[3]);
  creaMantenimiento(pestanas[3]);
  // After the statistics controls: step 1 of the generator holds the mirrors of some of them.
  creaCombinacion(pestanas[4]);
  creaMarco();
}

void Principal::creaVistaComprobacion(QWidget* pestana) {
  // Pictures of the window, numbered as the program refers to them; a number without a drawing
  // stays empty.
  for (int i = 1; i <= 14; ++i) {
    const QString nombre = QStringLiteral(":/principal/%1.svg").arg(i);
    QPixmap imagen;
    if (QFile::exists(nombre)) {
      QSvgRenderer dibujo(nombre);
      imagen = QPixmap(dibujo.defaultSize());
      imagen.fill(Qt::transparent);
      QPainter pintor(&imagen);
      dibujo.render(&pintor);
    }
    ImageList1.agrega(imagen);
  }

  Label32 = new QLabel(QStringLiteral("Sorteos a comprobar:"), pestana);
  Label32->setGeometry(px(8700), px(240), px(2400), px(300));
  Text3 = new QLineEdit(QStringLiteral("1"), pestana);
  Text3->setReadOnly(true);
  Text3->setAlignment(Qt::AlignCenter);
  Text3->setGeometry(px(8700), px(560), px(700), px(330));
  HScroll1 = new QScrollBar(Qt::Horizontal, pestana);
  HScroll1->setGeometry(px(9500), px(560), px(2300), px(330));
  HScroll1->setRange(1, 1);
  HScroll1->setValue(1);
  // The check runs when the thumb is let go; while it is dragged only the figure follows.
  HScroll1->setTracking(false);
  connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
  connect(HScroll1, &QScrollBar::sliderMoved, this, [this] { HScroll1_Scroll(); });

  Timer2 = new QTimer(this);
  Timer2->setInterval(500);
  connect(Timer2, &QTimer::timeout, this, [this] { Timer2_Timer(); });

  Check1 = new QCheckBox(QString::fromUtf8("Histórico"), pestana);
  Check1->setGeometry(px(240), px(1620), px(1500), px(330));
  connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
  Check2 = new QCheckBox(QString::fromUtf8("Ver sólo si hay premio"), pestana);
  Check2->setGeometry(px(1800), px(1620), px(2700), px(330));
  connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });

  Label12 = new QLabel(QString::fromUtf8("Peña:"), pestana);
  Label12->setGeometry(px(4500), px(1650), px(600), px(300));
  Combo2 = new QComboBox(pestana);
  Combo2->setGeometry(px(5100), px(1590), px(2750), px(360));
  connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });

  const char* const titulos[] = {"S E N C I L L A", "M Ú L T I P L E"};
  for (int i = 0; i < 2; ++i) {
    Command1[i] = new plataforma::Boton(QString::fromUtf8(titulos[i]), pestana);
    Command1[i]->setGeometry(px(8000 + 1650 * i), px(1560), px(1600), px(420));
    connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
  }

  Shape2 = new QFrame(pestana);
  Shape2->setStyleSheet(QStringLiteral("background-color: #800000;"));
  Shape2->setGeometry(px(240), px(2040), px(7600), px(60));

  ListView2 = new plataforma::ListView(pestana);
  ListView2->setGeometry(px(240), px(2100), px(7601), px(5200));
  ListView2->setFont(plataforma::fuentePrograma());
  ListView2->agregaColumna(QString(), 441);
  for (int i = 1; i <= 6; ++i) ListView2->agregaColumna(QString::number(i), 882);
  ListView2->agregaColumna(QStringLiteral("7"), 7056);

  ListView4 = new plataforma::ListView(pestana);
  ListView4->setGeometry(px(240), px(2100), px(8801), px(5200));
  ListView4->setFont(plataforma::fuentePrograma());
  // Number columns just wide enough for two figures, so that the breakdown lines of column 12 stand
  // whole in the list's width.
  ListView4->agregaColumna(QString(), 300);
  for (int i = 1; i <= 11; ++i) ListView4->agregaColumna(QString::number(i), 330);
  ListView4->agregaColumna(QStringLiteral("12"), 4100);
  ListView4->agregaColumna(QStringLiteral("13"), 330);
  ListView4->hide();
  for (auto* lista : {ListView2, ListView4}) {
    lista->setMouseTracking(true);
    lista->viewport()->setMouseTracking(true);
    lista->viewport()->installEventFilter(this);
  }

  ProgressBar2 = new QProgressBar(pestana);
  ProgressBar2->setGeometry(px(240), px(7350), px(7601), px(200));
  ProgressBar2->setTextVisible(false);
  ProgressBar2->setRange(0, 1);
  ProgressBar2->setValue(0);

  Timer3 = new QTimer(this);
  Timer3->setInterval(800);
  connect(Timer3, &QTimer::timeout, this, [this] { Timer3_Timer(); });

  Image5 = new plataforma::Imagen(pestana);
  Image5->setGeometry(px(11450), px(1530), px(480), px(480));
  Image5->setPicture(ImageList1, 13);
  connect(Image5, &plataforma::Imagen::MouseMove, this, [this] { Image5->setPicture(ImageList1, 14); });
  connect(Image5, &plataforma::Imagen::Click, this, [this] { Image5_Click(); });

  Image7 = new plataforma::Imagen(pestana);
  Image7->setGeometry(px(9300), px(2400), px(2600), px(2600));
  Image7->setPicture(ImageList1, 12);

  creaDescarga(pestana);
  creaMenus();
}

void Principal::creaDescarga(QWidget* pestana) {
  Picture2 = new plataforma::Imagen(pestana);
  Picture2->setGeometry(px(9700), px(5100), px(1800), px(1200));
  Picture2->setPicture(ImageList1, 2);
  Picture2->setToolTip(QStringLiteral("Bajar Sorteos nuevos"));
  connect(Picture2, &plataforma::Imagen::Click, this, [this] { Picture2_Click(); });

  Label6 = new QLabel(pestana);
  Label6->setGeometry(px(9000), px(6400), px(3000), px(300));
  Label6->setAlignment(Qt::AlignCenter);
  ProgressBar1 = new QProgressBar(pestana);
  ProgressBar1->setGeometry(px(9300), px(6750), px(2400), px(200));
  ProgressBar1->setRange(0, 5);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  Label59 = new QLabel(pestana);
  Label59->setGeometry(px(9000), px(7000), px(3000), px(300));
  Label59->setAlignment(Qt::AlignCenter);
  Label58 = new QLabel(pestana);
  Label58->setGeometry(px(9000), px(7300), px(3000), px(300));
  Label58->setAlignment(Qt::AlignCenter);
  Label58->hide();
  RichTextBox1 = new QPlainTextEdit(pestana);
  RichTextBox1->hide();

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
  Inet1 = new plataforma::Inet(this);
  Inet2 = new plataforma::Inet(this);
  connect(Inet1, &plataforma::Inet::StateChanged, this, [this](int e) { Inet1_StateChanged(e); });
}

void Principal::creaUltimoSorteo(QWidget* pestana) {
  Label8 = new QLabel(pestana);
  Label8->setGeometry(px(240), px(120), px(11600), px(420));
  Label8->setAlignment(Qt::AlignCenter);
  Label8->setStyleSheet(QStringLiteral("background-color: #e0e0e0; font-weight: bold;"));
  Frame2 = new QFrame(pestana);
  Frame2->setFrameShape(QFrame::StyledPanel);
  Frame2->setGeometry(px(240), px(700), px(3400), px(7200));
  for (int i = 0; i < 6; ++i) {
    Label10[i] = new QLabel(Frame2);
    Label10[i]->setGeometry(px(120), px(300 + 900 * i), px(3160), px(700));
    Label10[i]->setWordWrap(true);
  }
  WebBrowser1 = new plataforma::NavegadorWeb(pestana);
  WebBrowser1->setGeometry(px(3800), px(700), px(8050), px(7200));
  WebBrowser1->hide();
  connect(WebBrowser1, &plataforma::NavegadorWeb::NavigateError, this,
          [this](const QString& URL, int StatusCode) { WebBrowser1_NavigateError(URL, StatusCode); });
  Text1 = new plataforma::CajaTexto(pestana);
  Text1->setGeometry(px(3800), px(700), px(8050), px(7200));
  connect(Text1, &plataforma::CajaTexto::Click, this, [this] { Text1_Click(); });
}

void Principal::creaNoticias(QWidget* pestana) {
  Command6 = new QPushButton(QStringLiteral("Ver mensaje"), pestana);
  Command6->setGeometry(px(240), px(7400), px(1800), px(420));
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  Text2 = new QPlainTextEdit(pestana);
  Text2->hide();
  Text6 = new QPlainTextEdit(pestana);
  Text6->hide();
}

void Principal::creaGestor(QWidget* pestana) {
  ListView1 = new plataforma::ListView(pestana);
  ListView1->setGeometry(px(240), px(240), px(6600), px(3000));
  ListView1->agregaColumna(QStringLiteral("Nombre"), 2400);
  ListView1->agregaColumna(QStringLiteral("Apuestas"), 900);
  ListView1->agregaColumna(QString::fromUtf8("Fecha creación"), 1400);
  // "Jueves y Sábado" fills the last column; all four stand in the list beside its scroll bar.
  ListView1->agregaColumna(QString::fromUtf8("Días a jugar"), 1600);
  connect(ListView1, &plataforma::ListView::ItemClick, this, [this](int fila) { ListView1_ItemClick(fila); });

  struct Orden {
    QPushButton** boton;
    const char* titulo;
    void (Principal::*accion)();
  };
  const Orden ordenes[] = {{&Command2, "Imprimir boletos", &Principal::Command2_Click},
                           {&Command3, "Eliminar peña", &Principal::Command3_Click},
                           {&Command7, "Editar Peña", &Principal::Command7_Click}};
  for (int i = 0; i < 3; ++i) {
    QPushButton* b = new QPushButton(QString::fromUtf8(ordenes[i].titulo), pestana);
    b->setGeometry(px(240 + 2250 * i), px(3360), px(2100), px(420));
    connect(b, &QPushButton::clicked, this, ordenes[i].accion);
    *ordenes[i].boton = b;
  }

  Label2 = new QLabel(QString::fromUtf8("Suma aciertos peñas:"), pestana);
  Label2->setGeometry(px(240), px(3960), px(1900), px(300));
  Label13 = new QLabel(pestana);
  Label13->setGeometry(px(2160), px(3960), px(1200), px(300));
  Label13->setStyleSheet(QStringLiteral("font-weight: bold;"));
  Text4 = new QLineEdit(pestana);
  Text4->setReadOnly(true);
  Text4->setGeometry(px(240), px(4320), px(4400), px(330));
  Text5 = new QLineEdit(pestana);
  Text5->setReadOnly(true);
  Text5->setGeometry(px(240), px(4680), px(4400), px(330));
  MSChart2 = new GraficoFila(QString::fromUtf8("Aciertos de todas las peñas desde la creación de éstas."),
                             pestana);
  MSChart2->setGeometry(px(240), px(5100), px(6600), px(2200));

  ListView5 = new plataforma::ListView(pestana);
  ListView5->setGeometry(px(7100), px(240), px(2450), px(ALTO_MAXIMO_LISTA_APUESTAS));
  // A fixed-pitch font, so that the numbers of every bet stand in columns; a pixel smaller than the
  // window's text, so that the rows fit the height the list is given for them.
  ListView5->setFont(plataforma::fuenteFija(plataforma::PIXELES_TEXTO - 1));
  ListView5->agregaColumna(QStringLiteral("Apuestas"), ANCHO_LISTA_APUESTAS);

  // The counters of the syndicate shown, since it was created.
  Frame1 = new QGroupBox(QString::fromUtf8("Desde la creación de la peña:"), pestana);
  Frame1->setGeometry(px(7100), px(5520), px(3000), px(2400));
  const char* const contadores[] = {"-Aciertos de 3: ", "-Aciertos de 4: ", "-Aciertos de 5: ",
                                     "-Aciertos de 6: ", "-Aciertos de 5+C: "};
  for (int i = 0; i < 5; ++i) {
    auto* titulo = new QLabel(QString::fromUtf8(contadores[i]), Frame1);
    titulo->setGeometry(px(120), px(270 + 280 * i), px(1700), px(280));
    Label3[i] = new QLabel(Frame1);
    Label3[i]->setGeometry(px(1900), px(270 + 280 * i), px(1000), px(280));
  }
  auto* jugados = new QLabel(QString::fromUtf8("-Sorteos jugados: "), Frame1);
  jugados->setGeometry(px(120), px(1780), px(1700), px(280));
  Label17 = new QLabel(Frame1);
  Label17->setGeometry(px(1900), px(1780), px(1000), px(280));
  auto* porcentaje = new QLabel(QString::fromUtf8("-Con premio: "), Frame1);
  porcentaje->setGeometry(px(120), px(2060), px(1700), px(280));
  Label16 = new QLabel(Frame1);
  Label16->setGeometry(px(1900), px(2060), px(1000), px(280));

  // One line each: the bet mode, the base numbers of a reduced system, the weekly cost.
  Frame8 = new QGroupBox(QString::fromUtf8("Tipo de Peña:"), pestana);
  Frame8->setGeometry(px(7100), px(4550), px(4950), px(950));
  Label28 = new QLabel(Frame8);
  Label28->setGeometry(px(120), px(255), px(4710), px(225));
  // Up to sixteen base numbers joined by hyphens, broken between numbers if they ever need two lines.
  Label29 = new plataforma::EtiquetaGuiones(Frame8);
  Label29->setGeometry(px(120), px(480), px(4710), px(225));
  auto* gasto = new QLabel(QString::fromUtf8("- Gasto semanal:"), Frame8);
  gasto->setGeometry(px(120), px(705), px(1650), px(225));
  Label37 = new QLabel(Frame8);
  Label37->setGeometry(px(1800), px(705), px(3000), px(225));

  Frame4 = new QGroupBox(pestana);
  Frame4->setGeometry(px(9700), px(180), px(2350), px(4260));
  MSChart3 = new GraficoFila(QString(), Frame4);
  MSChart3->setGeometry(px(60), px(120), px(2230), px(4080));

  creaNoticias(pestana);
}

void Principal::creaCombinacion(QWidget* pestana) {
  Command4 = new QPushButton(QStringLiteral("Manual"), pestana);
  Command4->setGeometry(px(240), px(7400), px(1800), px(420));
  connect(Command4, &QPushButton::clicked, this, &Principal::Command4_Click);
  for (int i = 0; i < 2; ++i) {
    Image2[i] = new plataforma::Imagen(pestana);
    Image2[i]->setGeometry(px(9000 + 1400 * i), px(6600), px(720), px(720));
    Image2[i]->setPicture(ImageList1, 4);
  }
  creaGenerador(pestana);
  creaResumen(Frame12);
}

void Principal::acerca_Click() { acercade().Show(); }

void Principal::confi_Click() { configurar().Show(); }

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
  // While a request waits for its answer no window takes the user's input, as a window held by
  // the request would not: a click made meanwhile is not run afterwards. A box opened meanwhile
  // is answered as usual. The main window's close box is heard at once (closeEvent); another
  // window closes once the wait is over.
  if (plataforma::esperandoRed() && evento->spontaneous() && !QApplication::activeModalWidget() &&
      !QApplication::activePopupWidget()) {
    if (esEntrada(evento->type())) return true;
    auto* otra = qobject_cast<QWindow*>(objeto);
    if (evento->type() == QEvent::Close && otra && otra != windowHandle()) {
      cierraTrasEspera(otra);
      return true;
    }
  }
  if (evento->type() == QEvent::MouseMove) {
    if (ListView2 && objeto == ListView2->viewport()) ListView2_MouseMove();
    if (ListView4 && objeto == ListView4->viewport()) ListView4_MouseMove();
  }
  if (evento->type() == QEvent::WindowActivate && objeto->isWidgetType()) {
    auto* w = static_cast<QWidget*>(objeto);
    if (w->isWindow() && plataforma::cuentaParaActivacion(w)) {
      if (w == this) {
        // The first time it is shown, and back from one of the program's own windows; not from
        // a message box, a system dialog or another application.
        const bool toca = activaciones == 0 || vieneDeDialogo_;
        vieneDeDialogo_ = false;
        if (toca) Form_Activate();
      } else {
        vieneDeDialogo_ = plataforma::esDialogoPropio(w);
      }
    }
  }
  return QMainWindow::eventFilter(objeto, evento);
}

void Principal::closeEvent(QCloseEvent* evento) {
  // Also while a request waits for its answer: the program ends at once, the request with it. Every
  // file is whole, as every change was written when it was made, and a file being fetched only
  // replaces the old one once it arrived whole.
  evento->ignore();
  Form_QueryUnload();
}

void Principal::Form_QueryUnload() { salir_Click(); }

void Principal::salir_Click() {
  plataforma::archivos().cierraTodos();
  descargaPrincipal();
  QCoreApplication::quit();
}
