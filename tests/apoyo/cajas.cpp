#include "apoyo/cajas.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "plataforma/msgbox.h"

CajasReales::CajasReales(int espera) : espera_(espera) {
  plataforma::quitaRespondedor();
  timer_.setInterval(10);
  connect(&timer_, &QTimer::timeout, this, [this] { mira(); });
  timer_.start();
}

CajasReales::~CajasReales() { timer_.stop(); }

void CajasReales::alPasarse(int tope, std::function<void()> accion) {
  tope_ = tope;
  accion_ = std::move(accion);
}

void CajasReales::mira() {
  auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (!caja || !caja->isVisible()) {
    esperado_ = 0;
    return;
  }
  esperado_ += timer_.interval();
  if (esperado_ < espera_) return;
  esperado_ = 0;
  textos_.append(caja->text());
  if (tope_ > 0 && textos_.size() > tope_ && accion_) {
    auto accion = std::move(accion_);
    accion_ = nullptr;
    accion();
  }
  QAbstractButton* boton = caja->defaultButton();
  if (!boton && !caja->buttons().isEmpty()) boton = caja->buttons().first();
  // The window the box belongs to gets the focus back, as a desktop's window manager gives it; the
  // offscreen platform leaves no window active.
  QPointer<QWidget> duena = caja->parentWidget() ? caja->parentWidget()->window() : nullptr;
  if (boton) QTest::mouseClick(boton, Qt::LeftButton);
  if (duena) QTimer::singleShot(0, duena, [duena] {
    if (duena->isVisible()) duena->activateWindow();
  });
}
