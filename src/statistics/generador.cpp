// The combination generator on the tab "Crear combinación": the opening panel, the three steps and
// their locking, the picture buttons and the hand-over of the ranked numbers to the editor.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "data/avisobloqueo.h"
#include "data/avisopermiso.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "plataforma/msgbox.h"
#include "plataforma/twips.h"
#include "syndicates/Crea.h"
#include "ui/Principal.h"

using plataforma::Imagen;
using plataforma::px;

namespace {

// Entries of ImageList1: enabled, hover and disabled picture of each kind of picture button.
constexpr int INFORME = 4, INFORME_ENCIMA = 3, INFORME_APAGADO = 5;
constexpr int TIPO = 6, TIPO_ENCIMA = 7, TIPO_APAGADO = 8;
constexpr int VOLVER = 9, VOLVER_ENCIMA = 10, VOLVER_APAGADO = 11;

// Set from the count slider's refusal until its box is closed: a change that arrives meanwhile is
// put back without a second box.
bool avisandoSlider2 = false;

// Reports the mouse moving over a frame itself, not over one of its pictures: a picture passes the
// moves it does not use on to its frame, and those must not undo the picture's own hover.
class VigiaMarco : public QObject {
 public:
  VigiaMarco(QWidget* marco, std::function<void()> accion)
      : QObject(marco), marco_(marco), accion_(std::move(accion)) {
    marco->setMouseTracking(true);
    marco->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* objeto, QEvent* evento) override {
    if (objeto == marco_ && evento->type() == QEvent::MouseMove) {
      const auto* raton = static_cast<QMouseEvent*>(evento);
      if (!qobject_cast<Imagen*>(marco_->childAt(raton->position().toPoint()))) accion_();
    }
    return false;
  }

 private:
  QWidget* marco_;
  std::function<void()> accion_;
};

QPixmap dibujo(const QString& recurso) {
  QSvgRenderer svg(recurso);
  if (!svg.isValid()) return {};
  QPixmap imagen(svg.defaultSize());
  imagen.fill(Qt::transparent);
  QPainter pintor(&imagen);
  svg.render(&pintor);
  return imagen;
}

QLabel* etiqueta(const char* texto, QWidget* padre, int x, int y, int ancho, int alto, bool varias = false) {
  auto* l = new QLabel(QString::fromUtf8(texto), padre);
  l->setGeometry(px(x), px(y), px(ancho), px(alto));
  l->setWordWrap(varias);
  if (varias) l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return l;
}

QGroupBox* marco(const char* titulo, QWidget* padre, int x, int y, int ancho, int alto) {
  auto* f = new QGroupBox(QString::fromUtf8(titulo), padre);
  f->setGeometry(px(x), px(y), px(ancho), px(alto));
  return f;
}

}  // namespace

