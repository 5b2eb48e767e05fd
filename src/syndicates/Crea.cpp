#include "syndicates/Crea.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSvgRenderer>
#include <QValidator>

#include <algorithm>

#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/error.h"
#include "plataforma/fuentes.h"
#include "plataforma/listview.h"
#include "plataforma/msgbox.h"
#include "plataforma/texto.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"
#include "syndicates/Creamenu.h"
#include "syndicates/reduccion.h"
#include "syndicates/tablas.h"
#include "ui/Principal.h"

using plataforma::MsgBox;
using plataforma::px;
using plataforma::vbExclamation;
using plataforma::vbInformation;

Crea& crea() { return plataforma::Unica<Crea>::instancia(); }
Crea* creaSiExiste() { return plataforma::Unica<Crea>::siExiste(); }
void descargaCrea() { plataforma::Unica<Crea>::descarga(); }

namespace {

// The slip block: five columns of ten rows, number n in column n div 10 and row n mod 10, so the
// first cell of the first column stays empty as on the official slip.
constexpr int MARGEN = 60;
constexpr int ANCHO_CELDA = 540;
constexpr int ALTO_CELDA = 360;
constexpr int ANCHO_BLOQUE = 2 * MARGEN + 5 * ANCHO_CELDA;
constexpr int ALTO_BLOQUE = 2 * MARGEN + 10 * ALTO_CELDA;
// The bets list holds a multiple of eleven numbers whole in its fixed-pitch font; the play days
// and the buttons stand to its right.
constexpr int ANCHO_LISTA = 3600;
constexpr int COLUMNA_DERECHA = 3300 + ANCHO_LISTA + 240;

// Whatever is typed or pasted into the name arrives in capitals, as the name is stored.
class Mayusculas : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& texto, int&) const override {
    texto = texto.toUpper();
    return Acceptable;
  }
};

QPixmap dibujo(const QString& recurso, int anchoTwips, int altoTwips) {
  return plataforma::dibujoSvg(recurso, px(anchoTwips), px(altoTwips));
}

}  // namespace

Crea::Crea() {
  plataforma::dialogoPropio(this);
  setWindowTitle(QString::fromUtf8("Crear peña nueva..."));
  creaControles();
  // Activation as the program means it: the editor comes to the front from another window of the
  // program, not back from another application or from one of its own message boxes.
  qApp->installEventFilter(this);
}

Crea::~Crea() { qApp->removeEventFilter(this); }

