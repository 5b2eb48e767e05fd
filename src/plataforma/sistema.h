#pragma once
// Where the program lives. Tests point it at a folder of their own.
#include <QString>

namespace plataforma {

QString carpetaPrograma();
void fijaCarpetaPrograma(const QString& carpeta);

}  // namespace plataforma
