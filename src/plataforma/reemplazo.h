#pragma once
// Rewriting a data file whole without ever leaving half of it: the new content goes to a temporary
// file in the same folder, reaches the disk, and only then is renamed over the original. A crash or
// a failure at any point leaves either the old file or the new one, whole.
#include <QByteArray>
#include <QString>
#include <functional>

namespace plataforma {

// Replaces `destino` with `contenido` by way of `temporal` (a file name in the same folder; a
// leftover of that name is overwritten). The new file keeps the permissions of the old one. Error
// 75 when the folder or the original cannot be written (a read-only file stays as it is), 61 when
// the disk is full and 57 when the disk fails (the reason in Spanish, lower case, as the error's
// description); the original is then untouched and the temporary file removed.
void reemplazaArchivo(const QString& destino, const QString& temporal, const QByteArray& contenido);

// Writes a document the user asked for (a printed PDF) whole over `destino`, or leaves what was there:
// a temporary file beside it, every byte written and checked, on disk, then renamed over it. A new
// document gets the permissions the user's creation mask gives; a replaced one keeps its own, and
// one the user protected against writing is refused. A symbolic link is written through: the file
// it leads to gets the document and the link stays. A failure throws Error (61 for a full disk, 75
// for a place that may not be written, 57 otherwise) with the reason in Spanish, lower case ("no
// queda espacio en el disco"), and leaves no temporary file.
void guardaDocumento(const QString& destino, const QByteArray& contenido);

// Throws the error of a write that failed with the system's reason `codigo` (an errno): 61 and "no
// queda espacio en el disco" for a full disk, 75 for a place that may not be written, 57 and "error
// al escribir en el disco" for anything else.
[[noreturn]] void falloEscritura(int codigo);

// For tests: the bytes the files written whole, the records that make a data file grow and the
// report database may still take before the disk is full (-1: no limit). A write beyond them fails
// as a full disk does.
void fijaEspacioLibre(qint64 bytes);
// The limit fijaEspacioLibre set, -1 when there is none.
qint64 espacioLibreFijado();
// Takes `bytes` from that limit, or fails as a full disk does (error 61) when they do not fit;
// nothing when there is no limit.
void reservaEspacio(qint64 bytes);

// For tests: every sync of a file written whole fails with the system's reason `codigo` (an errno,
// EIO for a failing disk, ENOSPC for a disk that finds itself full only then); 0 to sync again.
void fijaFalloSincronizacion(int codigo);

// For tests: runs between the moment the temporary file is whole on disk and the rename, which is
// where a crash would hurt most. Whatever it throws ends the replacement there. Empty to remove.
void fijaAntesDeRenombrar(std::function<void()> paso);

}  // namespace plataforma