void Crea::creaControles() {
  setFixedSize(px(COLUMNA_DERECHA + 2460), px(6000));

  Label1 = new QLabel(QString::fromUtf8("Nombre de la Peña:"), this);
  Label1->setGeometry(px(240), px(270), px(1800), px(300));
  Text1 = new QLineEdit(this);
  Text1->setGeometry(px(2100), px(240), px(3000), px(330));
  mayusculas_ = new Mayusculas(Text1);
  Text1->setValidator(mayusculas_);
  connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });

  Label4 = new QLabel(this);
  Label4->setGeometry(px(240), px(720), px(8000), px(300));
  QFont negrita = Label4->font();
  negrita.setBold(true);
  Label4->setFont(negrita);

  Picture1 = new QLabel(this);
  Picture1->setGeometry(px(240), px(1080), px(ANCHO_BLOQUE), px(ALTO_BLOQUE));
  Picture1->setPixmap(dibujo(QStringLiteral(":/syndicates/bloque.svg"), ANCHO_BLOQUE, ALTO_BLOQUE));
  ImageList1.agrega(dibujo(QStringLiteral(":/syndicates/marca.svg"), ANCHO_CELDA, ALTO_CELDA));
  for (int k = 0; k < 49; ++k) {
    Image1[k] = new plataforma::Imagen(Picture1);
    const int columna = (k + 1) / 10;
    const int fila = (k + 1) % 10;
    Image1[k]->setGeometry(px(MARGEN + columna * ANCHO_CELDA), px(MARGEN + fila * ALTO_CELDA),
                           px(ANCHO_CELDA), px(ALTO_CELDA));
    Image1[k]->setToolTip(QString::number(k + 1));
    connect(Image1[k], &plataforma::Imagen::Click, this, [this, k] { Image1_Click(k); });
  }

  ListView5 = new plataforma::ListView(this);
  ListView5->setGeometry(px(3300), px(1080), px(ANCHO_LISTA), px(3000));
  ListView5->setFont(plataforma::fuenteFija());
  ListView5->agregaColumna(QStringLiteral("Apuestas"), 2400);
  // The reduced systems' bets of up to 20 base numbers are wider than the list; they scroll
  // rather than being cut.
  ListView5->ensanchaAlTexto();

  Label2 = new QLabel(QStringLiteral("-Apuestas:"), this);
  Label2->setGeometry(px(3300), px(4170), px(1000), px(300));
  Label3 = new QLabel(QStringLiteral("0"), this);
  Label3->setGeometry(px(4320), px(4170), px(700), px(300));

  Text2 = new QLineEdit(QStringLiteral("1"), this);
  Text2->setReadOnly(true);
  Text2->setAlignment(Qt::AlignCenter);
  Text2->setGeometry(px(3300), px(4560), px(600), px(330));
  Text2->hide();
  HScroll1 = new QScrollBar(Qt::Horizontal, this);
  HScroll1->setGeometry(px(3960), px(4560), px(ANCHO_LISTA - 660), px(330));
  HScroll1->setRange(1, 1);
  HScroll1->setValue(1);
  // A move between bets happens when the thumb is let go, not at every step of a drag.
  HScroll1->setTracking(false);
  HScroll1->hide();
  connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });

  auto* dias = new QWidget(this);
  dias->setGeometry(px(COLUMNA_DERECHA), px(1080), px(2300), px(1860));
  const char* const opciones[] = {"", "Sólo jueves", "Sólo sábado", "Jueves y sábado", "Sólo lunes",
                                  "Todos (L+J+S)"};
  for (int i = 1; i <= 5; ++i) {
    Option[i] = new QRadioButton(QString::fromUtf8(opciones[i]), dias);
    Option[i]->setGeometry(0, px(360 * (i - 1)), px(2300), px(330));
  }
  Option[5]->setChecked(true);
  for (int i = 1; i <= 5; ++i)
    connect(Option[i], &QRadioButton::toggled, this, [this, i](bool activo) {
      if (activo) Option_Click(i);
    });

  auto boton = [this](const char* texto, int y, void (Crea::*manejador)()) {
    auto* b = new QPushButton(QString::fromUtf8(texto), this);
    b->setGeometry(px(COLUMNA_DERECHA), px(y), px(1800), px(400));
    connect(b, &QPushButton::clicked, this, manejador);
    return b;
  };
  Command1 = boton("Grabar", 3000, &Crea::Command1_Click);
  Command2 = boton("Borrar", 3480, &Crea::Command2_Click);
  Command3 = boton("Aleatorio", 3960, &Crea::Command3_Click);
  Command4 = boton("Añadir apuesta", 4440, &Crea::Command4_Click);
  Command5 = boton("Eliminar apuesta", 4920, &Crea::Command5_Click);
  Command4->setEnabled(false);
  Command4->hide();
  Command5->hide();

  Label5 = new plataforma::Etiqueta(QStringLiteral("X"), this);
  Label5->setGeometry(px(COLUMNA_DERECHA + 2160), px(45), px(240), px(270));
  Label5->setStyleSheet(QStringLiteral("font-weight: bold;"));
  Label5->setCursor(Qt::PointingHandCursor);
  connect(Label5, &plataforma::Etiqueta::Click, this, &Crea::Label5_Click);

  Label6 = new QLabel(QString::fromUtf8(" Los cambios que realice, serán grabados automáticamente !"), this);
  Label6->setGeometry(px(240), px(5460), px(8000), px(300));
  Label6->setStyleSheet(QStringLiteral("color: #c00000;"));
  Label6->hide();
  Label7 = new QLabel(QString::fromUtf8("Modo Edición"), this);
  Label7->setGeometry(px(COLUMNA_DERECHA), px(600), px(2300), px(330));
  Label7->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  Label7->hide();
}

void Crea::Show() {
  auto& e = estado();
  if (!cargado_) {
    cargado_ = true;
    // The syndicate to change is the selected record, whatever the current buffer last held.
    if (e.editando == 1) plataforma::sinErrores([&] { e.penaactual = leePena(e.penaelegida); });
    QPointer<Crea> yo(this);
    Form_Load();
    if (!yo || creaSiExiste() != this) return;  // the chosen system could not be used
  }
  if (Principal* p = principalSiExiste()) move(p->x() + px(1800), p->y() + px(1200));
  show();
  raise();
  activateWindow();
}

