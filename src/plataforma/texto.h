#pragma once
// Texts as the data files hold them: single-byte Windows-1252, fixed length, padded with blanks.
#include <QByteArray>
#include <QString>

namespace plataforma {

// Characters with no Windows-1252 code become '?'.
QByteArray aAnsi(const QString& texto);
QString deAnsi(const QByteArray& bytes);

// The text cut or padded with blanks to exactly n characters, as a fixed-length field holds it.
QString fijo(const QString& texto, int n);

// Blanks (spaces only) removed from both ends; NUL characters of a never-written field stay.
QString recorta(const QString& texto);

}  // namespace plataforma
