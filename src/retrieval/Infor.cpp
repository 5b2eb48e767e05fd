#include "retrieval/Infor.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

#include "data/estado.h"
#include "plataforma/archivos.h"
#include "plataforma/controles.h"
#include "plataforma/error.h"
#include "plataforma/navegador.h"
#include "plataforma/twips.h"
#include "plataforma/ventana.h"

using plataforma::px;

Infor& infor() { return plataforma::Unica<Infor>::instancia(); }
Infor* inforSiExiste() { return plataforma::Unica<Infor>::siExiste(); }

void descargaInfor() {
  if (Infor* v = inforSiExiste()) v->Timer1->stop();
  plataforma::Unica<Infor>::descarga();
}

Infor::Infor() {
  plataforma::dialogoPropio(this);
  setWindowTitle(QStringLiteral("Noticias del jefe..."));
  setFixedSize(px(7200), px(6600));

  Label1 = new QLabel(QStringLiteral("Últimas noticias de Bolvanta"), this);
  Label1->setGeometry(px(izquierda1), px(120), px(4500), px(300));
  Label1->setStyleSheet(QStringLiteral("color: #800000; font-weight: bold;"));

  WebBrowser1 = new plataforma::NavegadorWeb(this);
  WebBrowser1->setGeometry(px(120), px(540), px(6960), px(5400));

  Label3 = new plataforma::Etiqueta(QStringLiteral("Cerrar"), this);
  Label3->setGeometry(px(6000), px(6060), px(1080), px(360));
  Label3->setAlignment(Qt::AlignCenter);
  Label3->comoEnlace();
  connect(Label3, &plataforma::Etiqueta::Click, this, [this] { Label3_Click(); });

  Timer1 = new QTimer(this);
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

  Form_Load();
  Timer1->start();
}

bool Infor::hayNoticias() {
  qint64 longitud = 0;
  plataforma::sinErrores(
      [&] { longitud = plataforma::longitudArchivo(estado().ruta + QStringLiteral("informe.dat")); });
  return longitud > 10;
}

void Infor::Form_Load() {
  plataforma::sinErrores([&] {
    move(0, 0);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
  });
  paso = 1;

  const QString ruta = estado().ruta + QStringLiteral("informe.dat");
  bool abierto = false;
  qint64 longitud = 0;
  plataforma::sinErrores([&] {
    plataforma::archivos().abre(ARCH_INFORME, ruta, plataforma::Acceso::Entrada);
    abierto = true;
    longitud = plataforma::archivos().longitud(ARCH_INFORME);
  });
  // A missing or almost empty file has nothing to show (hayNoticias).
  if (longitud > 10) {
    WebBrowser1->Navigate(ruta);
  } else {
    WebBrowser1->hide();
  }
  if (abierto) plataforma::sinErrores([&] { plataforma::archivos().cierra(ARCH_INFORME); });
}

void Infor::Show() {
  show();
  raise();
}

void Infor::Label3_Click() { descargaInfor(); }

void Infor::closeEvent(QCloseEvent* evento) {
  evento->ignore();
  descargaInfor();
}

void Infor::Timer1_Timer() {
  izquierda1 += paso;
  Label1->move(px(izquierda1), Label1->y());
  if (izquierda1 > 254) paso = -10;
  if (izquierda1 < 16) paso = 10;
}
