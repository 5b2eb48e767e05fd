#include "msgbox.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <algorithm>

namespace plataforma {

namespace {

std::function<int(const Caja&)>& respondedorActual() {
  static std::function<int(const Caja&)> respondedor;
  return respondedor;
}

std::vector<Caja>& registro() {
  static std::vector<Caja> cajas;
  return cajas;
}

QString textoBoton(int respuesta) {
  switch (respuesta) {
    case vbOK: return QStringLiteral("Aceptar");
    case vbCancel: return QStringLiteral("Cancelar");
    case vbAbort: return QStringLiteral("Anular");
    case vbRetry: return QStringLiteral("Reintentar");
    case vbIgnore: return QStringLiteral("Omitir");
    case vbYes: return QStringLiteral("Sí");
    case vbNo: return QStringLiteral("No");
  }
  return QString();
}

QMessageBox::Icon icono(int estilo) {
  switch (estilo & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

// The button the box starts on: vbDefaultButton2/3 pick the second or third when there is one.
int indiceDefecto(int estilo, int botones) {
  const int pedido = (estilo & 0xF00) >> 8;
  return pedido < botones ? pedido : 0;
}

// A box opened while the mouse holds a scroll bar's arrow or a slider (from its change handler)
// takes the mouse release for itself: the control never learns that the button went up, and its
// auto-repeat would move it again and again, each step opening another box. Every slider is told
// the button is up before the box opens; one that is not pressed ignores the release.
void sueltaDeslizadores() {
  QList<QPointer<QAbstractSlider>> deslizadores;
  for (QWidget* w : QApplication::allWidgets())
    if (auto* d = qobject_cast<QAbstractSlider*>(w)) deslizadores.append(d);
  for (const QPointer<QAbstractSlider>& d : deslizadores) {
    if (!d) continue;
    const QPointF centro = QRectF(d->rect()).center();
    QMouseEvent suelta(QEvent::MouseButtonRelease, centro, d->mapToGlobal(centro), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(d, &suelta);
  }
}

int muestraVentana(const QString& texto, int estilo, const QString& titulo) {
  sueltaDeslizadores();
  QMessageBox caja(icono(estilo), titulo, texto, QMessageBox::NoButton, QApplication::activeWindow());
  caja.setTextFormat(Qt::PlainText);  // the program's texts are plain; "<" must show as typed
  if (estilo & 4096) caja.setWindowFlag(Qt::WindowStaysOnTopHint);  // vbSystemModal

  const std::vector<int> respuestas = respuestasPosibles(estilo);
  std::vector<QPushButton*> botones;
  for (int respuesta : respuestas) {
    // One role for all keeps the buttons in the program's order whatever the desktop's convention.
    botones.push_back(caja.addButton(textoBoton(respuesta), QMessageBox::ActionRole));
  }
  caja.setDefaultButton(botones[indiceDefecto(estilo, static_cast<int>(botones.size()))]);

  // Escape and the close button answer Cancel, or OK when that is the only button; boxes that
  // demand a decision (Yes/No, Abort/Retry/Ignore) cannot be dismissed.
  const auto cancelar = std::find(respuestas.begin(), respuestas.end(), vbCancel);
  if (cancelar != respuestas.end()) {
    caja.setEscapeButton(botones[cancelar - respuestas.begin()]);
  } else if (respuestas.size() == 1) {
    caja.setEscapeButton(botones.front());
  }

  caja.exec();
  for (std::size_t i = 0; i < botones.size(); ++i) {
    if (caja.clickedButton() == botones[i]) return respuestas[i];
  }
  return respuestas.front();
}

}  // namespace

std::vector<int> respuestasPosibles(int estilo) {
  switch (estilo & 0xF) {
    case vbOKCancel: return {vbOK, vbCancel};
    case vbAbortRetryIgnore: return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel: return {vbYes, vbNo, vbCancel};
    case vbYesNo: return {vbYes, vbNo};
    case vbRetryCancel: return {vbRetry, vbCancel};
  }
  return {vbOK};
}

int MsgBox(const QString& texto, int estilo, const QString& titulo) {
  const QString mostrado = titulo.isEmpty() ? QStringLiteral("Bolvanta") : titulo;
  // A copy, so that a responder may replace itself while it answers.
  const auto respondedor = respondedorActual();
  if (!respondedor) return muestraVentana(texto, estilo, mostrado);

  const Caja caja{texto, mostrado, estilo};
  registro().push_back(caja);
  const std::vector<int> posibles = respuestasPosibles(estilo);
  const int respuesta = respondedor(caja);
  if (respuesta == 0) return posibles.front();
  if (std::find(posibles.begin(), posibles.end(), respuesta) == posibles.end()) {
    // A real box could never give this answer; going on with it would test a path no user reaches.
    qWarning("MsgBox: respuesta %d imposible para la caja \"%s\" (estilo %d); se toma el primer botón",
             respuesta, qPrintable(texto), estilo);
    return posibles.front();
  }
  return respuesta;
}

void fijaRespondedor(std::function<int(const Caja&)> respondedor) {
  respondedorActual() = std::move(respondedor);
}

void quitaRespondedor() { respondedorActual() = nullptr; }

const std::vector<Caja>& cajasMostradas() { return registro(); }

void reiniciaCajas() { registro().clear(); }

Respondedor::Respondedor(std::initializer_list<int> respuestas)
    : respuestas_(respuestas), anterior_(respondedorActual()) {
  fijaRespondedor([this](const Caja& caja) {
    cajas_.push_back(caja);
    if (respuestas_.empty()) return 0;
    const int respuesta = respuestas_.front();
    respuestas_.pop_front();
    return respuesta;
  });
}

Respondedor::~Respondedor() { respondedorActual() = std::move(anterior_); }

}  // namespace plataforma
