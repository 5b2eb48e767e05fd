#include "version.h"

#include <QOperatingSystemVersion>
#include <QRegularExpression>
#include <QSysInfo>

namespace plataforma {

namespace {
std::optional<VersionSistema>& fijada() {
  static std::optional<VersionSistema> v;
  return v;
}
}  // namespace

VersionSistema versionSistema() {
  if (fijada()) return *fijada();
  VersionSistema v;
  const QOperatingSystemVersion os = QOperatingSystemVersion::current();
  if (os.type() == QOperatingSystemVersion::Windows) {
    v.plataforma = 2;
    v.mayor = os.majorVersion();
    v.menor = os.minorVersion();
    return v;
  }
  // "6.1.0-18-amd64": the first two numbers.
  const auto m = QRegularExpression(QStringLiteral("^(\\d+)\\.(\\d+)")).match(QSysInfo::kernelVersion());
  if (m.hasMatch()) {
    v.mayor = m.captured(1).toInt();
    v.menor = m.captured(2).toInt();
  }
  v.nombre = QSysInfo::prettyProductName();
  return v;
}

void fijaVersionSistema(std::optional<VersionSistema> version) { fijada() = std::move(version); }

}  // namespace plataforma
