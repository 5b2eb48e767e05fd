#pragma once
// The version of the running system in the form the About box's table of system names reads: the
// platform id (2 for the Windows NT family), the major and the minor version. Another system reports platform
// 0, its kernel's major and minor version, and its own name.
#include <QString>
#include <optional>

namespace plataforma {

struct VersionSistema {
  int plataforma = 0;
  int mayor = 0;
  int menor = 0;
  QString nombre;  // the name of a system that is not Windows; empty on Windows
};

VersionSistema versionSistema();
// For tests: the version reported from now on; nullopt reads the running system again.
void fijaVersionSistema(std::optional<VersionSistema> version);

}  // namespace plataforma
