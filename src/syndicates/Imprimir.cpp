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
#include <limits>

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

// A limit as the user reads it, in tenths of a millimetre rounded towards the inside of the range,
// so that the figure given can be typed and printed.
QString textoLimite(double v, bool minimo) {
  double t = (minimo ? std::ceil(v * 10 - 1e-6) : std::floor(v * 10 + 1e-6)) / 10;
  if (std::abs(t) < 0.05) t = 0;
  return espanol().toString(t, 'f', 1).remove(QRegularExpression(QStringLiteral(",0$")));
}

// A stored correction the window can use: a damaged one reads as 0. One that cannot print is shown
// as it is and told when the slips are printed.
float utilizable(float v) { return std::isfinite(v) ? v : 0.0f; }

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

  // What is stored is shown and kept: only the user's own edit writes nums.ini.
  plataforma::sinErrores([&] { configuracion = leeConfiguracionArchivo(); });
  avisado_ = false;
  configuracion.correccionx = utilizable(configuracion.correccionx);
  configuracion.correcciony = utilizable(configuracion.correcciony);
  antes_ = {configuracion.correccionx, configuracion.correcciony};
  muestraCorrecciones();
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

void Imprimir::escribe(double x, double y, const QString& texto) {
  plataforma::Impresora& pr = plataforma::Printer();
  if (midiendo_) {
    medidas_.marcas.emplace_back(x, y, pr.TextWidth(texto), pr.TextHeight());
    return;
  }
  pr.CurrentX = x;
  pr.CurrentY = y;
  pr.Print(texto);
}

void Imprimir::marca(float x, float y) { escribe(x, y, QStringLiteral("X")); }

void Imprimir::imprime() {
  try {
    plataforma::ShowPrinter(this);
  } catch (const plataforma::Error&) {
    return;  // cancelled: nothing is printed
  }
  // Official slips print only when every mark the terminal reads falls whole on the sheet of the
  // printer just chosen; a heading that would be cut is left out.
  QString aviso;
  conCabecera_ = true;
  if (modo == 0 && !cabe(aviso)) return;
  plataforma::Printer().Titulo = QStringLiteral("Boletos de la peña ") + plataforma::recorta(pena.nombre);
  recorre();
  if (plataforma::terminaDocumento() && !aviso.isEmpty())
    plataforma::MsgBox(aviso, plataforma::vbInformation, QStringLiteral("Boletos sin cabecera"));
}

void Imprimir::recorre() {
  plataforma::Impresora& pr = plataforma::Printer();
  offsetx = 0;
  offsety = 0;
  const int B = boletos::apuestas(pena.tipo);
  const int m = boletos::numeros(pena.tipo);
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
      const QString linea = cabecera + QStringLiteral("     ") + QString::fromUtf8(MARCA_PROGRAMA);
      const double x = configuracion.correccionx + 5.0, y = configuracion.correcciony - 7.0;
      if (midiendo_)
        medidas_.cabeceras.emplace_back(x, y, pr.TextWidth(linea), pr.TextHeight());
      else if (conCabecera_)
        escribe(x, y, linea);
    } else {
      escribe(32, o + 37, cabecera);
      escribe(110, o + 97, QString::fromUtf8("Participación para: "));
      escribe(110, o + 102, plataforma::recorta(pena.dias).toUpper());
      pr.FontSize = 18;
      escribe(72.5, o + 25, QString::fromUtf8(MARCA_PROGRAMA));
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

    if (!midiendo_ && (modo == 0 || (s % 2 == 0 && s < numboletos))) pr.NewPage();
  }
}

Imprimir::Medidas Imprimir::mide(bool sinCorrecciones) {
  const Configuracion guardada = configuracion;
  const int modoAntes = modo;
  if (sinCorrecciones) {
    configuracion.correccionx = 0;
    configuracion.correcciony = 0;
  }
  modo = 0;
  midiendo_ = true;
  medidas_ = Medidas();
  recorre();
  midiendo_ = false;
  modo = modoAntes;
  configuracion = guardada;
  return std::move(medidas_);
}