// A name set by the program goes in as it is: only what the user types or pastes is put in
// capitals, so that showing a stored name never rewrites it.
void Crea::fijaNombre(const QString& nombre) {
  Text1->setValidator(nullptr);
  Text1->setText(nombre);
  Text1->setValidator(mayusculas_);
}

bool Crea::marcada(int Index) const { return Image1[Index]->Picture() == 1; }

void Crea::vaciaCuadricula() {
  for (auto* celda : Image1) celda->setPicture(ImageList1, 0);
}

void Crea::Form_Load() {
  auto& e = estado();
  marcados = 0;
  apuestapendiente = 0;
  // A new opening is a new syndicate: the limit met by the last one no longer holds.
  if (e.editando != 1) limitealcanzado = false;
  if (e.modalidad == 7) {
    e.numapuestas = 0;
    numerosesperados = 0;
  }
  if (e.editando == 1) {
    apuestacargada = HScroll1->value();
    Text2->show();
    HScroll1->show();
    Command4->show();
    Command5->show();
    Label3->hide();
    if (e.penaactual.tipo > 500)
      fijaMaximo(1);
    else if (apuestaanadida == 0)
      fijaMaximo(e.penaactual.tipo);
  }
  Command3->setEnabled(!(e.modalidad != 0 && e.solouna == 1));
  solonombre = 0;
  numerosapuesta();
  if (e.modalidad == 7) {
    anchocolumna = ListView5->anchoColumna(1);
    if (!sistemaUtilizable()) return;
  } else {
    penatrabajo.reducida = 0;
  }
  ListView5->Clear();
  Command1->setEnabled(false);
  Label3->setText(QStringLiteral("0"));
  Command2->setEnabled(false);
  Label4->setText(QString::fromUtf8("INTRODUZCA EL NOMBRE Y %1 NÚMEROS:").arg(numerosporapuesta));
  if (numerosporapuesta > 12)
    ListView5->fijaAnchoColumna(1, ListView5->anchoColumna(1) + (numerosporapuesta - 12) * 20);
  if (e.solouna == 1) marcanumeros();
}

// The chosen system, read from the start of tablas.bin; the reason it cannot be used, or empty.
QString Crea::leeSistemaElegido(TablaReducida& tabla) {
  try {
    abreTablas();
    tabla = sistemaDeTablas(estado().sistemareducido);
    return validaTabla(tabla);
  } catch (const plataforma::Error&) {
    return QString::fromUtf8("No se encuentra la reducción elegida en tablas.bin.");
  }
}

// Reads the chosen system from tablas.bin. One that a record cannot hold (more than 20 base
// numbers, more than 205 bets, positions outside 1..N) is refused here, before a single number is
// marked, and the editor closes so that another system can be chosen.
bool Crea::sistemaUtilizable() {
  TablaReducida tabla;
  QString motivo = leeSistemaElegido(tabla);
  if (!motivo.isEmpty()) {
    sistemaErroneo_ = true;
    MsgBox(QString::fromUtf8("No se puede usar la reducción elegida. ") + motivo, vbExclamation,
           QStringLiteral("Error"));
    descargaCrea();
    return false;
  }
  numerosporapuesta = tabla.totalnumeros;
  penatrabajo.reducida = static_cast<qint16>(tabla.totalnumeros);
  penatrabajo.garantia = static_cast<qint16>(tabla.garantia);
  apuestasreducida = tabla.totalapuestas;
  return true;
}

void Crea::numerosapuesta() {
  auto& e = estado();
  static constexpr int NUMEROS[] = {6, 7, 8, 5, 9, 10, 11};
  if (e.modalidad >= 0 && e.modalidad <= 6)
    numerosporapuesta = NUMEROS[e.modalidad];
  else if (e.modalidad != 7)
    numerosporapuesta = 6;  // no such kind: plain simple bets rather than bets of no numbers
  if (e.modalidad != 7 && e.editando == 0) numerosesperados = numerosporapuesta;
}