void Principal::creaGenerador(QWidget* pestana) {
  avisandoSlider2 = false;  // a refusal due to a window since unloaded never came
  // Opening panel.
  Image6 = new Imagen(pestana);
  Image6->setCursor(Qt::ArrowCursor);
  Image6->setGeometry(px(360), px(480), px(3000), px(3000));
  Image6->setAlignment(Qt::AlignCenter);
  Image6->setPixmap(dibujo(QStringLiteral(":/principal/generador.svg")));
  Label56 = etiqueta("Creación de una Peña nueva", pestana, 3720, 420, 8100, 480);
  QFont titulo = Label56->font();
  titulo.setPointSize(14);
  titulo.setBold(true);
  Label56->setFont(titulo);
  Label56->setStyleSheet(QStringLiteral("color: #000080;"));
  Label54 = etiqueta("- Seleccione el modo de creación de la peña:", pestana, 3720, 1140, 8100, 300);
  Command4->setGeometry(px(3720), px(1680), px(1800), px(420));
  Label33 = etiqueta("Introduzca los números manualmente. Cree la peña Reducida, Múltiple o Sencilla, con los "
                     "números que usted desee.",
                     pestana, 5760, 1620, 6060, 600, true);
  Command9 = new QPushButton(QString::fromUtf8("Automática"), pestana);
  Command9->setGeometry(px(3720), px(2580), px(1800), px(420));
  connect(Command9, &QPushButton::clicked, this, &Principal::Command9_Click);
  Label53 = etiqueta("Deje que el ordenador confeccione las apuestas de su peña, a partir de los números que más "
                     "salen de la base de datos de los sorteos almacenados en el programa.",
                     pestana, 5760, 2520, 6060, 860, true);
  Label55 = etiqueta("Puede crear peñas Sencillas, Múltiples y Reducidas, así como ver o imprimir un informe "
                     "estadístico.",
                     pestana, 5760, 3420, 6060, 600, true);

  // Step 1: the draws. The boxes mirror those of the tab "Estadísticas".
  // The lower part of the frame is left to the summary of the selection.
  Frame12 = marco("Paso 1", pestana, 240, 120, 5700, 4800);
  for (int k : {10, 3, 4, 7, 8}) Check3[k]->setParent(Frame12);
  Slider1[1]->setParent(Frame12);

  // Step 2: how many numbers.
  Frame6 = marco("Paso 2", pestana, 240, 5040, 5700, 2460);
  Label22 = etiqueta("- Indique la cantidad de números a seleccionar:", Frame6, 240, 360, 5200, 300);
  Slider2 = new QSlider(Qt::Horizontal, Frame6);
  Slider2->setGeometry(px(240), px(720), px(5200), px(450));
  Slider2->setRange(0, 49);
  Slider2->setSingleStep(1);
  Slider2->setPageStep(5);
  Slider2->setTickPosition(QSlider::TicksBelow);
  Slider2->setTickInterval(5);
  // The count is taken when the thumb is let go, not at every number it passes while dragged.
  Slider2->setTracking(false);
  connect(Slider2, &QSlider::valueChanged, this, [this] { Slider2_Change(); });
  Label23 = etiqueta("Ha seleccionado 0 números.", Frame6, 240, 1260, 5200, 300);
  Label23->setStyleSheet(QStringLiteral("font-weight: bold;"));
  Label51 = etiqueta("El archivo de tablas reducidas no es válido.", Frame6, 240, 1680, 5200, 600, true);

  // Step 3: the kind of syndicate.
  Frame7 = marco("Paso 3", pestana, 6120, 120, 5820, 7800);
  const char* const tipos[] = {"Reducida", "Sencilla", "Múltiple"};
  for (int i = 0; i < 3; ++i) {
    Image3[i] = new Imagen(Frame7);
    Image3[i]->setGeometry(px(360 + 1860 * i), px(420), px(960), px(960));
    Image3[i]->setAlignment(Qt::AlignCenter);
    Image3[i]->setToolTip(QString::fromUtf8(tipos[i]));
    connect(Image3[i], &Imagen::Click, this, [this, i] { Image3_Click(i); });
    connect(Image3[i], &Imagen::MouseMove, this, [this, i] { Image3_MouseMove(i); });
    QLabel* rotulo = etiqueta(tipos[i], Frame7, 90 + 1860 * i, 1440, 1500, 300);
    rotulo->setAlignment(Qt::AlignCenter);
  }
  Combo1 = new QComboBox(Frame7);
  Combo1->setGeometry(px(360), px(1920), px(5100), px(360));
  Combo1->setPlaceholderText(QStringLiteral("Tablas disponibles"));
  // A choice is the user's pick only: clearing or refilling the list is no choice.
  connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });

  Frame9 = marco("", Frame7, 360, 2400, 5100, 3000);
  Label42 = etiqueta("Seleccione una de las tablas disponibles de reducción.", Frame9, 120, 1200, 4860, 600, true);
  Label42->setAlignment(Qt::AlignCenter);
  Frame10 = marco("", Frame7, 360, 2400, 5100, 3000);
  Label43 = etiqueta("", Frame10, 120, 300, 4860, 560, true);
  etiqueta("Asegura al 100% un premio de:", Frame10, 120, 960, 3300, 300);
  Label48 = etiqueta("0 apuestas", Frame10, 3480, 960, 1500, 300);
  etiqueta("Posibilidad de premio de 6:", Frame10, 120, 1320, 3300, 300);
  Label47 = etiqueta("0%", Frame10, 3480, 1320, 1500, 300);
  for (QLabel* cifra : {Label48, Label47}) cifra->setStyleSheet(QStringLiteral("font-weight: bold;"));
  Label49 = etiqueta("Si quiere asegurar el premio de 6, tendría que jugar a:", Frame10, 120, 1800, 4860, 560, true);
  Label50 = etiqueta("", Frame10, 120, 2340, 4860, 300);
  Label50->setStyleSheet(QStringLiteral("font-weight: bold;"));
  Frame10->hide();

  Image4 = new Imagen(Frame7);
  Image4->setGeometry(px(360), px(5760), px(720), px(720));
  Image4->setToolTip(QStringLiteral("Volver al paso 1"));
  connect(Image4, &Imagen::Click, this, [this] { Image4_Click(); });
  connect(Image4, &Imagen::MouseMove, this, [this] { Image4_MouseMove(); });
  etiqueta("Volver al paso 1", Frame7, 1140, 5970, 1800, 300);
  Image2[0]->setParent(Frame7);
  Image2[0]->setGeometry(px(3000), px(5760), px(720), px(720));
  Image2[0]->setToolTip(QString::fromUtf8("Informe estadístico"));
  etiqueta("Informe estadístico", Frame7, 3780, 5970, 1950, 300);
  new VigiaMarco(Frame7, [this] { Frame7_MouseMove(); });

  // The syndicate report sits with the syndicates.
  Frame13 = marco("Informe", SSTab1->widget(2), 10200, 5520, 1850, 1140);
  Image2[1]->setParent(Frame13);
  Image2[1]->setGeometry(px(565), px(330), px(720), px(720));
  Image2[1]->setToolTip(QString::fromUtf8("Ficha de la peña"));
  new VigiaMarco(Frame13, [this] { Frame13_MouseMove(); });
  for (int i = 0; i < 2; ++i) connect(Image2[i], &Imagen::MouseMove, this, [this, i] { Image2_MouseMove(i); });

  // The tab opens on the choice between "Manual" and "Automática", every step at its start.
  Frame12->hide();
  Frame6->hide();
  Frame7->hide();
  for (Imagen* imagen : Image3) {
    imagen->setEnabled(false);
    imagen->setPicture(ImageList1, TIPO_APAGADO);
  }
  Image4->setEnabled(false);
  Image4->setPicture(ImageList1, VOLVER_APAGADO);
  Image2[0]->setEnabled(false);
  Image2[0]->setPicture(ImageList1, INFORME_APAGADO);
  Combo1->setEnabled(false);
}