std::array<Imprimir::Rango, 2> Imprimir::rangos(const std::vector<QRectF>& textos, QSizeF pagina) {
  // Each correction moves every text of the official slips by as much.
  if (textos.empty()) {
    constexpr double todo = std::numeric_limits<double>::infinity();
    return {{{-todo, todo}, {-todo, todo}}};
  }
  QRectF juntos = textos.front();
  for (const QRectF& r : textos) juntos = juntos.united(r);
  return {{{-juntos.left(), pagina.width() - juntos.right()}, {-juntos.top(), pagina.height() - juntos.bottom()}}};
}

std::array<Imprimir::Rango, 2> Imprimir::rangos(QSizeF pagina) { return rangos(mide(true).marcas, pagina); }

namespace {

// Whether texts fall whole on a page of `pagina` mm along one axis (0 X, 1 Y); `antes` tells
// whether one passes the first edge (left or top). A text whose foot passes the sheet's last line
// would go to the top of a new sheet.
bool dentro(const std::vector<QRectF>& textos, QSizeF pagina, int eje, bool* antes = nullptr) {
  bool a = false, d = false;
  for (const QRectF& r : textos) {
    a = a || (eje == 0 ? r.left() : r.top()) < 0;
    d = d || (eje == 0 ? r.right() > pagina.width() : r.bottom() > pagina.height());
  }
  if (antes) *antes = a;
  return !a && !d;
}

}  // namespace

