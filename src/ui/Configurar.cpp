#include "ui/Configurar.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimer>

#include "data/ajustes.h"
#include "data/avisopermiso.h"
#include "data/ayudas.h"
#include "data/estado.h"
#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"
#include "ui/Principal.h"

using plataforma::px;

Configurar& configurar() { return plataforma::Unica<Configurar>::instancia(); }
Configurar* configurarSiExiste() { return plataforma::Unica<Configurar>::siExiste(); }
void descargaConfigurar() { plataforma::Unica<Configurar>::descarga(); }

namespace {

QLocale espanol() {
  QLocale l(QLocale::Spanish, QLocale::Spain);
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l;
}

// The price as the user reads it: up to seven significant digits, with a decimal comma.
QString textoPrecio(float precio) { return espanol().toString(double(precio), 'g', 7); }

// A price as typed: digits with one decimal comma or point ("2,5", "2.5", "2," while typing on).
// Signs, exponents and group separators are no price.
bool leePrecio(const QString& texto, float& precio) {
  static const QRegularExpression forma(QStringLiteral("^\\s*(\\d*)(?:[.,](\\d*))?\\s*$"));
  const auto m = forma.match(texto);
  if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(2).isEmpty())) return false;
  bool bien = false;
  const double v = (m.captured(1) + QLatin1Char('.') + m.captured(2) + QLatin1Char('0')).toDouble(&bien);
  if (!bien) return false;
  precio = float(v);
  return true;
}

// A whole number of months. One beyond the record's 16-bit range is held at its end, as the
// largest figure is as much too many months as any larger one.
bool leeMeses(const QString& texto, qint16& meses) {
  static const QRegularExpression forma(QStringLiteral("^\\s*([+-]?)0*(\\d+)\\s*$"));
  const auto m = forma.match(texto);
  if (!m.hasMatch()) return false;
  const bool negativo = m.captured(1) == QLatin1String("-");
  const QString cifras = m.captured(2);
  const qint64 v = cifras.size() > 6 ? 999999 : cifras.toLongLong();
  meses = qint16(std::clamp<qint64>(negativo ? -v : v, -32768, 32767));
  return true;
}

void ponTexto(QLineEdit* caja, const QString& texto) {
  // Put back without running the change handler again: the caller writes the record once.
  const QSignalBlocker quieto(caja);
  caja->setText(texto);
}

}  // namespace

Configurar::Configurar() {
  plataforma::dialogoPropio(this);
  setWindowTitle(QString::fromUtf8("Configuración"));
  setFixedSize(px(5400), px(2900));

  auto* titulo = new QLabel(QString::fromUtf8("CONFIGURACIÓN"), this);
  QFont negrita = font();
  negrita.setPointSize(12);
  negrita.setBold(true);
  titulo->setFont(negrita);
  titulo->setGeometry(px(240), px(150), px(4900), px(400));

  struct Fila {
    const char* antes;
    const char* despues;
    QLineEdit** caja;
    void (Configurar::*cambio)();
    void (Configurar::*salida)();
  };
  const Fila filas[] = {
      {"-Precio por apuesta:", "euros.", &Text1, &Configurar::Text1_Change, &Configurar::Text1_LostFocus},
      {"-Sorteo max. división:", "meses,", &Text2, &Configurar::Text2_Change, &Configurar::Text2_LostFocus}};
  for (int i = 0; i < 2; ++i) {
    const int y = 800 + 480 * i;
    auto* antes = new QLabel(QString::fromUtf8(filas[i].antes), this);
    antes->setGeometry(px(240), px(y), px(2300), px(330));
    QLineEdit* caja = new QLineEdit(this);
    caja->setGeometry(px(2600), px(y - 15), px(1000), px(360));
    caja->setAlignment(Qt::AlignRight);
    caja->setMaxLength(10);
    connect(caja, &QLineEdit::textChanged, this, filas[i].cambio);
    connect(caja, &QLineEdit::editingFinished, this, filas[i].salida);
    *filas[i].caja = caja;
    auto* despues = new QLabel(QString::fromUtf8(filas[i].despues), this);
    despues->setGeometry(px(3700), px(y), px(1200), px(330));
  }
  Label3 = new QLabel(QString::fromUtf8("* Mínimo 2 meses"), this);
  Label3->setGeometry(px(2600), px(1760), px(2600), px(300));

  Label2 = new plataforma::Etiqueta(QStringLiteral("Cerrar"), this);
  Label2->setGeometry(px(4300), px(2400), px(900), px(300));
  Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2->comoEnlace();
  connect(Label2, &plataforma::Etiqueta::Click, this, &Configurar::Label2_Click);

  espera_ = new QTimer(this);
  espera_->setSingleShot(true);
  espera_->setInterval(ESPERA_MS);
  connect(espera_, &QTimer::timeout, this, &Configurar::aplica);
}

