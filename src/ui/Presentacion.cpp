#include "ui/Presentacion.h"

#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTimer>

#include "plataforma/twips.h"
#include "plataforma/ventana.h"
#include "ui/Principal.h"

using plataforma::px;

Presentacion& presentacion() { return plataforma::Unica<Presentacion>::instancia(); }
Presentacion* presentacionSiExiste() { return plataforma::Unica<Presentacion>::siExiste(); }

void descargaPresentacion() {
  if (Presentacion* p = presentacionSiExiste()) p->Timer1->stop();
  plataforma::Unica<Presentacion>::descarga();
}

Presentacion::Presentacion() {
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  setWindowTitle(QStringLiteral("Bolvanta"));
  setFixedSize(px(9000), px(6000));
  for (int i = 1; i <= 8; ++i) {
    QSvgRenderer dibujo(QStringLiteral(":/presentacion/%1.svg").arg(i));
    QPixmap imagen(size());
    imagen.fill(Qt::black);
    QPainter pintor(&imagen);
    dibujo.render(&pintor);
    ImageList1[i] = imagen;
  }

  Command1 = new QPushButton(QStringLiteral("Entrar"), this);
  Command1->setGeometry(px(3750), px(5025), px(1500), px(525));
  Command1->hide();
  connect(Command1, &QPushButton::clicked, this, &Presentacion::Command1_Click);

  Timer1 = new QTimer(this);
  Timer1->setInterval(150);
  connect(Timer1, &QTimer::timeout, this, &Presentacion::Timer1_Timer);
  Form_Load();
  Timer1->start();
}

void Presentacion::Form_Load() {
  fotograma = 1;
  pulsos = 2;
}

void Presentacion::Timer1_Timer() {
  if (fotograma < 9) {
    imagen_ = fotograma;
    update();
    ++fotograma;
    if (imagen_ == 8) {
      fotograma = 10;
      Command1->show();
    }
  }
  ++pulsos;
  if (pulsos == 60) Command1_Click();
}

void Presentacion::Command1_Click() {
  Timer1->stop();
  principal().Show();
}

void Presentacion::paintEvent(QPaintEvent*) {
  QPainter pintor(this);
  if (imagen_ >= 1 && imagen_ <= 8)
    pintor.drawPixmap(0, 0, ImageList1[imagen_]);
  else
    pintor.fillRect(rect(), QColor(0x44, 0x04, 0x0a));
}