bool Imprimir::cabe(QString& aviso) {
  const QSizeF pagina = plataforma::Printer().destino().pagina();
  // Where the texts fall as they will print.
  const Medidas sitios = mide(false);
  const bool bienX = dentro(sitios.marcas, pagina, 0), bienY = dentro(sitios.marcas, pagina, 1);
  const float c[2] = {configuracion.correccionx, configuracion.correcciony};
  const QString ejes[2] = {QStringLiteral("X"), QStringLiteral("Y")};
  if (bienX && bienY) {
    // The heading is only for the user: the slips print without it when it would be cut.
    if (dentro(sitios.cabeceras, pagina, 0) && dentro(sitios.cabeceras, pagina, 1)) return true;
    conCabecera_ = false;
    const auto r = rangos(pagina);
    const auto h = rangos(mide(true).cabeceras, pagina);
    QStringList dondeCabe;
    bool nunca = false;
    for (int i = 0; i < 2; ++i) {
      bool antes = false;
      if (dentro(sitios.cabeceras, pagina, i, &antes)) continue;
      const double minimo = std::max(h[i].minimo, r[i].minimo), maximo = std::min(h[i].maximo, r[i].maximo);
      nunca = nunca || minimo > maximo;
      dondeCabe << QString::fromUtf8("una corrección %1 de %2 mm o %3")
                       .arg(ejes[i], antes ? textoLimite(minimo, true) : textoLimite(maximo, false),
                            antes ? QString::fromUtf8("más") : QString::fromUtf8("menos"));
    }
    aviso = QString::fromUtf8(numboletos == 1 ? "El boleto se ha impreso" : "Los boletos se han impreso") +
            QString::fromUtf8(" sin la cabecera con el nombre de la peña: con estas correcciones no cabe en la "
                              "zona imprimible de esta impresora con este papel. ") +
            (nunca ? QString::fromUtf8("Con esta impresora y este papel la cabecera no cabe con ninguna corrección.")
                   : QString::fromUtf8("La cabecera cabe con ") + dondeCabe.join(QStringLiteral(" y ")) + ".");
    return true;
  }
  const auto r = rangos(pagina);
  const QString titulo = QString::fromUtf8("Corrección fuera del papel");
  if (r[0].minimo > r[0].maximo || r[1].minimo > r[1].maximo) {
    plataforma::MsgBox(QString::fromUtf8("No se ha impreso nada: el boleto no cabe en la zona imprimible de esta "
                                         "impresora con este papel (%1 x %2 mm). Elija otro papel u otra impresora.")
                           .arg(textoNumero(float(pagina.width())), textoNumero(float(pagina.height()))),
                       plataforma::vbExclamation, titulo);
    return false;
  }
  const QString causa = QString::fromUtf8(" alguna marca del boleto quedaría fuera de la zona imprimible de esta "
                                          "impresora con este papel, o pasaría a otra hoja. ");
  QString texto;
  if (!bienX && !bienY) {
    texto = QString::fromUtf8("No se ha impreso nada: con las correcciones X de %1 mm e Y de %2 mm") + causa +
            QString::fromUtf8("Cambie las dos correcciones: con esta impresora y este papel la X debe estar entre "
                              "%3 y %4 mm y la Y entre %5 y %6 mm.");
    texto = texto.arg(textoNumero(c[0]), textoNumero(c[1]), textoLimite(r[0].minimo, true),
                      textoLimite(r[0].maximo, false), textoLimite(r[1].minimo, true), textoLimite(r[1].maximo, false));
  } else {
    const int i = bienX ? 1 : 0;
    texto = QString::fromUtf8("No se ha impreso nada: con la corrección %1 de %2 mm") + causa +
            QString::fromUtf8("Cambie la corrección %1: con esta impresora y este papel debe estar entre %3 y %4 mm.");
    texto = texto.arg(ejes[i], textoNumero(c[i]), textoLimite(r[i].minimo, true), textoLimite(r[i].maximo, false));
  }
  plataforma::MsgBox(texto, plataforma::vbExclamation, titulo);
  return false;
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
  Rango r;
  if (leeNumero(texto, valor)) {
    // Typed key by key, a value passes through smaller ones on its way: only one beyond a limit and
    // away from zero is refused now, for the printer the slips would go to; the rest is judged
    // when the slips are printed, on the printer chosen then. Only the marks the terminal reads
    // count: a heading that would be cut is left out of the slips.
    r = rangos(plataforma::Printer().destino().pagina())[Index];
    fuera = valor > std::max(r.maximo, 0.0) || valor < std::min(r.minimo, 0.0);
    // A refused value brings back the one held before the edit, not a key typed on the way.
    campo = fuera ? antes_[Index] : valor;
    if (fuera) muestraCorrecciones();
  } else if (!texto.trimmed().isEmpty() && texto.trimmed() != QStringLiteral("-") &&
             texto.trimmed() != QStringLiteral("+")) {
    // Not a number: the field shows the stored value again. A lone sign is a number being typed.
    muestraCorrecciones();
  }
  plataforma::sinErrores([&] { escribeConfiguracionArchivo(configuracion); });
  if (fuera) {
    // The field's signals stay blocked while the box is up: the box is the answer to one keystroke.
    const QSignalBlocker bloqueo(Text1[Index]);
    const QString eje = Index == 0 ? QStringLiteral("X") : QStringLiteral("Y");
    plataforma::MsgBox(QString::fromUtf8("Con una corrección %1 de %2 mm alguna marca del boleto quedaría fuera de "
                                         "la zona imprimible de la impresora. La corrección %1 debe estar entre %3 y "
                                         "%4 mm; se queda en %5 mm.")
                           .arg(eje, textoNumero(valor), textoLimite(r.minimo, true), textoLimite(r.maximo, false),
                                textoNumero(campo)),
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
  if (evento->type() == QEvent::FocusOut || evento->type() == QEvent::FocusIn) {
    // Only a move from or to another control begins or ends an edit: a message box or another
    // window taking the front leaves the focus where it was.
    const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
    if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) {
      for (int i = 0; i < 2; ++i) {
        if (objeto != Text1[i]) continue;
        if (evento->type() == QEvent::FocusOut)
          Text1_LostFocus(i);
        else
          antes_[i] = i == 0 ? configuracion.correccionx : configuracion.correcciony;
      }
    }
  }
  return QWidget::eventFilter(objeto, evento);
}