void Configurar::Show() { plataforma::muestra(*this, cargado_); }

void Configurar::Form_Load() {
  // A price out of range shows as start-up took it.
  configuracion = configuracionGuardada();
  avisado_ = false;
  // The months and price the main window already has; showing them hands nothing on.
  mesesAplicados_ = configuracion.meses;
  precioAplicado_ = configuracion.precio;
  // Each box's change handler writes the record, as every change does.
  cargando_ = true;
  Text1->setText(textoPrecio(configuracion.precio));
  Text2->setText(QString::number(configuracion.meses));
  cargando_ = false;
}

// On data the program may not write, a change is refused with the message every other change gets,
// told once while the dialog is open, and the box shows the stored value again.
bool Configurar::rechaza(QLineEdit* caja, const QString& guardado) {
  if (!estado().sololectura || cargando_) return false;
  ponTexto(caja, guardado);
  permiteCambios(avisado_);
  return true;
}

void Configurar::Text1_Change() {
  if (rechaza(Text1, textoPrecio(configuracion.precio))) return;
  const QString texto = Text1->text();
  float precio = 0;
  // A negative or absurd price is refused like letters: the price goes on costing the weekly
  // figures of every syndicate.
  if (leePrecio(texto, precio) && precio <= PRECIO_MAXIMO)
    configuracion.precio = precio;
  else if (!texto.isEmpty())
    ponTexto(Text1, textoPrecio(configuracion.precio));
  escribe();
  if (!cargando_) espera_->start();
}

void Configurar::Text2_Change() {
  if (rechaza(Text2, QString::number(configuracion.meses))) return;
  const QString texto = Text2->text();
  qint16 meses = 0;
  bool demasiados = false;
  if (leeMeses(texto, meses)) {
    configuracion.meses = std::max<qint16>(meses, 2);
    // Beyond the longest period anyone keeps the draws of: the box shows what was stored, and the
    // note under it says why.
    demasiados = configuracion.meses > MESES_MAXIMO;
    if (demasiados) {
      configuracion.meses = MESES_MAXIMO;
      ponTexto(Text2, QString::number(MESES_MAXIMO));
    }
  } else if (!texto.isEmpty()) {
    ponTexto(Text2, QString::number(configuracion.meses));
  }
  Label3->setText(demasiados ? QString::fromUtf8("* Máximo %1 meses").arg(MESES_MAXIMO)
                             : QString::fromUtf8("* Mínimo 2 meses"));
  Label3->setStyleSheet(demasiados ? QStringLiteral("color: #c00000; font-weight: bold;") : QString());
  if (configuracion.meses < 2) configuracion.meses = 2;
  escribe();
  if (!cargando_) espera_->start();
}

void Configurar::Text1_LostFocus() {
  // "3," or an emptied box become the price stored.
  if (Text1->text() != textoPrecio(configuracion.precio)) ponTexto(Text1, textoPrecio(configuracion.precio));
  aplicaPrecio();
}

void Configurar::Text2_LostFocus() {
  // "1", "0" or an emptied box become the months stored.
  if (Text2->text() != QString::number(configuracion.meses)) ponTexto(Text2, QString::number(configuracion.meses));
  aplicaMeses();
}

void Configurar::aplica() {
  aplicaMeses();
  aplicaPrecio();
}

void Configurar::aplicaMeses() {
  espera_->stop();
  if (configuracion.meses == mesesAplicados_) return;
  mesesAplicados_ = configuracion.meses;
  if (Principal* p = principalSiExiste()) {
    p->configuracion.meses = configuracion.meses;
    p->ponMeses(configuracion.meses);
  }
}

void Configurar::aplicaPrecio() {
  if (configuracion.precio == precioAplicado_) return;
  precioAplicado_ = configuracion.precio;
  Principal* p = principalSiExiste();
  if (!p) return;
  // The main window's copy holds the price the file holds, and the syndicate shown counts its
  // weekly cost ("Gasto semanal") and its fact sheet with it.
  p->configuracion.precio = configuracion.precio;
  if (p->penamostrada > 0) p->muestrapena(p->penamostrada);
}

void Configurar::hideEvent(QHideEvent* evento) {
  // Closed by the window's own button, or unloaded: the months and price typed last still arrive.
  aplica();
  QWidget::hideEvent(evento);
}

void Configurar::escribe() {
  if (estado().sololectura) return;
  try {
    escribeConfiguracionArchivo(configuracion);
  } catch (const plataforma::Error& error) {
    // A full or failing disk is told once while the dialog is open, not at every keystroke.
    if (!avisado_) avisado_ = avisoescritura(error);
  }
}

void Configurar::Label2_Click() {
  aplica();
  descargaConfigurar();
}
