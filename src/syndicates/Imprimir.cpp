#include "syndicates/Imprimir.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>

#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/impresora.h"
#include "plataforma/msgbox.h"
#include "plataforma/texto.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"

using plataforma::px;

Imprimir& imprimir() { return plataforma::Unica<Imprimir>::instancia(); }
Imprimir* imprimirSiExiste() { return plataforma::Unica<Imprimir>::siExiste(); }
void descargaImprimir() { plataforma::Unica<Imprimir>::descarga(); }

namespace {

const char* const MARCA_PROGRAMA = "Bolvanta v.3.4.9991";
// The sheet the slips are printed on, mm.
constexpr double ANCHO_HOJA = 210;
constexpr double ALTO_HOJA = 297;

// The largest correction of each axis that keeps every cross, whole, on the sheet; the smallest is
// 0, as a box moved up or left of the printable corner would be cut. Tenths of a millimetre.
float maximaCorreccion(int eje) {
  plataforma::Impresora medida;
  medida.FontName = QStringLiteral("arial");
  medida.FontSize = 11.5;
  medida.FontBold = true;
  const double libre = eje == 0 ? ANCHO_HOJA - boletos::ANCHO_MARCAS - medida.TextWidth(QStringLiteral("X"))
                                : ALTO_HOJA - boletos::ALTO_MARCAS - medida.TextHeight();
  return float(std::floor(libre * 10) / 10);
}

QLocale espanol() { return QLocale(QLocale::Spanish, QLocale::Spain); }

// A correction as the user writes it: decimal comma (or point), an optional sign, nothing else.
bool leeNumero(const QString& texto, float& valor) {
  static const QRegularExpression forma(QStringLiteral("^\\s*[+-]?(\\d+([.,]\\d*)?|[.,]\\d+)\\s*$"));
  if (!forma.match(texto).hasMatch()) return false;
  QString t = texto.trimmed();
  t.replace(QLatin1Char(','), QLatin1Char('.'));
  bool ok = false;
  const double d = QLocale::c().toDouble(t, &ok);
  if (!ok || !std::isfinite(d)) return false;
  valor = static_cast<float>(std::clamp(d, -1e9, 1e9));
  return true;
}

QString textoNumero(float v) { return espanol().toString(double(v), 'g', 7); }

// A stored correction the window can use: a damaged one reads as 0, one beyond the paper as the limit.
float utilizable(float v, int eje) { return std::isfinite(v) ? std::clamp(v, 0.0f, maximaCorreccion(eje)) : 0.0f; }

}  // namespace

Imprimir::Imprimir() {
  plataforma::dialogoPropio(this);
  setWindowTitle(QStringLiteral("Imprimir boletos"));
  creaControles();
}

Imprimir::~Imprimir() {
  for (QLineEdit* t : Text1) t->removeEventFilter(this);
}