void Crea::Form_Activate() {
  auto& e = estado();
  descargaCreamenu();
  if (Principal* p = principalSiExiste())
    if (p->HScroll1 && p->HScroll1->value() >= 21) p->HScroll1->setValue(1);
  if (e.editando != 1) return;
  cambiosactivos = 1;
  Command1->hide();
  Command2->hide();
  Label6->show();
  Label7->show();
  try {
    penatrabajo = leePena(e.penaelegida);
  } catch (const plataforma::Error&) {
  }
  actualizaapuesta(1);
  if (HScroll1->maximum() == 1) Command4->setEnabled(true);
  const QString dias = plataforma::recorta(penatrabajo.dias);
  const char* const valores[] = {"Jueves", "Sábado", "Jueves y Sábado", "Lunes"};
  for (int i = 0; i < 4; ++i)
    if (dias == QString::fromUtf8(valores[i])) Option[i + 1]->setChecked(true);
}

void Crea::Image1_Click(int Index) {
  if (Index < 0 || Index > 48) return;
  auto& e = estado();
  cambiado = 0;
  int n = numerosporapuesta;
  if (solonombre) {
    MsgBox(QString::fromUtf8("Sólo tienes que poner un nombre. No puedes añadir más números."), vbInformation,
           QStringLiteral("Error"));
    return;
  }
  Command1->setEnabled(false);
  if (e.editando == 1) {
    if (marcados == 0 && numerosporapuesta != 50) {
      numerosesperados = numerosporapuesta;
      n = numerosesperados;
    }
    numerosporapuesta = 50;
    QString nombre = e.penaactual.nombre;
    while (nombre.endsWith(QLatin1Char(' '))) nombre.chop(1);
    fijaNombre(nombre);
  }
  limiteapuestas = e.modalidad != 0 ? 1 : Pena::MAX_APUESTAS;
  if (e.numapuestas == limiteapuestas) {
    if (e.modalidad == 0) {
      MsgBox(QString::fromUtf8("Máximo de apuestas sencillas por peña : %1.").arg(limiteapuestas), vbInformation,
             QStringLiteral("Error"));
      limitealcanzado = true;
    } else if (e.modalidad == 7) {
      MsgBox(QString::fromUtf8("¡¡ Sólo puedes poner %1 números en este tipo de reducida !! ").arg(n),
             vbInformation, QStringLiteral("Error"));
      Command1->setEnabled(true);
    } else {
      MsgBox(QString::fromUtf8(
                 "¡¡ Oficialmente sólo se admite una combinación por boleto cuando juegas a múltiples !! "),
             vbInformation, QStringLiteral("Error"));
      Command1->setEnabled(true);
    }
    return;
  }
  if (marcada(Index)) {
    Image1[Index]->setPicture(ImageList1, 0);
    --marcados;
    if (e.editando == 1) cambiado = 1;
  } else if (marcados < n) {
    Image1[Index]->setPicture(ImageList1, 1);
    ++marcados;
    if (e.editando == 1) cambiado = 1;
  }
  if (marcados == n || (e.editando == 1 && marcados == numerosesperados)) {
    if (e.editando == 1) {
      if (apuestaanadida == 1) {
        cambiado = 1;
        cambiosactivos = 1;
      }
      actualizaapuesta(1);
    } else {
      actualizaapuesta(0);
    }
  }
}

void Crea::actualizaapuesta(int modo) {
  auto& e = estado();
  const bool edicion = e.editando == 1;
  apuestaactual = leeNumero(Text2->text());
  if (!edicion) ++e.numapuestas;
  Command2->setEnabled(true);
  // Slots outside the record are never written, whatever the counters say.
  const bool nuevaValida = e.numapuestas >= 1 && e.numapuestas <= Pena::MAX_APUESTAS;
  const bool mostradaValida = apuestaactual >= 1 && apuestaactual <= Pena::MAX_APUESTAS;
  QString fila;
  int c = 0;
  for (int k = 0; k < 49; ++k) {
    if (!marcada(k)) continue;
    if (modo == 0) Image1[k]->setPicture(ImageList1, 0);
    ++c;
    if (!edicion) {
      if (nuevaValida && c <= Pena::MAX_BASE) penatrabajo.apuestas[e.numapuestas][c] = static_cast<qint16>(k + 1);
    } else {
      cambiado *= cambiosactivos;
      if ((cambiado == 1 || apuestapendiente == 1) && mostradaValida && c <= Pena::MAX_BASE)
        penatrabajo.apuestas[apuestaactual][c] = static_cast<qint16>(k + 1);
    }
    if (k + 1 < 10) fila += QLatin1Char(' ');
    fila += QString::number(k + 1);
    if (c != numerosporapuesta && c != numerosesperados) fila += QLatin1Char('-');
  }
  if (edicion && marcados == numerosesperados && (cambiado == 1 || apuestapendiente == 1)) {
    penatrabajo.reducida = 0;
    if (escribeTrabajo(penatrabajo)) {
      e.penaactual = penatrabajo;
      apuestapendiente = 0;
    }
  }
  if (modo == 0) marcados = 0;
  if (edicion && ListView5->Count() > 0) ListView5->Remove(ListView5->Count());
  ListView5->Add(fila);
  Label3->setText(QString::number(e.numapuestas));
  Command1->setEnabled(true);
}