void Principal::Command9_Click() {
  for (QWidget* w : std::initializer_list<QWidget*>{Command4, Command9, Label54, Label56, Image6, Label33, Label53,
                                                    Label55})
    w->hide();
  Frame12->show();
  Frame6->show();
  Frame7->show();
  // The sizes the systems come in, read afresh however the tab was reached.
  listatablas(0);
}

namespace {

void enciende(Imagen* imagen, const plataforma::ListaImagenes& lista, int normal) {
  imagen->setEnabled(true);
  imagen->setPicture(lista, normal);
}

void apaga(Imagen* imagen, const plataforma::ListaImagenes& lista, int apagada) {
  imagen->setEnabled(false);
  imagen->setPicture(lista, apagada);
}

}  // namespace

// A mouse held on the slider's track keeps stepping it, even behind a modal box that took the
// button's release; a box about the count would then come again as soon as it is closed. Taking the
// slider's enabled state away for a moment ends the stepping. The slider starts stepping only after
// the change it reported, so this runs once the event that moved it is over.
static void paraRepeticion(QSlider* deslizador) {
  QTimer::singleShot(0, deslizador, [deslizador] {
    const bool foco = deslizador->hasFocus();
    deslizador->setEnabled(false);
    deslizador->setEnabled(true);
    if (foco) deslizador->setFocus();
  });
}

// Step 1 stays as it is while the count and the kind are chosen: the ranking was made from the
// draws it selects, and a period changed behind it would hand the editor numbers ranked over
// other draws than the summary shows. The months slider is locked with the boxes for that reason.
static void bloqueaPaso1(Principal& p, bool bloquea) {
  for (int i : {7, 8, 3, 4, 10})
    if (p.Check3[i]) p.Check3[i]->setEnabled(!bloquea);
  // The statistics tab's "Lunes" stays locked while "Comparativa" keeps it ticked.
  if (p.Check3[9]) p.Check3[9]->setEnabled(!bloquea && !(p.Check3[2] && p.Check3[2]->isChecked()));
  if (p.Slider1[1]) p.Slider1[1]->setEnabled(!bloquea);
}

