#include "ui/Acercade.h"

#include <QLabel>

#include "data/ajustes.h"
#include "plataforma/controles.h"
#include "plataforma/navegador.h"
#include "plataforma/twips.h"
#include "plataforma/version.h"
#include "plataforma/ventana.h"

using plataforma::px;

Acercade& acercade() { return plataforma::Unica<Acercade>::instancia(); }
Acercade* acercadeSiExiste() { return plataforma::Unica<Acercade>::siExiste(); }
void descargaAcercade() { plataforma::Unica<Acercade>::descarga(); }

Acercade::Acercade() {
  plataforma::dialogoPropio(this);
  setWindowTitle(QString::fromUtf8("Acerca de..."));
  setFixedSize(px(5700), px(3300));

  auto* nombre = new QLabel(QStringLiteral("Bolvanta"), this);
  QFont grande = font();
  grande.setPointSize(18);
  grande.setBold(true);
  nombre->setFont(grande);
  nombre->setStyleSheet(QStringLiteral("color: #800000;"));
  nombre->setGeometry(px(300), px(200), px(5100), px(600));

  const char* const textos[] = {"Versión 3.4.9991",
                                "Comprueba tus números por internet.",
                                "Gestión y comprobación de peñas de La Primitiva."};
  for (int i = 0; i < 3; ++i) {
    auto* l = new QLabel(QString::fromUtf8(textos[i]), this);
    l->setGeometry(px(300), px(900 + 330 * i), px(5100), px(300));
  }

  Label4 = new QLabel(this);
  Label4->setGeometry(px(300), px(2000), px(5100), px(300));
  Label4->setStyleSheet(QStringLiteral("font-weight: bold;"));

  Label2 = new plataforma::Etiqueta(QString::fromLatin1(DIRECCION_WEB), this);
  Label2->setGeometry(px(300), px(2500), px(5100), px(300));
  Label2->comoEnlace();
  connect(Label2, &plataforma::Etiqueta::Click, this, &Acercade::Label2_Click);
}

void Acercade::Show() { plataforma::muestra(*this, cargado_); }

void Acercade::Form_Load() {
  const QString version = NativeGetVersion();
  QString nombre = VersionToName(version);
  // The table names Windows only; another system says its own name rather than bare numbers.
  const QString propio = plataforma::versionSistema().nombre;
  if (nombre == version && !propio.isEmpty()) nombre = propio;
  Label4->setText(QStringLiteral("S.O: ") + nombre);
}

QString Acercade::NativeGetVersion() {
  const plataforma::VersionSistema v = plataforma::versionSistema();
  return QStringList{QString::number(v.plataforma), QString::number(v.mayor), QString::number(v.menor)}
      .join(QLatin1Char('.'));
}

QString Acercade::VersionToName(const QString& sVersion) {
  static const char* const nombres[][2] = {
      {"1.0.0", "Windows 95"},       {"1.1.0", "Windows 98"},      {"1.9.0", "Windows Millenium"},
      {"2.3.0", "Windows NT 3.51"},  {"2.4.0", "Windows NT 4.0"},  {"2.5.0", "Windows 2000"},
      {"2.5.1", "Windows XP"},       {"2.5.3", "Windows 2003"},    {"2.6.0", "Windows Vista"},
      {"2.6.1", "Windows 7"},        {"2.6.2", "Windows 8"},       {"2.10.0", "Windows 10/11"}};
  for (const auto& n : nombres)
    if (sVersion == QLatin1String(n[0])) return QString::fromLatin1(n[1]);
  return sVersion;
}

void Acercade::Label2_Click() {
  plataforma::abreDireccion(QStringLiteral("http://") + QString::fromLatin1(DIRECCION_WEB) + QLatin1Char('/'));
}