// Writes a syndicate to the edited record; a failure is reported and leaves the record as it was.
bool Crea::escribeTrabajo(const Pena& pena) {
  try {
    escribePena(estado().penaelegida, pena);
    return true;
  } catch (const plataforma::Error& error) {
    MsgBox(QString::fromUtf8("No se ha podido grabar la peña en apuestas.dat (error %1: %2).")
               .arg(error.numero())
               .arg(error.descripcion()),
           vbExclamation, QStringLiteral("Error"));
    return false;
  }
}

void Crea::Command2_Click() {
  auto& e = estado();
  if (e.editando == 1) {
    eliminaApuesta();
    return;
  }
  if (e.numapuestas <= 0) return;
  --e.numapuestas;
  if (e.numapuestas == 0) {
    Command2->setEnabled(false);
    Command3->setEnabled(true);
  }
  if (e.numapuestas + 1 <= ListView5->Count()) ListView5->Remove(e.numapuestas + 1);
  Label3->setText(QString::number(e.numapuestas));
  if (e.numapuestas == 0) Command1->setEnabled(false);
  // Below the limit again: the quick pick and the closing work as before it was reached.
  if (e.numapuestas < Pena::MAX_APUESTAS) limitealcanzado = false;
}

void Crea::Command5_Click() { Command2_Click(); }

void Crea::Text1_Change() {
  auto& e = estado();
  if (Text1->text().size() > 20) {
    MsgBox(QString::fromUtf8("¡¡¡El nombre no puede tener más de 20 letras!!!"), vbExclamation,
           QStringLiteral("Error"));
    // The shorter text runs this handler again, which writes it through while editing.
    fijaNombre(QStringLiteral("AYYYYYY!!"));
    return;
  }
  if (e.editando != 1) return;
  e.penaactual.nombre = Text1->text();
  penatrabajo.nombre = Text1->text();
  escribeTrabajo(e.penaactual);
}

QString Crea::diasElegidos() const {
  const char* const valores[] = {"", "Jueves", "Sábado", "Jueves y Sábado", "Lunes", "Todos (L+J+S)"};
  for (int i = 1; i <= 5; ++i)
    if (Option[i]->isChecked()) return QString::fromUtf8(valores[i]);
  return QString::fromUtf8(valores[5]);
}

void Crea::Option_Click(int Index) {
  auto& e = estado();
  if (e.editando != 1 || Index < 1 || Index > 5) return;
  const QString dias = diasElegidos();
  e.penaactual.dias = dias;
  penatrabajo.dias = dias;
  escribeTrabajo(e.penaactual);
}

void Crea::Label5_Click() { close(); }

bool Crea::Form_QueryUnload() {
  auto& e = estado();
  if (limitealcanzado) return true;
  if (e.editando == 1) {
    if (marcados != numerosesperados) {
      MsgBox(QString::fromUtf8("¡¡ %1 números !!. Por favor, rectifica la apuesta. Ha de ser de %2 números")
                 .arg(marcados)
                 .arg(numerosesperados),
             vbInformation, QStringLiteral("Error"));
      return false;
    }
    apuestaanadida = 0;
  }
  e.numapuestas = 0;
  return true;
}

void Crea::closeEvent(QCloseEvent* evento) {
  evento->ignore();
  if (Form_QueryUnload()) descargaCrea();
}

bool Crea::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::WindowActivate && objeto->isWidgetType()) {
    auto* w = static_cast<QWidget*>(objeto);
    if (w->isWindow() && plataforma::cuentaParaActivacion(w)) {
      const bool deOtra = ultimaActiva_ != this;
      ultimaActiva_ = w;
      if (w == this && deOtra && cargado_) Form_Activate();
    }
  }
  return QWidget::eventFilter(objeto, evento);
}