void Principal::Slider2_Change() {
  const int v = Slider2->value();
  // On read-only data the ranking is refused like every change: it is written to the report
  // database and leads to a new syndicate.
  const bool soloLectura = v > 0 && estado().sololectura;
  if ((v > 0 && sorteoscontados == 0) || soloLectura) {
    {
      const QSignalBlocker quieto(Slider2);
      Slider2->setValue(0);
    }
    Slider2_Change();
    // The box comes after the slider has finished with the event that moved it, and once.
    if (avisandoSlider2) return;
    avisandoSlider2 = true;
    paraRepeticion(Slider2);
    QTimer::singleShot(0, this, [soloLectura] {
      if (soloLectura)
        avisopermiso();
      else
        plataforma::MsgBox(
            QString::fromUtf8("No has seleccionado sorteos. Por favor, selecciona más sorteos en el paso anterior."),
            plataforma::vbInformation, QString::fromUtf8("Mal, mal, mal..."));
      avisandoSlider2 = false;
    });
    return;
  }
  for (Imagen* imagen : Image3) apaga(imagen, ImageList1, TIPO_APAGADO);
  apaga(Image2[0], ImageList1, INFORME_APAGADO);
  enciende(Image4, ImageList1, VOLVER);
  Label23->setText(QString::fromUtf8("Ha seleccionado %1 números.").arg(v));
  // A system chosen for another count no longer applies.
  Frame9->show();
  Frame10->hide();
  if (v == 0) return;
  bool escrita = false;
  {
    TareaBD tarea(QString::fromUtf8("No se ha guardado la clasificación de los números: puede seguir creando la "
                                    "peña, pero el informe estadístico no la mostrará."));
    // A failure of the report table shows a box; whatever moves the slider behind it (a key, the
    // auto-repeat) is put back, so that one move gives one box and the count shown is the one ranked.
    const QSignalBlocker quieto(Slider2);
    escrita = masfrecuentes(v);
    Slider2->setValue(v);
    if (!escrita) paraRepeticion(Slider2);
  }
  // Without the report table the count still goes on; only the report has nothing new to show.
  if (escrita) enciende(Image2[0], ImageList1, INFORME);
  Combo1->setEnabled(true);
  listatablas(v);
  if (v == 6)
    enciende(Image3[1], ImageList1, TIPO);
  else if (v > 4 && v < 12)
    enciende(Image3[2], ImageList1, TIPO);
  bloqueaPaso1(*this, true);
}

void Principal::Image3_Click(int Index) {
  auto& e = estado();
  switch (Index) {
    case 0:
      if (Combo1->currentIndex() == -1) {
        plataforma::MsgBox(QString::fromUtf8("Elija primero una tabla de reducidas en el menú desplegable."),
                           plataforma::vbInformation, QStringLiteral("No tan deprisa!"));
        return;
      }
      break;
    case 1:
      e.solouna = 1;
      e.sistemareducido = 0;
      e.modalidad = 0;
      break;
    case 2: {
      e.solouna = 1;
      e.sistemareducido = 0;
      const int n = Slider2->value();
      static constexpr int MODALIDADES[] = {0, 0, 0, 0, 0, 3, 0, 1, 2, 4, 5, 6};
      if (n >= 5 && n <= 11 && n != 6) e.modalidad = MODALIDADES[n];
      break;
    }
    default:
      return;
  }
  Image4_Click();
  // The editor counts the bets of the syndicate it opens with; an editor closed half-way through
  // a syndicate may have left them behind, and the handed numbers would then be refused.
  e.numapuestas = 0;
  crea().Show();
}

void Principal::Image4_Click() {
  apaga(Image3[0], ImageList1, TIPO_APAGADO);
  Slider2->setValue(0);
  apaga(Image4, ImageList1, VOLVER_APAGADO);
  apaga(Image2[0], ImageList1, INFORME_APAGADO);
  apaga(Image3[1], ImageList1, TIPO_APAGADO);
  apaga(Image3[2], ImageList1, TIPO_APAGADO);
  Combo1->setEnabled(false);
  Frame9->show();
  Frame10->hide();
  bloqueaPaso1(*this, false);
}

void Principal::Image2_MouseMove(int Index) {
  if (Index >= 0 && Index < 2 && Image2[Index]->isEnabled()) Image2[Index]->setPicture(ImageList1, INFORME_ENCIMA);
}

void Principal::Image3_MouseMove(int Index) {
  if (Index >= 0 && Index < 3 && Image3[Index]->isEnabled()) Image3[Index]->setPicture(ImageList1, TIPO_ENCIMA);
}

void Principal::Image4_MouseMove() {
  if (Image4->isEnabled()) Image4->setPicture(ImageList1, VOLVER_ENCIMA);
}

void Principal::Frame7_MouseMove() {
  auto devuelve = [this](Imagen* imagen, int encima, int normal) {
    if (imagen->isEnabled() && imagen->Picture() == encima) imagen->setPicture(ImageList1, normal);
  };
  devuelve(Image2[0], INFORME_ENCIMA, INFORME);
  devuelve(Image4, VOLVER_ENCIMA, VOLVER);
  for (Imagen* imagen : Image3) devuelve(imagen, TIPO_ENCIMA, TIPO);
}

void Principal::Frame13_MouseMove() {
  if (Image2[1]->isEnabled()) Image2[1]->setPicture(ImageList1, INFORME);
}