void Imprimir::creaControles() {
  setFixedSize(px(6900), px(4800));
  QFont negrita = font();
  negrita.setBold(true);

  Label1 = new QLabel(QString::fromUtf8("IMPRESIÓN DE LOS NÚMEROS DE LA PEÑA:"), this);
  Label1->setGeometry(px(240), px(180), px(6400), px(300));
  Label10 = new QLabel(this);
  Label10->setGeometry(px(240), px(500), px(6400), px(420));
  QFont nombre = font();
  nombre.setBold(true);
  // The window's font may be set in pixels or in points: the name is larger either way.
  if (nombre.pixelSize() > 0)
    nombre.setPixelSize(qRound(nombre.pixelSize() * 1.4));
  else
    nombre.setPointSizeF(nombre.pointSizeF() * 1.4);
  Label10->setFont(nombre);
  Label10->setStyleSheet(QStringLiteral("color: #800000;"));

  const char* const titulos[] = {"-Total apuestas:", "-Nº de boletos oficiales que necesita:",
                                 "-Asegúrese que el papel sea para jugar los:"};
  for (int i = 0; i < 3; ++i) {
    Label3[i] = new QLabel(QString::fromUtf8(titulos[i]), this);
    Label3[i]->setGeometry(px(240), px(1080 + 330 * i), px(4200), px(300));
    Label2[i] = new QLabel(this);
    Label2[i]->setGeometry(px(4500), px(1080 + 330 * i), px(2200), px(300));
    Label2[i]->setFont(negrita);
  }

  Frame1 = new QGroupBox(QString::fromUtf8("Corrección margen impresora:"), this);
  Frame1->setGeometry(px(240), px(2160), px(6400), px(780));
  const char* const ejes[] = {"X", "Y"};
  for (int i = 0; i < 2; ++i) {
    auto* eje = new QLabel(QString::fromUtf8(ejes[i]), Frame1);
    eje->setGeometry(px(240 + 2700 * i), px(360), px(240), px(300));
    Text1[i] = new QLineEdit(Frame1);
    Text1[i]->setGeometry(px(540 + 2700 * i), px(330), px(1200), px(330));
    Text1[i]->setAlignment(Qt::AlignRight);
    auto* mm = new QLabel(QStringLiteral("mm"), Frame1);
    mm->setGeometry(px(1800 + 2700 * i), px(360), px(450), px(300));
    connect(Text1[i], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
    Text1[i]->installEventFilter(this);
  }

  Check1 = new QCheckBox(QStringLiteral("-Jugar al"), this);
  Check1->setGeometry(px(240), px(3090), px(1300), px(330));
  Image1 = new QLabel(this);
  Image1->setGeometry(px(1560), px(3075), px(960), px(330));
  Image1->setPixmap(plataforma::dibujoSvg(QStringLiteral(":/syndicates/joker.svg"), px(960), px(330)));
  Label4 = new QLabel(QString::fromUtf8("Sólo en papel oficial"), this);
  Label4->setGeometry(px(2640), px(3105), px(3000), px(300));

  Command1 = new QPushButton(QString::fromUtf8("Imprimir en papel oficial"), this);
  Command1->setGeometry(px(240), px(3720), px(3120), px(600));
  Command1->setToolTip(QString::fromUtf8("Ajuste la X yla Y para que las \"x\" coincidan en las casillas. "
                                         "También depende del papel oficial ya que aveces estan cortados "
                                         "irregularmente."));
  connect(Command1, &QPushButton::clicked, this, &Imprimir::Command1_Click);
  Command2 = new QPushButton(QString::fromUtf8("Imprimir en papel normal"), this);
  Command2->setGeometry(px(3520), px(3720), px(3120), px(600));
  Command2->setToolTip(
      QString::fromUtf8("Imprime en papel normal una participación compatible con el sistema oficial!"));
  connect(Command2, &QPushButton::clicked, this, &Imprimir::Command2_Click);
}

void Imprimir::Show() {
  if (!cargado_) {
    cargado_ = true;
    Form_Load();
  }
  show();
  raise();
  activateWindow();
}

void Imprimir::Form_Load() {
  Estado& e = estado();
  plataforma::Impresora& pr = plataforma::Printer();
  pr.FontName = QStringLiteral("arial");
  pr.FontSize = 11.5;
  pr.FontBold = true;

  // The syndicate the user selected, as its record holds it now.
  plataforma::sinErrores([&] { pena = leePena(e.penaelegida); });
  numboletos = boletos::cuentaBoletos(pena.tipo);
  Label10->setText(plataforma::recorta(pena.nombre));
  Label2[0]->setText(pena.tipo >= 500 ? QStringLiteral("1") : QString::number(boletos::apuestas(pena.tipo)));
  Label2[1]->setText(QString::number(numboletos));
  Label2[2]->setText(plataforma::recorta(pena.dias));

  plataforma::sinErrores([&] { configuracion = leeConfiguracionArchivo(); });
  avisado_ = false;
  configuracion.correccionx = utilizable(configuracion.correccionx, 0);
  configuracion.correcciony = utilizable(configuracion.correcciony, 1);
  Text1[0]->setText(textoNumero(configuracion.correccionx));
  Text1[1]->setText(textoNumero(configuracion.correcciony));
}

void Imprimir::Command1_Click() {
  modo = 0;
  imprime();
}

void Imprimir::Command2_Click() {
  modo = 1;
  imprime();
}

void Imprimir::posiciones() {
  casillas = modo == 0 ? boletos::posiciones(b, configuracion.correccionx, configuracion.correcciony)
                       : boletos::posiciones(b, 0, 0);
}

void Imprimir::marca(float x, float y) {
  plataforma::Impresora& pr = plataforma::Printer();
  pr.CurrentX = x;
  pr.CurrentY = y;
  pr.Print(QStringLiteral("X"));
}

void Imprimir::imprime() {
  plataforma::Impresora& pr = plataforma::Printer();
  offsetx = 0;
  offsety = 0;
  const int B = boletos::apuestas(pena.tipo);
  const int m = boletos::numeros(pena.tipo);
  try {
    plataforma::ShowPrinter(this);
  } catch (const plataforma::Error&) {
    return;  // cancelled: nothing is printed
  }
  pr.Titulo = QStringLiteral("Boletos de la peña ") + plataforma::recorta(pena.nombre);
  // The font of the slips, whatever another printout left set.
  pr.FontName = QStringLiteral("arial");
  pr.FontSize = 11.5;
  pr.FontBold = true;

  const QString nombre = plataforma::recorta(pena.nombre);
  int k = 0;
  for (int s = 1; s <= numboletos; ++s) {
    if (modo == 1) dibujaboleto(s);
    paginaoffset = s % 2 == 0 && modo == 1 ? 104 : 0;
    for (b = 1; b <= 8; ++b) {
      ++k;
      if (k > B) continue;
      posiciones();
      for (int j = 1; j <= m; ++j) {
        const int n = pena.apuestas[k][j];
        if (n >= 1 && n <= 49) marca(casillas[n].x + offsetx, casillas[n].y + offsety);
      }
    }

    const QString cabecera = QStringLiteral("PEÑA ") + nombre + QStringLiteral(" (") + QString::number(s) +
                             QLatin1Char('/') + QString::number(numboletos) + QLatin1Char(')');
    const float o = float(paginaoffset);
    if (modo == 0) {
      pr.CurrentX = configuracion.correccionx + 5.0;
      pr.CurrentY = configuracion.correcciony - 7.0;
      pr.Print(cabecera + QStringLiteral("     ") + QString::fromUtf8(MARCA_PROGRAMA));
    } else {
      pr.CurrentX = 32;
      pr.CurrentY = o + 37;
      pr.Print(cabecera);
      pr.CurrentX = 110;
      pr.CurrentY = o + 97;
      pr.Print(QString::fromUtf8("Participación para: "));
      pr.CurrentX = 110;
      pr.CurrentY = o + 102;
      pr.Print(plataforma::recorta(pena.dias).toUpper());
      pr.CurrentX = 72.5;
      pr.CurrentY = o + 25;
      pr.FontSize = 18;
      pr.Print(QString::fromUtf8(MARCA_PROGRAMA));
    }
    pr.FontSize = 11.5;

    if (const auto tipo = boletos::marcaTipo(pena.tipo)) {
      b = tipo->bloque;
      posiciones();
      marca(casillas[tipo->numero].x + offsetx, casillas[tipo->numero].y + offsety + boletos::FILA_TIPO);
    }
    // The Joker box, under number 9 of block 8. Each participation of a page is a slip of its own
    // and carries the mark at its own place.
    if (Check1->isChecked()) {
      b = 8;
      posiciones();
      marca(casillas[9].x + offsetx, casillas[9].y + offsety + boletos::FILA_TIPO);
    }

    if (modo == 0 || (s % 2 == 0 && s < numboletos)) pr.NewPage();
  }
  plataforma::terminaDocumento();
}

void Imprimir::dibujaboleto(int s) {
  plataforma::Impresora& pr = plataforma::Printer();
  const double o = s % 2 == 1 ? 0 : 104;
  offsetx = 25.8f;
  offsety = float(o + 45);
  pr.Box(20, o + 20, 160.5, 104);
  pr.Box(23.8, o + 117.3, 2.5, 3, true);
  pr.Box(174.5, o + 117.3, 2.5, 3, true);
  pr.Box(22.5, o + 44, 1, 4, true);
  const QString dias = plataforma::recorta(pena.dias);
  if (dias == QString::fromUtf8("Jueves y Sábado") || dias == QStringLiteral("Todos (L+J+S)")) {
    pr.Box(22.5, o + 56, 1, 4, true);
    pr.Box(22.5, o + 86, 1, 4, true);
  } else {
    pr.Box(22.5, o + 62, 1, 4, true);
    pr.Box(22.5, o + 74, 1, 4, true);
  }
}

void Imprimir::muestraCorrecciones() {
  const QSignalBlocker b0(Text1[0]);
  const QSignalBlocker b1(Text1[1]);
  Text1[0]->setText(textoNumero(configuracion.correccionx));
  Text1[1]->setText(textoNumero(configuracion.correcciony));
}

void Imprimir::Text1_Change(int Index) {
  const QString texto = Text1[Index]->text();
  float& campo = Index == 0 ? configuracion.correccionx : configuracion.correcciony;
  // On read-only data a correction other than the stored one is refused like every change, and
  // told once while the window is open.
  if (estado().sololectura) {
    if (texto != textoNumero(campo)) {
      muestraCorrecciones();
      permiteCambios(avisado_);
    }
    return;
  }
  float valor = 0;
  bool fuera = false;
  const float maxima = maximaCorreccion(Index);
  if (leeNumero(texto, valor)) {
    // A correction that would put a cross off the sheet is refused: the stored one stays.
    fuera = valor < 0 || valor > maxima;
    if (fuera)
      muestraCorrecciones();
    else
      campo = valor;
  } else if (!texto.trimmed().isEmpty() && texto.trimmed() != QStringLiteral("-") &&
             texto.trimmed() != QStringLiteral("+")) {
    // Not a number: the field shows the stored value again. A lone sign is a number being typed.
    muestraCorrecciones();
  }
  plataforma::sinErrores([&] { escribeConfiguracionArchivo(configuracion); });
  if (fuera) {
    // The field's signals stay blocked while the box is up: the box is the answer to one keystroke.
    const QSignalBlocker bloqueo(Text1[Index]);
    plataforma::MsgBox(QString::fromUtf8("Con una corrección %1 de %2 mm alguna cruz quedaría fuera del papel. "
                                         "La corrección %1 debe estar entre 0 y %3 mm; se queda en %4 mm.")
                           .arg(Index == 0 ? QStringLiteral("X") : QStringLiteral("Y"), textoNumero(valor),
                                textoNumero(maxima), textoNumero(campo)),
                       plataforma::vbExclamation, QString::fromUtf8("Corrección fuera del papel"));
  }
}

void Imprimir::Text1_LostFocus(int Index) {
  const QString texto = Text1[Index]->text().trimmed();
  if (texto.isEmpty()) {
    plataforma::MsgBox(QStringLiteral("Te has dejado una coordenada en blanco. Introduce un número válido."),
                       plataforma::vbCritical, QStringLiteral("EHEHEHH"));
  }
  // The field shows again the value the slips are printed with.
  float valor = 0;
  if (!leeNumero(texto, valor)) muestraCorrecciones();
}

bool Imprimir::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::FocusOut) {
    // Only a move to another control is a lost focus: a message box or another window taking the
    // front leaves the focus where it was.
    const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
    if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) {
      for (int i = 0; i < 2; ++i)
        if (objeto == Text1[i]) Text1_LostFocus(i);
    }
  }
  return QWidget::eventFilter(objeto, evento);
}
